#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ToolsTestSupport.h"
#include "model/Tracks.h"
#include "tools/LaneConversion.h"

using namespace quillet;
using namespace quillet::test;

namespace {

const double kPiRef = std::acos(-1.0);

struct Snapshot {
    std::vector<int> types;
    std::vector<double> widths;
    std::vector<double> radii;
    std::vector<double> arcs;
    int lanePairs;
    friend bool operator==(const Snapshot&, const Snapshot&) = default;
};

Snapshot Of(const TCircuit& c) {
    Snapshot s{{}, {}, {}, {}, c.lanePairs};
    for (const TTrack& t : c.Tracks()) {
        s.types.push_back(t.type);
        s.widths.push_back(t.width);
        s.radii.push_back(t.innerRadius);
        s.arcs.push_back(t.lengthOrArc);
    }
    return s;
}

void ExpectRefused(TCircuit c, ConversionKind kind, int entry) {
    const Snapshot before = Of(c);
    const ConversionResult r = ConvertLanes(c, kind);
    EXPECT_FALSE(r.converted);
    EXPECT_EQ(r.refusal, entry);
    EXPECT_TRUE(Of(c) == before);
}

const Piece S{kStandardStraight}, C{kStandardCurve}, I{kInnerCurve}, O{kOuterCurve}, SO{kSuperOuterCurve};

}  // namespace

TEST(LaneConversion, ChoicesFollowTheLanePairs) {
    using K = ConversionKind;
    EXPECT_EQ(ConversionChoices(1), (std::vector<K>{K::AddOuterLanes, K::AddInnerLanes}));
    const std::vector<K> all{K::AddOuterLanes, K::AddInnerLanes, K::DeleteOuterLanes, K::DeleteInnerLanes};
    EXPECT_EQ(ConversionChoices(2), all);
    EXPECT_EQ(ConversionChoices(3), all);
    EXPECT_EQ(ConversionChoices(4), (std::vector<K>{K::DeleteOuterLanes, K::DeleteInnerLanes}));
    EXPECT_EQ(ConversionTextEntry(K::AddOuterLanes), 155);
    EXPECT_EQ(ConversionTextEntry(K::DeleteInnerLanes), 158);

    // A choice not offered, or single racing on, changes and says nothing.
    TCircuit eight = Chain({S, C}, 4);
    const Snapshot before = Of(eight);
    const ConversionResult r = ConvertLanes(eight, K::AddOuterLanes);
    EXPECT_FALSE(r.converted);
    EXPECT_EQ(r.refusal, 0);
    EXPECT_TRUE(Of(eight) == before);
    TCircuit single = Chain({S, C});
    single.singleRacing = true;
    EXPECT_FALSE(ConvertLanes(single, K::AddInnerLanes).converted);
    EXPECT_EQ(single.lanePairs, 1);
}

TEST(LaneConversion, OuterLanesWidenEveryPieceAndComeOffAgain) {
    // NINCO pieces of every curve but the super outer one, an anchored piece.
    TCircuit c = Chain({S, C, I, O, {kChangeoverTrack}, {kQuarterStraight, 1}, {kInnerCurve, 1}});
    c.Track(3).anchorMark = true;
    c.ReLay(false);
    const Snapshot before = Of(c);
    const PointD anchor{c.Track(3).x, c.Track(3).y};
    c.modified = false;

    ASSERT_TRUE(ConvertLanes(c, ConversionKind::AddOuterLanes).converted);
    EXPECT_EQ(c.lanePairs, 2);
    for (const TTrack& t : c.Tracks()) EXPECT_EQ(t.width, 360.0);
    EXPECT_EQ(Of(c).types, before.types);
    EXPECT_EQ(Of(c).radii, before.radii);
    EXPECT_TRUE(c.modified);
    // The fixed piece keeps its place.
    EXPECT_NEAR(c.Track(3).x, anchor.x, 0.02);
    EXPECT_NEAR(c.Track(3).y, anchor.y, 0.02);

    ASSERT_TRUE(ConvertLanes(c, ConversionKind::AddOuterLanes).converted);
    EXPECT_EQ(c.Track(1).width, 540.0);
    ASSERT_TRUE(ConvertLanes(c, ConversionKind::DeleteOuterLanes).converted);
    ASSERT_TRUE(ConvertLanes(c, ConversionKind::DeleteOuterLanes).converted);
    EXPECT_TRUE(Of(c) == before);

    // SCX widths the same way: 156 -> 312.
    TCircuit scx = Chain({{kStandardStraight, 0, 0}, {kStandardCurve, 0, 0}});
    ASSERT_TRUE(ConvertLanes(scx, ConversionKind::AddOuterLanes).converted);
    EXPECT_EQ(scx.Track(2).width, 312.0);
    EXPECT_EQ(scx.Track(2).innerRadius, 212.0);
}

