// Editing with the mouse: selecting, the replace mark, reversing the circuit,
// Shift ranges kept whole around chicanes, measuring, placing and dragging
// accessories. Coordinates are pixels of the drawing at 5 mm per pixel.

#include <gtest/gtest.h>

#include "ScriptedPrompter.h"
#include "model/Numeric.h"
#include "model/RecordingCanvas.h"

namespace quillet::test {
namespace {

using C = ControlId;

void ExpectNear(const PointD& a, const PointD& b) {
    EXPECT_NEAR(a.x, b.x, 1e-6);
    EXPECT_NEAR(a.y, b.y, 1e-6);
}

// Tracks first..last carry the selected flag and no others do.
void ExpectSelection(const TCircuit& c, int first, int last) {
    EXPECT_EQ(c.firstSelected, first);
    EXPECT_EQ(c.lastSelected, last);
    for (int i = 1; i <= c.Count(); ++i) {
        EXPECT_EQ(c.Track(i).selected, first >= 1 && i >= first && i <= last) << "track " << i;
    }
}

TEST_F(EditorTest, ThreeClicksOnACurveSelectMarkAndReverse) {
    // Three NINCO straights from (1000, 1000) heading 0, a standard curve
    // turning right, one more straight. The curve starts at (2200, 1000);
    // its centre is (2200, 1000 + 180 + 241.5) = (2200, 1421.5). The pixel
    // (465, 223) is the point (2325, 1115): 331.0 mm from the centre (within
    // 241.5..421.5) and 22.2 degrees into the 45-degree arc.
    TCircuit& c = editor.Circuit();
    c.startX = 1000;
    c.startY = 1000;
    for (int i = 0; i < 3; ++i) c.Append(kStandardStraight, 1, 1);
    c.Append(kStandardCurve, 0, 1);
    c.Append(kStandardStraight, 1, 1);
    c.Track(4).SetBorder(kOuterBorder, true);
    c.ReLay(false);
    const TTrack oldFirst = c.Track(1);
    const TTrack oldCurve = c.Track(4);
    const TTrack oldLast = c.Track(5);

    TMouseResult r = editor.Image1MouseDown(TMouseButton::Left, false, 465, 223);
    EXPECT_TRUE(r.refresh);
    EXPECT_FALSE(r.panel0);
    ExpectSelection(c, 4, 4);
    EXPECT_FALSE(c.Track(4).replaceMark);
    // The border buttons show the clicked track's borders.
    EXPECT_TRUE(editor.Controls().pressed[C::ToolButton39]);
    EXPECT_FALSE(editor.Controls().pressed[C::ToolButton38]);

    r = editor.Image1MouseDown(TMouseButton::Left, false, 465, 223);
    ExpectSelection(c, 4, 4);
    EXPECT_TRUE(c.Track(4).replaceMark);
    // The drawing only drops the insertion mark: the user is told.
    ASSERT_TRUE(r.notice);
    EXPECT_EQ(*r.notice, "The next track you insert replaces this one.");

    // The third click turns the whole circuit round: the curve is now piece
    // 5 - 4 + 1 = 2 and turns left, and every piece lies where it lay.
    r = editor.Image1MouseDown(TMouseButton::Left, false, 465, 223);
    ASSERT_TRUE(r.notice);
    EXPECT_EQ(*r.notice, "Circuit reversed: it now runs the other way round.");
    ASSERT_EQ(c.Count(), 5);
    ExpectSelection(c, 2, 2);
    EXPECT_EQ(c.Track(2).type, kStandardCurve);
    EXPECT_FALSE(c.Track(2).replaceMark);
    EXPECT_EQ(c.Track(2).orientation, 1);
    // The old last piece's right exit corner is the new start.
    ExpectNear(c.Track(1).P(1), oldLast.P(10));
    ExpectNear(c.Track(2).P(1), oldCurve.P(10));
    ExpectNear(c.Track(2).P(9), oldCurve.P(18));
    // The old first piece is the last, from (1400, 1180) back to (1000, 1180).
    ExpectNear(c.Track(5).P(9), oldFirst.P(18));
    ExpectNear(c.Track(5).P(10), oldFirst.P(1));
    ExpectNear(c.Track(5).P(9), PointD{1000, 1180});
    EXPECT_EQ(editor.Circuit().box.left, 1000);

    // A fourth click marks it again: the same piece is under the mouse.
    editor.Image1MouseDown(TMouseButton::Left, false, 465, 223);
    EXPECT_TRUE(c.Track(2).replaceMark);

    // A click on another piece drops the mark; a click on empty ground
    // selects nothing, the border buttons show the defaults for new pieces
    // and panel 0 the position: (100, 50) px = 500 mm, 250 mm -> 50 cm, 25 cm
    // (25.0 stays 25).
    editor.Image1MouseDown(TMouseButton::Left, false, 240, 218);  // (1200, 1090): old piece 1
    EXPECT_FALSE(c.Track(2).replaceMark);
    ExpectSelection(c, 5, 5);
    c.outerBorderDefault = false;
    c.innerBorderDefault = true;
    r = editor.Image1MouseDown(TMouseButton::Left, false, 100, 50);
    ExpectSelection(c, 0, 0);
    EXPECT_FALSE(editor.Controls().pressed[C::ToolButton39]);
    EXPECT_TRUE(editor.Controls().pressed[C::ToolButton38]);
    ASSERT_TRUE(r.panel0);
    EXPECT_EQ(*r.panel0, "x = 50 cm; y = 25 cm");
    // Selecting is no edit.
    EXPECT_FALSE(c.modified);
}

// SCX pieces 350 long and 156 wide from (0, 1000): piece i is hit at pixel
// (70 (i - 1) + 35, 216), the point (350 (i - 1) + 175, 1080).
int ScxX(int i) { return 70 * (i - 1) + 35; }
constexpr int kScxY = 216;

TEST_F(EditorTest, SecondClickOnAStartingChicaneReversesAtOnce) {
    TCircuit& c = editor.Circuit();
    c.startBrand = 0;
    c.startX = 0;
    c.startY = 1000;
    c.Append(kStandardStraight, 1, 0);
    c.Append(kStartingChicane, 0, 0);
    c.Append(kStartingChicane, 1, 0);
    c.Append(kHalfStraight, 1, 0);
    c.ReLay(false);
    editor.Image1MouseDown(TMouseButton::Left, false, ScxX(2), kScxY);
    ExpectSelection(c, 2, 2);
    editor.Image1MouseDown(TMouseButton::Left, false, ScxX(2), kScxY);
    // No replace mark: the chain is reversed and the chicane is piece 3.
    ExpectSelection(c, 3, 3);
    EXPECT_EQ(c.Track(3).type, kStartingChicane);
    EXPECT_FALSE(c.Track(3).replaceMark);
    EXPECT_EQ(c.Track(1).type, kHalfStraight);
    // The half straight ran from 1050 to 1225 along y 1000..1156; reversed
    // it starts at its old right exit corner (1225, 1156) heading pi.
    ExpectNear(c.Track(1).P(1), PointD{1225, 1156});
    ExpectNear(c.Track(4).P(9), PointD{0, 1156});
}

TEST_F(EditorTest, ReversingTurnsHalfBordersAndAdaptationChicanesRound) {
    TCircuit& c = editor.Circuit();
    c.startX = 0;
    c.startY = 1000;
    c.Append(kStandardStraight, 1, 1);
    c.Append(kAdaptationChicane, 1, 0);  // SCX-brand: 180 wide in, 156 out
    c.Append(kAdaptationChicane, 1, 1);  // NINCO-brand: 156 in, 180 out
    c.Append(kStandardStraight, 1, 1);
    c.Append(kInnerCurve, 0, 1);  // turning right, 45 degrees
    c.Track(1).SetBorder(kOuterBorderExitHalf, true);
    c.Track(1).SetBorder(kInnerBorderEntryHalf, true);
    c.ReLay(false);
    const TTrack oldCurve = c.Track(5);
    // Straight 1 is hit at (200, 1090) mm = (40, 218) px.
    editor.Image1MouseDown(TMouseButton::Left, false, 40, 218);
    editor.Image1MouseDown(TMouseButton::Left, false, 40, 218);
    editor.Image1MouseDown(TMouseButton::Left, false, 40, 218);
    ExpectSelection(c, 5, 5);
    // The curve now leads, from its old exit back to its old entry: it
    // started at heading 0 and turned right by pi/4, so it starts at
    // 0 + pi + pi/4 and turns left, ending at pi.
    EXPECT_NEAR(c.Track(1).angle, 5 * kPi / 4, 1e-9);
    EXPECT_NEAR(c.Track(1).ExitHeading(), kPi, 1e-9);
    ExpectNear(c.Track(1).P(1), oldCurve.P(10));
    ExpectNear(c.Track(1).P(9), oldCurve.P(18));
    const TTrack& old1 = c.Track(5);
    EXPECT_TRUE(old1.Border(kOuterBorderEntryHalf));
    EXPECT_FALSE(old1.Border(kOuterBorderExitHalf));
    EXPECT_TRUE(old1.Border(kInnerBorderExitHalf));
    EXPECT_FALSE(old1.Border(kInnerBorderEntryHalf));
    // The chicanes taper the other way: the SCX-brand one (156 wide) is now
    // NINCO-brand (180 wide) and the other way round.
    EXPECT_DOUBLE_EQ(c.Track(3).width, 156.0);
    EXPECT_DOUBLE_EQ(c.Track(4).width, 180.0);
    // The chain still fits together end to end where it was.
    ExpectNear(c.Track(5).P(9), PointD{0, 1180});
}

TEST_F(EditorTest, ShiftClicksGrowAndShrinkARange) {
    // Twelve NINCO straights from (0, 1000): piece i is hit at pixel
    // (80 i - 40, 218), the point (400 i - 200, 1090).
    TCircuit& c = editor.Circuit();
    c.startX = 0;
    c.startY = 1000;
    AppendPieces(c, kStandardStraight, 12);
    auto click = [&](int i, bool shift) { editor.Image1MouseDown(TMouseButton::Left, shift, 80 * i - 40, 218); };

    // Shift with nothing selected starts the range at the clicked track.
    click(5, true);
    ExpectSelection(c, 5, 5);
    click(9, true);
    ExpectSelection(c, 5, 9);
    click(9, true);  // the last track: shrinks at the end
    ExpectSelection(c, 5, 8);
    click(9, true);
    ExpectSelection(c, 5, 9);
    click(5, true);  // the first track: shrinks at the start
    ExpectSelection(c, 6, 9);
    click(3, true);  // before the range: grows to it
    ExpectSelection(c, 3, 9);
    click(7, true);  // inside: unchanged
    ExpectSelection(c, 3, 9);

    // A replace mark does not survive a range.
    click(4, false);
    click(4, false);
    ASSERT_TRUE(c.Track(4).replaceMark);
    click(6, true);
    ExpectSelection(c, 4, 6);
    EXPECT_FALSE(c.Track(4).replaceMark);

    // A one-track range Shift-clicked again is no selection at all.
    click(2, false);
    click(2, true);
    ExpectSelection(c, 0, 0);

    // Shift on empty ground selects nothing; Copy and Cut go off.
    click(4, false);
    click(8, true);
    editor.Image1MouseDown(TMouseButton::Left, true, 100, 50);
    ExpectSelection(c, 0, 0);
    const TWindowState s = editor.FormActualize();
    EXPECT_FALSE(s.controls.enabled[C::CopyTrack1]);
    EXPECT_FALSE(s.controls.enabled[C::CutTrack1]);
}

TEST_F(EditorTest, ShiftRangesTakeInTheWholeChicane) {
    struct Case {
        std::vector<int> types;
        int expectedFirst;
        int expectedLast;
    };
    const int s = kStartingChicane;
    const int a = kAdaptationChicane;
    const Case cases[] = {
        // One starting chicane in 3..6 (at 5), its partner before: 2..6.
        {{0, s, 0, 0, s, 0, 0, 0}, 2, 6},
        // The partner after the range: 3..8.
        {{0, 0, 0, 0, s, 0, 0, s}, 3, 8},
        // Both halves inside: unchanged.
        {{0, 0, s, 0, s, 0, 0, 0}, 3, 6},
        // Adaptation chicanes are kept whole after the starting chicanes:
        // 3..6 takes in 2 (starting), then counts one adaptation chicane
        // (at 6) in 2..6 and takes in the one at 1.
        {{a, s, 0, 0, s, a, 0, 0}, 1, 6},
    };
    for (const Case& k : cases) {
        TCircuit& c = editor.Circuit();
        c = TCircuit(0, 1000);
        c.startBrand = 0;
        c.scale = 5;
        // SCX widths throughout, so every piece is 350 long and 156 wide
        // (the adaptation chicanes 200 long: click only on 3 and 6 here).
        for (int type : k.types) c.Append(type, 1, 0);
        c.ReLay(false);
        auto clickAt = [&](int i, bool shift) {
            const TTrack& t = c.Track(i);
            const PointD mid{(t.P(1).x + t.P(10).x) / 2, (t.P(1).y + t.P(10).y) / 2};
            editor.Image1MouseDown(TMouseButton::Left, shift, Round(mid.x / 5), Round(mid.y / 5));
        };
        clickAt(3, false);
        clickAt(6, true);
        ExpectSelection(c, k.expectedFirst, k.expectedLast);
    }
}

TEST_F(EditorTest, RightDragMeasuresInInvertingStrokes) {
    editor.Reglas1Click();
    RecordingCanvas image;
    RecordingCanvas h;
    RecordingCanvas v;
    const TMouseResult r = editor.Image1MouseDown(TMouseButton::Right, false, 100, 100);
    EXPECT_FALSE(r.refresh);
    EXPECT_TRUE(editor.MeasuringMode());
    // A pixel of trembling is still a click.
    EXPECT_FALSE(editor.Image1DragStarts(101, 101));
    EXPECT_FALSE(editor.Image1DragOver(101, 101, image, &h, &v));
    EXPECT_TRUE(editor.Image1DragStarts(160, 180));
    EXPECT_FALSE(editor.Image1DragStarts(161, 181));  // only once

    // 60 x 80 px = 100 px; at 5 mm per pixel 500 mm = 50 cm.
    auto text = editor.Image1DragOver(160, 180, image, &h, &v);
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, "Distance: 50 cm");
    ASSERT_EQ(image.calls().size(), 1u);
    EXPECT_EQ(image.calls()[0].points, (std::vector<PixelPoint>{{100, 100}, {160, 180}}));
    EXPECT_EQ(image.calls()[0].pen.mode, PenMode::NotXor);
    EXPECT_EQ(image.calls()[0].pen.colour, colour::Black);
    EXPECT_EQ(editor.GuideX(), 160);
    EXPECT_EQ(editor.GuideY(), 180);

