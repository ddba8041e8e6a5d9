# Interface target carrying the project's warning flags; every target of ours
# links it privately so that third-party code is not held to them.
add_library(quadrell_warnings INTERFACE)
target_compile_options(quadrell_warnings INTERFACE -Wall -Wextra -Wpedantic)
# GCC 12 at -O3 reports -Wrestrict inside its own std::string code wherever a
# C string is prepended to a temporary string (operator+ inlined as insert
# and memcpy): a known false report of that compiler, which no overlapping
# copy of ours could cause. Other compilers keep the warning.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
   AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(quadrell_warnings INTERFACE -Wno-restrict)
endif()
if(QUADRELL_WERROR)
    target_compile_options(quadrell_warnings INTERFACE -Werror)
endif()
