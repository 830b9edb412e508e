#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "ToolsTestSupport.h"
#include "model/Tracks.h"
#include "stock/TrackList.h"
#include "text/ExtraTexts.h"
#include "text/Languages.h"
#include "tools/Closing.h"
#include "tools/Random.h"

using namespace quillet;
using namespace quillet::test;

namespace {

const double kPiRef = std::acos(-1.0);

class RecordingHost : public TCloseHost {
public:
    void SearchStarts(bool exhaustive) override { starts.push_back(exhaustive); }
    void SearchEnds() override { ++ends; }
    void Progress(int step) override { lastStep = step; }
    bool CancelRequested() override { return cancel; }
    void Redraw() override { ++redraws; }
    void Beep() override { ++beeps; }
    bool SearchAnother() override {
        ++questions;
        return questions <= another;
    }
    void Tell(const std::string& text) override { told.push_back(text); }

    bool cancel = false;
    int another = 0;  // answer "Yes" this many times
    std::vector<bool> starts;
    int ends = 0, lastStep = 0, redraws = 0, beeps = 0, questions = 0;
    std::vector<std::string> told;
};

class English : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = LanguageIndex();
        SetLanguageIndex(kEnglish);
    }
    void TearDown() override { SetLanguageIndex(saved_); }

private:
    int saved_ = kSpanish;
};

CloseOptions Only(bool straight, bool half, bool quarter, bool standard, bool outer = false) {
    CloseOptions o;
    o.standardStraight = straight;
    o.halfStraight = half;
    o.quarterStraight = quarter;
    o.standardCurve = standard;
    o.innerCurve = false;
    o.outerCurve = outer;
    o.superOuterCurve = false;
    return o;
}

std::vector<int> TypesFrom(const TCircuit& c, int from) {
    std::vector<int> v;
    for (int i = from; i <= c.Count(); ++i) v.push_back(c.Track(i).type);
    return v;
}

const Piece S{kStandardStraight}, C{kStandardCurve};

}  // namespace

TEST(CloseDialog, LanePairsDisableTheLargerCurvesAndBoxesExcludeCodes) {
    const CloseDialogLimits one = CloseLimits(1), two = CloseLimits(2), three = CloseLimits(3), four = CloseLimits(4);
    EXPECT_TRUE(one.superOuterCurve && one.outerCurve && one.standardCurve);
    EXPECT_TRUE(!two.superOuterCurve && two.outerCurve && two.standardCurve);
    EXPECT_TRUE(!three.superOuterCurve && !three.outerCurve && three.standardCurve);
    EXPECT_TRUE(!four.superOuterCurve && !four.outerCurve && !four.standardCurve);

    // Every box checked on eight lanes: the three disabled boxes exclude
    // codes 4, 6, 7 and 8, 10, 11.
    const CloseOptions all;
    EXPECT_EQ(ExcludedSetOf(all), 0);
    const ExcludedSet eight = ExcludedSetOf(ApplyCloseLimits(all, 4));
    EXPECT_EQ(eight, (1 << 4) | (1 << 6) | (1 << 7) | (1 << 8) | (1 << 10) | (1 << 11));
    // Each unchecked box excludes its codes; the inner curve both hands.
    CloseOptions o;
    o.innerCurve = false;
    o.halfStraight = false;
    EXPECT_EQ(ExcludedSetOf(o), (1 << 2) | (1 << 5) | (1 << 9));

    EXPECT_TRUE(AnyTrackIncluded(Only(false, false, true, false)));
    EXPECT_FALSE(AnyTrackIncluded(Only(false, false, false, false)));
}

TEST_F(English, ClosesAnOpenOvalAndSelectsTheNewPieces) {
    // The oval missing its last straight: one standard straight closes it.
    TCircuit c = Chain(OvalMissingStraight());
    c.modified = false;
    RecordingHost host;
    const TTrackList stock;
    EXPECT_EQ(CloseCircuit(c, CloseOptions{}, stock, host), CloseStatus::Closed);
    EXPECT_EQ(TypesFrom(c, 10), std::vector<int>{kStandardStraight});
    EXPECT_TRUE(c.closed);
    EXPECT_TRUE(c.modified);
    EXPECT_EQ(c.firstSelected, 10);
    EXPECT_EQ(c.lastSelected, 10);
    for (int i = 1; i <= 9; ++i) EXPECT_FALSE(c.Track(i).selected) << i;
    EXPECT_TRUE(c.Track(10).selected);
    EXPECT_EQ(host.starts, std::vector<bool>{true});
    EXPECT_EQ(host.ends, 1);
    EXPECT_EQ(host.redraws, 1);
    EXPECT_EQ(host.questions, 0);  // the exhaustive search runs once
    EXPECT_TRUE(host.told.empty());

    // The oval turned to start at a curve, missing "straight, right curve":
    // both appended in that order, right-handed, NINCO width, selected.
    TCircuit d = Chain({C, C, C, S, C, C, C, C});
    EXPECT_EQ(CloseCircuit(d, CloseOptions{}, stock, host), CloseStatus::Closed);
    ASSERT_EQ(d.Count(), 10);
    EXPECT_EQ(d.Track(9).type, kStandardStraight);
    EXPECT_EQ(d.Track(10).type, kStandardCurve);
    EXPECT_EQ(d.Track(10).orientation, 0);
    EXPECT_EQ(d.Track(10).width, 180.0);
    EXPECT_EQ(d.firstSelected, 9);
    EXPECT_EQ(d.lastSelected, 10);
    EXPECT_TRUE(d.Track(9).selected && d.Track(10).selected && !d.Track(8).selected);
    EXPECT_TRUE(d.closed);
}

