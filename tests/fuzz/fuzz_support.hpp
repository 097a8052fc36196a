#pragma once

// Shared by the fuzz targets.
#include <cstdio>
#include <cstdlib>

// A property that must hold; a violation stops the fuzzer and names it.
#define require(condition)                                                                \
    do {                                                                                  \
        if (!(condition)) {                                                               \
            std::fprintf(stderr, "property failed: %s (line %d)\n", #condition, __LINE__); \
            std::abort();                                                                 \
        }                                                                                 \
    } while (false)
