#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

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

TEST(Numeric, RoundEvenAgreesWithTheRemainderDefinition) {
    // The nearest integer with halves to even is exactly v - remainder(v, 1).
    auto reference = [](double v) { return v - std::remainder(v, 1.0); };
    std::vector<double> values = {0.0,
                                  -0.0,
                                  0.49999999999999994,
                                  0.5,
                                  1.5,
                                  2.5,
                                  -2.5,
                                  -3.5,
                                  4503599627370495.5,
                                  4503599627370496.0,
                                  9007199254740993.0,
                                  -4503599627370495.5,
                                  1e300,
                                  -1e300,
                                  5e-324};
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> wide(-1e6, 1e6);
    for (int i = 0; i < 20000; ++i) {
        const double v = wide(random);
        values.push_back(v);
        values.push_back(std::floor(v) + 0.5);  // exact halves
    }
    for (double v : values) EXPECT_EQ(RoundEven(v), reference(v)) << v;
    EXPECT_TRUE(std::isnan(RoundEven(std::numeric_limits<double>::quiet_NaN())));
    EXPECT_EQ(RoundEven(std::numeric_limits<double>::infinity()), std::numeric_limits<double>::infinity());
}
