#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ClosingReference.h"
#include "ToolsTestSupport.h"
#include "model/Tracks.h"
#include "tools/ClosingSearch.h"
#include "tools/Random.h"

using namespace quillet;
using namespace quillet::test;

namespace {

const double kPiRef = std::acos(-1.0);

ExcludedSet AllowOnly(std::initializer_list<int> codes) {
    ExcludedSet set = 0xFFFE;  // every code but 0
    for (int c : codes) set = static_cast<ExcludedSet>(set & ~(1u << c));
    return set;
}

ClosingCodes Codes(std::initializer_list<int> codes) {
    ClosingCodes out{};
    size_t i = 0;
    for (int c : codes) out[i++] = static_cast<uint8_t>(c);
    return out;
}

// The problem a chain poses: from its left exit corner back to the left entry
// corner of piece 1.
ClosingProblem ProblemOf(const TCircuit& c, ExcludedSet excluded, int toleranceCm) {
    const TTrack& first = c.Track(1);
    const TTrack& last = c.Track(c.Count());
    ClosingProblem pb;
    pb.startX = last.P(9).x;
    pb.startY = last.P(9).y;
    pb.startHeading = last.ExitHeading();
    pb.targetX = first.P(1).x;
    pb.targetY = first.P(1).y;
    pb.targetHeading = first.angle;
    pb.ninco = last.IsNincoWidth(c);
    pb.width = last.width;
    pb.excluded = excluded;
    pb.toleranceCm = toleranceCm;
    return pb;
}

}  // namespace

TEST(ClosingPen, AdvanceMovesTheLeftCornerAlongTheSnappedChord) {
    // NINCO, one lane pair (W = 180).
    const PenModel<float> ninco = MakePenModel<float>(true, 180.0);
    float x = 0, y = 0, h = 0;

    // Standard straight, heading 0: k = 0, (400, 0), heading kept.
    Advance(ninco, kCodeStandardStraight, x, y, h);
    EXPECT_FLOAT_EQ(x, 400.0f);
    EXPECT_FLOAT_EQ(y, 0.0f);
    EXPECT_EQ(h, 0.0f);

    // Left standard curve from heading 0: the pen runs on the inner edge,
    // chord 2 x 241.5 x sin(pi/8) = 184.8361; k = Round(-(pi/8) / (pi/16)) = -2,
    // so (184.8361 cos(pi/8), -184.8361 sin(pi/8)) = (170.7657, -70.7337): the
    // exit corner of a left-hand NINCO standard curve laid at (0, 0).
    x = y = h = 0;
    EXPECT_EQ(MovePen(ninco, kCodeStandardCurveLeft, 0.0f).k, -2);
    Advance(ninco, kCodeStandardCurveLeft, x, y, h);
    EXPECT_NEAR(x, 170.7657, 1e-3);
    EXPECT_NEAR(y, -70.7337, 1e-3);
    EXPECT_NEAR(h, -kPiRef / 4, 1e-6);
    // Next piece: the heading is first brought into [0, 2pi): 7pi/4; a
    // straight then points at k = Round(7/4 x 16) = 28, i.e. -pi/4.
    const PenMove<float> next = MovePen(ninco, kCodeHalfStraight, h);
    EXPECT_EQ(next.k, 28);
    EXPECT_NEAR(next.heading, 7 * kPiRef / 4, 1e-6);
    EXPECT_NEAR(next.dx, 200 * std::cos(kPiRef / 4), 1e-3);
    EXPECT_NEAR(next.dy, -200 * std::sin(kPiRef / 4), 1e-3);

    // Right standard curve: the pen runs on the outer edge, chord
    // 2 (180 + 241.5) sin(pi/8) = 322.6021 at k = 2: (298.0452, 123.4545),
    // the exit corner of the right-hand NINCO curve of the geometry.
    x = y = h = 0;
    Advance(ninco, kCodeStandardCurveRight, x, y, h);
    EXPECT_NEAR(x, 298.0452, 1e-3);
    EXPECT_NEAR(y, 123.4545, 1e-3);
    EXPECT_NEAR(h, kPiRef / 4, 1e-6);

    // SCX outer curve to the right, W = 156: chord 2 (156 + 368) sin(pi/16) =
    // 204.4547 at k = Round((pi/16) / (pi/16)) = 1: (200.5262, 39.8871).
    const PenModel<double> scx = MakePenModel<double>(false, 156.0);
    double dx = 0, dy = 0, dh = 0;
    Advance(scx, kCodeOuterCurveRight, dx, dy, dh);
    EXPECT_NEAR(dx, 200.5262, 1e-3);
    EXPECT_NEAR(dy, 39.8871, 1e-3);
    EXPECT_NEAR(dh, kPiRef / 8, 1e-12);

    // Code 0 moves nothing but still brings the heading into range.
    dx = dy = 5;
    dh = -0.5;
    Advance(scx, kNoPiece, dx, dy, dh);
    EXPECT_EQ(dx, 5);
    EXPECT_EQ(dy, 5);
    EXPECT_NEAR(dh, 2 * kPiRef - 0.5, 1e-12);
    dh = 2 * kPiRef + 0.25;
    Advance(scx, kNoPiece, dx, dy, dh);
    EXPECT_NEAR(dh, 0.25, 1e-12);
}

