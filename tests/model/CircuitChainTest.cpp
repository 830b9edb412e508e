#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <vector>

#include "model/Messages.h"
#include "model/Tracks.h"

using namespace quillet;

namespace {

const double kPiRef = std::acos(-1.0);
const double kS = std::sqrt(2.0) / 2.0;

class RecordingInformer : public TInformer {
public:
    void Information(int textEntry, const std::string& suffix) override {
        entries.push_back(textEntry);
        suffixes.push_back(suffix);
    }
    std::vector<int> entries;
    std::vector<std::string> suffixes;
};

void ExpectPoint(const PointD& p, double x, double y, double tol = 1e-9) {
    EXPECT_NEAR(p.x, x, tol);
    EXPECT_NEAR(p.y, y, tol);
}

void SelectOnly(TCircuit& c, int i) {
    for (TTrack& t : c.Tracks()) t.selected = false;
    c.Track(i).selected = true;
    c.firstSelected = c.lastSelected = i;
}

// A chain of NINCO standard straights from (0, 0) heading 0; piece 1 anchored.
TCircuit Straights(int n) {
    TCircuit c;
    EXPECT_TRUE(c.Insert(kStandardStraight, 1, nullptr));
    for (int i = 2; i <= n; ++i) EXPECT_TRUE(c.Append(kStandardStraight, 1, 1));
    c.ReLay(false);
    return c;
}

std::vector<int> Types(const TCircuit& c) {
    std::vector<int> v;
    for (const TTrack& t : c.Tracks()) v.push_back(t.type);
    return v;
}

}  // namespace

TEST(CircuitChain, CreationSnapsTheStartPointToTheGrid) {
    // 1500/200 = 7.5 -> 8, 1000/200 = 5; 1700/200 = 8.5 -> 8, 1100/200 = 5.5 -> 6;
    // -100/200 = -0.5 -> 0, 300/200 = 1.5 -> 2.
    const TCircuit a(1500, 1000);
    EXPECT_EQ(a.startX, 1600);
    EXPECT_EQ(a.startY, 1000);
    const TCircuit b(1700, 1100);
    EXPECT_EQ(b.startX, 1600);
    EXPECT_EQ(b.startY, 1200);
    const TCircuit d(-100, 300);
    EXPECT_EQ(d.startX, 0);
    EXPECT_EQ(d.startY, 400);

    TBoundingBox empty = TCircuit().ComputeBoundingBox();
    EXPECT_EQ(empty.left | empty.top | empty.right | empty.bottom, 0);
}

TEST(CircuitChain, InsertNeedsASelectionExceptIntoAnEmptyChain) {
    TCircuit c(400, 200);
    RecordingInformer informer;
    ASSERT_TRUE(c.Insert(kStandardStraight, 1, &informer));
    EXPECT_TRUE(informer.entries.empty());
    ASSERT_EQ(c.Count(), 1);
    EXPECT_TRUE(c.Track(1).anchorMark);
    EXPECT_TRUE(c.modified);
    ExpectPoint(c.Track(1).P(1), 400, 200);
    EXPECT_EQ(c.box.right, 800);

    // Nothing selected: the user is told (entry 104) and nothing changes.
    EXPECT_FALSE(c.Insert(kStandardCurve, 0, &informer));
    EXPECT_EQ(informer.entries, std::vector<int>{kTextSelectTrackBeforeInserting});
    EXPECT_EQ(c.Count(), 1);
    EXPECT_FALSE(c.Insert(kStandardCurve, 0, nullptr));  // nobody to tell
    EXPECT_FALSE(c.Insert(15, 0, &informer));            // not a type code
    EXPECT_EQ(c.Count(), 1);
}