    // One pixel across and one down is not worth a redraw.
    image.clear();
    EXPECT_FALSE(editor.Image1DragOver(161, 181, image, &h, &v));
    EXPECT_TRUE(image.calls().empty());

    // The old line again (erasing it), then the new one: (100, 100) to
    // (100, 200) is 100 px, 50 cm.
    text = editor.Image1DragOver(100, 200, image, &h, &v);
    ASSERT_EQ(image.calls().size(), 2u);
    EXPECT_EQ(image.calls()[0].points, (std::vector<PixelPoint>{{100, 100}, {160, 180}}));
    EXPECT_EQ(image.calls()[1].points, (std::vector<PixelPoint>{{100, 100}, {100, 200}}));
    EXPECT_EQ(*text, "Distance: 50 cm");

    // A left press during the drag belongs to it; its release does not end it.
    EXPECT_FALSE(editor.Image1MouseDown(TMouseButton::Left, false, 10, 10).refresh);
    image.clear();
    EXPECT_FALSE(editor.Image1MouseUp(TMouseButton::Left, image));
    EXPECT_EQ(editor.Drag().kind, TDragKind::Measure);

    // Letting go erases the last line and nothing else.
    EXPECT_FALSE(editor.Image1MouseUp(TMouseButton::Right, image));
    ASSERT_EQ(image.calls().size(), 1u);
    EXPECT_EQ(image.calls()[0].points, (std::vector<PixelPoint>{{100, 100}, {100, 200}}));
    EXPECT_EQ(editor.Drag().kind, TDragKind::None);
    // Measuring mode lasts to the next refresh.
    EXPECT_TRUE(editor.MeasuringMode());
    editor.FormActualize();
    EXPECT_FALSE(editor.MeasuringMode());

