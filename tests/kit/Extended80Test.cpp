#include "kit/Extended80.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using kit::Extended80;

TEST(Extended80, encodesOneWithBiasedExponentAndExplicitIntegerBit) {
    const Extended80 expected = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F};
    EXPECT_EQ(kit::extendedFromDouble(1.0), expected);
    EXPECT_EQ(kit::extendedFromInt64(1), expected);
    const Extended80 minusTwo = {0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0xC0};
    EXPECT_EQ(kit::extendedFromDouble(-2.0), minusTwo);
    EXPECT_EQ(kit::extendedFromInt64(-2), minusTwo);
}

TEST(Extended80, decodesPiWrittenByAnotherProgram) {
    const Extended80 pi = {0x35, 0xC2, 0x68, 0x21, 0xA2, 0xDA, 0x0F, 0xC9, 0x00, 0x40};
    EXPECT_EQ(kit::extendedToDouble(pi), 3.141592653589793);
    EXPECT_EQ(kit::extendedToInt64(pi), 3);
}

TEST(Extended80, roundTripsDoublesIncludingExtremes) {
    const double values[] = {0.0,
                             -0.0,
                             0.1,
                             -2.5,
                             45000.75,
                             1e300,
                             -1e-300,
                             std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::min(),
                             std::numeric_limits<double>::denorm_min(),
                             3e-310,
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity()};
    for (double v : values) {
        const double back = kit::extendedToDouble(kit::extendedFromDouble(v));
        EXPECT_EQ(back, v) << v;
        EXPECT_EQ(std::signbit(back), std::signbit(v)) << v;
    }
    EXPECT_TRUE(std::isnan(kit::extendedToDouble(kit::extendedFromDouble(std::nan("")))));
}

TEST(Extended80, keepsEverySixtyFourBitIntegerExactly) {
    const std::int64_t values[] = {0,
                                   1,
                                   -1,
                                   (std::int64_t{1} << 53) + 1,
                                   123456789012345678,
                                   -987654321098765432,
                                   std::numeric_limits<std::int64_t>::max(),
                                   std::numeric_limits<std::int64_t>::min()};
    for (std::int64_t v : values)
        EXPECT_EQ(kit::extendedToInt64(kit::extendedFromInt64(v)), v) << v;
}

TEST(Extended80, truncatesFractionsAndClampsWhenReadAsInteger) {
    EXPECT_EQ(kit::extendedToInt64(kit::extendedFromDouble(2.9)), 2);
    EXPECT_EQ(kit::extendedToInt64(kit::extendedFromDouble(-2.9)), -2);
    EXPECT_EQ(kit::extendedToInt64(kit::extendedFromDouble(0.5)), 0);
    EXPECT_EQ(kit::extendedToInt64(kit::extendedFromDouble(1e30)), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(kit::extendedToInt64(kit::extendedFromDouble(-1e30)), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(kit::extendedToInt64(kit::extendedFromDouble(std::nan(""))), 0);
}

TEST(Extended80, turnsValuesBeyondTheDoubleRangeIntoInfinityOrZero) {
    const Extended80 huge = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFE, 0x7F};
    EXPECT_EQ(kit::extendedToDouble(huge), std::numeric_limits<double>::infinity());
    const Extended80 tiny = {0, 0, 0, 0, 0, 0, 0, 0x80, 0x01, 0x00};
    EXPECT_EQ(kit::extendedToDouble(tiny), 0.0);
}
