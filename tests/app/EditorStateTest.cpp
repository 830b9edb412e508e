// The refresh: caption, status panels, the enabling of every control, the
// minimum scale, the markers and the empty circuit's start point.

#include <gtest/gtest.h>

#include "ScriptedPrompter.h"
#include "app/Commands.h"
#include "model/RecordingCanvas.h"

namespace quillet::test {
namespace {

using C = ControlId;

TEST(MinimumScale, GrowsWithTheSquareRootOfTheWorkArea) {
    // max(trunc(sqrt(L/2000 x W/2000)) + 1, 3)
    EXPECT_EQ(MinimumScaleFor(3000, 2000), 3);    // sqrt(1.5) = 1.22 -> 2 -> 3
    EXPECT_EQ(MinimumScaleFor(12000, 12000), 7);  // sqrt(36) = 6 -> 7
    EXPECT_EQ(MinimumScaleFor(8000, 8000), 5);    // sqrt(16) = 4 -> 5
    EXPECT_EQ(MinimumScaleFor(12000, 6000), 5);   // sqrt(18) = 4.24 -> 5
    EXPECT_EQ(MinimumScaleFor(1000, 1000), 3);
}

TEST(CommandRows, EveryEditorCommandNamesItsMethod) {
    int editorRows = 0;
    for (const TCommandDef& d : Commands()) {
        switch (d.run.kind) {
            case RunKind::Editor:
            case RunKind::Placement:
                EXPECT_NE(d.run.method, nullptr) << static_cast<int>(d.id);
                ++editorRows;
                break;
            case RunKind::EditorOrShow:
                EXPECT_NE(d.run.showingMethod, nullptr) << static_cast<int>(d.id);
                ++editorRows;
                break;
            case RunKind::None:
            case RunKind::Window:
                break;
        }
    }
    EXPECT_GT(editorRows, 20);
}

TEST_F(EditorTest, RefreshShowsTitleSizeAndRaisesTheScaleToTheMinimum) {
    editor.StartUp();
    TWindowState s = editor.FormActualize();
    EXPECT_EQ(s.caption, "Quillet - Untitled");
    EXPECT_EQ(s.panel2, "0 x 0 cm");
    EXPECT_EQ(s.minimumScale, 3);
    EXPECT_DOUBLE_EQ(s.scale, 5.0);

    // A bordered straight from (1600, 1000): its exit corner is 400 mm on.
    TCircuit& c = editor.Circuit();
    c.startX = 1600;
    c.startY = 1000;
    c.Append(kStandardStraight, 1, 1);
    c.Track(1).SetBorder(kOuterBorder, true);
    c.ReLay(false);
    const TBoundingBox before = c.ComputeBoundingBox();
    editor.SetWorkArea(12000, 12000);
    s = editor.FormActualize();
    EXPECT_EQ(s.minimumScale, 7);
    EXPECT_DOUBLE_EQ(editor.Circuit().scale, 7.0);
    // The raised scale lays the pieces out again: 2000 mm / 7 = 285.7 -> 286
    // pixels. The box reads the border in pixels, so it stays where it was
    // to within a pixel of the new scale (stale pixels would put it 7 / 5
    // times as far out).
    EXPECT_EQ(c.Track(1).ScreenP(9).x, 286);
    EXPECT_NEAR(c.ComputeBoundingBox().right, before.right, 7);
    EXPECT_NEAR(c.ComputeBoundingBox().top, before.top, 7);
    // 12000 / 7 = 1714.29 -> 1714 pixels each way.
    EXPECT_EQ(s.layout.image, (PixelSize{1714, 1714}));
    // Out of range sizes are held at the handle's limits.
    editor.SetWorkArea(500, 20000);
    EXPECT_EQ(editor.WorkAreaLength(), 1000);
    EXPECT_EQ(editor.WorkAreaWidth(), 12000);
}

TEST_F(EditorTest, SizeAndLanePanelsInWholeCentimetres) {
    TCircuit& c = editor.Circuit();
    AppendPieces(c, kStandardStraight, 3);  // 3 x 400 mm NINCO, 180 mm wide
    const TWindowState s = editor.FormActualize();
    EXPECT_EQ(s.panel2, "120 x 18 cm");
    // Two lanes, each 1200 mm: "120 + 120 cm".
    EXPECT_EQ(s.panel3, "120 + 120 cm");
    // Single racing joins the two lanes into one: 1200 + 1200 mm.
    c.singleRacing = true;
    EXPECT_EQ(editor.LaneLengthsPanelText(), "240 cm");
}

TEST_F(EditorTest, PanelOneWarnsAtTheTrackLimitAndTellsAClosedCircuit) {
    TCircuit& c = editor.Circuit();
    for (int i = 0; i < 283; ++i) c.Append(kQuarterStraight, 1, 1);
    EXPECT_EQ(editor.Panel1Text(), "Circuit opened ");
    c.Append(kQuarterStraight, 1, 1);
    EXPECT_EQ(editor.Panel1Text(), "Tracks Limit ");
    c.Append(kQuarterStraight, 1, 1);
    EXPECT_EQ(editor.Panel1Text(), "Circuit opened ");
    c.closed = true;
    EXPECT_EQ(editor.Panel1Text(), "Circuit closed ");
    SetLanguageIndex(kSpanish);
    EXPECT_EQ(editor.Panel1Text(), "Circuito cerrado ");
}

TEST_F(EditorTest, EditMenuFollowsSelectionAndClipboard) {
    TCircuit& c = editor.Circuit();
    TWindowState s = editor.FormActualize();
    EXPECT_FALSE(s.controls.enabled[C::SelectAll1]);
    EXPECT_FALSE(s.controls.enabled[C::CopyTrack1]);
    EXPECT_FALSE(s.controls.enabled[C::Close1]);
    EXPECT_FALSE(s.controls.enabled[C::ToolButton6]);

    AppendPieces(c, kStandardStraight, 2);
    s = editor.FormActualize();
    EXPECT_TRUE(s.controls.enabled[C::SelectAll1]);
    EXPECT_FALSE(s.controls.enabled[C::CutTrack1]);
    EXPECT_TRUE(s.controls.enabled[C::Close1]);

    c.firstSelected = c.lastSelected = 2;
    s = editor.FormActualize();
    EXPECT_TRUE(s.controls.enabled[C::CutTrack1]);
    EXPECT_TRUE(s.controls.enabled[C::CopyTrack1]);
    EXPECT_FALSE(s.controls.enabled[C::PasteTrack1]);  // empty clipboard
    editor.ClipboardCircuit().Append(kHalfStraight, 1, 1);
    EXPECT_TRUE(editor.FormActualize().controls.enabled[C::PasteTrack1]);
}

TEST_F(EditorTest, InsertButtonsFollowTheSelectionAndTheLanes) {
    TCircuit& c = editor.Circuit();
    // Empty: everything but the adaptation chicane and the chicanes.
    TWindowState s = editor.FormActualize();
    EXPECT_TRUE(s.controls.enabled[C::ToolButton24]);
    EXPECT_TRUE(s.controls.enabled[C::ToolButton22]);
    EXPECT_FALSE(s.controls.enabled[C::ToolButton34]);
    EXPECT_FALSE(s.controls.enabled[C::ToolButton28]);

    // An SCX straight selected: only the starting chicane of the three.
    AppendPieces(c, kStandardStraight, 2, 0);
    c.Track(2).selected = true;
    c.firstSelected = c.lastSelected = 2;
    s = editor.FormActualize();
    EXPECT_TRUE(s.controls.enabled[C::ToolButton28]);
    EXPECT_FALSE(s.controls.enabled[C::ToolButton45]);
    EXPECT_FALSE(s.controls.enabled[C::ToolButton46]);
    EXPECT_TRUE(s.controls.enabled[C::ToolButton34]);

    // Inside a chicane pair: straight and curved chicane, changeover; no
    // straights or curves.
    c.Append(kStartingChicane, 0, 0);
    c.Append(kStartingChicane, 1, 0);
    c.ReLay(false);
    c.firstSelected = c.lastSelected = 3;
    s = editor.FormActualize();
    EXPECT_FALSE(s.controls.enabled[C::ToolButton28]);
    EXPECT_TRUE(s.controls.enabled[C::ToolButton45]);
    EXPECT_TRUE(s.controls.enabled[C::ToolButton46]);
    EXPECT_TRUE(s.controls.enabled[C::ToolButton27]);
    for (C id : {C::ToolButton24, C::ToolButton25, C::ToolButton26, C::ToolButton29, C::ToolButton30, C::ToolButton31,
                 C::ToolButton32, C::ToolButton34, C::ToolButton22}) {
        EXPECT_FALSE(s.controls.enabled[id]) << ControlName(id);
    }
    // A replace-marked piece offers no chicane.
    c.Track(3).replaceMark = true;
    EXPECT_FALSE(editor.FormActualize().controls.enabled[C::ToolButton45]);

    // A NINCO piece selected: no chicanes; a starting straight in the
    // circuit: no second one.
    ScriptedPrompter p2;
    ScriptedHost h2{p2.log};
    FakeTemplate t2;
    TEditor wide(p2, h2, t2);
    wide.Circuit().lanePairs = 3;
    AppendPieces(wide.Circuit(), kStartingStraight, 1);
    wide.Circuit().firstSelected = wide.Circuit().lastSelected = 1;
    s = wide.FormActualize();
    EXPECT_FALSE(s.controls.enabled[C::ToolButton28]);
    EXPECT_FALSE(s.controls.enabled[C::ToolButton22]);
    EXPECT_FALSE(s.controls.enabled[C::ToolButton21]);
    // Six lanes: no super outer or outer curve, no adaptation chicane.
    EXPECT_FALSE(s.controls.enabled[C::ToolButton32]);
    EXPECT_FALSE(s.controls.enabled[C::ToolButton31]);
    EXPECT_FALSE(s.controls.enabled[C::ToolButton34]);
    EXPECT_TRUE(s.controls.enabled[C::ToolButton30]);
    wide.Circuit().lanePairs = 4;
    EXPECT_FALSE(wide.FormActualize().controls.enabled[C::ToolButton30]);
}

TEST_F(EditorTest, AtThreeHundredPiecesNothingInserts) {
    TCircuit& c = editor.Circuit();
    for (int i = 0; i < 298; ++i) c.Append(kQuarterStraight, 1, 0);
    c.Append(kStartingChicane, 0, 0);
    c.Append(kStartingChicane, 1, 0);
    c.firstSelected = c.lastSelected = 299;  // inside the chicane pair
    const TWindowState s = editor.FormActualize();
    for (C id : {C::ToolButton22, C::ToolButton24, C::ToolButton25, C::ToolButton26, C::ToolButton27, C::ToolButton28,
                 C::ToolButton45, C::ToolButton46, C::ToolButton29, C::ToolButton30, C::ToolButton31, C::ToolButton32,
                 C::ToolButton34}) {
        EXPECT_FALSE(s.controls.enabled[id]) << ControlName(id);
    }
}

TEST_F(EditorTest, SingleRacingNeedsTwoNincoLanesAndNincoEnds) {
    TCircuit& c = editor.Circuit();
    EXPECT_FALSE(editor.FormActualize().controls.enabled[C::ToolButton59]);
    AppendPieces(c, kStandardStraight, 10);
    TWindowState s = editor.FormActualize();
    EXPECT_TRUE(s.controls.enabled[C::ToolButton59]);
    EXPECT_FALSE(s.controls.pressed[C::ToolButton59]);
    c.Append(kHalfStraight, 1, 0);  // an SCX piece at the end
    EXPECT_FALSE(editor.FormActualize().controls.enabled[C::ToolButton59]);
}

TEST_F(EditorTest, ViewButtonsShowTheCircuitsFlags) {
    TWindowState s = editor.FormActualize();
    EXPECT_TRUE(s.controls.pressed[C::ToolButton18]);  // grid on at start
    EXPECT_FALSE(s.controls.pressed[C::ToolButton5]);
    EXPECT_FALSE(s.controls.enabled[C::ToolButton42]);  // no template yet
    EXPECT_FALSE(s.controls.visible[C::ToolButton33]);
    EXPECT_FALSE(s.controls.visible[C::ToolButton50]);
    EXPECT_TRUE(s.controls.visible[C::Stock1]);

    editor.ToolButton18Click();
    editor.ToolButton5Click();
    EXPECT_TRUE(editor.Circuit().modified);
    s = editor.FormActualize();
    EXPECT_FALSE(s.controls.pressed[C::ToolButton18]);
    EXPECT_TRUE(s.controls.pressed[C::ToolButton5]);

    // Alt+6 shows the surface button and the lap-times item together.
    editor.FormKeyDownAlt6();
    s = editor.FormActualize();
    EXPECT_TRUE(s.controls.visible[C::ToolButton33]);
    EXPECT_TRUE(s.controls.visible[C::TiemposEstimados1]);
    editor.FormKeyDownAlt6();
    EXPECT_FALSE(editor.FormActualize().controls.visible[C::ToolButton33]);
}

TEST_F(EditorTest, RefreshEndsTheMouseModes) {
    editor.SetPlacementMode(true);
    editor.SetMeasuringMode(true);
    editor.FormActualize();
    EXPECT_FALSE(editor.PlacementMode());
    EXPECT_FALSE(editor.MeasuringMode());
}

TEST_F(EditorTest, EmptyCircuitStartsInTheMiddleOfWhatIsVisible) {
    // Scale 5, grid 200, a 600 x 400 view of the 600 x 400 pixel drawing:
    // x = trunc(300 x 5 / 200) x 200 = trunc(7.5) x 200 = 1400,
    // y = trunc(200 x 5 / 200) x 200 = 1000.
    editor.SetViewport({600, 400, 0, 0});
    editor.FormActualize();
    EXPECT_DOUBLE_EQ(editor.Circuit().startX, 1400.0);
    EXPECT_DOUBLE_EQ(editor.Circuit().startY, 1000.0);
    // A narrower view scrolled 100 pixels right:
    // x = trunc((300 / 2 + 100) x 5 / 200) x 200 = trunc(6.25) x 200 = 1200.
    editor.SetViewport({300, 400, 100, 0});
    editor.FormResize();
    EXPECT_DOUBLE_EQ(editor.Circuit().startX, 1200.0);
    // A grid step of 0 from a damaged circuit cannot divide by zero: the
    // step counts as 1 mm. x = trunc(250 x 5 / 1) = 1250.
    editor.Circuit().gridStep = 0;
    EXPECT_EQ(editor.EffectiveGridStep(), 1);
    editor.FormActualize();
    EXPECT_DOUBLE_EQ(editor.Circuit().startX, 1250.0);
    EXPECT_DOUBLE_EQ(editor.Circuit().startY, 1000.0);
    // With pieces the start point stays.
    editor.Circuit().Append(kStandardStraight, 1, 1);
    editor.SetViewport({600, 400, 0, 0});
    editor.FormActualize();
    EXPECT_DOUBLE_EQ(editor.Circuit().startX, 1250.0);
}

TEST_F(EditorTest, MarkersSitOnTheirPieces) {
    TCircuit& c = editor.Circuit();
    c.startX = 1500;
    c.startY = 1000;
    // A 400 mm NINCO straight heading along +x, its right edge 180 mm down.
    AppendPieces(c, kStandardStraight, 1);
    c.Track(1).anchorMark = true;
    // Anchor: middle of points 5 and 14, (1700, 1090) mm = (340, 218) px,
    // less 8: (332, 210).
    EXPECT_EQ(editor.AnchorMarkers(), (std::vector<PixelPoint>{{332, 210}}));
    // Start: points 2 and 17, (1550, 1090) mm = (310, 218) px -> (302, 210).
    EXPECT_EQ(editor.StartMarker(), (PixelPoint{302, 210}));

    // A starting straight's anchor sits between its corners 1 and 10:
    // (1500, 1000) and (1900, 1180) give (1700, 1090), the same middle.
    c.Track(1).type = kStartingStraight;
    c.Track(1).ComputeOutline(c);
    EXPECT_EQ(editor.AnchorMarkers(), (std::vector<PixelPoint>{{332, 210}}));

    RecordingCanvas canvas;
    editor.Render(canvas);
    int anchors = 0;
    int starts = 0;
    for (const DrawCall& call : canvas.calls()) {
        if (call.kind != DrawKind::Picture) continue;
        if (call.picture == Picture::AnchorMarker) ++anchors;
        if (call.picture == Picture::StartMarker) ++starts;
    }
    EXPECT_EQ(anchors, 1);
    EXPECT_EQ(starts, 1);

    // Single racing: the start marker goes on piece 9, past the first loop.
    c.singleRacing = true;
    EXPECT_FALSE(editor.StartMarker().has_value());
}

}  // namespace
}  // namespace quillet::test