    // A right click without moving draws nothing at all.
    image.clear();
    editor.Image1MouseDown(TMouseButton::Right, false, 50, 50);
    EXPECT_FALSE(editor.Image1MouseUp(TMouseButton::Right, image));
    EXPECT_TRUE(image.calls().empty());
}

TEST_F(EditorTest, PlacingClickPutsTheAccessoryCentredOnIt) {
    TCircuit& c = editor.Circuit();
    c.title = "before";
    editor.KeepCircuit();
    editor.SetIconImage(kImageStart);
    editor.SetPlacementMode(true);
    // (200 - 16) x 5 = 920, (100 - 16) x 5 = 420.
    const TMouseResult r = editor.Image1MouseDown(TMouseButton::Left, false, 200, 100);
    EXPECT_TRUE(r.refresh);
    EXPECT_EQ(c.Icon(1).kind, 2);
    EXPECT_DOUBLE_EQ(c.Icon(1).x, 920.0);
    EXPECT_DOUBLE_EQ(c.Icon(1).y, 420.0);
    EXPECT_FALSE(c.Icon(1).selected);
    EXPECT_TRUE(c.modified);
    // Undo takes it away again.
    EXPECT_EQ(editor.UndoCircuit().Icon(1).kind, 0);
    // The refresh ends placement mode; the picture draws the plain icon.
    editor.FormActualize();
    EXPECT_FALSE(editor.PlacementMode());
    RecordingCanvas canvas;
    editor.Render(canvas);
    const auto pictures = canvas.where([](const DrawCall& call) {
        return call.kind == DrawKind::Picture && call.picture == Picture::IconStart;
    });
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0]->points[0], (PixelPoint{184, 84}));

    // Each kind as the Insert Icon button shows it.
    const std::pair<int, int> kinds[] = {{kImageLapCounter, 1}, {kImageController, 3}, {kImageAssistant, 4},
                                         {kImagePowerSource, 5}};
    int slot = 2;
    for (const auto& [image, kind] : kinds) {
        editor.SetIconImage(image);
        editor.SetPlacementMode(true);
        editor.Image1MouseDown(TMouseButton::Left, false, 10 * slot, 400);
        EXPECT_EQ(c.Icon(slot).kind, kind);
        ++slot;
    }

    // With all 40 slots in use the click still counts as an edit (modified,
    // an undo copy) but places nothing.
    for (int i = 1; i <= TCircuit::kIconSlots; ++i) {
        if (c.Icon(i).kind == 0) c.Icon(i) = {1, 100.0 * i, 0.0, false};
    }
    const auto full = c.icons;
    c.modified = false;
    c.title = "full";
    editor.SetPlacementMode(true);
    editor.Image1MouseDown(TMouseButton::Left, false, 500, 300);
    EXPECT_TRUE(c.modified);
    EXPECT_EQ(editor.UndoCircuit().title, "full");
    for (int i = 1; i <= TCircuit::kIconSlots; ++i) EXPECT_EQ(c.Icon(i).x, full[static_cast<size_t>(i - 1)].x);
}

