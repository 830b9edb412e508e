#include <gtest/gtest.h>

#include <cmath>

#include "ToolsTestSupport.h"
#include "model/Tracks.h"
#include "text/Globals.h"
#include "text/Languages.h"
#include "tools/LapTimes.h"

using namespace quillet;
using namespace quillet::test;

namespace {

class LapTimesTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = LanguageIndex();
        SetLanguageIndex(kEnglish);
    }
    void TearDown() override {
        SetLanguageIndex(saved_);
        SetDecimalSeparator('.');
    }

private:
    int saved_ = kSpanish;
};

LapTimeSettings FirstLap() {
    LapTimeSettings s;
    s.firstLap = true;
    return s;
}

}  // namespace

// Default settings: s = 12000 mm/s^2, vmax = 4000 mm/s, a = 2666.67 mm/s^2.
// NINCO oval, two lanes: curve lanes at r1 = 241.5 + 45 = 286.5 and
// r2 = 376.5; cornering speeds v1 = sqrt(286.5 x 12000) = 1854.18 and
// v2 = 2125.56; arc times t = sqrt(r) (pi/4) / sqrt(12000): 0.121356 and
// 0.139117.
TEST_F(LapTimesTest, SmallOvalOnTheDefaultSettings) {
    const TCircuit oval = Chain(Oval(0));
    const LapTimeModel m = LapTimeModelOf(LapTimeSettings{});
    EXPECT_EQ(m.stability, 12000.0);
    EXPECT_EQ(m.topSpeed, 4000.0);
    EXPECT_NEAR(m.acceleration, 2666.6667, 1e-3);

    // Second pass, starting at v2 (the last lane of the last curve):
    // straight, lane 1: sqrt(2125.56^2 + 2a 400) = 2579.02, (2579.02 -
    // 2125.56) / a = 0.170047; lane 2 goes on from there to 2963.89:
    // 0.144328. First curve after it: lane 1 brakes from 2963.89 to v1,
    // 0.121356 + 1109.71 x 0.045 / 4000 = 0.133840; lane 2 speeds up to v2,
    // 0.139117. The next three curves: lane 1 brakes from v2,
    // 0.121356 + 271.37 x 0.045 / 4000 = 0.124409; lane 2 0.139117.
    // Lane 1: 2 x (0.170047 + 0.133840 + 3 x 0.124409) = 1.35423;
    // lane 2: 2 x (0.144328 + 4 x 0.139117) = 1.40160.
    const auto T = EstimateLapTimes(oval, LapTimeSettings{});
    EXPECT_NEAR(T[0], 1.35423, 2e-5);
    EXPECT_NEAR(T[1], 1.40160, 2e-5);
    EXPECT_EQ(T[2], 0.0);
    const LapTimeLabels l = LapTimeLabelsOf(oval, LapTimeSettings{});
    EXPECT_EQ(l.lanes[0], "Lane 1: 1.35 s");
    EXPECT_EQ(l.lanes[1], "Lane 2: 1.4 s");
    EXPECT_EQ(l.lanes[2], "Lane 3: ");
    EXPECT_TRUE(l.enabled[0] && l.enabled[1]);
    EXPECT_FALSE(l.enabled[2]);

    // "First Lap": from rest. First straight: lane 1 sqrt(2a 400) / a =
    // 0.547723 to 1460.59, lane 2 on to 2065.59: 0.226874. First curve:
    // lane 1 brakes from 2065.59 to v1: 0.121356 + 0.002378; then as above.
    // Lane 1: 0.547723 + 0.123734 + 3 x 0.124409 + 0.170047 + 0.133840 +
    // 3 x 0.124409 = 1.72180; lane 2: 0.226874 + 0.144328 + 8 x 0.139117 =
    // 1.48414.
    EXPECT_EQ(LapTimeLabelsOf(oval, FirstLap()).lanes[0], "Lane 1: 1.72 s");
    EXPECT_EQ(LapTimeLabelsOf(oval, FirstLap()).lanes[1], "Lane 2: 1.48 s");

    // The track bars: the weakest car is slower on every lane.
    LapTimeSettings slow;
    slow.curveStability = 0;
    slow.enginePower = 0;
    const auto S = EstimateLapTimes(oval, slow);
    EXPECT_GT(S[0], T[0]);
    EXPECT_GT(S[1], T[1]);
    EXPECT_EQ(LapTimeModelOf({4, 4, false}).topSpeed, 5000.0);
    EXPECT_EQ(LapTimeModelOf({4, 4, false}).stability, 16000.0);
}

