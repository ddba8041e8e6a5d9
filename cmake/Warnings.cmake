# Interface target carrying the project's warning flags; every target of ours
# links it privately so that third-party code is not held to them.
add_library(quadrell_warnings INTERFACE)
target_compile_options(quadrell_warnings INTERFACE -Wall -Wextra -Wpedantic)
if(QUADRELL_WERROR)
    target_compile_options(quadrell_warnings INTERFACE -Werror)
endif()