TEST(ClosingPen, DirectionIndexRoundsHalvesToEven) {
    // In double precision pi/16 x 0.5, 1.5 and 2.5 are exact, so the quotient
    // is exactly 0.5, 1.5, 2.5: k = 0, 2, 2.
    const PenModel<double> m = MakePenModel<double>(true, 180.0);
    EXPECT_EQ(MovePen(m, kCodeStandardStraight, 0.5 * m.step).k, 0);
    EXPECT_EQ(MovePen(m, kCodeStandardStraight, 1.5 * m.step).k, 2);
    EXPECT_EQ(MovePen(m, kCodeStandardStraight, 2.5 * m.step).k, 2);
}

TEST(ClosingPen, RightCurveFromJustBelowTwoPiNeedsDirection34) {
    // The single-precision heading just below 2pi is not reduced; a right
    // standard curve then points at Round((h + pi/8) / (pi/16)) = 34, which
    // is the direction pi/8 again: the same move as from heading 0.
    const PenModel<float> m = MakePenModel<float>(true, 180.0);
    const float h = std::nextafter(m.twoPi, 0.0f);
    const PenMove<float> move = MovePen(m, kCodeStandardCurveRight, h);
    EXPECT_EQ(move.k, 34);
    EXPECT_NEAR(move.dx, 298.0452, 1e-3);
    EXPECT_NEAR(move.dy, 123.4545, 1e-3);
    // An outer curve from there needs 33, a left curve 30.
    EXPECT_EQ(MovePen(m, kCodeOuterCurveRight, h).k, 33);
    EXPECT_EQ(MovePen(m, kCodeStandardCurveLeft, h).k, 30);

    // It happens on a real chain: a NINCO oval started at 45 degrees with its
    // last two curves missing ends heading 7pi/4; the first right curve
    // brings the float heading to just below 2pi and the second one needs
    // k = 34. Both searches close it with exactly those two curves.
    const TCircuit c = Chain(Oval(2), 1, kPiRef / 4);
    const ClosingProblem pb = ProblemOf(c, 0, 1);
    float x = static_cast<float>(pb.startX), y = static_cast<float>(pb.startY);
    float hh = static_cast<float>(pb.startHeading);
    EXPECT_EQ(MovePen(m, kCodeStandardCurveRight, hh).k, 30);
    Advance(m, kCodeStandardCurveRight, x, y, hh);
    EXPECT_LT(hh, m.twoPi);
    EXPECT_EQ(MovePen(m, kCodeStandardCurveRight, hh).k, 34);
    EXPECT_EQ(PlainClosing(pb).codes, Codes({8, 8}));
    EXPECT_EQ(PlainClosingStraightforward(pb).codes, Codes({8, 8}));
}

