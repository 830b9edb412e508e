#include <gtest/gtest.h>

#include <cmath>

#include "model/Tracks.h"

using namespace quillet;

namespace {
const double kQuarter = std::acos(-1.0) / 4.0;
const double kEighth = std::acos(-1.0) / 8.0;
}  // namespace

TEST(Catalogue, DimensionsOfEveryTypeInBothSystems) {
    struct Row {
        int type;
        bool nincoExists;
        double nincoA, nincoR;
        bool scxExists;
        double scxA, scxR;
    };
    const Row rows[] = {
        {0, true, 400, 0, true, 350, 0},
        {1, true, 200, 0, true, 175, 0},
        {2, true, 100, 0, true, 87.5, 0},  // not rounded to 87 or 88
        {3, true, kQuarter, 241.5, true, kQuarter, 212},
        {4, true, kQuarter, 61.5, true, kQuarter, 56},
        {5, true, kEighth, 421.5, true, kEighth, 368},
        {6, true, kEighth, 601.5, true, kEighth, 524},
        {7, true, 400, 0, true, 350, 0},
        {8, true, 200, 0, true, 200, 0},
        {9, true, 400, 0, true, 350, 0},
        {10, false, 0, 0, true, 350, 0},
        {11, false, 0, 0, true, 350, 0},
        {12, false, 0, 0, true, kQuarter, 212},
        {13, true, kQuarter, 127.28, false, 0, 0},
        {14, true, kQuarter, 217.28, false, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.type);
        const TrackDimensions n = Dimensions(r.type, Brand::Ninco);
        const TrackDimensions s = Dimensions(r.type, Brand::Scx);
        EXPECT_EQ(n.exists, r.nincoExists);
        EXPECT_EQ(n.lengthOrArc, r.nincoA);  // exact: arcs are the doubles nearest pi/4, pi/8
        EXPECT_EQ(n.innerRadius, r.nincoR);
        EXPECT_EQ(s.exists, r.scxExists);
        EXPECT_EQ(s.lengthOrArc, r.scxA);
        EXPECT_EQ(s.innerRadius, r.scxR);
    }
    EXPECT_FALSE(Dimensions(15, Brand::Ninco).exists);
    EXPECT_FALSE(Dimensions(-1, Brand::Scx).exists);
}

TEST(Catalogue, ShapesNamesBrandsAndBorderDefaults) {
    EXPECT_EQ(ShapeOf(kChangeoverTrack), TrackShape::Straight);
    EXPECT_EQ(ShapeOf(kCurvedChicane), TrackShape::Curve);
    EXPECT_EQ(ShapeOf(kSingleRacingInnerCurve), TrackShape::SingleRacingCurve);
    EXPECT_EQ(ShapeOf(kAdaptationChicane), TrackShape::AdaptationChicane);
    EXPECT_EQ(ShapeOf(kStartingStraight), TrackShape::StartingStraight);

    // Name entries: 14..23 for types 0..9, 113..115 for 10..12, 193..194 for 13..14.
    const int entries[kTrackTypeCount] = {14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 113, 114, 115, 193, 194};
    for (int t = 0; t < kTrackTypeCount; ++t) EXPECT_EQ(NameTextEntry(t), entries[t]) << t;
    EXPECT_EQ(NameTextEntry(15), -1);

    EXPECT_EQ(DataOf(Brand::Ninco).pairWidth, 180);
    EXPECT_EQ(DataOf(Brand::Ninco).borderWidth, 50);
    EXPECT_EQ(DataOf(Brand::Ninco).flag, 1);
    EXPECT_EQ(DataOf(Brand::Scx).pairWidth, 156);
    EXPECT_EQ(DataOf(Brand::Scx).borderWidth, 40);
    EXPECT_EQ(DataOf(Brand::Scx).flag, 0);

    // Width per lane pair 180 is NINCO, anything else SCX.
    EXPECT_EQ(BrandOfWidth(180, 1), Brand::Ninco);
    EXPECT_EQ(BrandOfWidth(720, 4), Brand::Ninco);
    EXPECT_EQ(BrandOfWidth(312, 2), Brand::Scx);
    EXPECT_EQ(BrandOfWidth(360, 1), Brand::Scx);
    EXPECT_EQ(BrandOfWidth(180, 0), Brand::Ninco);  // damaged lane pairs count as 1

    // Never: 8, 9, 13, 14; SCX also never on 0, 1, 2, 7.
    for (int t = 0; t < kTrackTypeCount; ++t) {
        const bool never = t == 8 || t == 9 || t == 13 || t == 14;
        const bool scxNever = never || t == 0 || t == 1 || t == 2 || t == 7;
        EXPECT_EQ(TakesBorderDefaults(t, Brand::Ninco), !never) << t;
        EXPECT_EQ(TakesBorderDefaults(t, Brand::Scx), !scxNever) << t;
    }
}

TEST(Catalogue, NewPiecesTakeBrandWidthsAndBorderDefaults) {
    TCircuit c;
    c.innerBorderDefault = true;
    c.outerBorderDefault = true;
    c.lanePairs = 2;

    // A four-lane NINCO standard curve: 2 x 180 wide from radius 241.5, so its
    // outer strip spans 421.5 .. 601.5, an outer curve's strip.
    const TTrack curve = TTrack::Create(c, kStandardCurve, 0, 0, 0, 0, 1);
    EXPECT_EQ(curve.width, 360);
    EXPECT_EQ(curve.borderWidth, 50);
    EXPECT_EQ(curve.innerRadius, 241.5);
    EXPECT_TRUE(curve.Border(kInnerBorder));
    EXPECT_TRUE(curve.Border(kOuterBorder));
    // Centre (0, 241.5 + 360); the exit corner of the left edge lies 601.5 from it.
    EXPECT_NEAR(std::hypot(curve.P(9).x, curve.P(9).y - 601.5), 601.5, 1e-9);

    const TTrack scxStraight = TTrack::Create(c, kStandardStraight, 0, 0, 0, 0, 0);
    EXPECT_EQ(scxStraight.width, 312);
    EXPECT_EQ(scxStraight.borderWidth, 40);
    EXPECT_FALSE(scxStraight.Border(kInnerBorder));
    EXPECT_FALSE(scxStraight.Border(kOuterBorder));
    EXPECT_TRUE(TTrack::Create(c, kOuterCurve, 0, 0, 0, 0, 0).Border(kOuterBorder));
    EXPECT_FALSE(TTrack::Create(c, kStartingStraight, 0, 0, 0, 0, 1).Border(kInnerBorder));

    // A type the brand lacks: no length, arc or radius.
    const TTrack missing = TTrack::Create(c, kStraightChicane, 0, 0, 0, 0, 1);
    EXPECT_EQ(missing.lengthOrArc, 0);
    EXPECT_EQ(missing.innerRadius, 0);
}
