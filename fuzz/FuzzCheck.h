#pragma once

#include <cstdio>
#include <cstdlib>

// A broken promise of the code under test: said on the errors, then a crash
// that the fuzzer keeps as a finding.
#define FUZZ_CHECK(condition)                                                                    \
    do {                                                                                         \
        if (!(condition)) {                                                                      \
            std::fprintf(stderr, "%s:%d: broken promise: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                        \
        }                                                                                        \
    } while (false)
