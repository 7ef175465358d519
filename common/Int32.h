#pragma once

#include <cstdint>
#include <limits>

#include "common/Errors.h"

// Signed 32-bit arithmetic with overflow detection, computed in 64 bits so that no step relies
// on undefined behaviour. An overflow is a failure (OverflowError).
namespace velnix {

inline int32_t CheckedInt32(int64_t value) {
    if (value < std::numeric_limits<int32_t>::min() ||
        value > std::numeric_limits<int32_t>::max()) {
        throw OverflowError();
    }
    return static_cast<int32_t>(value);
}

inline int32_t CheckedAdd(int32_t a, int32_t b) { return CheckedInt32(int64_t{a} + int64_t{b}); }

inline int32_t CheckedSub(int32_t a, int32_t b) { return CheckedInt32(int64_t{a} - int64_t{b}); }

inline int32_t CheckedMul(int32_t a, int32_t b) { return CheckedInt32(int64_t{a} * int64_t{b}); }

// An unsigned 32-bit platform counter taken bit for bit into a signed 32-bit figure: 2^31 and
// above become negative.
inline int32_t BitsToInt32(uint32_t bits) {
    return static_cast<int32_t>(bits);  // modular since C++20
}

}  // namespace velnix