TEST(CircuitChain, InsertAfterTheLastPieceAndInTheMiddle) {
    TCircuit c = Straights(1);
    SelectOnly(c, 1);
    ASSERT_TRUE(c.Insert(kStandardStraight, 1, nullptr));
    EXPECT_FALSE(c.Track(1).selected);
    EXPECT_TRUE(c.Track(2).selected);
    EXPECT_EQ(c.firstSelected, 2);
    EXPECT_EQ(c.lastSelected, 2);
    ExpectPoint(c.Track(2).P(1), 400, 0);

    // After piece 1 of two: the curve takes place 2 and pushes the straight on.
    SelectOnly(c, 1);
    ASSERT_TRUE(c.Insert(kStandardCurve, 0, nullptr));
    EXPECT_EQ(Types(c), (std::vector<int>{0, 3, 0}));
    ExpectPoint(c.Track(1).P(1), 0, 0);
    ExpectPoint(c.Track(2).P(1), 400, 0);
    // Curve exit: (400 + 421.5 s, 421.5 (1 - s)) = (698.05, 123.45), heading pi/4.
    ExpectPoint(c.Track(3).P(1), 400 + 421.5 * kS, 421.5 * (1 - kS));
    EXPECT_NEAR(c.Track(3).angle, kPiRef / 4, 1e-12);
    EXPECT_TRUE(c.Track(2).selected);
    EXPECT_FALSE(c.Track(1).selected);
    EXPECT_EQ(c.firstSelected, 2);

    // A selected range collapses onto its last piece.
    for (int i = 1; i <= 3; ++i) c.Track(i).selected = true;
    c.Track(1).replaceMark = true;
    c.firstSelected = 1;
    c.lastSelected = 3;
    ASSERT_TRUE(c.Insert(kHalfStraight, 1, nullptr));
    EXPECT_EQ(Types(c), (std::vector<int>{0, 3, 0, 1}));
    EXPECT_FALSE(c.Track(1).selected || c.Track(1).replaceMark || c.Track(2).selected || c.Track(3).selected);
    EXPECT_TRUE(c.Track(4).selected);
    EXPECT_EQ(c.firstSelected, 4);
}

TEST(CircuitChain, InsertReplacesAMarkedPiece) {
    TCircuit c = Straights(3);
    SelectOnly(c, 2);
    TTrack& t = c.Track(2);
    t.replaceMark = true;
    for (int flag = 1; flag <= 6; ++flag) t.SetBorder(flag, true);
    ASSERT_TRUE(c.Insert(kAdaptationChicane, 0, nullptr));
    EXPECT_EQ(Types(c), (std::vector<int>{0, 8, 0}));
    const TTrack& r = c.Track(2);
    EXPECT_EQ(r.lengthOrArc, 200);
    for (int flag = 1; flag <= 6; ++flag) EXPECT_FALSE(r.Border(flag)) << flag;
    EXPECT_TRUE(r.selected);
    EXPECT_EQ(c.firstSelected, 2);
    // The chain is re-laid: piece 3 follows the 200 mm chicane, whose NINCO
    // shape (a 180-wide piece) widens 12 mm to the left by its exit.
    ExpectPoint(c.Track(3).P(1), 600, -12);

    // A curve keeps the whole borders and loses the halves.
    TTrack& s = c.Track(2);
    for (int flag = 1; flag <= 6; ++flag) s.SetBorder(flag, true);
    ASSERT_TRUE(c.Insert(kOuterCurve, 0, nullptr));
    EXPECT_TRUE(c.Track(2).Border(1) && c.Track(2).Border(2));
    for (int flag = 3; flag <= 6; ++flag) EXPECT_FALSE(c.Track(2).Border(flag)) << flag;
    EXPECT_EQ(c.Track(2).lengthOrArc, kPiRef / 8);
}

TEST(CircuitChain, NewPiecesFollowTheWidthFamily) {
    TCircuit c;
    c.startBrand = 0;
    ASSERT_TRUE(c.Insert(kStandardStraight, 1, nullptr));
    EXPECT_EQ(c.Track(1).width, 156);
    SelectOnly(c, 1);
    ASSERT_TRUE(c.Insert(kHalfStraight, 1, nullptr));
    EXPECT_EQ(c.Track(2).width, 156);
    EXPECT_EQ(c.Track(2).lengthOrArc, 175);
    // A chicane after an SCX piece is the NINCO-brand one: 156 -> 180.
    ASSERT_TRUE(c.Insert(kAdaptationChicane, 1, nullptr));
    EXPECT_EQ(c.Track(3).width, 180);
    ExpectPoint(c.Track(3).P(18), 525, 156);  // 350 + 175 along, 156 across
    ASSERT_TRUE(c.Insert(kStandardStraight, 1, nullptr));
    EXPECT_EQ(c.Track(4).width, 180);
    EXPECT_EQ(c.Track(4).lengthOrArc, 400);
    // ... and one after a NINCO piece the SCX-brand one.
    ASSERT_TRUE(c.Insert(kAdaptationChicane, 1, nullptr));
    EXPECT_EQ(c.Track(5).width, 156);
}

