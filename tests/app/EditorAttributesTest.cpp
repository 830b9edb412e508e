// Track attributes (anchor, orientation, borders, barriers), the circuit's
// place on the work area (rotate, move, centre), and which commands keep an
// undo copy.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "ScriptedPrompter.h"

namespace quillet::test {
namespace {

using C = ControlId;
using Flags = std::array<bool, 3>;  // a border side: whole, exit half, entry half

void Select(TCircuit& c, int first, int last) {
    for (int i = 1; i <= c.Count(); ++i) c.Track(i).selected = i >= first && i <= last;
    c.firstSelected = first;
    c.lastSelected = last;
}

Flags Outer(const TTrack& t) {
    return {t.Border(kOuterBorder), t.Border(kOuterBorderExitHalf), t.Border(kOuterBorderEntryHalf)};
}
Flags Inner(const TTrack& t) {
    return {t.Border(kInnerBorder), t.Border(kInnerBorderExitHalf), t.Border(kInnerBorderEntryHalf)};
}

TEST_F(EditorTest, BorderButtonsCycleOnStraightsAndToggleElsewhere) {
    TCircuit& c = editor.Circuit();
    c.Append(kStandardStraight, 1, 1);
    c.Append(kStandardCurve, 0, 1);  // turning right, down the screen
    c.Append(kAdaptationChicane, 1, 0);
    c.Append(kStartingStraight, 1, 0);
    c.ReLay(false);

    // A standard straight: whole, exit half, entry half, none.
    Select(c, 1, 1);
    for (const Flags& expected :
         {Flags{true, false, false}, Flags{false, true, false}, Flags{false, false, true}, Flags{}}) {
        EXPECT_TRUE(editor.ToolButton39Click());
        EXPECT_EQ(Outer(c.Track(1)), expected);
        EXPECT_EQ(editor.Controls().pressed[C::ToolButton39], expected[0]);
    }
    // A curve: the whole border on and off.
    Select(c, 2, 2);
    editor.ToolButton38Click();
    EXPECT_EQ(Inner(c.Track(2)), (Flags{true, false, false}));
    editor.ToolButton38Click();
    EXPECT_EQ(Inner(c.Track(2)), Flags{});

    // Only a starting straight selected: the default for new pieces toggles
    // and the piece keeps its borders; nothing to redraw.
    Select(c, 4, 4);
    EXPECT_FALSE(editor.ToolButton39Click());
    EXPECT_TRUE(c.outerBorderDefault);
    EXPECT_TRUE(editor.Controls().pressed[C::ToolButton39]);
    EXPECT_EQ(Outer(c.Track(4)), Flags{});

    // A range: whole borders, halves off, but none on adaptation chicanes
    // and (outer) starting straights; it keeps an undo copy.
    c.Track(1).SetBorder(kOuterBorderExitHalf, true);
    Select(c, 1, 4);
    c.title = "current";
    EXPECT_TRUE(editor.ToolButton39Click());
    EXPECT_EQ(editor.UndoCircuit().title, "current");
    EXPECT_EQ(Outer(c.Track(1)), (Flags{true, false, false}));
    EXPECT_EQ(Outer(c.Track(3)), Flags{});
    EXPECT_EQ(Outer(c.Track(4)), Flags{});
    editor.ToolButton38Click();
    EXPECT_EQ(Inner(c.Track(3)), Flags{});
    EXPECT_EQ(Inner(c.Track(4)), (Flags{true, false, false}));
    // The box takes the new strips in: the first straight turns left, so
    // its inner border lies beyond its left edge at y = 1000.
    EXPECT_EQ(c.box.top, 1000 - 50);

    // The deletions.
    Select(c, 1, 2);
    editor.ToolButton65Click();
    EXPECT_EQ(Inner(c.Track(1)), Flags{});
    EXPECT_EQ(Inner(c.Track(4)), (Flags{true, false, false}));
    editor.ToolButton64Click();
    EXPECT_EQ(Outer(c.Track(1)), Flags{});
    editor.ToolButton60Click();
    EXPECT_EQ(Inner(c.Track(4)), Flags{});

    // With nothing selected a refresh shows the defaults, not the borders
    // of the track clicked last (after New or Open, say).
    Select(c, 0, 0);
    EXPECT_FALSE(editor.FormActualize().controls.pressed[C::ToolButton38]);
    EXPECT_TRUE(editor.FormActualize().controls.pressed[C::ToolButton39]);
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
    editor.ToolButton62Click();
    EXPECT_EQ(barriers(3), Barriers{});
    EXPECT_FALSE(c.modified);

    // A range: outer barriers on all of it; Delete Crash Barriers takes the
    // outer ones off and leaves the inner.
    c.Track(1).innerBarrier = true;
    Select(c, 1, 3);
    editor.ToolButton62Click();
    for (int i = 1; i <= 3; ++i) EXPECT_TRUE(c.Track(i).outerBarrier);
    editor.ToolButton63Click();
    EXPECT_EQ(barriers(1), (Barriers{true, false}));
}

TEST_F(EditorTest, FixMovesTheAnchorAndOrientationTurnsRoundIt) {
    TCircuit& c = editor.Circuit();
    c.startBrand = 0;
    editor.ToolButton24Click();  // anchored as the first piece
    editor.ToolButton28Click();
    editor.CurveButtonMouseUp(C::ToolButton30, TMouseButton::Right, true);
    editor.ToolButton24Click();
    ASSERT_EQ(c.Count(), 5);
    Select(c, 5, 5);
    editor.ToolButton20Click();
    EXPECT_FALSE(c.Track(1).anchorMark);
    EXPECT_TRUE(c.Track(5).anchorMark);
    const TTrack fixed = c.Track(5);

    // Orientation on 2..4: the chicanes keep theirs, the curve turns left,
    // and the chain moves round the fixed piece.
    Select(c, 2, 4);
    editor.ToolButton36Click();
    EXPECT_EQ(c.Track(2).orientation, 0);
    EXPECT_EQ(c.Track(4).orientation, 1);
    EXPECT_NEAR(c.Track(5).x, fixed.x, 0.02);
    EXPECT_NEAR(c.Track(5).y, fixed.y, 0.02);
    EXPECT_NEAR(c.Track(5).angle, fixed.angle, 0.02);

    // Fix again on the same track removes the anchor.
    Select(c, 5, 5);
    editor.ToolButton20Click();
    EXPECT_TRUE(editor.AnchorMarkers().empty());
}

TEST_F(EditorTest, MovesGoOneGridStepAndStopAtTheEdge) {
    // A straight from (50, 1000): its box runs from x = 50 to 450.
    TCircuit& c = editor.Circuit();
    c.startX = 50;
    c.startY = 1000;
    AppendPieces(c, kStandardStraight, 1);
    c.Icon(1) = {1, 500.0, 500.0, false};
    // Left by min(200, 50) = 50, to the edge; then nothing.
    editor.ToolButton16Click();
    EXPECT_DOUBLE_EQ(c.startX, 0.0);
    EXPECT_DOUBLE_EQ(c.Icon(1).x, 450.0);
    EXPECT_TRUE(c.modified);
    c.modified = false;
    editor.ToolButton16Click();
    EXPECT_DOUBLE_EQ(c.startX, 0.0);
    EXPECT_FALSE(c.modified);
    // Up a full step from 1000 to 800, and down again.
    editor.ToolButton15Click();
    EXPECT_DOUBLE_EQ(c.startY, 800.0);
    editor.ToolButton14Click();
    EXPECT_DOUBLE_EQ(c.startY, 1000.0);
    // Right: a box ending at 2950 goes 50, to 3000, and no further.
    c.startX = 2550;
    c.ReLay(false);
    editor.ToolButton17Click();
    editor.ToolButton17Click();
    EXPECT_DOUBLE_EQ(c.startX, 2600.0);
    // A grid step of 0 (a damaged file) moves by 1 mm.
    c.gridStep = 0;
    editor.ToolButton16Click();
    EXPECT_DOUBLE_EQ(c.startX, 2599.0);
}

TEST_F(EditorTest, CenterPutsTheBoxInTheMiddleOfTheWorkArea) {
    TCircuit& c = editor.Circuit();
    // A straight from (1300.4, 910.3): box 1300..1700 by 910..1090 on the
    // 3000 x 2000 mm work area: dx = (3000 + 1300 - 1700) / 2 - 1300 = 0,
    // dy = (2000 + 910 - 1090) / 2 - 910 = 0. The start stays put.
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
    c.ReLay(false);
    editor.ToolButton43Click();
    EXPECT_DOUBLE_EQ(c.startX, 1300.0);
    EXPECT_DOUBLE_EQ(c.startY, 910.0);
}

TEST_F(EditorTest, IconsMoveWithTheCircuitButStayOnTheWorkArea) {
    // At 5 mm a pixel a 32-pixel icon is 160 mm wide: its corner stays
    // within 0..2840 by 0..1840 on the 3000 x 2000 mm work area.
    TCircuit& c = editor.Circuit();
    c.startX = 50;
    c.startY = 1000;
    AppendPieces(c, kStandardStraight, 1);  // box 50..450 by 1000..1180
    c.Icon(1) = {1, 20.0, 300.0, false};
    c.Icon(2) = {2, 2700.0, 1800.0, false};
    auto at = [&](int slot, double x, double y, const char* step) {
        EXPECT_DOUBLE_EQ(c.Icon(slot).x, x) << step << " slot " << slot;
        EXPECT_DOUBLE_EQ(c.Icon(slot).y, y) << step << " slot " << slot;
    };
    // Left 50: the first icon would reach x = -30.
    editor.ToolButton16Click();
    EXPECT_DOUBLE_EQ(c.startX, 0.0);
    at(1, 0.0, 300.0, "left");
    at(2, 2650.0, 1800.0, "left");
    // Down 200: the second would reach y = 2000.
    editor.ToolButton14Click();
    EXPECT_DOUBLE_EQ(c.startY, 1200.0);
    at(1, 0.0, 500.0, "down");
    at(2, 2650.0, 1840.0, "down");
    // Up 200: the pinned icon keeps the place it was pinned at.
    editor.ToolButton15Click();
    EXPECT_DOUBLE_EQ(c.startY, 1000.0);
    at(1, 0.0, 300.0, "up");
    at(2, 2650.0, 1640.0, "up");
    // Right 200: 2850 is past 2840.
    editor.ToolButton17Click();
    EXPECT_DOUBLE_EQ(c.startX, 200.0);
    at(1, 200.0, 300.0, "right");
    at(2, 2840.0, 1640.0, "right");
    // Center: box 200..600 by 1000..1180 moves by dx = (3000 + 200 - 600) /
    // 2 - 200 = 1100, dy = (2000 + 1000 - 1180) / 2 - 1000 = -90.
    editor.ToolButton43Click();
    EXPECT_DOUBLE_EQ(c.startX, 1300.0);
    EXPECT_DOUBLE_EQ(c.startY, 910.0);
    at(1, 1300.0, 210.0, "center");
    at(2, 2840.0, 1550.0, "center");
    // At 10 mm a pixel the icon is 320 mm: the edge is at 3000 - 320.
    c.scale = 10.0;
    editor.ToolButton17Click();
    EXPECT_DOUBLE_EQ(c.startX, 1500.0);
    at(2, 2680.0, 1550.0, "right at 10 mm");

    // Turning about the box's middle swings an icon in the top-left corner
    // past the top or the left edge, whichever way it turns.
    for (const bool right : {true, false}) {
        c = TCircuit(1000, 1000);
        AppendPieces(c, kStandardStraight, 1);
        c.Icon(1) = {1, 0.0, 0.0, false};
        right ? editor.RotateRightClick() : editor.RotateLeftClick();
        const TIconSlot& icon = c.Icon(1);
        EXPECT_GE(icon.x, 0.0) << right;
        EXPECT_GE(icon.y, 0.0) << right;
        EXPECT_DOUBLE_EQ(std::min(icon.x, icon.y), 0.0) << right;
        EXPECT_GT(std::max(icon.x, icon.y), 300.0) << right;
    }
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
        {"curve insert", 2, 2, [](TEditor& e) { e.CurveButtonMouseUp(C::ToolButton31, TMouseButton::Left, true); },
         true},
        {"delete", 2, 2, [](TEditor& e) { e.ToolButton19Click(); }, true},
        {"orientation", 2, 2, [](TEditor& e) { e.ToolButton36Click(); }, true},
        {"inner border range", 1, 2, [](TEditor& e) { e.ToolButton38Click(); }, true},
        {"inner border one", 2, 2, [](TEditor& e) { e.ToolButton38Click(); }, false},
        {"outer border one", 2, 2, [](TEditor& e) { e.ToolButton39Click(); }, false},
        {"delete inner borders", 2, 2, [](TEditor& e) { e.ToolButton65Click(); }, true},
        {"delete all borders", 0, 0, [](TEditor& e) { e.ToolButton60Click(); }, true},
        {"crash barriers", 2, 2, [](TEditor& e) { e.ToolButton62Click(); }, true},
        {"delete crash barriers", 2, 2, [](TEditor& e) { e.ToolButton63Click(); }, true},
        {"add automatic borders", 3, 3, [](TEditor& e) { e.ToolButton52Click(); }, false},
        {"delete automatic borders", 3, 3, [](TEditor& e) { e.ToolButton40Click(); }, true},
        {"equilibrate", 0, 0, [](TEditor& e) { e.ToolButton54Click(); }, true},
        {"single racing", 0, 0, [](TEditor& e) { e.ToolButton59Click(); }, true},
        {"fix", 2, 2, [](TEditor& e) { e.ToolButton20Click(); }, false},
        {"rotate", 0, 0, [](TEditor& e) { e.RotateRightClick(); }, false},
        {"move", 0, 0, [](TEditor& e) { e.ToolButton14Click(); }, false},
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
