// Undo: one kept state, exchanged with the current one.

#include <gtest/gtest.h>

#include "ScriptedPrompter.h"

namespace quillet::test {
namespace {

TEST_F(EditorTest, UndoTwiceRestoresAndRedoes) {
    TCircuit& c = editor.Circuit();
    AppendPieces(c, kStandardStraight, 2);
    c.Track(2).selected = true;
    c.firstSelected = c.lastSelected = 2;

    // An insert as the insert commands make it: keep, insert, modified.
    editor.KeepCircuit();
    ASSERT_TRUE(editor.Circuit().Insert(kStandardCurve, 1, &prompter));
    editor.Circuit().modified = true;
    ASSERT_EQ(editor.Circuit().Count(), 3);

    editor.ToolButton44Click();
    EXPECT_EQ(editor.Circuit().Count(), 2);
    EXPECT_EQ(editor.Circuit().firstSelected, 2);
    EXPECT_EQ(editor.UndoCircuit().Count(), 3);
    editor.ToolButton44Click();
    EXPECT_EQ(editor.Circuit().Count(), 3);
    EXPECT_EQ(editor.Circuit().Track(3).type, kStandardCurve);
    // The pieces are laid again from the start point.
    EXPECT_NEAR(editor.Circuit().Track(3).P(1).x, editor.Circuit().Track(2).ExitPoint().x, 1e-9);
}

TEST_F(EditorTest, KeepCircuitCopiesTheChainButNotTheViewOrTheWorkArea) {
    TCircuit& c = editor.Circuit();
    AppendPieces(c, kStandardCurve, 2);
    c.Track(1).anchorMark = true;
    c.Track(2).outerBarrier = true;
    c.Track(2).surface = kSurfaceSnow;
    c.title = "Oval";
    c.scale = 7.0;
    c.gridStep = 300;
    c.detailLevel = 5;
    c.backgroundColour = 0x60A060;
    c.templatePath = "plan.bmp";
    c.Icon(3).kind = 2;
    c.Icon(3).x = 40.0;
    c.firstSelected = 1;
    c.lastSelected = 2;
    c.modified = true;
    c.rulersShown = true;
    c.workAreaLength = 9000;
    c.workAreaWidth = 7000;

    editor.KeepCircuit();
    const TCircuit& u = editor.UndoCircuit();
    EXPECT_EQ(u.Count(), 2);
    EXPECT_TRUE(u.Track(1).anchorMark);
    EXPECT_TRUE(u.Track(2).outerBarrier);
    EXPECT_EQ(u.Track(2).surface, kSurfaceSnow);
    EXPECT_EQ(u.title, "Oval");
    EXPECT_DOUBLE_EQ(u.scale, 7.0);
    EXPECT_EQ(u.gridStep, 300);
    EXPECT_EQ(u.detailLevel, 5);
    EXPECT_EQ(u.backgroundColour, 0x60A060);
    EXPECT_EQ(u.templatePath, "plan.bmp");
    EXPECT_EQ(u.Icon(3).kind, 2);
    EXPECT_DOUBLE_EQ(u.Icon(3).x, 40.0);
    EXPECT_EQ(u.firstSelected, 1);
    EXPECT_EQ(u.lastSelected, 2);
    // Not carried: the fresh circuit's values.
    EXPECT_FALSE(u.modified);
    EXPECT_FALSE(u.rulersShown);
    EXPECT_EQ(u.workAreaLength, 3000);
    EXPECT_EQ(u.workAreaWidth, 2000);
    // A deep copy: changing the current circuit leaves the copy.
    c.Track(1).type = kHalfStraight;
    EXPECT_EQ(u.Track(1).type, kStandardCurve);
}

TEST_F(EditorTest, UndoNeverMakesUnsavedWorkLookSaved) {
    TCircuit& c = editor.Circuit();
    AppendPieces(c, kStandardStraight, 1);
    c.modified = true;  // unsaved work
    editor.KeepCircuit();
    editor.Circuit().Append(kHalfStraight, 1, 1);
    editor.ToolButton44Click();
    // Back to the unsaved state: it is still unsaved.
    EXPECT_EQ(editor.Circuit().Count(), 1);
    EXPECT_TRUE(editor.Circuit().modified);

    // A state that was saved comes back as saved ...
    editor.Circuit().modified = false;
    editor.KeepCircuit();
    editor.Circuit().Append(kHalfStraight, 1, 1);
    editor.Circuit().modified = true;
    editor.ToolButton44Click();
    EXPECT_FALSE(editor.Circuit().modified);
    // ... and the undone edit, redone, is unsaved again.
    editor.ToolButton44Click();
    EXPECT_TRUE(editor.Circuit().modified);
}

TEST_F(EditorTest, UndoAfterNewLeavesAnEmptyCircuit) {
    AppendPieces(editor.Circuit(), kStandardStraight, 4);
    editor.KeepCircuit();
    editor.FileNew1Execute();
    editor.ToolButton44Click();
    EXPECT_EQ(editor.Circuit().Count(), 0);
    EXPECT_FALSE(editor.Circuit().modified);
}

TEST_F(EditorTest, UndoRightAfterStartOrNewStillShowsATitle) {
    // Before any edit the undo state is the empty circuit the start made.
    editor.StartUp();
    editor.ToolButton44Click();
    EXPECT_EQ(editor.FormActualize().caption, "Quillet - Untitled");
    editor.ToolButton44Click();

    // New replaces the undo state too, with an empty circuit of its own
    // name: Undo swaps the two empty circuits and the caption keeps it.
    AppendPieces(editor.Circuit(), kStandardStraight, 4);
    editor.KeepCircuit();
    editor.FileNew1Execute();
    EXPECT_EQ(editor.FormActualize().caption, "Quillet - Untitled 1");
    editor.ToolButton44Click();
    EXPECT_EQ(editor.Circuit().Count(), 0);
    EXPECT_EQ(editor.FormActualize().caption, "Quillet - Untitled 1");
    editor.ToolButton44Click();
    EXPECT_EQ(editor.FormActualize().caption, "Quillet - Untitled 1");
}

TEST_F(EditorTest, UndoKeepsTheRulersAsShownAndTheNotesAsWritten) {
    editor.KeepCircuit();
    editor.Reglas1Click();
    editor.Circuit().notes = "Club track, lane 2 is slow";
    editor.ToolButton44Click();
    EXPECT_TRUE(editor.RulersVisible());
    EXPECT_TRUE(editor.Circuit().rulersShown);
    EXPECT_EQ(editor.Circuit().notes, "Club track, lane 2 is slow");
    editor.ToolButton44Click();
    EXPECT_EQ(editor.Circuit().notes, "Club track, lane 2 is slow");
}

}  // namespace
}  // namespace quillet::test
