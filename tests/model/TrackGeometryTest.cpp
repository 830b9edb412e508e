#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/Tracks.h"

using namespace quillet;

namespace {

const double kPiRef = std::acos(-1.0);
const double kS = std::sqrt(2.0) / 2.0;  // sin 45 = cos 45

void ExpectPoint(const PointD& p, double x, double y, double tol = 1e-9) {
    EXPECT_NEAR(p.x, x, tol);
    EXPECT_NEAR(p.y, y, tol);
}
void ExpectPixel(const PointI& p, int x, int y) {
    EXPECT_EQ(p.x, x);
    EXPECT_EQ(p.y, y);
}

}  // namespace

TEST(TrackGeometry, StraightCornersAndScreenPoints) {
    TCircuit c;  // scale 5
    const TTrack t = TTrack::Create(c, kStandardStraight, 0, 0, 0, 0, 1);
    ExpectPoint(t.P(1), 0, 0);
    ExpectPoint(t.P(5), 200, 0);  // half-way station 4L/8
    ExpectPoint(t.P(9), 400, 0);
    ExpectPoint(t.P(10), 400, 180);
    ExpectPoint(t.P(18), 0, 180);
    EXPECT_EQ(t.ExitHeading(), 0.0);
    ExpectPoint(t.ExitPoint(), 400, 0);
    ExpectPixel(t.ScreenP(10), 80, 36);  // 400/5, 180/5

    // The same piece heading pi/2 (down the screen): its right edge lies at -x.
    const TTrack down = TTrack::Create(c, kStandardStraight, 100, 100, kPiRef / 2, 0, 1);
    ExpectPoint(down.P(9), 100, 500);
    ExpectPoint(down.P(18), -80, 100);
    EXPECT_NEAR(down.ExitHeading(), kPiRef / 2, 1e-12);

    // Orientation mirrors the piece onto itself: a straight is symmetric.
    const TTrack left = TTrack::Create(c, kStandardStraight, 0, 0, 0, 1, 1);
    for (int k = 1; k <= 18; ++k) ExpectPoint(left.P(k), t.P(k).x, t.P(k).y);
}

TEST(TrackGeometry, CurveExitInBothOrientations) {
    TCircuit c;
    // Clockwise: centre (0, 241.5 + 180). Left edge radius 421.5, right 241.5.
    const TTrack right = TTrack::Create(c, kStandardCurve, 0, 0, 0, 0, 1);
    ExpectPoint(right.P(9), 421.5 * kS, 421.5 * (1 - kS));     // (298.05, 123.45)
    ExpectPoint(right.P(10), 241.5 * kS, 421.5 - 241.5 * kS);  // (170.77, 250.73)
    ExpectPoint(right.P(18), 0, 180);
    EXPECT_NEAR(right.ExitHeading(), kPiRef / 4, 1e-12);

    // Anticlockwise: centre (0, -241.5); the left edge is now the inner one.
    const TTrack left = TTrack::Create(c, kStandardCurve, 0, 0, 0, 1, 1);
    ExpectPoint(left.P(1), 0, 0);
    ExpectPoint(left.P(9), 241.5 * kS, -241.5 + 241.5 * kS);      // (170.77, -70.73)
    ExpectPoint(left.P(10), 421.5 * kS, 180 - 421.5 * (1 - kS));  // (298.05, 56.55)
    ExpectPoint(left.P(18), 0, 180);
    EXPECT_NEAR(left.ExitHeading(), 7 * kPiRef / 4, 1e-12);
}

TEST(TrackGeometry, EightCurvesReturnToTheStart) {
    TCircuit c;
    for (int orientation = 0; orientation <= 1; ++orientation) {
        SCOPED_TRACE(orientation);
        PointD at{0, 0};
        double heading = 0;
        for (int i = 0; i < 8; ++i) {
            const TTrack t = TTrack::Create(c, kStandardCurve, at.x, at.y, heading, orientation, 1);
            at = t.ExitPoint();
            heading = t.ExitHeading();
        }
        ExpectPoint(at, 0, 0, 1e-9);
        EXPECT_NEAR(std::remainder(heading, 2 * kPiRef), 0, 1e-12);
    }
}