TEST(CircuitChain, ReLayKeepsTheAnchoredPiece) {
    TCircuit c = Straights(1);
    SelectOnly(c, 1);
    ASSERT_TRUE(c.Insert(kStandardCurve, 0, nullptr));
    c.Track(1).anchorMark = false;
    c.Track(2).anchorMark = true;  // the curve at (400, 0), heading 0

    // A left curve before it would turn it by -pi/4; instead piece 1 turns
    // by +pi/4 and the start moves. Backwards from the anchor: the left
    // curve's inner edge turns about (400, -241.5), so it starts at
    // (400 - 241.5 s, -241.5 + 241.5 s) = (229.23, -70.73) heading pi/4, and
    // the straight 400 before that: (229.23 - 400 s, -70.73 - 400 s).
    SelectOnly(c, 1);
    ASSERT_TRUE(c.Insert(kStandardCurve, 1, nullptr));
    EXPECT_EQ(Types(c), (std::vector<int>{0, 3, 3}));
    ExpectPoint(c.Track(3).P(1), 400, 0, 1e-6);
    EXPECT_NEAR(std::remainder(c.Track(3).angle, 2 * kPiRef), 0, 1e-9);
    EXPECT_NEAR(c.Track(1).angle, kPiRef / 4, 1e-12);
    ExpectPoint(c.Track(2).P(1), 400 - 241.5 * kS, -241.5 + 241.5 * kS, 1e-6);
    EXPECT_NEAR(c.startX, 400 - 241.5 * kS - 400 * kS, 1e-6);     // -53.61
    EXPECT_NEAR(c.startY, -241.5 + 241.5 * kS - 400 * kS, 1e-6);  // -353.58

    // Without keeping the anchor the chain simply grows from the start point.
    const double x = c.startX;
    c.ReLay(false);
    EXPECT_EQ(c.startX, x);
    ExpectPoint(c.Track(3).P(1), 400, 0, 1e-6);
}

TEST(CircuitChain, ReLayEndsOnAbsurdAngles) {
    for (double angle : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), 1e300}) {
        TCircuit c = Straights(3);
        c.Track(1).anchorMark = false;
        c.Track(3).anchorMark = true;
        c.Track(1).angle = angle;
        c.ReLay(true);
        c.Rotate(22.5);
        c.Rotate(1e308);
        c.Rotate(angle);
        const double h = c.Track(3).ExitHeading();
        EXPECT_TRUE(h >= 0 && h < 2 * kPiRef);
    }
}

TEST(CircuitChain, ClosedFlag) {
    TCircuit c;
    ASSERT_TRUE(c.Insert(kStandardCurve, 0, nullptr));
    for (int i = 2; i <= 7; ++i) c.Append(kStandardCurve, 0, 1);
    c.ReLay(false);
    EXPECT_FALSE(c.closed);
    SelectOnly(c, 7);
    ASSERT_TRUE(c.Insert(kStandardCurve, 0, nullptr));  // inserting re-lays
    EXPECT_TRUE(c.closed);                              // eight curves meet the start within rounding
    // The ring's outer edge, radius 421.5 about (0, 421.5), spans
    // -421.5 .. 421.5 and 0 .. 843; a half may round either way after the
    // sines and cosines.
    EXPECT_NEAR(c.box.left, -421.5, 0.5);
    EXPECT_NEAR(c.box.right, 421.5, 0.5);
    EXPECT_EQ(c.box.top, 0);
    EXPECT_EQ(c.box.bottom, 843);
}