TEST_F(English, NothingIsAppendedWhenNothingGetsNearer) {
    const TTrackList stock;
    RecordingHost host;
    // Only straights against the 90-degree gap of the oval missing two
    // curves: no candidate matches the heading.
    TCircuit c = Chain(Oval(2));
    EXPECT_EQ(CloseCircuit(c, Only(true, true, true, false), stock, host), CloseStatus::NothingNearer);
    EXPECT_EQ(c.Count(), 8);
    EXPECT_TRUE(host.told.empty());

    // A closed oval already lies within the tolerance: the first candidate
    // (a standard straight) lands 400 mm away and nothing is appended.
    TCircuit closed = Chain(Oval(0));
    ASSERT_TRUE(closed.closed);
    EXPECT_EQ(CloseCircuit(closed, CloseOptions{}, stock, host), CloseStatus::NothingNearer);
    EXPECT_EQ(closed.Count(), 10);
    EXPECT_TRUE(closed.closed);
}

TEST_F(English, TurnsOfHalfA45DegreeStepNeedOuterCurves) {
    // A circle of sixteen right-hand outer curves missing its last one:
    // 22.5 degrees to turn (m = 337.5 / 45 = 7.5: Round 8, not 7.5).
    TCircuit c = Chain(std::vector<Piece>(15, Piece{kOuterCurve, 0, 1}));
    const int before = c.Count();
    const TTrackList stock;
    RecordingHost host;
    EXPECT_EQ(CloseCircuit(c, Only(true, true, true, true), stock, host), CloseStatus::NeedsOuterCurves);
    EXPECT_EQ(host.told, std::vector<std::string>{"Outer or super outer curves are required."});
    EXPECT_EQ(c.Count(), before);
    EXPECT_TRUE(host.starts.empty());  // refused before any search

    // Refused before anything is laid: an adaptation chicane the closing
    // would need is not appended either.
    std::vector<Piece> mixed{{kStandardStraight, 0, 1}, {kAdaptationChicane, 1, 0}};
    for (int k = 0; k < 15; ++k) mixed.push_back({kOuterCurve, 0, 0});
    TCircuit m = Chain(mixed);
    ASSERT_TRUE(PlanClosing(m, CloseOptions{}, stock).chicane);
    EXPECT_EQ(CloseCircuit(m, Only(true, true, true, true), stock, host), CloseStatus::NeedsOuterCurves);
    EXPECT_EQ(m.Count(), 17);

    // With outer curves allowed, the one-piece candidates 1 to 9 do not
    // match the heading and 10, a right-hand outer curve, closes it.
    EXPECT_EQ(CloseCircuit(c, Only(true, true, true, true, true), stock, host), CloseStatus::Closed);
    EXPECT_EQ(TypesFrom(c, before + 1), std::vector<int>{kOuterCurve});
    EXPECT_TRUE(c.closed);
}