TEST(TrackGeometry, SingleRacingEndLoopComesBackOneTrackWidthToTheRight) {
    // Outer loop curve left, six inner curves right, outer loop curve left.
    // Half width 90: the outer one turns about C_A = (0, -217.28) on its
    // inner edge; the inner ones' outer edge (127.28 + 90 = 217.28) turns
    // about C_A + 434.56 (s, s); the last about (0, 869.12 s - 217.28). Its
    // exit is 217.28 above that centre: y = 434.56 (sqrt 2 - 1) = 180.0006.
    TCircuit c;
    PointD at{0, 0};
    double heading = 0;
    const int types[8] = {14, 13, 13, 13, 13, 13, 13, 14};
    const int orientations[8] = {1, 0, 0, 0, 0, 0, 0, 1};
    for (int i = 0; i < 8; ++i) {
        const TTrack t = TTrack::Create(c, types[i], at.x, at.y, heading, orientations[i], 1);
        at = t.ExitPoint();
        heading = t.ExitHeading();
    }
    ExpectPoint(at, 0, 434.56 * (std::sqrt(2.0) - 1), 1e-9);
    EXPECT_NEAR(at.y, 180, 0.001);
    EXPECT_NEAR(heading, kPiRef, 1e-12);
}

TEST(TrackGeometry, AdaptationChicaneTapersBetweenTheBrands) {
    TCircuit c;
    // NINCO-brand (entered from SCX): 156 wide at the entry, 180 at the exit,
    // 1.5 mm per eighth on each side.
    const TTrack ninco = TTrack::Create(c, kAdaptationChicane, 10, 20, 0, 1, 1);
    ExpectPoint(ninco.P(1), 10, 20);
    ExpectPoint(ninco.P(18), 10, 176);
    ExpectPoint(ninco.P(9), 210, 8);
    ExpectPoint(ninco.P(10), 210, 188);
    ExpectPoint(ninco.P(5), 110, 14);  // station 4: y - 6
    EXPECT_EQ(ninco.ExitHeading(), 0.0);

    // SCX-brand: 180 at the entry, 156 at the exit.
    const TTrack scx = TTrack::Create(c, kAdaptationChicane, 0, 0, 0, 0, 0);
    ExpectPoint(scx.P(18), 0, 180);
    ExpectPoint(scx.P(9), 200, 12);
    ExpectPoint(scx.P(10), 200, 168);
}

TEST(TrackGeometry, StartingStraightConnectorBox) {
    TCircuit c;
    // NINCO: box 30 deep over 3L/8 .. 5L/8 = 150 .. 250 on the left edge...
    const TTrack n0 = TTrack::Create(c, kStartingStraight, 0, 0, 0, 0, 1);
    ExpectPoint(n0.P(3), 150, 0);
    ExpectPoint(n0.P(4), 150, -30);
    ExpectPoint(n0.P(5), 250, -30);
    ExpectPoint(n0.P(6), 250, 0);
    ExpectPoint(n0.P(14), 200, 180);
    // ... mirrored to the right edge (180 + 30) for orientation 1.
    const TTrack n1 = TTrack::Create(c, kStartingStraight, 0, 0, 0, 1, 1);
    ExpectPoint(n1.P(4), 150, 0);
    ExpectPoint(n1.P(16), 150, 180);
    ExpectPoint(n1.P(15), 150, 210);
    ExpectPoint(n1.P(14), 250, 210);
    ExpectPoint(n1.P(13), 250, 180);

    // SCX, L = 350, eighths of 43.75: orientation 0 over 5L/8 .. 7L/8.
    const TTrack s0 = TTrack::Create(c, kStartingStraight, 0, 0, 0, 0, 0);
    ExpectPoint(s0.P(5), 218.75, 0);
    ExpectPoint(s0.P(6), 218.75, -30);
    ExpectPoint(s0.P(7), 306.25, -30);
    ExpectPoint(s0.P(8), 306.25, 0);
    // Orientation 1 over 2L/8 .. 4L/8, on the right edge (156 + 30).
    const TTrack s1 = TTrack::Create(c, kStartingStraight, 0, 0, 0, 1, 0);
    ExpectPoint(s1.P(16), 87.5, 156);
    ExpectPoint(s1.P(15), 87.5, 186);
    ExpectPoint(s1.P(14), 175, 186);
    ExpectPoint(s1.P(13), 175, 156);
    ExpectPoint(s1.P(6), 218.75, 0);  // left edge untouched
}

