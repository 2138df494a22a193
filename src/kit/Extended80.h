#pragma once

#include <array>
#include <cstdint>

// The 80-bit extended float of tag 5 (sign, 15-bit exponent biased by 16383,
// 64-bit significand with explicit integer bit), little-endian. Encoded and decoded
// with integer arithmetic: `long double` is not 80 bits everywhere, and a 64-bit
// integer must survive exactly.
namespace kit {

using Extended80 = std::array<unsigned char, 10>;

Extended80 extendedFromDouble(double value);
Extended80 extendedFromInt64(std::int64_t value);
// Nearest double; infinities and NaN kept; values beyond the double range become infinite.
double extendedToDouble(const Extended80& bytes);
// Truncated toward zero and clamped to the 64-bit range; NaN gives 0.
std::int64_t extendedToInt64(const Extended80& bytes);

} // namespace kit
