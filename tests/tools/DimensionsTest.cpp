#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "ToolsTestSupport.h"
#include "model/Tracks.h"
#include "text/Languages.h"
#include "tools/Dimensions.h"

using namespace quillet;
using namespace quillet::test;

namespace {

const double kPiRef = std::acos(-1.0);

class DimensionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = LanguageIndex();
        SetLanguageIndex(kEnglish);
    }
    void TearDown() override { SetLanguageIndex(saved_); }

private:
    int saved_ = kSpanish;
};

// The SCX oval (straights 350, standard curves R 212, W 156) from
// (1000, 1000): its left edge on the right-hand curves runs at 212 + 156 =
// 368 from their centres, so the box is 350 + 2 x 368 = 1086 by 736 mm.
// Lanes (39 and 117 mm from the right edge): 700 + 502 pi = 2277.08 and
// 700 + 658 pi = 2767.17 mm.
const LaneLengthsMm kScxOvalLanes{700 + 502 * kPiRef, 700 + 658 * kPiRef, 0, 0, 0, 0, 0, 0};

TCircuit Scx(const std::vector<Piece>& pieces, double angle = 0.0) {
    TCircuit c = Chain(pieces, 1, angle);
    c.startBrand = 0;
    return c;
}
TCircuit ScxOval(double angle = 0.0) { return Scx(Oval(0, 0), angle); }

}  // namespace

TEST_F(DimensionsTest, EmptyCircuitShowsZerosAndDashes) {
    const DimensionsLabels l = DimensionsLabelsOf(TCircuit{}, LaneLengthsMm{});
    EXPECT_EQ(l.length, "Lenght: 0 cm");
    EXPECT_EQ(l.width, "Width: 0 cm");
    EXPECT_EQ(l.lanes[0], "Lane 1: 0 cm");
    EXPECT_EQ(l.lanes[1], "Lane 2: 0 cm");
    for (int lane = 3; lane <= 8; ++lane) {
        EXPECT_EQ(l.lanes[static_cast<size_t>(lane - 1)], "Lane " + std::to_string(lane) + ": ");
        EXPECT_FALSE(l.laneEnabled[static_cast<size_t>(lane - 1)]);
    }
    EXPECT_TRUE(l.laneEnabled[0] && l.laneEnabled[1]);
    EXPECT_EQ(l.mean, "Mean Lane Length: 0 cm");
    EXPECT_EQ(l.distance, "Distance: -");
    EXPECT_EQ(l.angle, "Angle: -");
    EXPECT_EQ(l.compactness, "Compactness: 0 %");
    EXPECT_EQ(l.compactnessCaption, "Area Proficiency");
}

TEST_F(DimensionsTest, ClosedOvalShowsNoGapWhicheverWayItTurned) {
    const TCircuit c = ScxOval();
    ASSERT_TRUE(c.closed);
    // The circuit's own lane lengths are the hand-worked ones.
    const LaneLengthsMm own = c.LaneLengths();
    EXPECT_NEAR(own[0], kScxOvalLanes[0], 1e-9);
    EXPECT_NEAR(own[1], kScxOvalLanes[1], 1e-9);
    const DimensionsLabels l = DimensionsLabelsOf(c);
    EXPECT_EQ(l.length, "Lenght: 109 cm");    // 108.6
    EXPECT_EQ(l.width, "Width: 74 cm");       // 73.6
    EXPECT_EQ(l.lanes[0], "Lane 1: 228 cm");  // 227.708
    EXPECT_EQ(l.lanes[1], "Lane 2: 277 cm");  // 276.717
    EXPECT_EQ(l.lanes[2], "Lane 3: ");
    // Mean: R((2277.08 + 2767.17) / 2 / 1) = 2522 mm.
    EXPECT_EQ(l.mean, "Mean Lane Length: 252 cm");
    EXPECT_EQ(l.distance, "Distance: 0 mm");
    // The exit heads a full turn on (just under 2pi, or just over 0).
    EXPECT_EQ(l.angle, "Angle: 0 \u00B0");
    // SCX strip 156: 2522 x 156 x 100 / (1086 x 736) = 49.22.
    EXPECT_EQ(l.compactness, "Compactness: 49 %");
    EXPECT_EQ(ComputeDimensions(c).meanMm, 2522.0);

    // Started at 2pi: the exit heads about 0, -360 degrees from the start.
    EXPECT_EQ(DimensionsLabelsOf(ScxOval(2 * kPiRef - 1e-12), kScxOvalLanes).angle, "Angle: 0 \u00B0");
    EXPECT_EQ(ComputeDimensions(ScxOval(2 * kPiRef - 1e-12), kScxOvalLanes).distanceMm, 0);

    // In Spanish.
    SetLanguageIndex(kSpanish);
    EXPECT_EQ(DimensionsLabelsOf(c).length, "Longitud: 109 cm");
    EXPECT_EQ(DimensionsLabelsOf(c).compactness, "Compacidad: 49 %");
}