TEST(CircuitChain, BoundingBoxCountsBordersAtPixelPrecision) {
    TCircuit c;
    c.scale = 3;
    ASSERT_TRUE(c.Insert(kStandardStraight, 0, nullptr));
    TBoundingBox b = c.BoundingBox();
    EXPECT_EQ(b.left, 0);
    EXPECT_EQ(b.top, 0);
    EXPECT_EQ(b.right, 400);
    EXPECT_EQ(b.bottom, 180);
    // Inner border out to 230 mm: 76.67 px -> 77 -> 231 mm. Outer to -50 mm:
    // -16.67 px -> -17 -> -51 mm. Barriers do not count.
    c.Track(1).SetBorder(kInnerBorderExitHalf, true);
    c.Track(1).SetBorder(kOuterBorder, true);
    c.Track(1).outerBarrier = true;
    c.ReLay(false);
    EXPECT_EQ(c.box.top, -51);
    EXPECT_EQ(c.box.bottom, 231);
    EXPECT_EQ(c.box.right, 400);
}

TEST(CircuitChain, DeletingPiecesOneToKKeepsTheRestInPlace) {
    TCircuit c = Straights(3);
    SelectOnly(c, 3);
    ASSERT_TRUE(c.Insert(kStandardCurve, 0, nullptr));
    for (int i = 1; i <= 2; ++i) c.Track(i).selected = true;
    c.firstSelected = 1;
    c.lastSelected = 2;
    ASSERT_TRUE(c.DeleteSelectedRange());
    c.ReLay(false);
    EXPECT_EQ(Types(c), (std::vector<int>{0, 3}));
    EXPECT_EQ(c.startX, 800);
    ExpectPoint(c.Track(1).P(1), 800, 0);
    ExpectPoint(c.Track(2).P(1), 1200, 0);
    EXPECT_TRUE(c.Track(1).selected);
    EXPECT_EQ(c.firstSelected, 1);
    EXPECT_EQ(c.lastSelected, 1);

    // The range at the end: the piece before it becomes the selection.
    c.Track(1).selected = false;
    c.Track(2).selected = true;
    c.firstSelected = c.lastSelected = 2;
    ASSERT_TRUE(c.DeleteSelectedRange());
    EXPECT_EQ(c.Count(), 1);
    EXPECT_EQ(c.firstSelected, 1);
    EXPECT_TRUE(c.Track(1).selected);

    // No or a nonsensical range: nothing happens.
    c.firstSelected = 0;
    c.lastSelected = 0;
    EXPECT_FALSE(c.DeleteSelectedRange());
    c.firstSelected = 5;
    c.lastSelected = 9;
    EXPECT_FALSE(c.DeleteSelectedRange());
    EXPECT_EQ(c.Count(), 1);
}

TEST(CircuitChain, SingleRacingDeleteRules) {
    auto twenty = [] {
        TCircuit c = Straights(20);
        c.singleRacing = true;
        return c;
    };
    // All but the 16 loop pieces (9..12 of 20): piece 9 stays. 10..12 go,
    // leaving 17; first 10 = 17 - 7 moves off the end loop to 9.
    TCircuit a = twenty();
    a.firstSelected = 9;
    a.lastSelected = 12;
    ASSERT_TRUE(a.DeleteSelectedRange());
    EXPECT_EQ(a.Count(), 17);
    EXPECT_EQ(a.firstSelected, 9);
    EXPECT_TRUE(a.Track(9).selected);

    // Pieces 1..8: the start moves to piece 9 and the selection skips the
    // new first loop to piece 9.
    TCircuit b = twenty();
    b.firstSelected = 1;
    b.lastSelected = 8;
    ASSERT_TRUE(b.DeleteSelectedRange());
    EXPECT_EQ(b.Count(), 12);
    EXPECT_EQ(b.startX, 3200);
    EXPECT_EQ(b.firstSelected, 9);

    // 11..12 of 20: 18 remain and first 11 = 18 - 7 becomes 10.
    TCircuit d = twenty();
    d.firstSelected = 11;
    d.lastSelected = 12;
    ASSERT_TRUE(d.DeleteSelectedRange());
    EXPECT_EQ(d.firstSelected, 10);
}