TEST_F(LapTimesTest, ChangeoverAndCurvedChicaneTakeTheirLengthAtTheCurrentSpeed) {
    // A NINCO changeover track: the diagonal sqrt(90^2 + 400^2) = 410 mm.
    // From rest: the time to cover it accelerating, sqrt(2 x 410 / a) =
    // 0.554527 on both lanes, and the car stays at rest: a second one adds
    // the same.
    TCircuit x = Chain({{kChangeoverTrack}});
    auto T = EstimateLapTimes(x, FirstLap());
    EXPECT_NEAR(T[0], 0.554527, 1e-6);
    EXPECT_NEAR(T[1], 0.554527, 1e-6);
    T = EstimateLapTimes(Chain({{kChangeoverTrack}, {kChangeoverTrack}}), FirstLap());
    EXPECT_NEAR(T[0], 2 * 0.554527, 2e-6);
    // After a straight the speed is 2065.59 (lane 2's): 410 / 2065.59 =
    // 0.198490 more on both lanes; 0.547723 + 0.198490 = 0.746213 and
    // 0.226874 + 0.198490 = 0.425364.
    const LapTimeLabels l = LapTimeLabelsOf(Chain({{kStandardStraight}, {kChangeoverTrack}}), FirstLap());
    EXPECT_EQ(l.lanes[0], "Lane 1: 0.75 s");
    EXPECT_EQ(l.lanes[1], "Lane 2: 0.43 s");

    // After an odd number of changeovers each lane takes the other lane's
    // curve time: a curve from rest gives lane 1 0.121356 and lane 2
    // 0.139117; swapped, lane 1 has 0.554527 + 0.139117 = 0.693644.
    T = EstimateLapTimes(Chain({{kChangeoverTrack}, {kStandardCurve}}), FirstLap());
    EXPECT_NEAR(T[0], 0.693644, 2e-6);
    EXPECT_NEAR(T[1], 0.554527 + 0.121356, 2e-6);
    T = EstimateLapTimes(Chain({{kStandardCurve}}), FirstLap());
    EXPECT_NEAR(T[0], 0.121356, 1e-6);
    EXPECT_NEAR(T[1], 0.139117, 1e-6);

    // An SCX curved chicane: its centre-line arc (78 + 212) pi/4 = 227.77 mm
    // from rest, sqrt(2 x 227.77 / a) = 0.413309, on lanes 1 and 2.
    T = EstimateLapTimes(Chain({{kCurvedChicane, 0, 0}}), FirstLap());
    EXPECT_NEAR(T[0], 0.413309, 1e-6);
    EXPECT_NEAR(T[1], 0.413309, 1e-6);
    // On four lanes (W = 312): (156 + 212) pi/4 = 289.027 mm, 0.465586 s, on
    // lanes 1 and 2 only.
    T = EstimateLapTimes(Chain({{kCurvedChicane, 0, 0}}, 2), FirstLap());
    EXPECT_NEAR(T[0], 0.465586, 1e-6);
    EXPECT_NEAR(T[1], 0.465586, 1e-6);
    EXPECT_EQ(T[2], 0.0);
    EXPECT_EQ(T[3], 0.0);
}

TEST_F(LapTimesTest, SingleRacingAddsLaneTwoToLaneOne) {
    // Straight from rest (0.547723 and 0.226874), then a single-racing inner
    // curve on lane 1 at r = 127.28 + 45: sqrt(172.28) (pi/4) / sqrt(12000)
    // = 0.094106. Lane 1 takes lane 2's time too: 0.868703.
    TCircuit c = Chain({{kStandardStraight}, {kSingleRacingInnerCurve}});
    c.singleRacing = true;
    const auto T = EstimateLapTimes(c, FirstLap());
    EXPECT_NEAR(T[0], 0.868703, 2e-6);
    EXPECT_EQ(T[1], 0.0);
    const LapTimeLabels l = LapTimeLabelsOf(c, FirstLap());
    EXPECT_EQ(l.lanes[0], "Lane 1: 0.87 s");
    EXPECT_EQ(l.lanes[1], "Lane 2: ");
    EXPECT_FALSE(l.enabled[1]);
}

TEST_F(LapTimesTest, TextsShowHundredthsInTheShortestForm) {
    EXPECT_EQ(FormatLapTime(12.3), "12.3");
    EXPECT_EQ(FormatLapTime(12.30), "12.3");
    EXPECT_EQ(FormatLapTime(7.0), "7");
    EXPECT_EQ(FormatLapTime(0.0), "0");
    EXPECT_EQ(FormatLapTime(3.456), "3.46");
    EXPECT_EQ(FormatLapTime(0.125), "0.12");  // 12.5 hundredths: halves to even
    EXPECT_EQ(FormatLapTime(0.135), "0.14");  // 13.5 -> 14 (0.135 x 100 is 13.5000...)
    EXPECT_EQ(FormatLapTime(1.049), "1.05");
    EXPECT_EQ(FormatLapTime(1.001), "1");
    SetDecimalSeparator(',');
    EXPECT_EQ(FormatLapTime(1.35), "1,35");

    // An empty circuit: 0 s on every lane shown; a four-lane one shows
    // lanes 1 to 4.
    SetDecimalSeparator('.');
    TCircuit empty;
    empty.lanePairs = 2;
    const LapTimeLabels l = LapTimeLabelsOf(empty, LapTimeSettings{});
    for (int lane = 0; lane < 4; ++lane) {
        EXPECT_EQ(l.lanes[static_cast<size_t>(lane)], "Lane " + std::to_string(lane + 1) + ": 0 s");
        EXPECT_TRUE(l.enabled[static_cast<size_t>(lane)]);
    }
    EXPECT_EQ(l.lanes[4], "Lane 5: ");
    EXPECT_FALSE(l.enabled[4]);
}