TEST_F(DimensionsTest, OpenEndsShowDistanceAndAngle) {
    // Missing the last straight: the gap is that straight, 350 mm, and the
    // heading has turned 360 degrees (0).
    std::vector<Piece> pieces = OvalMissingStraight(0);
    DimensionsLabels l = DimensionsLabelsOf(Scx(pieces), kScxOvalLanes);
    EXPECT_EQ(l.distance, "Distance: 350 mm");
    EXPECT_EQ(l.angle, "Angle: 0 \u00B0");
    // Missing a curve too: 315 degrees turned.
    pieces.pop_back();
    l = DimensionsLabelsOf(Scx(pieces), kScxOvalLanes);
    EXPECT_EQ(l.angle, "Angle: 315 \u00B0");
    // A left-hand curve from heading 0 exits at 7pi/4: 315 as well. Started
    // at 90 degrees it exits at 45: -45.
    EXPECT_EQ(DimensionsLabelsOf(Chain({{kStandardCurve, 1}}), LaneLengthsMm{}).angle, "Angle: 315 \u00B0");
    EXPECT_EQ(DimensionsLabelsOf(Chain({{kStandardCurve, 1}}, 1, kPiRef / 2), LaneLengthsMm{}).angle,
              "Angle: -45 \u00B0");
}

TEST_F(DimensionsTest, FirstAngleFarOutsideATurnGivesTheSameClosingAngleAsWithinIt) {
    // A hand-made file may give piece 1 any angle. The closing angle is the
    // exit heading (0..2pi) less the start reduced into +-2pi keeping its sign:
    //   1e6 rad = 159154 turns + 5.9256: a left curve exits at 5.9256 - pi/4,
    //     so -45, as from pi/2 above;
    //   -1e9 rad = -(159154943 turns + 0.5774): a straight exits at 2pi - 0.5774,
    //     a full turn, so 0; a left curve exits pi/4 earlier: 315;
    //   4pi + 0.1 starts as 0.1: a straight gives 0, a right curve 45.
    auto angle = [](int orientation, int type, double start) {
        return ComputeDimensions(Chain({{type, orientation}}, 1, start)).angleDegrees;
    };
    EXPECT_EQ(angle(1, kStandardCurve, 1e6), -45);
    EXPECT_EQ(angle(0, kStandardStraight, -1e9), 0);
    EXPECT_EQ(angle(1, kStandardCurve, -1e9), 315);
    EXPECT_EQ(angle(0, kStandardStraight, 4 * kPiRef + 0.1), 0);
    EXPECT_EQ(angle(0, kStandardCurve, 4 * kPiRef + 0.1), 45);
    EXPECT_EQ(DimensionsLabelsOf(Chain({{kStandardCurve, 1}}, 1, -1e9), LaneLengthsMm{}).angle, "Angle: 315 \u00B0");
}

TEST_F(DimensionsTest, LaneLabelsFollowLanePairsAndSingleRacing) {
    // Four lanes: lanes 3 and 4 get numbers and are enabled; the mean takes
    // all four: (1000 + 1100 + 1200 + 1300) / 2 / 2 = 1150 mm.
    TCircuit c = Chain({{kStandardStraight}}, 2);
    const LaneLengthsMm lanes{1000, 1100, 1200, 1300, 9999, 9999, 0, 0};
    DimensionsLabels l = DimensionsLabelsOf(c, lanes);
    EXPECT_EQ(l.lanes[2], "Lane 3: 120 cm");
    EXPECT_EQ(l.lanes[3], "Lane 4: 130 cm");
    EXPECT_EQ(l.lanes[4], "Lane 5: ");
    EXPECT_TRUE(l.laneEnabled[3]);
    EXPECT_FALSE(l.laneEnabled[4]);
    EXPECT_EQ(l.mean, "Mean Lane Length: 115 cm");
    // Box 400 x 360; NINCO strip 180: 1150 x 180 x 100 / 144000 = 143.75.
    EXPECT_EQ(l.compactness, "Compactness: 144 %");

    // Single racing: lane 2 greyed, the mean is lane 1 as it is, the
    // compactness halved: 1234.6 x 180 x 100 / 144000 / 2 = 77.16.
    c.singleRacing = true;
    l = DimensionsLabelsOf(c, LaneLengthsMm{1234.6, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_FALSE(l.laneEnabled[1]);
    EXPECT_TRUE(l.laneEnabled[0]);
    EXPECT_EQ(l.lanes[1], "Lane 2: 0 cm");
    EXPECT_EQ(l.mean, "Mean Lane Length: 123 cm");
    EXPECT_EQ(ComputeDimensions(c, LaneLengthsMm{1234.6, 0, 0, 0, 0, 0, 0, 0}).meanMm, 1234.6);
    EXPECT_EQ(l.compactness, "Compactness: 77 %");
}
