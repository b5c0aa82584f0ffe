#pragma once
#include <cstdio>
#include <cstdlib>

// A property every input must keep: when it fails, the message names the
// line and the condition, and the run aborts, which both libFuzzer and the
// corpus replay report as a failure.
#define FUZZ_CHECK(condition)                                                                                \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);               \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (false)