TEST_F(English, StockOfTheClosingWidthForbidsTheBestClosing) {
    // The NINCO oval missing its straight uses one NINCO straight. A stock of
    // one leaves none: two half straights from the stock close it instead.
    TTrackList stock;
    stock.SetPieces(kNincoIndex, kStandardStraight, 1);
    stock.SetPieces(kNincoIndex, kHalfStraight, 2);
    CloseOptions useStock;
    useStock.useStock = true;
    RecordingHost host;
    TCircuit c = Chain(OvalMissingStraight());
    EXPECT_EQ(CloseCircuit(c, useStock, stock, host), CloseStatus::Closed);
    EXPECT_EQ(TypesFrom(c, 10), (std::vector<int>{kHalfStraight, kHalfStraight}));
    EXPECT_TRUE(c.closed);
    // Without the stock the standard straight is taken.
    TCircuit free = Chain(OvalMissingStraight());
    EXPECT_EQ(CloseCircuit(free, CloseOptions{}, stock, host), CloseStatus::Closed);
    EXPECT_EQ(TypesFrom(free, 10), std::vector<int>{kStandardStraight});

    // An SCX-width closing is checked against the SCX stock: plenty of NINCO
    // pieces do not help, two SCX half straights do.
    TTrackList nincoOnly;
    for (int t = 0; t <= kSuperOuterCurve; ++t) nincoOnly.SetPieces(kNincoIndex, t, 50);
    TCircuit scx = Chain(OvalMissingStraight(0));
    EXPECT_EQ(CloseCircuit(scx, useStock, nincoOnly, host), CloseStatus::NothingNearer);
    EXPECT_EQ(scx.Count(), 9);
    nincoOnly.SetPieces(kScxIndex, kHalfStraight, 2);
    EXPECT_EQ(CloseCircuit(scx, useStock, nincoOnly, host), CloseStatus::Closed);
    EXPECT_EQ(TypesFrom(scx, 10), (std::vector<int>{kHalfStraight, kHalfStraight}));
    EXPECT_EQ(scx.Track(11).width, 156.0);

    // The available counts subtract what the circuit uses, per width family,
    // and never go below 0.
    const auto left = AvailableForClosing(Chain(OvalMissingStraight()), stock);
    EXPECT_EQ(left[1], (StockCounts{0, 2, 0, 0, 0, 0, 0}));
    EXPECT_EQ(left[0], StockCounts{});
}

TEST(ClosingPlan, AdaptationChicaneWhenTheEndsDiffer) {
    const TTrackList stock;
    // NINCO start, SCX end (after an SCX-brand chicane): a NINCO-brand
    // chicane (156 to 180) goes first and the closing pieces are NINCO.
    TCircuit c = Chain({{kStandardStraight, 0, 1}, {kAdaptationChicane, 1, 0}, {kStandardStraight, 0, 0}});
    ClosingPlan plan = PlanClosing(c, CloseOptions{}, stock);
    ASSERT_FALSE(plan.refusal);
    EXPECT_TRUE(plan.chicane);
    EXPECT_EQ(plan.chicaneBrandFlag, 1);
    EXPECT_EQ(plan.brandFlag, 1);
    EXPECT_TRUE(plan.problem.ninco);
    // The pen starts at the chicane's exit corner, 12 mm outside the SCX
    // straight's: the chicane widens by 12 on each side.
    const PointD end = c.Track(3).ExitPoint();
    EXPECT_NEAR(plan.problem.startX, end.x + 200, 1e-9);
    EXPECT_NEAR(plan.problem.startY, end.y - 12, 1e-9);
    // Nothing better than the gap: the chicane alone is appended.
    EXPECT_EQ(ApplyClosing(c, plan, ClosingCodes{}), CloseStatus::NothingNearer);
    EXPECT_EQ(Types(c), (std::vector<int>{0, 8, 0, 8}));
    EXPECT_EQ(c.Track(4).width, 180.0);

    // A circuit that starts with a chicane and ends at its width needs a
    // second one, of the other brand: here 180 to 156, SCX closing pieces.
    TCircuit d = Chain({{kAdaptationChicane, 1, 1}, {kStandardStraight, 0, 1}, {kStandardStraight, 0, 1}});
    plan = PlanClosing(d, CloseOptions{}, stock);
    EXPECT_TRUE(plan.chicane);
    EXPECT_EQ(plan.chicaneBrandFlag, 0);
    EXPECT_EQ(plan.brandFlag, 0);
    EXPECT_FALSE(plan.problem.ninco);
    EXPECT_EQ(plan.problem.width, 156.0);

    // Equal widths and no chicane at the start: none.
    EXPECT_FALSE(PlanClosing(Chain(Oval(1)), CloseOptions{}, stock).chicane);
}

TEST_F(English, ChainNeverGrowsPastThreeHundredPieces) {
    const TTrackList stock;
    RecordingHost host;
    // 299 pieces: an oval missing its last three curves, then loops that
    // come back to where they started (34 circles of standard curves and two
    // ovals). Three curves would close it: 302 pieces, refused whole, with
    // the limit text.
    std::vector<Piece> pieces = Oval(3);
    for (int k = 0; k < 34 * 8; ++k) pieces.push_back(C);
    for (int k = 0; k < 2; ++k) {
        const std::vector<Piece> oval = Oval(0);
        pieces.insert(pieces.end(), oval.begin(), oval.end());
    }
    ASSERT_EQ(pieces.size(), 299u);
    TCircuit c = Chain(pieces);
    const ClosingPlan open = PlanClosing(c, Only(true, false, false, true), stock);
    EXPECT_EQ(RunExhaustiveClosing(open).codes, (ClosingCodes{8, 8, 8}));
    EXPECT_EQ(CloseCircuit(c, Only(true, false, false, true), stock, host), CloseStatus::TooManyTracks);
    EXPECT_EQ(host.told, std::vector<std::string>{"Tracks Limit "});
    EXPECT_EQ(c.Count(), 299);
    // One piece would still fit.
    const ClosingPlan plan = PlanClosing(c, CloseOptions{}, stock);
    EXPECT_EQ(ApplyClosing(c, plan, ClosingCodes{1}), CloseStatus::Closed);
    EXPECT_EQ(c.Count(), 300);
    // At 300 nothing is searched.
    EXPECT_EQ(PlanClosing(c, CloseOptions{}, stock).refusal, CloseStatus::TooManyTracks);
}