TEST_F(EditorTest, DraggedAccessoryStaysOnTheWorkArea) {
    TCircuit& c = editor.Circuit();
    c.title = "kept";
    editor.KeepCircuit();
    c.title = "current";
    // A controller at (2800, 500) mm: pixels (560, 100)..(592, 132).
    c.Icon(3) = {3, 2800.0, 500.0, false};
    c.Icon(7) = {1, 50.0, 50.0, false};
    c.startX = 1000;  // the straight spans (1000, 1000)..(1400, 1180)
    AppendPieces(c, kStandardStraight, 1);
    c.Track(1).selected = true;
    c.firstSelected = c.lastSelected = 1;

    // The press picks it up: the tracks lose their selection and the
    // picture is rendered without it while the window shows it on top.
    RecordingCanvas image;
    TMouseResult r = editor.Image1MouseDown(TMouseButton::Left, false, 592, 132);  // its corner counts
    EXPECT_TRUE(r.refresh);
    EXPECT_TRUE(c.Icon(3).selected);
    ExpectSelection(c, 0, 0);
    auto held = editor.LiftedIcon();
    ASSERT_TRUE(held);
    EXPECT_EQ(held->at, (PixelPoint{560, 100}));
    EXPECT_EQ(held->picture, Picture::IconControllerHighlighted);
    RecordingCanvas render;
    editor.Render(render);
    EXPECT_TRUE(render.where([](const DrawCall& call) {
        return call.kind == DrawKind::Picture &&
               (call.picture == Picture::IconController || call.picture == Picture::IconControllerHighlighted);
    }).empty());
    EXPECT_EQ(c.Icon(3).kind, 3);

    // 30 px right would be 150 mm, to 2950; the icon is 32 x 5 = 160 mm
    // wide, so it stops at 3000 - 160 = 2840 with its right side on the edge.
    ASSERT_TRUE(editor.Image1DragStarts(622, 132));
    editor.Image1DragOver(622, 132, image, nullptr, nullptr);
    EXPECT_DOUBLE_EQ(c.Icon(3).x, 2840.0);
    EXPECT_DOUBLE_EQ(c.Icon(3).y, 500.0);
    // The mouse counts from where it is now: 10 px back is 50 mm back.
    editor.Image1DragOver(612, 140, image, nullptr, nullptr);
    EXPECT_DOUBLE_EQ(c.Icon(3).x, 2790.0);
    EXPECT_DOUBLE_EQ(c.Icon(3).y, 540.0);
    held = editor.LiftedIcon();
    EXPECT_EQ(held->at, (PixelPoint{558, 108}));
    // Far below the work area it stops at 2000 - 160 = 1840.
    editor.Image1DragOver(612, 900, image, nullptr, nullptr);
    EXPECT_DOUBLE_EQ(c.Icon(3).y, 1840.0);
    EXPECT_TRUE(image.calls().empty());

    // Letting go puts it back into the picture, still selected. No edit:
    // not modified, no undo copy.
    EXPECT_TRUE(editor.Image1MouseUp(TMouseButton::Left, image));
    EXPECT_FALSE(editor.LiftedIcon());
    EXPECT_TRUE(c.Icon(3).selected);
    EXPECT_FALSE(c.modified);
    EXPECT_EQ(editor.UndoCircuit().title, "kept");

    // A lap counter at (50, 50) mm, pixels (10, 10): 8 px left at 5 mm is
    // 40 mm, to 10; 4 px more would be -10, so it stops at 0.
    editor.Image1MouseDown(TMouseButton::Middle, false, 15, 15);
    EXPECT_TRUE(c.Icon(7).selected);
    EXPECT_FALSE(c.Icon(3).selected);
    ASSERT_TRUE(editor.Image1DragStarts(7, 15));
    editor.Image1DragOver(7, 15, image, nullptr, nullptr);
    EXPECT_DOUBLE_EQ(c.Icon(7).x, 10.0);
    editor.Image1DragOver(3, 12, image, nullptr, nullptr);
    EXPECT_DOUBLE_EQ(c.Icon(7).x, 0.0);
    EXPECT_DOUBLE_EQ(c.Icon(7).y, 35.0);
    EXPECT_FALSE(editor.Image1MouseUp(TMouseButton::Left, image));  // not the button that holds it
    EXPECT_TRUE(editor.Image1MouseUp(TMouseButton::Middle, image));

    // A click beside every icon selects tracks again and drops the icon's
    // selection.
    editor.Image1MouseDown(TMouseButton::Left, false, 240, 218);
    EXPECT_FALSE(c.Icon(7).selected);
}

}  // namespace
}  // namespace quillet::test
