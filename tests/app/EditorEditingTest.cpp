// Inserting and deleting pieces, the limits that stop an insert, the chicane
// pairs, the automatic borders and the single-racing loops.

#include <gtest/gtest.h>

#include "ScriptedPrompter.h"

namespace quillet::test {
namespace {

using C = ControlId;

void Select(TCircuit& c, int i) {
    for (TTrack& t : c.Tracks()) t.selected = false;
    c.Track(i).selected = true;
    c.firstSelected = c.lastSelected = i;
}

void ExpectNear(const PointD& a, const PointD& b, double tolerance = 1e-6) {
    EXPECT_NEAR(a.x, b.x, tolerance);
    EXPECT_NEAR(a.y, b.y, tolerance);
}

// The undo circuit is marked so a test can tell whether a command kept a
// new undo copy.
void MarkUndo(TEditor& editor) {
    editor.UndoCircuit().title = "older state";
    editor.Circuit().title = "current";
}
bool KeptUndoCopy(TEditor& editor) { return editor.UndoCircuit().title == "current"; }

TEST_F(EditorTest, InsertsFollowTheSelectionAndTheMouseButtonChoosesTheTurn) {
    TCircuit& c = editor.Circuit();
    // Into an empty circuit no selection is needed; the first piece is fixed
    // and selected, so the next insert follows it.
    editor.ToolButton24Click();
    ASSERT_EQ(c.Count(), 1);
    EXPECT_TRUE(c.Track(1).anchorMark);
    EXPECT_EQ(c.firstSelected, 1);
    editor.ToolButton27Click();
    EXPECT_EQ(c.Track(2).type, kChangeoverTrack);
    EXPECT_EQ(c.Track(2).orientation, 1);  // the Orientation button is never pressed

    // Right button: clockwise (orientation 0); left: anticlockwise (1).
    editor.CurveButtonMouseUp(C::ToolButton30, TMouseButton::Right, true);
    editor.CurveButtonMouseUp(C::ToolButton29, TMouseButton::Left, true);
    ASSERT_EQ(c.Count(), 4);
    EXPECT_EQ(c.Track(3).type, kStandardCurve);
    EXPECT_EQ(c.Track(3).orientation, 0);
    EXPECT_EQ(c.Track(4).type, kInnerCurve);
    EXPECT_EQ(c.Track(4).orientation, 1);
    // Released off the button or with the middle button: nothing.
    editor.CurveButtonMouseUp(C::ToolButton30, TMouseButton::Left, false);
    editor.CurveButtonMouseUp(C::ToolButton30, TMouseButton::Middle, true);
    EXPECT_EQ(c.Count(), 4);

    // Without a selection the user is told, and no undo copy is kept for
    // nothing: Undo still reaches the last real edit.
    Select(c, 2);
    c.Track(2).selected = false;
    MarkUndo(editor);
    editor.ToolButton24Click();
    EXPECT_EQ(c.Count(), 4);
    EXPECT_TRUE(prompter.Logged("info 104"));
    EXPECT_FALSE(KeptUndoCopy(editor));
}

TEST_F(EditorTest, InsertsStopAtThreeHundredPiecesAndFarOffTheWorkArea) {
    TCircuit& c = editor.Circuit();
    // Inner curves of one hand go round a circle of 241.5 mm outer radius,
    // so the chain stays on the work area at any length.
    c.startX = 1500;
    c.startY = 1000;
    for (int i = 0; i < 284; ++i) c.Append(kInnerCurve, 0, 1);
    c.ReLay(false);
    Select(c, 284);
    editor.ToolButton24Click();
    EXPECT_EQ(c.Count(), 285);
    while (c.Count() < 299) c.Append(kInnerCurve, 0, 1);
    c.ReLay(false);
    Select(c, 299);
    // A chicane pair needs two places: at 299 it goes in whole or not at all.
    editor.ToolButton34Click();
    EXPECT_EQ(c.Count(), 299);
    editor.CurveButtonMouseUp(C::ToolButton29, TMouseButton::Left, true);
    EXPECT_EQ(c.Count(), 300);

    // At 300 every insert button is off, and every insert refuses anyway.
    const TWindowState s = editor.FormActualize();
    for (C id : {C::ToolButton22, C::ToolButton24, C::ToolButton25, C::ToolButton26, C::ToolButton27, C::ToolButton28,
                 C::ToolButton45, C::ToolButton29, C::ToolButton30, C::ToolButton31, C::ToolButton32, C::ToolButton46,
                 C::ToolButton34}) {
        EXPECT_FALSE(s.controls.enabled[id]) << ControlName(id);
    }
    editor.ToolButton45Click();
    editor.CurveButtonMouseUp(C::ToolButton46, TMouseButton::Left, true);
    EXPECT_EQ(c.Count(), 300);

    // One straight from x = start: the box's left is the start. The work
    // area widened by 800 mm reaches x = -800.
    for (const double start : {-800.0, -801.0}) {
        c = TCircuit(0, 1000);
        c.startX = start;
        AppendPieces(c, kStandardStraight, 1);
        Select(c, 1);
        MarkUndo(editor);
        editor.ToolButton24Click();
        EXPECT_EQ(c.Count(), start == -800.0 ? 2 : 1) << start;
        EXPECT_EQ(KeptUndoCopy(editor), start == -800.0);
    }
}

TEST_F(EditorTest, ChicaneButtonsFollowTheSelectedScxTrack) {
    TCircuit& c = editor.Circuit();
    c.startBrand = 0;
    editor.ToolButton24Click();  // an SCX standard straight, 156 wide
    TWindowState s = editor.FormActualize();
    EXPECT_TRUE(s.controls.enabled[C::ToolButton28]);
    EXPECT_FALSE(s.controls.enabled[C::ToolButton45]);
    EXPECT_FALSE(s.controls.enabled[C::ToolButton46]);

    // The pair: the lanes meet in the first piece (orientation 0) and part
    // in the second (1).
    editor.ToolButton28Click();
    ASSERT_EQ(c.Count(), 3);
    EXPECT_EQ(c.Track(2).type, kStartingChicane);
    EXPECT_EQ(c.Track(2).orientation, 0);
    EXPECT_EQ(c.Track(3).type, kStartingChicane);
    EXPECT_EQ(c.Track(3).orientation, 1);

    // Inside the chicane only chicane pieces and changeovers continue it.
    Select(c, 2);
    s = editor.FormActualize();
    EXPECT_FALSE(s.controls.enabled[C::ToolButton28]);
    EXPECT_TRUE(s.controls.enabled[C::ToolButton45]);
    EXPECT_TRUE(s.controls.enabled[C::ToolButton46]);
    EXPECT_TRUE(s.controls.enabled[C::ToolButton27]);
    for (C id : {C::ToolButton24, C::ToolButton25, C::ToolButton26, C::ToolButton29, C::ToolButton30, C::ToolButton31,
                 C::ToolButton32, C::ToolButton34, C::ToolButton22}) {
        EXPECT_FALSE(s.controls.enabled[id]) << ControlName(id);
    }
}

TEST_F(EditorTest, DeleteTakesAnIconATrackOrARange) {
    TCircuit& c = editor.Circuit();
    c.startX = 0;
    c.startY = 1000;
    AppendPieces(c, kStandardStraight, 5);
    c.Track(1).anchorMark = true;

    // A selected accessory goes first, tracks untouched, with an undo copy.
    c.Icon(5) = {2, 300.0, 300.0, true};
    Select(c, 3);
    MarkUndo(editor);
    editor.ToolButton19Click();
    EXPECT_EQ(c.Icon(5).kind, 0);
    EXPECT_EQ(c.Count(), 5);
    EXPECT_TRUE(KeptUndoCopy(editor));

    // One track: the one before it is selected; the chain closes up behind
    // the anchored first piece.
    editor.ToolButton19Click();
    ASSERT_EQ(c.Count(), 4);
    EXPECT_EQ(c.firstSelected, 2);
    EXPECT_TRUE(c.Track(2).selected);
    ExpectNear(c.Track(3).P(1), PointD{800, 1000});

    // A range.
    c.Track(3).selected = true;
    c.lastSelected = 3;
    editor.ToolButton19Click();
    ASSERT_EQ(c.Count(), 2);

    // The first piece: the rest stays where it lies, nothing is selected.
    const PointD second = c.Track(2).P(1);
    Select(c, 1);
    editor.ToolButton19Click();
    ASSERT_EQ(c.Count(), 1);
    ExpectNear(c.Track(1).P(1), second);
    EXPECT_EQ(c.firstSelected, 0);
}

TEST_F(EditorTest, ChicanesAreDeletedInPairs) {
    // Three straights, an adaptation chicane pair at 4 and 5, a straight.
    TCircuit& c = editor.Circuit();
    c.startX = 0;
    c.startY = 1000;
    AppendPieces(c, kStandardStraight, 3);
    Select(c, 3);
    editor.ToolButton34Click();
    editor.ToolButton24Click();
    ASSERT_EQ(c.Count(), 6);
    ASSERT_EQ(c.Track(4).type, kAdaptationChicane);
    ASSERT_EQ(c.Track(5).type, kAdaptationChicane);
    const TCircuit saved = c;
    for (int first : {4, 5}) {
        c = saved;
        Select(c, first);
        editor.ToolButton19Click();
        ASSERT_EQ(c.Count(), 4) << first;
        for (const TTrack& t : c.Tracks()) EXPECT_EQ(t.type, kStandardStraight);
        // The last straight now follows the third, at 3 x 400 = 1200.
        ExpectNear(c.Track(4).P(1), PointD{1200, 1000});
        EXPECT_EQ(c.firstSelected, 3);
    }

    // A lone starting chicane: the message, nothing deleted, nothing kept.
    c = TCircuit(0, 1000);
    c.Append(kStandardStraight, 1, 0);
    c.Append(kStartingChicane, 0, 0);
    c.Append(kStraightChicane, 1, 0);
    c.Append(kStartingChicane, 1, 0);
    c.ReLay(false);
    Select(c, 2);
    MarkUndo(editor);
    editor.ToolButton19Click();
    EXPECT_TRUE(prompter.Logged("info 198"));
    EXPECT_EQ(c.Count(), 4);
    EXPECT_FALSE(KeptUndoCopy(editor));

    // A pair at the head: both go and the straight after them stays where
    // it was, at 2 x 350 = 700.
    c = TCircuit(0, 1000);
    c.Append(kStartingChicane, 0, 0);
    c.Append(kStartingChicane, 1, 0);
    c.Append(kStandardStraight, 1, 0);
    c.ReLay(false);
    Select(c, 1);
    editor.ToolButton19Click();
    ASSERT_EQ(c.Count(), 1);
    ExpectNear(c.Track(1).P(1), PointD{700, 1000});
}

TEST_F(EditorTest, SingleRacingAddsAndRemovesBothLoops) {
    // Ten NINCO straights from (0, 1000) to (4000, 1000).
    TCircuit& c = editor.Circuit();
    c.startX = 0;
    c.startY = 1000;
    AppendPieces(c, kStandardStraight, 10);
    Select(c, 4);
    EXPECT_TRUE(editor.ToolButton59Click());
    ASSERT_EQ(c.Count(), 26);
    EXPECT_TRUE(c.singleRacing);
    EXPECT_TRUE(c.closed);
    for (int i = 1; i <= 26; ++i) EXPECT_EQ(IsSingleRacing(c.Track(i).type), i <= 8 || i >= 19) << i;
    // The straights keep their place and orientation. Each loop comes back
    // one track width (180) to the side it left from (the loop's radii are
    // rounded to 0.01 mm).
    ExpectNear(c.Track(9).P(1), PointD{0, 1000});
    ExpectNear(c.Track(18).P(9), PointD{4000, 1000});
    EXPECT_EQ(c.Track(9).orientation, 1);
    ExpectNear(c.Track(1).P(1), PointD{0, 1180}, 0.01);
    ExpectNear(c.Track(26).P(9), PointD{4000, 1180}, 0.01);

    // Removing: both loops go, the straights stay.
    EXPECT_TRUE(editor.ToolButton59Click());
    ASSERT_EQ(c.Count(), 10);
    EXPECT_FALSE(c.singleRacing);
    ExpectNear(c.Track(1).P(1), PointD{0, 1000});
    ExpectNear(c.Track(10).P(9), PointD{4000, 1000});

    // One straight between the loops: 17 pieces, and Delete leaves it.
    c = TCircuit(0, 1000);
    AppendPieces(c, kStandardStraight, 1);
    editor.ToolButton59Click();
    ASSERT_EQ(c.Count(), 17);
    Select(c, 9);
    editor.ToolButton19Click();
    EXPECT_EQ(c.Count(), 17);

    // Four lanes: nothing at all.
    c = TCircuit(0, 1000);
    c.lanePairs = 2;
    AppendPieces(c, kStandardStraight, 2);
    EXPECT_FALSE(editor.ToolButton59Click());
    EXPECT_EQ(c.Count(), 2);
    EXPECT_FALSE(c.modified);
}

TEST_F(EditorTest, AutomaticBordersNeedACurve) {
    // A straight, two standard curves turning right, a straight.
    TCircuit& c = editor.Circuit();
    c.Append(kStandardStraight, 0, 1);
    c.Append(kStandardCurve, 0, 1);
    c.Append(kStandardCurve, 0, 1);
    c.Append(kStandardStraight, 0, 1);
    c.ReLay(false);
    Select(c, 1);
    editor.ToolButton52Click();
    EXPECT_TRUE(prompter.Logged("info 209"));
    editor.ToolButton40Click();
    EXPECT_TRUE(prompter.Logged("info 127"));

    // On a curve the button adds; on the bordered curve it takes them off.
    Select(c, 2);
    editor.ToolButton52Click();
    EXPECT_TRUE(c.Track(3).Border(kOuterBorder));
    EXPECT_TRUE(c.Track(4).Border(kOuterBorderEntryHalf));
    editor.ToolButton52Click();
    for (const TTrack& t : c.Tracks()) EXPECT_EQ(t.borders, (std::array<bool, 6>{}));
}

}  // namespace
}  // namespace quillet::test