TEST(ClosingPen, HeadingMatchesWithinAHundredthAlsoTurnsApart) {
    EXPECT_TRUE(HeadingMatches(1.0, 1.0099));
    EXPECT_FALSE(HeadingMatches(1.0, 1.0101));
    // 6.28 against 0: d - 2pi = -0.00319.
    EXPECT_TRUE(HeadingMatches(6.28, 0.0));
    EXPECT_TRUE(HeadingMatches(-0.005, 2 * kPiRef));
    EXPECT_FALSE(HeadingMatches(6.27, 0.0));  // d - 2pi = -0.0132
    // Two turns apart: 4pi + 0.005.
    EXPECT_TRUE(HeadingMatches(4 * kPiRef + 0.005, 0.0));
    EXPECT_FALSE(HeadingMatches(3 * kPiRef, 0.0));
    EXPECT_TRUE(HeadingMatches(7.0f, 7.0f + 0.0099f));
}

TEST(ClosingSearch, TakesTheFirstCandidateOfTheSlotOrderThatLands) {
    const Piece S{kStandardStraight}, C{kStandardCurve};
    // The oval missing its last straight: the very first candidate, one
    // standard straight, lands on the start.
    {
        const SearchResult r = PlainClosing(ProblemOf(Chain(OvalMissingStraight()), 0, 1));
        EXPECT_TRUE(r.found);
        EXPECT_EQ(r.codes, Codes({1}));
        EXPECT_LT(r.best, 0.01);
    }
    // With standard straights excluded two halves do it: among the pairs
    // (1..11, 1) and (1, 2) hold an excluded code, (2, 2) is next.
    EXPECT_EQ(PlainClosing(ProblemOf(Chain(OvalMissingStraight()), AllowOnly({2, 3, 4, 8}), 1)).codes, Codes({2, 2}));

    // The oval turned to start at a curve and missing "curve, straight": no
    // single piece lands; among the pairs slot 1 changes fastest, (1..7, 1)
    // do not turn right, (8, 1) lands.
    EXPECT_EQ(PlainClosing(ProblemOf(Chain({C, C, C, C, S, C, C, C}), 0, 1)).codes, Codes({8, 1}));

    // Missing "straight, curve": (8, 1) comes first and turns right, so it
    // is taken as the best so far, but (1, 8) later lands and replaces it.
    const ClosingProblem pb = ProblemOf(Chain({C, C, C, S, C, C, C, C}), 0, 1);
    EXPECT_EQ(PlainClosing(pb).codes, Codes({1, 8}));
    EXPECT_EQ(StockClosing(pb, {1, {9, 9, 9, 9, 9, 9, 9}}).codes, Codes({1, 8}));
}

TEST(ClosingSearch, GapWithinToleranceTriesOnlyTheFirstCandidate) {
    // SCX pen at (0, 0) heading 0, target 45 mm ahead, tolerance 5 cm
    // (2500 mm^2): the gap (2025 mm^2) is already within it. Only quarter
    // straights allowed: the first candidate lands at 87.5, 42.5 from the
    // target (1806.25 mm^2), nearer, so it is taken.
    ClosingProblem pb;
    pb.ninco = false;
    pb.width = 156.0;
    pb.targetX = 45.0;
    pb.excluded = AllowOnly({kCodeQuarterStraight});
    pb.toleranceCm = 5;
    SearchResult r = PlainClosing(pb);
    EXPECT_EQ(r.codes, Codes({3}));
    EXPECT_NEAR(r.best, 1806.25, 1e-3);
    EXPECT_EQ(PlainClosingStraightforward(pb).codes, Codes({3}));

    // Target 20 mm ahead: the quarter straight lands 67.5 away, farther;
    // nothing is found and the gap stays the best (400 mm^2).
    pb.targetX = 20.0;
    r = PlainClosing(pb);
    EXPECT_FALSE(r.found);
    EXPECT_EQ(r.codes, ClosingCodes{});
    EXPECT_NEAR(r.best, 400.0, 1e-3);

    // Target 49 mm ahead with halves first in line: the half (175) lands 126
    // away and is not nearer; the quarter that would land 38.5 away (nearer)
    // is never tried.
    pb.targetX = 49.0;
    pb.excluded = AllowOnly({kCodeHalfStraight, kCodeQuarterStraight});
    EXPECT_FALSE(PlainClosing(pb).found);
    EXPECT_FALSE(PlainClosingStraightforward(pb).found);
}