TEST(LaneConversion, AddingOuterLanesIsRefusedInOrder) {
    using K = ConversionKind;
    const Piece chicane{kAdaptationChicane, 1, 0}, scxCurvedChicane{kCurvedChicane, 0, 0};
    // Super outer curves come first, whatever else is there.
    ExpectRefused(Chain({S, SO, chicane, scxCurvedChicane}), K::AddOuterLanes, 160);
    ExpectRefused(Chain({S, chicane, scxCurvedChicane}), K::AddOuterLanes, 159);
    ExpectRefused(Chain({{kStandardStraight, 0, 0}, scxCurvedChicane}), K::AddOuterLanes, 161);
    // A curved chicane of NINCO width (a zero-length sliver) does not stop it.
    TCircuit ninco = Chain({S, {kCurvedChicane, 0, 1}});
    EXPECT_TRUE(ConvertLanes(ninco, K::AddOuterLanes).converted);
}

TEST(LaneConversion, AddingInnerLanesMovesEveryCurveOneRungIn) {
    // NINCO: standard -> inner, a pair of outer curves -> one standard, super
    // outer -> outer; each with NINCO dimensions although its new width over
    // the old lane pairs (360 / 1) is not 180.
    TCircuit c = Chain({S, C, O, O, SO, {kOuterCurve, 1}, {kOuterCurve, 1}});
    c.modified = false;
    ASSERT_TRUE(ConvertLanes(c, ConversionKind::AddInnerLanes).converted);
    const Snapshot s = Of(c);
    EXPECT_EQ(s.types, (std::vector<int>{kStandardStraight, kInnerCurve, kStandardCurve, kOuterCurve, kStandardCurve}));
    EXPECT_EQ(s.radii, (std::vector<double>{0.0, 61.5, 241.5, 421.5, 241.5}));
    EXPECT_NEAR(s.arcs[2], kPiRef / 4, 1e-15);
    EXPECT_NEAR(s.arcs[3], kPiRef / 8, 1e-15);
    EXPECT_EQ(s.widths, std::vector<double>(5, 360.0));
    EXPECT_EQ(c.lanePairs, 2);
    EXPECT_EQ(c.Track(5).orientation, 1);  // the pair turned left, so does its curve
    EXPECT_TRUE(c.modified);
    EXPECT_TRUE(c.firstSelected == 0 || c.Track(c.firstSelected).selected);

    // On right-hand curves the left edge is the outer edge, which stays where
    // it was: a closed oval of standard curves stays closed as inner curves.
    TCircuit oval = Chain(Oval(0));
    ASSERT_TRUE(oval.closed);
    ASSERT_TRUE(ConvertLanes(oval, ConversionKind::AddInnerLanes).converted);
    EXPECT_TRUE(oval.closed);
    EXPECT_EQ(oval.Track(2).type, kInnerCurve);

    // SCX takes SCX dimensions: standard 212 -> inner 56.
    TCircuit scx = Chain({{kStandardCurve, 0, 0}, {kOuterCurve, 0, 0}, {kOuterCurve, 0, 0}});
    ASSERT_TRUE(ConvertLanes(scx, ConversionKind::AddInnerLanes).converted);
    EXPECT_EQ(Of(scx).radii, (std::vector<double>{56.0, 212.0}));
    EXPECT_EQ(Of(scx).widths, (std::vector<double>{312.0, 312.0}));
}

TEST(LaneConversion, AddingInnerLanesIsRefusedInOrder) {
    using K = ConversionKind;
    const Piece chicane{kAdaptationChicane, 1, 0}, scxCurvedChicane{kCurvedChicane, 0, 0};
    ExpectRefused(Chain({S, I, chicane, scxCurvedChicane, O}), K::AddInnerLanes, 163);
    ExpectRefused(Chain({S, chicane, scxCurvedChicane, O}), K::AddInnerLanes, 159);
    ExpectRefused(Chain({{kStandardStraight, 0, 0}, scxCurvedChicane, {kOuterCurve, 0, 0}}), K::AddInnerLanes, 161);
    // Three outer curves in a row: the third has no partner.
    ExpectRefused(Chain({S, O, O, O, S}), K::AddInnerLanes, 162);
    // An outer curve at the end, or followed by something else.
    ExpectRefused(Chain({S, O}), K::AddInnerLanes, 162);
    ExpectRefused(Chain({O, S, O}), K::AddInnerLanes, 162);
    // An S-bend of two outer curves is no 45-degree curve.
    ExpectRefused(Chain({S, {kOuterCurve, 0}, {kOuterCurve, 1}, S}), K::AddInnerLanes, 162);

    EXPECT_TRUE(OuterCurvesPaired(Chain({O, O, S, O, O, O, O})));
    EXPECT_FALSE(OuterCurvesPaired(Chain({{kOuterCurve, 1}, {kOuterCurve, 0}})));
    EXPECT_TRUE(OuterCurvesPaired(TCircuit{}));
}