TEST(TrackGeometry, BorderPolygons) {
    TCircuit c;  // scale 5
    TTrack t = TTrack::Create(c, kStandardStraight, 0, 0, 0, 0, 1);
    // Orientation 0: inner strip from the right edge (y 180 = 36 px) to
    // 180 + 50 (46 px); outer strip from the left edge to -50 (-10 px).
    ExpectPixel(t.InnerPoly(1), 0, 36);
    ExpectPixel(t.InnerPoly(9), 80, 36);
    ExpectPixel(t.InnerPoly(10), 80, 46);
    ExpectPixel(t.InnerPoly(18), 0, 46);
    ExpectPixel(t.OuterPoly(5), 40, 0);
    ExpectPixel(t.OuterPoly(14), 40, -10);

    // Orientation 1 swaps the sides.
    const TTrack l = TTrack::Create(c, kStandardStraight, 0, 0, 0, 1, 1);
    ExpectPixel(l.InnerPoly(9), 80, 0);
    ExpectPixel(l.InnerPoly(10), 80, -10);
    ExpectPixel(l.OuterPoly(1), 0, 36);
    ExpectPixel(l.OuterPoly(18), 0, 46);

    // Exit half only: points 1..4 fold onto 5 (40, 36), 15..18 onto 14 (40, 46).
    t.SetBorder(kInnerBorderExitHalf, true);
    t.ComputeOutline(c);
    ExpectPixel(t.InnerPoly(1), 40, 36);
    ExpectPixel(t.InnerPoly(4), 40, 36);
    ExpectPixel(t.InnerPoly(6), 50, 36);
    ExpectPixel(t.InnerPoly(18), 40, 46);
    ExpectPixel(t.InnerPoly(13), 50, 46);
    // Both halves: the strip collapses to the line (40, 36)-(40, 46).
    t.SetBorder(kInnerBorderEntryHalf, true);
    t.ComputeOutline(c);
    for (int k = 1; k <= 9; ++k) ExpectPixel(t.InnerPoly(k), 40, 36);
    for (int k = 10; k <= 18; ++k) ExpectPixel(t.InnerPoly(k), 40, 46);
    ExpectPixel(t.OuterPoly(1), 0, 0);  // the outer strip is untouched

    // A curve's inner strip is 50 mm inside its inner edge: radius 191.5
    // about (0, 421.5). At scale 1 the exit end is (191.5 s, 421.5 - 191.5 s).
    c.scale = 1;
    const TTrack curve = TTrack::Create(c, kStandardCurve, 0, 0, 0, 0, 1);
    ExpectPixel(curve.InnerPoly(18), 0, 230);
    ExpectPixel(curve.InnerPoly(10), 135, 286);  // (135.41, 286.09)
    ExpectPixel(curve.InnerPoly(9), 171, 251);   // inner edge = point 10 (170.77, 250.73)
}

TEST(TrackGeometry, ContainsPointIsStrict) {
    TCircuit c;
    const TTrack s = TTrack::Create(c, kStandardStraight, 0, 0, 0, 0, 1);
    EXPECT_TRUE(s.ContainsPoint(200, 90));
    EXPECT_TRUE(s.ContainsPoint(1, 1));
    EXPECT_FALSE(s.ContainsPoint(0, 90));    // entry edge
    EXPECT_FALSE(s.ContainsPoint(400, 90));  // exit edge
    EXPECT_FALSE(s.ContainsPoint(200, 0));   // left edge
    EXPECT_FALSE(s.ContainsPoint(200, 180));
    EXPECT_FALSE(s.ContainsPoint(-1, 90));

    // Curve about (0, 421.5), ring 241.5 .. 421.5, arc pi/4. A point at angle
    // t from the entry radius is in when |t| + |t - pi/4| - pi/4 < 0.1.
    const TTrack r = TTrack::Create(c, kStandardCurve, 0, 0, 0, 0, 1);
    EXPECT_TRUE(r.ContainsPoint(127, 115));   // t = pi/8, radius 331.8
    EXPECT_TRUE(r.ContainsPoint(258, 116));   // t = 0.70, radius 399.9
    EXPECT_TRUE(r.ContainsPoint(244, 197));   // t = pi/4 + 0.042: excess 0.083
    EXPECT_FALSE(r.ContainsPoint(248, 202));  // t = pi/4 + 0.061: excess 0.122
    EXPECT_TRUE(r.ContainsPoint(-13, 90));    // t = -0.039: excess 0.078
    EXPECT_FALSE(r.ContainsPoint(-20, 91));   // t = -0.060: excess 0.121
    EXPECT_FALSE(r.ContainsPoint(100, 250));  // radius 198.5, inside the ring
    // Turning left the centre is (0, -241.5): (258, 116) lies 440.9 from it.
    const TTrack l = TTrack::Create(c, kStandardCurve, 0, 0, 0, 1, 1);
    EXPECT_FALSE(l.ContainsPoint(258, 116));
    EXPECT_TRUE(l.ContainsPoint(127, 65));  // t = pi/8, radius 331.8

    // Single-racing pieces are never hit.
    const TTrack sr = TTrack::Create(c, kSingleRacingOuterCurve, 0, 0, 0, 0, 1);
    EXPECT_FALSE(sr.ContainsPoint(150, 30));
}