namespace {

// A random open chain of catalogue curves and straights of one width family,
// turned by a random angle, and a random choice of few allowed codes.
struct RandomCase {
    TCircuit circuit;
    ClosingProblem problem;
    StockLimit stock;
};

RandomCase MakeRandomCase(TRandom& rnd) {
    const int lanePairs = 1 + rnd.Below(3);
    const int brand = rnd.Below(2);
    std::vector<Piece> pieces;
    ExcludedSet excluded = 0xFFFE;
    if (rnd.Below(2) == 0) {
        // Any chain of catalogue straights and curves.
        const int n = 1 + rnd.Below(12);
        for (int i = 0; i < n; ++i) pieces.push_back({rnd.Below(7), rnd.Below(2), brand});
    } else {
        // An oval a few pieces short, so that closings exist: its right-hand
        // standard curve is always allowed.
        pieces = Oval(1 + rnd.Below(4), brand);
        excluded = static_cast<ExcludedSet>(excluded & ~(1u << kCodeStandardCurveRight));
    }
    // Half the chains start on a multiple of 22.5 degrees (as laid by the
    // editor), the others anywhere.
    const double angle = rnd.Below(2) == 0 ? rnd.Below(16) * kPiRef / 8 : rnd.Below(100000) * 2 * kPiRef / 100000;
    RandomCase rc{Chain(pieces, lanePairs, angle), {}, {}};
    const int allowed = 1 + rnd.Below(5);
    for (int k = 0; k < allowed; ++k) excluded = static_cast<ExcludedSet>(excluded & ~(1u << (1 + rnd.Below(11))));
    rc.problem = ProblemOf(rc.circuit, excluded, rnd.Below(6));
    rc.stock.lanePairs = lanePairs;
    for (int& v : rc.stock.available) v = rnd.Below(9);
    return rc;
}

void ExpectSame(const SearchResult& fast, const SearchResult& slow, int caseNumber) {
    EXPECT_EQ(fast.found, slow.found) << "case " << caseNumber;
    EXPECT_EQ(fast.codes, slow.codes) << "case " << caseNumber;
    EXPECT_EQ(fast.best, slow.best) << "case " << caseNumber;
    EXPECT_EQ(fast.progressSteps, slow.progressSteps) << "case " << caseNumber;
}

}  // namespace

TEST(ClosingSearch, FastSearchesGiveTheStraightforwardAnswers) {
    TRandom rnd(20240611);
    int found = 0, stockFound = 0, ranToTheEnd = 0;
    for (int i = 0; i < 160; ++i) {
        const RandomCase rc = MakeRandomCase(rnd);
        const SearchResult fast = PlainClosing(rc.problem);
        const SearchResult slow = PlainClosingStraightforward(rc.problem);
        ExpectSame(fast, slow, i);
        const SearchResult fastStock = StockClosing(rc.problem, rc.stock);
        const SearchResult slowStock = StockClosingStraightforward(rc.problem, rc.stock);
        ExpectSame(fastStock, slowStock, i);
        found += fast.found;
        stockFound += fastStock.found;
        ranToTheEnd += fast.best >= StopThreshold(rc.problem.toleranceCm);
    }
    // The cases must exercise both outcomes, not only trivial ones.
    EXPECT_GT(found, 60);
    EXPECT_GT(stockFound, 30);
    EXPECT_GT(ranToTheEnd, 30);
}