TEST(LaneConversion, DeletingInnerLanesSplitsStandardCurvesIntoOuterPairs) {
    // A four-lane NINCO circuit with one standard curve (right-hand) between
    // straights, an inner curve and an outer curve.
    TCircuit c = Chain({S, C, S, I, O}, 2);
    // Its left edge on the standard curve runs at 241.5 + 360 = 601.5; as two
    // outer curves at 421.5 + 180 it does too, so the piece after the curve
    // stays where it was.
    const PointD straightBefore{c.Track(3).x, c.Track(3).y};
    const double headingBefore = c.Track(3).angle;
    ASSERT_TRUE(ConvertLanes(c, ConversionKind::DeleteInnerLanes).converted);
    const Snapshot s = Of(c);
    EXPECT_EQ(c.lanePairs, 1);
    EXPECT_EQ(s.types, (std::vector<int>{kStandardStraight, kOuterCurve, kOuterCurve, kStandardStraight, kStandardCurve,
                                         kSuperOuterCurve}));
    EXPECT_EQ(s.radii, (std::vector<double>{0.0, 421.5, 421.5, 0.0, 241.5, 601.5}));
    EXPECT_EQ(s.widths, std::vector<double>(6, 180.0));
    EXPECT_EQ(c.Track(2).orientation, 0);
    EXPECT_EQ(c.Track(3).orientation, 0);
    EXPECT_NEAR(c.Track(4).x, straightBefore.x, 1e-6);
    EXPECT_NEAR(c.Track(4).y, straightBefore.y, 1e-6);
    EXPECT_NEAR(c.Track(4).angle, headingBefore, 1e-9);
    EXPECT_TRUE(c.modified);

    // Left-hand curves are doubled with their own orientation; SCX keeps SCX
    // dimensions (outer 368).
    TCircuit scx = Chain({{kStandardCurve, 1, 0}}, 3);
    ASSERT_TRUE(ConvertLanes(scx, ConversionKind::DeleteInnerLanes).converted);
    EXPECT_EQ(Of(scx).types, (std::vector<int>{kOuterCurve, kOuterCurve}));
    EXPECT_EQ(Of(scx).radii, (std::vector<double>{368.0, 368.0}));
    EXPECT_EQ(Of(scx).widths, (std::vector<double>{312.0, 312.0}));
    EXPECT_EQ(scx.Track(2).orientation, 1);

    // Adding inner lanes and deleting them again gives the circuit back.
    TCircuit round = Chain({S, O, O, SO, C, {kOuterCurve, 1}, {kOuterCurve, 1}}, 2);
    const Snapshot start = Of(round);
    ASSERT_TRUE(ConvertLanes(round, ConversionKind::AddInnerLanes).converted);
    ASSERT_TRUE(ConvertLanes(round, ConversionKind::DeleteInnerLanes).converted);
    EXPECT_TRUE(Of(round) == start);
}

TEST(LaneConversion, DeletingInnerLanesRefusesSuperOuterCurvesAndTheLimit) {
    // A super outer curve has no larger curve to become.
    ExpectRefused(Chain({S, C, SO}, 2), ConversionKind::DeleteInnerLanes, 160);

    // 291 pieces with 11 standard curves would become 302.
    std::vector<Piece> pieces(280, S);
    for (int k = 0; k < 11; ++k) pieces.push_back(C);
    ExpectRefused(Chain(pieces, 2), ConversionKind::DeleteInnerLanes, 122);
    // 290 with 10 make exactly 300.
    pieces.pop_back();
    TCircuit fits = Chain(pieces, 2);
    ASSERT_TRUE(ConvertLanes(fits, ConversionKind::DeleteInnerLanes).converted);
    EXPECT_EQ(fits.Count(), 300);
}