TEST(TrackGeometry, DegeneratePiecesPassTheirEntryOn) {
    TCircuit c;
    // NINCO has no starting chicane, SCX no single-racing curve.
    const TTrack chicane = TTrack::Create(c, kStartingChicane, 100, 50, 0.3, 0, 1);
    ExpectPoint(chicane.ExitPoint(), 100, 50);
    EXPECT_NEAR(chicane.ExitHeading(), 0.3, 1e-12);
    const TTrack sr = TTrack::Create(c, kSingleRacingInnerCurve, 100, 50, 5.0, 1, 0);
    ExpectPoint(sr.ExitPoint(), 100, 50);
    EXPECT_NEAR(sr.ExitHeading(), 5.0, 1e-12);

    // Changing the type re-reads the catalogue for the brand of the width,
    // keeping the old values where that brand has no such piece.
    TTrack t = TTrack::Create(c, kStandardStraight, 0, 0, 0, 0, 1);
    t.type = kStraightChicane;
    t.SetTypeDimensions(c);
    EXPECT_EQ(t.lengthOrArc, 400);
    t.type = kSingleRacingOuterCurve;
    t.SetTypeDimensions(c);
    EXPECT_EQ(t.innerRadius, 217.28);
    TTrack scx = TTrack::Create(c, kStandardStraight, 0, 0, 0, 0, 0);
    scx.type = kQuarterStraight;
    scx.SetTypeDimensions(c);
    EXPECT_EQ(scx.lengthOrArc, 87.5);
}

TEST(TrackGeometry, HostileValuesStaySafe) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    TCircuit c;
    c.scale = 0;      // no division by zero: counts as 1 mm per pixel
    c.lanePairs = 0;  // counts as 1
    const TTrack t = TTrack::Create(c, kStandardStraight, 0, 0, 0, 0, 1);
    EXPECT_EQ(t.width, 180);
    ExpectPixel(t.ScreenP(10), 400, 180);

    c.scale = 5;
    for (double angle : {nan, inf, -inf, 1e300, -1e300}) {
        const TTrack a = TTrack::Create(c, kStandardCurve, 0, 0, angle, 0, 1);
        const double h = a.ExitHeading();
        EXPECT_TRUE(h >= 0 && h < 2 * kPiRef) << angle;
        if (!std::isfinite(angle)) {
            EXPECT_FALSE(a.ContainsPoint(10, 10)) << angle;
        }
    }
    TTrack zero = TTrack::Create(c, kStandardCurve, 0, 0, 0, 0, 1);
    zero.width = 0;
    zero.ComputeOutline(c);
    EXPECT_FALSE(zero.ContainsPoint(100, 10));
    TTrack unknown = TTrack::Create(c, 200, 0, 0, 0, 0, 1);  // not a type code
    EXPECT_FALSE(unknown.ContainsPoint(0, 0));
    ExpectPoint(unknown.ExitPoint(), 0, 0);

    // Out-of-range numbers never index outside the arrays.
    EXPECT_FALSE(t.Border(0));
    EXPECT_FALSE(t.Border(7));
    ExpectPoint(t.P(0), 0, 0);
    ExpectPoint(t.P(99), 0, 180);

    EXPECT_EQ(ReduceHeading(-kPiRef / 2), 1.5 * kPiRef);
    EXPECT_EQ(ReduceHeading(2 * kPiRef), 0.0);
    EXPECT_NEAR(ReduceHeading(1e17), std::fmod(1e17, 2 * kPiRef), 1e-9);
}