TEST(Closing, CancelledSearchAppendsNothingNotEvenTheChicane) {
    TCircuit c = Chain({{kStandardStraight, 0, 1}, {kAdaptationChicane, 1, 0}, {kStandardStraight, 0, 0}});
    RecordingHost host;
    host.cancel = true;
    EXPECT_EQ(CloseCircuit(c, CloseOptions{}, TTrackList{}, host), CloseStatus::Cancelled);
    EXPECT_EQ(c.Count(), 3);
    EXPECT_EQ(host.redraws, 0);
}

TEST_F(English, RandomSearchRepeatsFromTheSameStartAndSearchesAgainOnYes) {
    const TTrackList stock;
    CloseOptions advanced;
    advanced.advanced = true;
    advanced.toleranceCm = 2;
    const TCircuit open = Chain(Oval(3));

    // Two runs from a reset generator append the same pieces.
    auto run = [&](int yes, RecordingHost& host) {
        TCircuit c = open;
        host.another = yes;
        ResetProgramRandom();
        EXPECT_EQ(CloseCircuit(c, advanced, stock, host), CloseStatus::Closed);
        return c;
    };
    RecordingHost h1, h2, h3;
    const TCircuit first = run(0, h1);
    const TCircuit again = run(0, h2);
    EXPECT_EQ(Types(first), Types(again));
    EXPECT_GT(first.Count(), 7);
    EXPECT_EQ(h1.questions, 1);
    EXPECT_EQ(h1.starts, std::vector<bool>{false});
    EXPECT_EQ(first.lastSelected, first.Count());
    EXPECT_EQ(first.firstSelected, 8);

    // "Yes" once: the first solution is taken off and a second one found;
    // the circuit ends as the second solution from the generator's state.
    const TCircuit twice = run(1, h3);
    EXPECT_EQ(h3.questions, 2);
    EXPECT_EQ(h3.starts.size(), 2u);
    EXPECT_GE(twice.Count(), 8);
    for (int i = 1; i <= 7; ++i) EXPECT_EQ(twice.Track(i).type, open.Track(i).type);
    EXPECT_EQ(twice.lastSelected, twice.Count());

    // Straights only cannot make the 90-degree turn: the user is told.
    RecordingHost h4;
    CloseOptions straights = Only(true, true, true, false);
    straights.advanced = true;
    TCircuit c = Chain(Oval(2));
    EXPECT_EQ(CloseCircuit(c, straights, stock, h4), CloseStatus::TurnUnreachable);
    EXPECT_EQ(h4.told, std::vector<std::string>{Text(XText::ClosingTurnUnreachable)});
    EXPECT_EQ(c.Count(), 8);
}

TEST(Closing, SingleRacingAddsTheMissingEndLoopOnly) {
    TCircuit off = Chain(Oval(1));
    EXPECT_FALSE(CloseSingleRacing(off).has_value());

    TCircuit c = Chain({S, S, S});
    c.singleRacing = true;
    c.Track(1).selected = true;
    c.firstSelected = c.lastSelected = 1;
    ASSERT_EQ(CloseSingleRacing(c), CloseStatus::SingleRacingEnds);
    // One outer curve, six inner ones, one outer, after the last piece
    // whatever was selected: that is the end being closed.
    EXPECT_EQ(TypesFrom(c, 1), (std::vector<int>{0, 0, 0, 14, 13, 13, 13, 13, 13, 13, 14}));
    EXPECT_TRUE(c.modified);
    // The loop is there now: nothing more to do, and CloseCircuit searches
    // nothing.
    EXPECT_EQ(CloseSingleRacing(c), CloseStatus::NothingToDo);
    RecordingHost host;
    EXPECT_EQ(CloseCircuit(c, CloseOptions{}, TTrackList{}, host), CloseStatus::NothingToDo);
    EXPECT_EQ(c.Count(), 11);
    EXPECT_TRUE(host.starts.empty());

    TCircuit empty;
    empty.singleRacing = true;
    EXPECT_EQ(CloseSingleRacing(empty), CloseStatus::NothingToDo);
    TCircuit none;
    EXPECT_EQ(PlanClosing(none, CloseOptions{}, TTrackList{}).refusal, CloseStatus::NothingToDo);
}