TEST(CircuitChain, DeleteFirstSelectedSelectsThePieceBefore) {
    TCircuit c = Straights(3);
    c.modified = false;
    SelectOnly(c, 2);
    ASSERT_TRUE(c.DeleteFirstSelected());
    EXPECT_EQ(c.Count(), 2);
    EXPECT_TRUE(c.Track(1).selected);
    EXPECT_FALSE(c.Track(2).selected);
    EXPECT_TRUE(c.modified);

    SelectOnly(c, 1);
    ASSERT_TRUE(c.DeleteFirstSelected());
    EXPECT_EQ(c.Count(), 1);
    EXPECT_FALSE(c.Track(1).selected);  // nothing before piece 1
    EXPECT_FALSE(c.DeleteFirstSelected());

    // A single-racing piece before it is not selected.
    c.Append(kSingleRacingInnerCurve, 0, 1);
    c.Append(kStandardStraight, 0, 1);
    SelectOnly(c, 3);
    ASSERT_TRUE(c.DeleteFirstSelected());
    EXPECT_FALSE(c.Track(2).selected);
}

TEST(CircuitChain, RotateTurnsAboutTheBoxCentre) {
    TCircuit c = Straights(1);  // box 0, 0, 400, 180: centre (200, 90)
    c.Icon(1) = {1, 100, 50, false};
    c.Rotate(90);
    // (0, 0) - (200, 90) = (-200, -90) turned clockwise by 90 degrees is
    // (90, -200): the start becomes (290, -110), heading down the screen.
    EXPECT_NEAR(c.Track(1).angle, kPiRef / 2, 1e-12);
    EXPECT_NEAR(c.startX, 290, 1e-9);
    EXPECT_NEAR(c.startY, -110, 1e-9);
    ExpectPoint(c.Track(1).P(9), 290, 290, 1e-9);
    ExpectPoint(c.Track(1).P(18), 110, -110, 1e-9);
    EXPECT_EQ(c.box.left, 110);
    EXPECT_EQ(c.box.bottom, 290);
    // Icon centre (100 + 16 x 5, 50 + 80) = (180, 130): (-20, 40) from the
    // centre turns to (-40, -20), centre (160, 70), corner (80, -10).
    EXPECT_NEAR(c.Icon(1).x, 80, 1e-9);
    EXPECT_NEAR(c.Icon(1).y, -10, 1e-9);
    EXPECT_EQ(c.Icon(2).x, 0);  // empty slots stay

    TCircuit r = Straights(2);
    r.Rotate(-22.5);
    EXPECT_NEAR(r.Track(1).angle, -kPiRef / 8, 1e-12);
    r.Rotate(22.5);
    EXPECT_EQ(r.Track(1).angle, 0.0);  // snapped
    for (int i = 1; i <= 16; ++i) {
        r.Rotate(22.5);
        if (i == 8) {
            EXPECT_EQ(r.Track(1).angle, kPiRef);  // snapped to pi
        }
    }
    EXPECT_NEAR(std::remainder(r.Track(1).angle, 2 * kPiRef), 0, 1e-12);

    // Headings within 0.001 of 0, pi or -pi snap to them; above 2pi or below
    // -2pi one turn comes off.
    const struct {
        double before, after;
    } snaps[] = {{0.0009, 0.0},
                 {kPiRef - 0.0009, kPiRef},
                 {-kPiRef + 0.0009, -kPiRef},
                 {2 * kPiRef + 0.0005, 0.0},
                 {-2 * kPiRef - 1, -1},
                 {0.002, 0.002}};
    for (const auto& s : snaps) {
        r.Track(1).angle = s.before;
        r.Rotate(0);
        EXPECT_NEAR(r.Track(1).angle, s.after, 1e-12) << s.before;
    }
}

TEST(CircuitChain, FitsWorkAreaUpTo800MillimetresBeyond) {
    // A straight is 400 x 180 from its start point.
    auto at = [](double x, double y) {
        TCircuit c = Straights(1);
        c.startX = x;
        c.startY = y;
        c.ReLay(false);
        return c.FitsWorkArea(3000, 2000);
    };
    EXPECT_TRUE(at(-800, 0));
    EXPECT_FALSE(at(-801, 0));
    EXPECT_TRUE(at(0, -800));
    EXPECT_FALSE(at(0, -801));
    EXPECT_TRUE(at(3400, 0));   // right 3800 = 3000 + 800
    EXPECT_FALSE(at(3401, 0));  // right 3801
    EXPECT_TRUE(at(0, 2620));   // bottom 2800 = 2000 + 800
    EXPECT_FALSE(at(0, 2621));
    TCircuit c = Straights(1);
    EXPECT_TRUE(c.FitsWorkArea(std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::max()));
}

