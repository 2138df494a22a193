#include "kit/Extended80.h"

#include <bit>
#include <cmath>
#include <limits>

namespace kit {
namespace {

constexpr int kBias = 16383;

Extended80 pack(bool negative, unsigned exponent, std::uint64_t significand) {
    Extended80 out{};
    for (int i = 0; i < 8; ++i)
        out[static_cast<std::size_t>(i)] = static_cast<unsigned char>(significand >> (8 * i));
    const unsigned top = (negative ? 0x8000u : 0u) | (exponent & 0x7FFFu);
    out[8] = static_cast<unsigned char>(top & 0xFF);
    out[9] = static_cast<unsigned char>(top >> 8);
    return out;
}

void unpack(const Extended80& in, bool* negative, unsigned* exponent, std::uint64_t* significand) {
    std::uint64_t s = 0;
    for (int i = 7; i >= 0; --i)
        s = (s << 8) | in[static_cast<std::size_t>(i)];
    const unsigned top = in[8] | (static_cast<unsigned>(in[9]) << 8);
    *negative = (top & 0x8000u) != 0;
    *exponent = top & 0x7FFFu;
    *significand = s;
}

} // namespace

Extended80 extendedFromDouble(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const bool negative = (bits >> 63) != 0;
    const auto exp = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t frac = bits & ((std::uint64_t{1} << 52) - 1);
    if (exp == 0x7FF) // infinity, or NaN with its payload kept
        return pack(negative, 0x7FFF, (std::uint64_t{1} << 63) | (frac << 11) | (frac ? std::uint64_t{1} << 62 : 0));
    if (exp == 0) {
        if (frac == 0)
            return pack(negative, 0, 0);
        // Subnormal double: normalise, the extended range holds it as a normal number.
        const int shift = std::countl_zero(frac);
        return pack(negative, static_cast<unsigned>(kBias - 1022 - (shift - 11)), frac << shift);
    }
    return pack(negative, static_cast<unsigned>(exp - 1023 + kBias), (std::uint64_t{1} << 63) | (frac << 11));
}

Extended80 extendedFromInt64(std::int64_t value) {
    if (value == 0)
        return pack(false, 0, 0);
    const bool negative = value < 0;
    // Two's complement negation in unsigned arithmetic also covers the minimum.
    std::uint64_t magnitude = negative ? ~static_cast<std::uint64_t>(value) + 1 : static_cast<std::uint64_t>(value);
    const int shift = std::countl_zero(magnitude);
    return pack(negative, static_cast<unsigned>(kBias + 63 - shift), magnitude << shift);
}

double extendedToDouble(const Extended80& bytes) {
    bool negative = false;
    unsigned exponent = 0;
    std::uint64_t significand = 0;
    unpack(bytes, &negative, &exponent, &significand);
    const double sign = negative ? -1.0 : 1.0;
    if (exponent == 0x7FFF) {
        if ((significand << 1) == 0)
            return sign * std::numeric_limits<double>::infinity();
        return std::numeric_limits<double>::quiet_NaN();
    }
    if (significand == 0)
        return sign * 0.0;
    // Value = significand * 2^(e - 63). Denormals (exponent 0) use e = 1 - bias.
    const int e = (exponent == 0 ? 1 : static_cast<int>(exponent)) - kBias;
    if (e > 1100)
        return sign * std::numeric_limits<double>::infinity();
    if (e < -1200)
        return sign * 0.0;
    // Converting to double rounds the significand to 53 bits; the scaling is then exact
    // except for results in the double's subnormal range.
    return sign * std::ldexp(static_cast<double>(significand), e - 63);
}

std::int64_t extendedToInt64(const Extended80& bytes) {
    bool negative = false;
    unsigned exponent = 0;
    std::uint64_t significand = 0;
    unpack(bytes, &negative, &exponent, &significand);
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
    if (exponent == 0x7FFF) {
        if ((significand << 1) != 0)
            return 0; // NaN
        return negative ? kMin : kMax;
    }
    const int e = static_cast<int>(exponent) - kBias;
    if (e < 0 || significand == 0)
        return 0;
    if (e > 63)
        return negative ? kMin : kMax;
    const std::uint64_t magnitude = significand >> (63 - e);
    if (negative) {
        if (magnitude >= (std::uint64_t{1} << 63))
            return kMin;
        return -static_cast<std::int64_t>(magnitude);
    }
    return magnitude > static_cast<std::uint64_t>(kMax) ? kMax : static_cast<std::int64_t>(magnitude);
}

} // namespace kit