TEST(ClosingSearch, ReportsProgressAndStopsWhenCancelled) {
    // Two codes allowed and a heading no candidate matches: every candidate
    // runs. Slot 6 changes 2 times in the six-piece candidates and 2 x 2 in
    // the seven-piece ones: 6 steps, reported in order.
    ClosingProblem pb;
    pb.targetX = 100.0;
    pb.targetHeading = kPiRef / 2;
    pb.excluded = AllowOnly({kCodeStandardStraight, kCodeHalfStraight});
    for (auto search : {&PlainClosing, &PlainClosingStraightforward}) {
        std::vector<int> steps;
        SearchControl control;
        control.progress = [&steps](int s) { steps.push_back(s); };
        const SearchResult r = search(pb, control);
        EXPECT_FALSE(r.cancelled);
        EXPECT_FALSE(r.found);
        EXPECT_EQ(steps, (std::vector<int>{1, 2, 3, 4, 5, 6}));
        EXPECT_EQ(r.progressSteps, 6);
    }
    // Every piece allowed, a heading no candidate matches: 11 + 121 = 132
    // steps, the bar's range.
    pb.excluded = 0;
    pb.targetHeading = 0.3;
    EXPECT_EQ(PlainClosing(pb).progressSteps, 132);

    // A closing that would be found is cancelled after the first progress
    // step: no result.
    pb = ProblemOf(Chain({{kStandardCurve}, {kStandardCurve}}), 0, 0);
    pb.targetX += 3.0;  // nothing lands within 0.1 mm: the search goes on
    for (auto search : {&PlainClosing, &PlainClosingStraightforward}) {
        bool stop = false;
        SearchControl control;
        control.progress = [&stop](int) { stop = true; };
        control.cancelled = [&stop] { return stop; };
        const SearchResult r = search(pb, control);
        EXPECT_TRUE(r.cancelled);
        EXPECT_FALSE(r.found);
        EXPECT_EQ(r.codes, ClosingCodes{});
        EXPECT_EQ(r.progressSteps, 1);
    }
}

TEST(ClosingSearch, StockNeedsFollowTheConcentricCurves) {
    // p = 2: a standard curve is a standard curve inside two outer curves; an
    // inner curve an inner and a standard one; straights two of a kind.
    EXPECT_EQ(StockNeeds(kCodeStandardCurveLeft, 2), (StockCounts{0, 0, 0, 1, 0, 2, 0}));
    EXPECT_EQ(StockNeeds(kCodeInnerCurveRight, 2), (StockCounts{0, 0, 0, 1, 1, 0, 0}));
    EXPECT_EQ(StockNeeds(kCodeHalfStraight, 2), (StockCounts{0, 2, 0, 0, 0, 0, 0}));
    // p = 3 widens the standard curve by two super outer curves.
    EXPECT_EQ(StockNeeds(kCodeStandardCurveRight, 3), (StockCounts{0, 0, 0, 1, 0, 2, 2}));
    EXPECT_EQ(StockNeeds(kNoPiece, 1), StockCounts{});

    // The oval missing two curves, right standard curves only: two in stock
    // close it; with one, the one-curve candidate does not match the 90-degree
    // turn and every longer one is refused, so nothing is found.
    const ClosingProblem pb = ProblemOf(Chain(Oval(2)), AllowOnly({kCodeStandardCurveRight}), 1);
    EXPECT_EQ(StockClosing(pb, {1, {0, 0, 0, 2, 0, 0, 0}}).codes, Codes({8, 8}));
    const SearchResult one = StockClosing(pb, {1, {0, 0, 0, 1, 0, 0, 0}});
    EXPECT_TRUE(one.codes == ClosingCodes{});
    EXPECT_FALSE(one.found);
}

