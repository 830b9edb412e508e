// Track attributes (anchor, orientation, borders, barriers) and the circuit's
// place on the work area (rotate, move, centre), and which commands keep an
// undo copy.

#include <gtest/gtest.h>

#include <functional>

#include "ScriptedPrompter.h"

namespace quillet::test {
namespace {

using C = ControlId;

void Select(TCircuit& c, int first, int last) {
    for (int i = 1; i <= c.Count(); ++i) c.Track(i).selected = i >= first && i <= last;
    c.firstSelected = first;
    c.lastSelected = last;
}

// The three flags of one border side: whole, exit half, entry half.
std::array<bool, 3> Outer(const TTrack& t) {
    return {t.Border(kOuterBorder), t.Border(kOuterBorderExitHalf), t.Border(kOuterBorderEntryHalf)};
}
std::array<bool, 3> Inner(const TTrack& t) {
    return {t.Border(kInnerBorder), t.Border(kInnerBorderExitHalf), t.Border(kInnerBorderEntryHalf)};
}
using Flags = std::array<bool, 3>;

TEST_F(EditorTest, BorderButtonsCycleOnStraightsAndToggleElsewhere) {
    TCircuit& c = editor.Circuit();
    c.Append(kStandardStraight, 1, 1);
    c.Append(kStandardCurve, 1, 1);
    c.Append(kChangeoverTrack, 1, 1);
    c.Append(kStartingStraight, 1, 1);
    c.ReLay(false);

    // A standard straight: whole, exit half, entry half, none.
    Select(c, 1, 1);
    const Flags outerCycle[] = {{true, false, false}, {false, true, false}, {false, false, true}, {}};
    for (const Flags& expected : outerCycle) {
        EXPECT_TRUE(editor.ToolButton39Click());
        EXPECT_EQ(Outer(c.Track(1)), expected);
        EXPECT_EQ(editor.Controls().pressed[C::ToolButton39], expected[0]);
    }
    // The border strip follows: the exit half alone covers the second half
    // of the piece, so its polygon's entry end sits at the middle (200 mm,
    // 40 px at 5 mm per pixel).
    editor.ToolButton39Click();
    editor.ToolButton39Click();
    EXPECT_EQ(c.Track(1).OuterPoly(1).x, c.Track(1).ScreenP(5).x);
    editor.ToolButton39Click();
    editor.ToolButton39Click();

    // A changeover track, inner side.
    Select(c, 3, 3);
    const Flags innerCycle[] = {{true, false, false}, {false, true, false}, {false, false, true}, {}};
    for (const Flags& expected : innerCycle) {
        editor.ToolButton38Click();
        EXPECT_EQ(Inner(c.Track(3)), expected);
    }
    // A curve: the whole border on and off.
    Select(c, 2, 2);
    editor.ToolButton38Click();
    EXPECT_EQ(Inner(c.Track(2)), (Flags{true, false, false}));
    EXPECT_TRUE(editor.Controls().pressed[C::ToolButton38]);
    editor.ToolButton38Click();
    EXPECT_EQ(Inner(c.Track(2)), Flags{});

    // Only a starting straight selected: the default for new pieces toggles
    // and the piece keeps its borders. Nothing to redraw.
    Select(c, 4, 4);
    const auto before = c.Track(4).borders;
    EXPECT_FALSE(editor.ToolButton39Click());
    EXPECT_TRUE(c.outerBorderDefault);
    EXPECT_TRUE(editor.Controls().pressed[C::ToolButton39]);
    EXPECT_EQ(c.Track(4).borders, before);
    // With nothing selected, likewise for the inner default.
    Select(c, 0, 0);
    EXPECT_FALSE(editor.ToolButton38Click());
    EXPECT_TRUE(c.innerBorderDefault);
    // New pieces take them.
    Select(c, 1, 1);
    editor.ToolButton24Click();
    EXPECT_TRUE(c.Track(2).Border(kOuterBorder));
    EXPECT_TRUE(c.Track(2).Border(kInnerBorder));

    // With nothing selected a refresh shows the defaults, not the borders
    // of the track clicked last (after New or Open, say).
    c.outerBorderDefault = false;
    EXPECT_TRUE(editor.FormActualize().controls.pressed[C::ToolButton39]);  // track 2 still selected
    Select(c, 0, 0);
    const TWindowState s = editor.FormActualize();
    EXPECT_FALSE(s.controls.pressed[C::ToolButton39]);
    EXPECT_TRUE(s.controls.pressed[C::ToolButton38]);
}

TEST_F(EditorTest, BorderButtonsOnARangeAndTheBorderDeletions) {
    TCircuit& c = editor.Circuit();
    c.Append(kStandardStraight, 1, 1);
    c.Append(kAdaptationChicane, 1, 0);
    c.Append(kStartingStraight, 1, 1);
    c.Append(kStandardStraight, 1, 1);
    c.Track(1).SetBorder(kOuterBorderExitHalf, true);
    c.Track(4).SetBorder(kInnerBorderEntryHalf, true);
    c.ReLay(false);
    Select(c, 1, 4);

    // Outer on a range: whole borders, halves off, except on adaptation
    // chicanes and starting straights.
    EXPECT_TRUE(editor.ToolButton39Click());
    EXPECT_EQ(Outer(c.Track(1)), (Flags{true, false, false}));
    EXPECT_EQ(Outer(c.Track(2)), Flags{});
    EXPECT_EQ(Outer(c.Track(3)), Flags{});
    EXPECT_EQ(Outer(c.Track(4)), (Flags{true, false, false}));
    // Inner: only adaptation chicanes are left out.
    editor.ToolButton38Click();
    EXPECT_EQ(Inner(c.Track(2)), Flags{});
    EXPECT_EQ(Inner(c.Track(3)), (Flags{true, false, false}));
    EXPECT_EQ(Inner(c.Track(4)), (Flags{true, false, false}));
    // The box takes the new strip in: the first straight's inner side is
    // its left edge (it turns left) at y = 1000, its border 50 mm beyond.
    EXPECT_EQ(c.box.top, 1000 - 50);

    Select(c, 3, 4);
    editor.ToolButton65Click();
    EXPECT_EQ(Inner(c.Track(3)), Flags{});
    EXPECT_EQ(Inner(c.Track(4)), Flags{});
    EXPECT_EQ(Inner(c.Track(1)), (Flags{true, false, false}));
    Select(c, 1, 1);
    editor.ToolButton64Click();
    EXPECT_EQ(Outer(c.Track(1)), Flags{});
    EXPECT_EQ(Outer(c.Track(4)), (Flags{true, false, false}));
    Select(c, 0, 0);
    editor.ToolButton60Click();
    for (const TTrack& t : c.Tracks()) EXPECT_EQ(t.borders, (std::array<bool, 6>{}));
}

TEST_F(EditorTest, CrashBarriersCycleOnStraightsAndToggleOnCurves) {
    TCircuit& c = editor.Circuit();
    c.Append(kHalfStraight, 1, 1);
    c.Append(kStandardCurve, 1, 1);
    c.Append(kStartingStraight, 1, 1);
    c.ReLay(false);
    using Barriers = std::pair<bool, bool>;  // inner, outer
    auto barriers = [&c](int i) { return Barriers{c.Track(i).innerBarrier, c.Track(i).outerBarrier}; };

    Select(c, 1, 1);
    for (const Barriers& expected : {Barriers{false, true}, Barriers{true, false}, Barriers{true, true}, Barriers{}}) {
        editor.ToolButton62Click();
        EXPECT_EQ(barriers(1), expected);
    }
    Select(c, 2, 2);
    editor.ToolButton62Click();
    EXPECT_EQ(barriers(2), (Barriers{false, true}));
    editor.ToolButton62Click();
    EXPECT_EQ(barriers(2), Barriers{});

    // A starting straight takes none: no edit at all.
    Select(c, 3, 3);
    c.modified = false;
    editor.UndoCircuit().title = "older";
    editor.ToolButton62Click();
    EXPECT_EQ(barriers(3), Barriers{});
    EXPECT_FALSE(c.modified);
    EXPECT_EQ(editor.UndoCircuit().title, "older");

    // A range: outer barriers on everything in it, the starting straight
    // included; Delete Crash Barriers takes the outer ones off and leaves
    // the inner.
    c.Track(1).innerBarrier = true;
    Select(c, 1, 3);
    editor.ToolButton62Click();
    for (int i = 1; i <= 3; ++i) EXPECT_TRUE(c.Track(i).outerBarrier);
    editor.ToolButton63Click();
    EXPECT_EQ(barriers(1), (Barriers{true, false}));
    EXPECT_EQ(barriers(2), Barriers{});
}

TEST_F(EditorTest, FixMovesTheAnchorAndRemovesIt) {
    TCircuit& c = editor.Circuit();
    editor.ToolButton24Click();
    editor.ToolButton24Click();
    ASSERT_TRUE(c.Track(1).anchorMark);
    Select(c, 2, 2);
    editor.ToolButton20Click();
    EXPECT_FALSE(c.Track(1).anchorMark);
    EXPECT_TRUE(c.Track(2).anchorMark);
    ASSERT_EQ(editor.AnchorMarkers().size(), 1u);
    editor.ToolButton20Click();
    EXPECT_FALSE(c.Track(2).anchorMark);
    EXPECT_TRUE(editor.AnchorMarkers().empty());
    // Nothing selected: nothing to fix.
    Select(c, 0, 0);
    editor.ToolButton20Click();
    EXPECT_FALSE(c.Track(1).anchorMark);
}

TEST_F(EditorTest, OrientationTurnsTheRangeRoundTheAnchor) {
    // An SCX straight, a starting chicane, a standard curve turning right
    // and a straight fixed in place.
    TCircuit& c = editor.Circuit();
    c.startBrand = 0;
    c.Append(kStandardStraight, 1, 0);
    c.Append(kStartingChicane, 0, 0);
    c.Append(kStandardCurve, 0, 0);
    c.Append(kStandardStraight, 1, 0);
    c.Track(4).anchorMark = true;
    c.ReLay(false);
    const TTrack anchored = c.Track(4);
    Select(c, 2, 3);
    editor.ToolButton36Click();
    EXPECT_EQ(c.Track(2).orientation, 0);  // a starting chicane keeps it
    EXPECT_EQ(c.Track(3).orientation, 1);
    EXPECT_EQ(c.Track(1).orientation, 1);  // outside the range
    EXPECT_NEAR(c.Track(4).x, anchored.x, 0.02);
    EXPECT_NEAR(c.Track(4).y, anchored.y, 0.02);
    EXPECT_NEAR(c.Track(4).angle, anchored.angle, 0.02);
}

TEST_F(EditorTest, MovesGoOneGridStepAndStopAtTheEdge) {
    // A straight from (50, 1000): its box runs from x = 50 to 450.
    TCircuit& c = editor.Circuit();
    c.startX = 50;
    c.startY = 1000;
    AppendPieces(c, kStandardStraight, 1);
    c.Icon(1) = {1, 500.0, 500.0, false};
    ASSERT_EQ(c.gridStep, 200);
    // Left by min(200, 50) = 50, to the edge; then nothing.
    editor.ToolButton16Click();
    EXPECT_DOUBLE_EQ(c.startX, 0.0);
    EXPECT_EQ(c.box.left, 0);
    EXPECT_DOUBLE_EQ(c.Icon(1).x, 450.0);
    EXPECT_TRUE(c.modified);
    c.modified = false;
    editor.ToolButton16Click();
    EXPECT_DOUBLE_EQ(c.startX, 0.0);
    EXPECT_FALSE(c.modified);

    // Up: the box's top is 1000, a full step to 800. Down from 980 bottom
    // to the 2000 mm edge: min(200, 2000 - 980) = 200.
    editor.ToolButton15Click();
    EXPECT_DOUBLE_EQ(c.startY, 800.0);
    EXPECT_EQ(c.box.bottom, 980);
    editor.ToolButton14Click();
    EXPECT_DOUBLE_EQ(c.startY, 1000.0);
    // Right: a box ending at 2950 goes 50, to 3000.
    c.startX = 2550;
    c.ReLay(false);
    editor.ToolButton17Click();
    EXPECT_DOUBLE_EQ(c.startX, 2600.0);
    EXPECT_EQ(c.box.right, 3000);
    editor.ToolButton17Click();
    EXPECT_DOUBLE_EQ(c.startX, 2600.0);

    // A grid step of 0 (a damaged file) moves by 1 mm, never by nothing
    // forever or by a division by zero.
    c.gridStep = 0;
    editor.ToolButton16Click();
    EXPECT_DOUBLE_EQ(c.startX, 2599.0);
}

TEST_F(EditorTest, CenterPutsTheBoxInTheMiddleOfTheWorkArea) {
    TCircuit& c = editor.Circuit();
    // A straight from (1300.4, 910.3): box 1300..1700 by 910..1090, centred
    // on the 3000 x 2000 mm work area: dx = (3000 + 1300 - 1700) / 2 - 1300
    // = 0 and dy = (2000 + 910 - 1090) / 2 - 910 = 0. The start stays put.
    c.startX = 1300.4;
    c.startY = 910.3;
    AppendPieces(c, kStandardStraight, 1);
    editor.ToolButton43Click();
    EXPECT_DOUBLE_EQ(c.startX, 1300.4);
    EXPECT_DOUBLE_EQ(c.startY, 910.3);

    // From (1000, 500): box 1000..1400 by 500..680; dx = (3000 + 1000 -
    // 1400) / 2 - 1000 = 300, dy = (2000 + 500 - 680) / 2 - 500 = 410.
    c.startX = 1000;
    c.startY = 500;
    c.Icon(2) = {4, 100.0, 100.0, false};
    c.ReLay(false);
    editor.ToolButton43Click();
    EXPECT_DOUBLE_EQ(c.startX, 1300.0);
    EXPECT_DOUBLE_EQ(c.startY, 910.0);
    EXPECT_DOUBLE_EQ(c.Icon(2).x, 400.0);
    EXPECT_DOUBLE_EQ(c.Icon(2).y, 510.0);
}

TEST_F(EditorTest, RotateTurnsAboutTheBoxCentreWithoutAnUndoCopy) {
    TCircuit& c = editor.Circuit();
    editor.ToolButton24Click();  // the undo copy holds the empty circuit
    c.title = "current";
    editor.RotateRightClick();
    EXPECT_NEAR(c.Track(1).angle, kPi / 8, 1e-9);
    editor.RotateLeftClick();
    editor.RotateLeftClick();
    EXPECT_NEAR(c.Track(1).angle, -kPi / 8, 1e-9);
    EXPECT_TRUE(c.modified);
    // Undo goes back past the turns to before the insert.
    editor.ToolButton44Click();
    EXPECT_EQ(editor.Circuit().Count(), 0);
}

TEST_F(EditorTest, UndoCopiesAreKeptByTheEditsOfTheChainOnly) {
    struct Case {
        const char* name;
        int first;
        int last;
        std::function<void(TEditor&)> run;
        bool keepsCopy;
    };
    const Case cases[] = {
        {"insert", 2, 2, [](TEditor& e) { e.ToolButton27Click(); }, true},
        {"curve insert", 2, 2, [](TEditor& e) { e.CurveButtonMouseUp(C::ToolButton31, TMouseButton::Left, true); }, true},
        {"delete", 2, 2, [](TEditor& e) { e.ToolButton19Click(); }, true},
        {"orientation", 2, 2, [](TEditor& e) { e.ToolButton36Click(); }, true},
        {"inner border range", 1, 2, [](TEditor& e) { e.ToolButton38Click(); }, true},
        {"outer border range", 1, 2, [](TEditor& e) { e.ToolButton39Click(); }, true},
        {"inner border one", 2, 2, [](TEditor& e) { e.ToolButton38Click(); }, false},
        {"outer border one", 2, 2, [](TEditor& e) { e.ToolButton39Click(); }, false},
        {"delete inner borders", 2, 2, [](TEditor& e) { e.ToolButton65Click(); }, true},
        {"delete outer borders", 2, 2, [](TEditor& e) { e.ToolButton64Click(); }, true},
        {"delete all borders", 0, 0, [](TEditor& e) { e.ToolButton60Click(); }, true},
        {"crash barriers", 2, 2, [](TEditor& e) { e.ToolButton62Click(); }, true},
        {"delete crash barriers", 2, 2, [](TEditor& e) { e.ToolButton63Click(); }, true},
        {"add automatic borders", 3, 3, [](TEditor& e) { e.ToolButton52Click(); }, false},
        {"delete automatic borders", 3, 3, [](TEditor& e) { e.ToolButton40Click(); }, true},
        {"equilibrate", 0, 0, [](TEditor& e) { e.ToolButton54Click(); }, true},
        {"single racing", 0, 0, [](TEditor& e) { e.ToolButton59Click(); }, true},
        {"fix", 2, 2, [](TEditor& e) { e.ToolButton20Click(); }, false},
        {"rotate left", 0, 0, [](TEditor& e) { e.RotateLeftClick(); }, false},
        {"rotate right", 0, 0, [](TEditor& e) { e.RotateRightClick(); }, false},
        {"move up", 0, 0, [](TEditor& e) { e.ToolButton15Click(); }, false},
        {"move down", 0, 0, [](TEditor& e) { e.ToolButton14Click(); }, false},
        {"move left", 0, 0, [](TEditor& e) { e.ToolButton16Click(); }, false},
        {"move right", 0, 0, [](TEditor& e) { e.ToolButton17Click(); }, false},
        {"center", 0, 0, [](TEditor& e) { e.ToolButton43Click(); }, false},
    };
    for (const Case& k : cases) {
        // Two straights, a curve, a straight, well inside the work area.
        TCircuit& c = editor.Circuit();
        c = TCircuit(1000, 800);
        c.Append(kStandardStraight, 0, 1);
        c.Append(kStandardStraight, 0, 1);
        c.Append(kStandardCurve, 0, 1);
        c.Append(kStandardStraight, 0, 1);
        c.ReLay(false);
        Select(c, k.first, k.last);
        c.title = "current";
        editor.UndoCircuit().title = "older";
        k.run(editor);
        EXPECT_EQ(editor.UndoCircuit().title == "current", k.keepsCopy) << k.name;
    }
}

}  // namespace
}  // namespace quillet::test