TEST(CircuitChain, HitTestSelectsTheTopmostPiece) {
    TCircuit c = Straights(2);
    c.Track(1).selected = true;
    EXPECT_EQ(c.HitTest(600, 90), 2);
    EXPECT_FALSE(c.Track(1).selected);
    EXPECT_TRUE(c.Track(2).selected);
    EXPECT_EQ(c.HitTest(400, 90), 0);  // the shared edge belongs to neither
    EXPECT_FALSE(c.Track(2).selected);
    // Piece 2 laid over piece 1: the later one is on top.
    c.Track(2).x = 0;
    c.Track(2).ComputeOutline(c);
    EXPECT_EQ(c.HitTest(200, 90), 2);
    EXPECT_TRUE(c.ContainsType(kStandardStraight));
    EXPECT_FALSE(c.ContainsType(kStandardCurve));
}

TEST(CircuitChain, CountPiecesFollowsTheRadiusLadder) {
    TCircuit c;
    c.lanePairs = 2;
    for (int type : {kStandardCurve, kInnerCurve, kOuterCurve, kSuperOuterCurve, kStandardStraight}) {
        c.Append(type, 0, 1);
    }
    c.Append(kStandardStraight, 0, 0);  // SCX, 312 wide
    // Two lane pairs: standard -> standard + 2 outer; inner -> inner +
    // standard; outer -> outer + super outer; super outer alone; a straight
    // counts once per lane pair.
    EXPECT_EQ(c.CountPieces(kStandardCurve, true), 2);
    EXPECT_EQ(c.CountPieces(kInnerCurve, true), 1);
    EXPECT_EQ(c.CountPieces(kOuterCurve, true), 3);
    EXPECT_EQ(c.CountPieces(kSuperOuterCurve, true), 2);
    EXPECT_EQ(c.CountPieces(kStandardStraight, true), 2);
    EXPECT_EQ(c.CountPieces(kStandardStraight, false), 2);
    EXPECT_EQ(c.CountPieces(kStandardCurve, false), 0);

    // Four lane pairs (widths 720): the standard curve adds 2 outer + 2 super
    // outer, the inner curve 1 standard + 2 outer + 2 super outer.
    TCircuit w;
    w.lanePairs = 4;
    for (int type : {kStandardCurve, kInnerCurve, kOuterCurve, kSuperOuterCurve}) w.Append(type, 1, 1);
    EXPECT_EQ(w.CountPieces(kStandardCurve, true), 2);    // 1 + 1
    EXPECT_EQ(w.CountPieces(kOuterCurve, true), 5);       // 2 + 2 + 1
    EXPECT_EQ(w.CountPieces(kSuperOuterCurve, true), 6);  // 2 + 2 + 1 + 1
    c.Append(kSingleRacingOuterCurve, 0, 1);
    EXPECT_EQ(c.CountPieces(kSingleRacingOuterCurve, true), 0);
}

TEST(CircuitChain, SingleRacingEndsAfterTheLastPiece) {
    TCircuit c = Straights(1);
    SelectOnly(c, 1);
    ASSERT_TRUE(c.AddSingleRacingEnds());
    EXPECT_EQ(Types(c), (std::vector<int>{0, 14, 13, 13, 13, 13, 13, 13, 14}));
    for (int i = 2; i <= c.Count(); ++i) EXPECT_FALSE(c.Track(i).selected) << i;
    c.ReLay(false);
    // From the straight's exit (400, 0): back 434.56 (sqrt 2 - 1) = 180.0006
    // to the right, heading pi.
    ExpectPoint(c.Track(9).ExitPoint(), 400, 180.0006457, 1e-6);
    EXPECT_NEAR(c.Track(9).ExitHeading(), kPiRef, 1e-12);
    EXPECT_FALSE(c.closed);
    // Single racing treats a chain of 16 or more ending on a loop as closed.
    c.singleRacing = true;
    for (int i = 0; i < 7; ++i) c.Append(kStandardStraight, 0, 1);
    c.Append(kSingleRacingOuterCurve, 1, 1);
    c.ReLay(false);
    EXPECT_TRUE(c.closed);
}

