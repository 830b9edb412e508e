// Zoom, fit to window, rulers, the work-area handle and the texts that
// follow the mouse.

#include <gtest/gtest.h>

#include <algorithm>

#include "ScriptedPrompter.h"
#include "model/RecordingCanvas.h"

namespace quillet::test {
namespace {

using C = ControlId;

TEST_F(EditorTest, ZoomMovesInWholeStepsBetweenTheLimits) {
    editor.FormActualize();
    editor.ToolButton11Click();  // Zoom In
    EXPECT_DOUBLE_EQ(editor.Circuit().scale, 4.0);
    EXPECT_TRUE(editor.Circuit().modified);
    editor.ToolButton11Click();
    EXPECT_DOUBLE_EQ(editor.Circuit().scale, 3.0);
    TWindowState s = editor.FormActualize();
    EXPECT_FALSE(s.controls.enabled[C::ToolButton10]);
    EXPECT_TRUE(s.controls.enabled[C::ToolButton8]);
    editor.ToolButton11Click();
    EXPECT_DOUBLE_EQ(editor.Circuit().scale, 3.0);

    editor.Circuit().scale = 18.0;
    editor.ToolButton12Click();  // Zoom Out
    editor.ToolButton12Click();
    EXPECT_DOUBLE_EQ(editor.Circuit().scale, 20.0);
    editor.ToolButton12Click();
    EXPECT_DOUBLE_EQ(editor.Circuit().scale, 20.0);
    s = editor.FormActualize();
    EXPECT_FALSE(s.controls.enabled[C::ToolButton8]);
    EXPECT_TRUE(s.controls.enabled[C::ToolButton10]);
}

TEST_F(EditorTest, ZoomReLaysThePiecesAtTheNewScale) {
    TCircuit& c = editor.Circuit();
    c.startX = 1000;
    c.startY = 1000;
    AppendPieces(c, kStandardStraight, 2);
    // Exit of piece 2: 1800 mm; at 5 mm per pixel 360, at 4 mm 450.
    EXPECT_EQ(c.Track(2).ScreenP(9).x, 360);
    editor.ToolButton11Click();
    EXPECT_EQ(c.Track(2).ScreenP(9).x, 450);
}

TEST_F(EditorTest, FitToWindowCanLeaveAFractionThatZoomInStepsFrom) {
    // 4700 x 2000 mm in a 1000 x 1000 pixel view without rulers:
    // max(4700 / 1000, 2000 / 1000) = 4.7.
    editor.SetWorkArea(4700, 2000);
    editor.SetViewport({1000, 1000, 30, 40});
    editor.Circuit().modified = false;
    editor.ToolButton57Click();
    EXPECT_DOUBLE_EQ(editor.Circuit().scale, 4.7);
    EXPECT_FALSE(editor.Circuit().modified);
    TWindowState s = editor.FormActualize();
    EXPECT_EQ(s.minimumScale, 3);  // sqrt(2.35) = 1.53 -> 2 -> 3
    ASSERT_TRUE(s.scrollTo.has_value());
    EXPECT_EQ(*s.scrollTo, (PixelPoint{0, 0}));
    EXPECT_EQ(editor.Viewport().scrollX, 0);

    editor.ToolButton11Click();
    EXPECT_NEAR(editor.Circuit().scale, 3.7, 1e-12);
    editor.ToolButton11Click();  // 2.7 would pass the minimum
    EXPECT_EQ(editor.Circuit().scale, 3.0);

    // With the rulers shown they take 16 pixels: 4700 / (1016 - 16) = 4.7.
    editor.Reglas1Click();
    editor.SetViewport({1016, 1016, 0, 0});
    editor.ToolButton57Click();
    EXPECT_DOUBLE_EQ(editor.Circuit().scale, 4.7);

    // A fit below the minimum is raised by the refresh.
    editor.SetViewport({3000, 3000, 0, 0});
    editor.ToolButton57Click();
    editor.FormActualize();
    EXPECT_DOUBLE_EQ(editor.Circuit().scale, 3.0);
}

TEST_F(EditorTest, FitKeepsTheAnchoredPiece) {
    TCircuit& c = editor.Circuit();
    c.startX = 600;
    c.startY = 600;
    AppendPieces(c, kStandardCurve, 3);
    c.Track(2).anchorMark = true;
    const PointD before = c.Track(2).P(1);
    editor.SetViewport({700, 500, 0, 0});
    editor.ToolButton57Click();
    EXPECT_NEAR(c.Track(2).P(1).x, before.x, 0.02);
    EXPECT_NEAR(c.Track(2).P(1).y, before.y, 0.02);
}

TEST_F(EditorTest, HandleResizesTheWorkAreaWithinItsLimits) {
    editor.Circuit().scale = 20.0;
    editor.FormActualize();
    // 3000 x 2000 mm at 20 mm per pixel: a 150 x 100 pixel drawing.
    EXPECT_FALSE(editor.Image4MouseMove(10, 10).has_value());  // no drag yet
    editor.Image4MouseDown(2, 3);
    // 1000 pixels outward: 1150 x 20 = 23000 mm > 12000, so the outline
    // stops at 12000 / 20 = 600 pixels, 1200 cm; the height is unchanged.
    EXPECT_EQ(editor.Image4MouseMove(1002, 3), "1200 cm x 200 cm");
    EXPECT_EQ(editor.DraggedOutline(), (PixelSize{600, 100}));
    const bool modifiedBefore = editor.Circuit().modified;
    editor.Circuit().Append(kStandardStraight, 1, 1);
    editor.Image4MouseUp(1002, 3);
    EXPECT_FALSE(editor.ResizeDragging());
    // 3000 + 1000 x 20 = 23000 -> 12000.
    EXPECT_EQ(editor.WorkAreaLength(), 12000);
    EXPECT_EQ(editor.WorkAreaWidth(), 2000);
    EXPECT_EQ(editor.Circuit().modified, modifiedBefore);
    // The undo copy was taken, but the work area is not part of it.
    EXPECT_EQ(editor.UndoCircuit().Count(), 1);
    editor.ToolButton44Click();
    EXPECT_EQ(editor.WorkAreaLength(), 12000);

    // Inward past the lower limit: 100 cm each way.
    editor.Image4MouseDown(0, 0);
    EXPECT_EQ(editor.Image4MouseMove(-5000, -5000), "100 cm x 100 cm");
    editor.Image4MouseUp(-5000, -5000);
    EXPECT_EQ(editor.WorkAreaLength(), 1000);
    EXPECT_EQ(editor.WorkAreaWidth(), 1000);

    // A small drag at 20 mm per pixel: 7 pixels = 140 mm.
    editor.Image4MouseDown(0, 0);
    editor.Image4MouseUp(7, 0);
    EXPECT_EQ(editor.WorkAreaLength(), 1140);
}

TEST_F(EditorTest, LayoutPlacesOutlineHandleAndRulers) {
    editor.SetViewport({800, 500, 0, 0});
    TSurfaceLayout l = editor.FormActualize().layout;
    EXPECT_EQ(l.image, (PixelSize{600, 400}));
    EXPECT_EQ(l.imageOrigin, (PixelPoint{0, 0}));
    EXPECT_EQ(l.outline, (PixelRect{0, 0, 600, 400}));
    EXPECT_EQ(l.handle, (PixelRect{595, 395, 600, 400}));
    EXPECT_TRUE(l.horizontalRuler.empty());

    editor.Reglas1Click();
    EXPECT_TRUE(editor.Circuit().rulersShown);
    l = editor.FormActualize().layout;
    EXPECT_EQ(l.imageOrigin, (PixelPoint{16, 16}));
    EXPECT_EQ(l.outline, (PixelRect{16, 16, 616, 416}));
    EXPECT_EQ(l.handle, (PixelRect{611, 411, 616, 416}));
    // The view is larger than the drawing: the rulers run along the view.
    EXPECT_EQ(l.horizontalRuler, (PixelSize{800, 16}));
    EXPECT_EQ(l.verticalRuler, (PixelSize{16, 484}));
    // A smaller view: they run along the drawing.
    editor.SetViewport({300, 200, 0, 0});
    l = editor.Layout();
    EXPECT_EQ(l.horizontalRuler, (PixelSize{616, 16}));
    EXPECT_EQ(l.verticalRuler, (PixelSize{16, 400}));
    EXPECT_EQ(l.content, (PixelSize{616, 416}));
}

TEST_F(EditorTest, HorizontalRulerMarksTenCentimetresAndLabelsMetres) {
    editor.Reglas1Click();
    editor.SetViewport({616, 300, 0, 0});
    RecordingCanvas canvas;
    canvas.setTextMetrics(6, 8);
    editor.DrawHorizontalRuler(canvas);
    // 616 pixels at 5 mm: marks up to 3080 mm, every 100 mm (31), every
    // 500 mm (7), labels 0..3.
    std::vector<int> shortTicks;
    std::vector<int> longTicks;
    std::vector<std::pair<std::string, int>> labels;
    for (const DrawCall& call : canvas.calls()) {
        if (call.kind == DrawKind::Line && call.points.size() == 2 && call.points[0].x == call.points[1].x) {
            if (call.points[0].y == 11) shortTicks.push_back(call.points[0].x);
            if (call.points[0].y == 6) longTicks.push_back(call.points[0].x);
        }
        if (call.kind == DrawKind::Text) labels.emplace_back(call.text, call.points[0].x);
    }
    EXPECT_EQ(shortTicks.size(), 31u);
    EXPECT_EQ(shortTicks[1], 36);  // 100 mm = 20 px, + 16
    EXPECT_EQ(longTicks, (std::vector<int>{16, 116, 216, 316, 416, 516, 616}));
    // The label "1" centred on 1000 mm: round(200 - 6 / 2) + 16 = 213.
    ASSERT_EQ(labels.size(), 4u);
    EXPECT_EQ(labels[1], (std::pair<std::string, int>{"1", 213}));
    EXPECT_EQ(labels[0].second, 13);
    EXPECT_EQ(editor.GuideX(), kGuideParked);
}

TEST_F(EditorTest, VerticalRulerHasNoOffset) {
    editor.Reglas1Click();
    editor.SetViewport({600, 416, 0, 0});
    RecordingCanvas canvas;
    canvas.setTextMetrics(6, 8);
    editor.DrawVerticalRuler(canvas);
    // Height 400 at 5 mm: up to 2000 mm. Label "1" at 1000 mm:
    // x = 8 - 6 / 2 = 5, y = round(200 - 6) = 194.
    bool found = false;
    for (const DrawCall& call : canvas.calls()) {
        if (call.kind == DrawKind::Text && call.text == "1") {
            EXPECT_EQ(call.points[0], (PixelPoint{5, 194}));
            found = true;
        }
        if (call.kind == DrawKind::Text) {
            EXPECT_NE(call.text, "3");
        }
    }
    EXPECT_TRUE(found);
}

TEST_F(EditorTest, RulerGuidesEraseThemselves) {
    editor.Reglas1Click();
    RecordingCanvas h;
    RecordingCanvas v;
    editor.MoveRulerGuides(h, v, 40, 60);
    editor.MoveRulerGuides(h, v, 41, 62);
    ASSERT_EQ(h.calls().size(), 4u);
    // Each move strokes the old place again (erasing it) and then the new.
    EXPECT_EQ(h.calls()[0].points[0].x, kGuideParked + 16);
    EXPECT_EQ(h.calls()[1].points[0].x, 56);
    EXPECT_EQ(h.calls()[2].points[0].x, 56);
    EXPECT_EQ(h.calls()[3].points[0].x, 57);
    EXPECT_EQ(v.calls()[3].points[0], (PixelPoint{1, 62}));
    EXPECT_EQ(h.calls()[3].pen.mode, PenMode::NotXor);
    EXPECT_EQ(h.calls()[3].pen.colour, colour::Red);
}

TEST_F(EditorTest, CursorTextInWholeCentimetres) {
    // (123, 45) px at 5 mm: 615 mm -> 62 cm (61.5 rounds to even 62),
    // 225 mm -> 22 cm (22.5 rounds to even 22).
    EXPECT_EQ(editor.CursorText(123, 45), "x = 62 cm; y = 22 cm");
}

TEST_F(EditorTest, RulersFollowTheCircuitAfterNew) {
    editor.Reglas1Click();
    EXPECT_TRUE(editor.RulersVisible());
    editor.FileNew1Execute();
    EXPECT_FALSE(editor.RulersVisible());
    EXPECT_FALSE(editor.FormActualize().controls.pressed[C::Reglas1]);
}

}  // namespace
}  // namespace quillet::test
