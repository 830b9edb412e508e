#include <gtest/gtest.h>

#include <limits>

#include "model/Numeric.h"

using namespace quillet;

TEST(Numeric, RoundIsHalfToEvenAndSaturates) {
    // Halves go to the even neighbour, on both signs.
    EXPECT_EQ(Round(0.5), 0);
    EXPECT_EQ(Round(1.5), 2);
    EXPECT_EQ(Round(2.5), 2);
    EXPECT_EQ(Round(-0.5), 0);
    EXPECT_EQ(Round(-1.5), -2);
    EXPECT_EQ(Round(-2.5), -2);
    EXPECT_EQ(Round(2.4999999), 2);
    EXPECT_EQ(Round(2.5000001), 3);
    // 1500 / 200 = 7.5 -> 8, 1000 / 200 = 5 -> 5: the start-point snap.
    EXPECT_EQ(Round(1500.0 / 200.0) * 200, 1600);
    // Absurd values saturate instead of overflowing.
    EXPECT_EQ(Round(1e300), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(Round(-1e300), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(Round(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(Round64(5e9 + 0.5), 5000000000LL);
}

TEST(Numeric, TruncCutsTowardZero) {
    EXPECT_EQ(Trunc(2.9), 2);
    EXPECT_EQ(Trunc(-2.9), -2);
    EXPECT_EQ(Trunc(1e20), std::numeric_limits<int32_t>::max());
}