TEST(CircuitChain, TheChainNeverPasses300Pieces) {
    TCircuit c;
    for (int i = 0; i < 300; ++i) ASSERT_TRUE(c.Append(kQuarterStraight, 0, 1));
    EXPECT_FALSE(c.Append(kQuarterStraight, 0, 1));
    for (int i = 1; i <= 3; ++i) c.Track(i).selected = true;
    c.firstSelected = 1;
    c.lastSelected = 3;
    EXPECT_FALSE(c.Insert(kQuarterStraight, 0, nullptr));
    EXPECT_EQ(c.Count(), 300);
    EXPECT_TRUE(c.Track(1).selected);  // the range was left alone
    EXPECT_EQ(c.firstSelected, 1);
    EXPECT_FALSE(c.modified);

    // The end loop needs eight places.
    TCircuit d;
    for (int i = 0; i < 293; ++i) d.Append(kQuarterStraight, 0, 1);
    SelectOnly(d, 293);
    EXPECT_FALSE(d.AddSingleRacingEnds());
    EXPECT_EQ(d.Count(), 293);
    ASSERT_TRUE(d.DeleteFirstSelected());
    SelectOnly(d, 292);
    ASSERT_TRUE(d.AddSingleRacingEnds());
    EXPECT_EQ(d.Count(), 300);
}

TEST(CircuitChain, CopiesAreDeepAndDamagedSelectionsAreSafe) {
    TCircuit a = Straights(2);
    TCircuit b = a;  // the undo copy
    b.Track(1).type = kStandardCurve;
    SelectOnly(b, 2);
    ASSERT_TRUE(b.Insert(kStandardStraight, 0, nullptr));  // grows past the copied capacity
    EXPECT_EQ(a.Count(), 2);
    EXPECT_EQ(a.Track(1).type, kStandardStraight);
    EXPECT_EQ(b.Count(), 3);

    // Selection numbers outside the chain.
    a.firstSelected = -5;
    a.lastSelected = 500;
    EXPECT_FALSE(a.Insert(kStandardStraight, 0, nullptr));  // no piece has the flag
    a.firstSelected = -5;
    a.lastSelected = 500;
    EXPECT_FALSE(a.DeleteSelectedRange());
    a.firstSelected = 2;
    a.lastSelected = 500;
    EXPECT_TRUE(a.DeleteSelectedRange());
    EXPECT_EQ(a.Count(), 1);
    EXPECT_THROW(a.Track(2), std::out_of_range);
    EXPECT_THROW(a.Icon(0), std::out_of_range);
}

TEST(CircuitChain, CentringMovesTheBoxToTheMiddleWithTheIcons) {
    // Two NINCO straights: a box 800 mm long and 180 mm wide, laid from the
    // start point at (400, 400).
    TCircuit c(400, 400);
    c.Append(kStandardStraight, 1, 1);
    c.Append(kStandardStraight, 1, 1);
    c.ReLay(false);
    c.icons[0] = {1, 500.0, 300.0};
    const TBoundingBox before = c.BoundingBox();
    EXPECT_EQ(before.right - before.left, 800);
    EXPECT_EQ(before.bottom - before.top, 180);

    // On 3000 x 2000 the box belongs at (3000 - 800) / 2 = 1100 and
    // (2000 - 180) / 2 = 910.
    const PointD shift = c.CentringShift(3000, 2000);
    c.MoveBy(shift.x, shift.y);
    c.ReLay(false);
    const TBoundingBox after = c.BoundingBox();
    EXPECT_EQ(after.left, 1100);
    EXPECT_EQ(after.top, 910);
    EXPECT_EQ(after.right, 1900);
    EXPECT_EQ(after.bottom, 1090);
    EXPECT_DOUBLE_EQ(c.icons[0].x, 500.0 + 1100 - before.left);
    EXPECT_DOUBLE_EQ(c.icons[0].y, 300.0 + 910 - before.top);
    EXPECT_EQ(c.icons[1].kind, 0);

    // Centred, it stays; an area 1 mm wider asks for half a millimetre,
    // which counts as none, and 2 mm wider for 1 mm.
    const PointD again = c.CentringShift(3000, 2000);
    EXPECT_EQ(again.x, 0.0);
    EXPECT_EQ(again.y, 0.0);
    EXPECT_EQ(c.CentringShift(3001, 2001).x, 0.0);
    EXPECT_EQ(c.CentringShift(3002, 2000).x, 1.0);
}
