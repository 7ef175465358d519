#pragma once

#include <cstdio>
#include <cstdlib>

// Stops the run when a property does not hold, so that libFuzzer keeps the input as a crash.
inline void Require(bool holds, const char* property) {
    if (holds) return;
    std::fprintf(stderr, "Property broken: %s\n", property);
    std::abort();
}
