// The Insert Icon drop-down and the track-surface button with its menu.

#include <gtest/gtest.h>

#include "ScriptedPrompter.h"

namespace quillet::test {
namespace {

using C = ControlId;

TEST_F(EditorTest, EachIconMenuItemChoosesItsKindAndStartsPlacement) {
    struct Case {
        void (TEditor::*item)();
        int image;
        int kind;
    };
    // The menu's order: controller, lap counter, start, assistant, power
    // source; the kinds as the slots store them.
    const Case cases[] = {
        {&TEditor::asd1Click, 66, 3},   {&TEditor::asd2Click, 65, 1},         {&TEditor::asd3Click, 67, 2},
        {&TEditor::HelperClick, 68, 4}, {&TEditor::PowerSource1Click, 74, 5},
    };
    for (const Case& k : cases) {
        editor.FormActualize();
        ASSERT_FALSE(editor.PlacementMode());
        (editor.*k.item)();
        EXPECT_EQ(editor.IconImage(), k.image);
        EXPECT_EQ(IconKindOfImage(editor.IconImage()), k.kind);
        EXPECT_TRUE(editor.PlacementMode());
        // The button shows it from the next refresh on.
        EXPECT_EQ(editor.FormActualize().iconImage, k.image);
    }
    EXPECT_EQ(IconKindOfImage(kImageSnow), 0);
}

TEST_F(EditorTest, ChoosingAnIconDeselectsEverythingAndTheButtonRepeatsIt) {
    TCircuit& c = editor.Circuit();
    AppendPieces(c, kStandardStraight, 4);
    for (int i = 2; i <= 3; ++i) c.Track(i).selected = true;
    c.Track(2).replaceMark = true;
    c.firstSelected = 2;
    c.lastSelected = 3;
    c.Icon(5).kind = 1;
    c.Icon(5).selected = true;

    editor.asd3Click();  // Start
    for (const TTrack& t : c.Tracks()) {
        EXPECT_FALSE(t.selected);
        EXPECT_FALSE(t.replaceMark);
    }
    EXPECT_FALSE(c.Icon(5).selected);
    EXPECT_EQ(c.Icon(5).kind, 1);  // deselected, not removed
    EXPECT_EQ(c.firstSelected, 0);
    EXPECT_EQ(c.lastSelected, 0);
    EXPECT_FALSE(editor.FormActualize().controls.enabled[C::CopyTrack1]);
    EXPECT_FALSE(c.modified);              // choosing places nothing yet
    EXPECT_FALSE(editor.PlacementMode());  // the refresh ended it

    // The button itself, later: the same kind again.
    editor.ToolButton23Click();
    EXPECT_TRUE(editor.PlacementMode());
    EXPECT_EQ(IconKindOfImage(editor.IconImage()), 2);
}

TEST_F(EditorTest, ASurfaceChosenWithoutASelectionWaitsOnTheButton) {
    TCircuit& c = editor.Circuit();
    AppendPieces(c, kStandardCurve, 4);
    EXPECT_EQ(editor.FormActualize().surfaceImage, kImageAsphalt);  // 70 at start
    editor.KeepCircuit();
    c.title = "after the undo copy";

    // Snow with nothing selected: no track changes, no undo copy; the button
    // takes the snow picture.
    editor.N21Click();
    for (const TTrack& t : c.Tracks()) EXPECT_EQ(t.surface, kSurfaceNone);
    EXPECT_FALSE(c.modified);
    EXPECT_EQ(editor.UndoCircuit().title, "");
    EXPECT_EQ(editor.SurfaceImage(), kImageSnow);
    EXPECT_EQ(editor.FormActualize().surfaceImage, 72);
    // Its click without a selection does nothing either.
    editor.ToolButton33Click();
    EXPECT_FALSE(c.modified);

    // With tracks 2..4 selected the click gives the first of them snow (2).
    for (int i = 2; i <= 4; ++i) c.Track(i).selected = true;
    c.firstSelected = 2;
    c.lastSelected = 4;
    editor.ToolButton33Click();
    EXPECT_EQ(c.Track(2).surface, kSurfaceSnow);
    EXPECT_EQ(c.Track(3).surface, kSurfaceNone);
    EXPECT_TRUE(c.modified);
    EXPECT_EQ(editor.UndoCircuit().Track(2).surface, kSurfaceNone);
    editor.ToolButton44Click();
    EXPECT_EQ(editor.Circuit().Track(2).surface, kSurfaceNone);
    editor.ToolButton44Click();
    EXPECT_EQ(editor.Circuit().Track(2).surface, kSurfaceSnow);
}

TEST_F(EditorTest, SurfaceMenuItemsSetTheFirstSelectedTrack) {
    TCircuit& c = editor.Circuit();
    AppendPieces(c, kStandardStraight, 3);
    c.Track(3).selected = true;
    c.firstSelected = c.lastSelected = 3;
    struct Case {
        void (TEditor::*item)();
        uint8_t surface;
    };
    // Asphalt is no surface (0), snow 2, sand 1, water 3.
    const Case cases[] = {
        {&TEditor::N31Click, kSurfaceSand},
        {&TEditor::N21Click, kSurfaceSnow},
        {&TEditor::N41Click, kSurfaceWater},
        {&TEditor::N11Click, kSurfaceNone},
    };
    for (const Case& k : cases) {
        c.modified = false;
        (editor.*k.item)();
        EXPECT_EQ(c.Track(3).surface, k.surface);
        EXPECT_TRUE(c.modified);
        // With a track selected the button keeps its own picture.
        EXPECT_EQ(editor.SurfaceImage(), kImageAsphalt);
    }

    // The button's pictures and the surfaces they give: 69 sand, 70 none,
    // 71 water, 72 snow.
    const std::pair<int, uint8_t> buttons[] = {{69, 1}, {70, 0}, {71, 3}, {72, 2}};
    for (const auto& [image, surface] : buttons) {
        editor.SetSurfaceImage(image);
        editor.ToolButton33Click();
        EXPECT_EQ(c.Track(3).surface, surface) << image;
    }
}

}  // namespace
}  // namespace quillet::test