TEST(ClosingRandom, SameSolutionsAfterAResetAndAlwaysAMatchingHeading) {
    const ClosingProblem pb = ProblemOf(Chain(Oval(3)), 0, 2);
    TRandom rnd;
    const RandomResult a = RandomClosing(pb, rnd);
    const RandomResult b = RandomClosing(pb, rnd);
    rnd.Reset();
    EXPECT_EQ(RandomClosing(pb, rnd).codes, a.codes);
    EXPECT_EQ(RandomClosing(pb, rnd).codes, b.codes);
    ASSERT_FALSE(a.turnUnreachable);

    // The result's heading matches and its fitness is its squared distance
    // times its number of pieces.
    const PenModel<double> m = MakePenModel<double>(pb.ninco, pb.width);
    double x = pb.startX, y = pb.startY, h = pb.startHeading;
    for (uint8_t c : a.codes) Advance(m, c, x, y, h);
    EXPECT_TRUE(HeadingMatches(h, pb.targetHeading));
    const double d2 = (x - pb.targetX) * (x - pb.targetX) + (y - pb.targetY) * (y - pb.targetY);
    EXPECT_DOUBLE_EQ(a.fitness, d2 * PieceCount(a.codes));
    EXPECT_GT(a.generations, 0);

    // The program-wide generator starts the same way after a reset.
    ResetProgramRandom();
    const uint32_t first = ProgramRandom().Next();
    ProgramRandom().Next();
    ResetProgramRandom();
    EXPECT_EQ(ProgramRandom().Next(), first);
}

TEST(ClosingRandom, GivesUpWhenTheAllowedPiecesCannotTurn) {
    // Straights only against a 90-degree turn: no candidate ever matches.
    ClosingProblem pb = ProblemOf(Chain(Oval(2)), AllowOnly({1, 2, 3}), 1);
    TRandom rnd;
    const RandomResult r = RandomClosing(pb, rnd, 1000);
    EXPECT_TRUE(r.turnUnreachable);
    EXPECT_EQ(r.codes, ClosingCodes{});
    // The default bound ends too.
    EXPECT_TRUE(RandomClosing(pb, rnd).turnUnreachable);
}

TEST(ClosingRandom, TidyingMovesGapsAndMergesStraights) {
    // Three passes of gap closing, each a single sweep in which a 0 pulls
    // what follows forward once: nine leading zeros go down to 4, 2, then 1.
    ClosingCodes c = Codes({0, 0, 0, 0, 0, 0, 0, 0, 0, 4});
    TidyRandomCodes(c, 0);
    EXPECT_EQ(c, Codes({0, 4}));
    c = Codes({0, 0, 4, 0, 8});
    TidyRandomCodes(c, 0);
    EXPECT_EQ(c, Codes({4, 8}));

    // Quarters pair into halves, halves into standard straights, and a
    // quarter-half-quarter triple into a standard straight with a beep.
    int beeps = 0;
    c = Codes({3, 3, 3, 3, 2, 4, 3, 2, 3, 8});
    EXPECT_EQ(TidyRandomCodes(c, 0, [&beeps] { ++beeps; }), 1);
    EXPECT_EQ(beeps, 1);
    // 3,3,3,3 -> 2,0,2,0 -> gaps -> 2,2,2,4,... -> 1,0,2,4 -> 1,2,4,3,2,3,8
    // -> triple -> 1,2,4,1,0,0,8.
    EXPECT_EQ(c, Codes({1, 2, 4, 1, 0, 0, 8}));

    // Without half straights the quarters stay; without standard straights
    // halves and triples stay too.
    // 3,3 -> 2,0, the gap closes: 2,2,2,3,2,3 stays.
    c = Codes({3, 3, 2, 2, 3, 2, 3});
    TidyRandomCodes(c, AllowOnly({3, 2}));
    EXPECT_EQ(c, Codes({2, 2, 2, 3, 2, 3}));
    c = Codes({3, 3});
    TidyRandomCodes(c, AllowOnly({3, 1}));
    EXPECT_EQ(c, Codes({3, 3}));
}
