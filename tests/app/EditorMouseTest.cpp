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

    TMouseResult r = editor.Image1MouseDown(TMouseButton::Left, false, 465, 223);
    EXPECT_TRUE(r.refresh);
    ExpectSelection(c, 4, 4);
    EXPECT_FALSE(c.Track(4).replaceMark);
    // The border buttons show the clicked track's borders.
    EXPECT_TRUE(editor.Controls().pressed[C::ToolButton39]);
    EXPECT_FALSE(editor.Controls().pressed[C::ToolButton38]);

    r = editor.Image1MouseDown(TMouseButton::Left, false, 465, 223);
    ExpectSelection(c, 4, 4);
    EXPECT_TRUE(c.Track(4).replaceMark);
    EXPECT_EQ(r.notice, "The next track you insert replaces this one.");

    // The third click turns the whole circuit round: the curve is now piece
    // 5 - 4 + 1 = 2 and turns left, and every piece lies where it lay.
    r = editor.Image1MouseDown(TMouseButton::Left, false, 465, 223);
    EXPECT_EQ(r.notice, "Circuit reversed: it now runs the other way round.");
    ASSERT_EQ(c.Count(), 5);
    ExpectSelection(c, 2, 2);
    EXPECT_EQ(c.Track(2).type, kStandardCurve);
    EXPECT_FALSE(c.Track(2).replaceMark);
    EXPECT_EQ(c.Track(2).orientation, 1);
    ExpectNear(c.Track(2).P(1), oldCurve.P(10));
    ExpectNear(c.Track(2).P(9), oldCurve.P(18));
    // The old first piece is last, from (1400, 1180) back to (1000, 1180).
    ExpectNear(c.Track(5).P(9), oldFirst.P(18));
    ExpectNear(c.Track(5).P(10), oldFirst.P(1));

    // A click on empty ground selects nothing; panel 0 says where it was:
    // (100, 50) px = (500, 250) mm.
    r = editor.Image1MouseDown(TMouseButton::Left, false, 100, 50);
    ExpectSelection(c, 0, 0);
    EXPECT_EQ(r.panel0, "x = 50 cm; y = 25 cm");
    EXPECT_FALSE(c.modified);
}

TEST_F(EditorTest, SecondClickOnAStartingChicaneReversesAtOnce) {
    // SCX pieces from (0, 1000), 156 wide; the chicane (350 long) at
    // 350..700 is hit at pixel (105, 216), the point (525, 1080).
    TCircuit& c = editor.Circuit();
    c.startX = 0;
    c.startY = 1000;
    c.Append(kStandardStraight, 1, 0);
    c.Append(kStartingChicane, 0, 0);
    c.Append(kStartingChicane, 1, 0);
    c.Append(kHalfStraight, 1, 0);
    c.ReLay(false);
    editor.Image1MouseDown(TMouseButton::Left, false, 105, 216);
    ExpectSelection(c, 2, 2);
    editor.Image1MouseDown(TMouseButton::Left, false, 105, 216);
    ExpectSelection(c, 3, 3);
    EXPECT_EQ(c.Track(3).type, kStartingChicane);
    EXPECT_FALSE(c.Track(3).replaceMark);
    // The half straight ran 1050..1225 along y 1000..1156; reversed it
    // starts at its old right exit corner.
    ExpectNear(c.Track(1).P(1), PointD{1225, 1156});
}

TEST_F(EditorTest, ReversingTurnsTheHeadCurveHalfBordersAndAdaptationChicanes) {
    TCircuit& c = editor.Circuit();
    c.startX = 0;
    c.startY = 1000;
    c.Append(kStandardStraight, 1, 1);
    c.Append(kAdaptationChicane, 1, 0);  // SCX-brand: 180 wide in, 156 out
    c.Append(kAdaptationChicane, 1, 1);  // NINCO-brand: 156 in, 180 out
    c.Append(kStandardStraight, 1, 1);
    c.Append(kInnerCurve, 0, 1);  // turning right, 45 degrees
    c.Track(1).SetBorder(kOuterBorderExitHalf, true);
    c.ReLay(false);
    const TTrack oldCurve = c.Track(5);
    // Straight 1 is hit at (200, 1090) mm = (40, 218) px.
    for (int click = 0; click < 3; ++click) editor.Image1MouseDown(TMouseButton::Left, false, 40, 218);
    ExpectSelection(c, 5, 5);
    // The curve leads now, from its old exit back to its old entry: it
    // started at heading 0 and turned right by pi/4, so it starts at
    // 0 + pi + pi/4 and turns left, ending at pi.
    EXPECT_NEAR(c.Track(1).angle, 5 * kPi / 4, 1e-9);
    ExpectNear(c.Track(1).P(1), oldCurve.P(10));
    // Half borders change ends; the chicanes taper the other way.
    EXPECT_TRUE(c.Track(5).Border(kOuterBorderEntryHalf));
    EXPECT_FALSE(c.Track(5).Border(kOuterBorderExitHalf));
    EXPECT_DOUBLE_EQ(c.Track(3).width, 156.0);
    EXPECT_DOUBLE_EQ(c.Track(4).width, 180.0);
    // The chain still fits together where it was.
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

    click(5, false);
    click(9, true);
    ExpectSelection(c, 5, 9);
    click(9, true);  // the last track: shrinks at the end
    ExpectSelection(c, 5, 8);
    click(9, true);
    click(5, true);  // the first track: shrinks at the start
    ExpectSelection(c, 6, 9);
    click(3, true);
    ExpectSelection(c, 3, 9);
    click(7, true);  // inside: unchanged
    ExpectSelection(c, 3, 9);

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
        int first;
        int last;
    };
    const int s = kStartingChicane;
    const int a = kAdaptationChicane;
    const Case cases[] = {
        // One starting chicane in 3..6 (at 5), its partner before: 2..6.
        {{0, s, 0, 0, s, 0, 0, 0}, 2, 6},
        // The partner after the range: 3..8.
        {{0, 0, 0, 0, s, 0, 0, s}, 3, 8},
        // Then the adaptation chicanes, counted in the widened range 2..6.
        {{a, s, 0, 0, s, a, 0, 0}, 1, 6},
    };
    for (const Case& k : cases) {
        TCircuit& c = editor.Circuit();
        c = TCircuit(0, 1000);
        for (int type : k.types) c.Append(type, 1, 0);  // SCX widths
        c.ReLay(false);
        auto clickAt = [&](int i, bool shift) {
            const TTrack& t = c.Track(i);
            editor.Image1MouseDown(TMouseButton::Left, shift, Round((t.P(1).x + t.P(10).x) / 10),
                                   Round((t.P(1).y + t.P(10).y) / 10));
        };
        clickAt(3, false);
        clickAt(6, true);
        ExpectSelection(c, k.first, k.last);
    }
}

TEST_F(EditorTest, RightDragMeasuresInInvertingStrokes) {
    RecordingCanvas image;
    EXPECT_FALSE(editor.Image1MouseDown(TMouseButton::Right, false, 100, 100).refresh);
    // A pixel of trembling is still a click.
    EXPECT_FALSE(editor.Image1DragStarts(101, 101));
    EXPECT_TRUE(editor.Image1DragStarts(160, 180));

    // 60 x 80 px = 100 px; at 5 mm per pixel 500 mm = 50 cm.
    EXPECT_EQ(editor.Image1DragOver(160, 180, image, nullptr, nullptr), "Distance: 50 cm");
    ASSERT_EQ(image.calls().size(), 1u);
    EXPECT_EQ(image.calls()[0].points, (std::vector<PixelPoint>{{100, 100}, {160, 180}}));
    EXPECT_EQ(image.calls()[0].pen.mode, PenMode::NotXor);
    // One pixel across and one down is not worth a redraw.
    image.clear();
    EXPECT_FALSE(editor.Image1DragOver(161, 181, image, nullptr, nullptr));
    EXPECT_TRUE(image.calls().empty());
    // The old line again, erasing it, then the new one.
    editor.Image1DragOver(100, 200, image, nullptr, nullptr);
    ASSERT_EQ(image.calls().size(), 2u);
    EXPECT_EQ(image.calls()[0].points, (std::vector<PixelPoint>{{100, 100}, {160, 180}}));
    EXPECT_EQ(image.calls()[1].points, (std::vector<PixelPoint>{{100, 100}, {100, 200}}));

    // Another button's release does not end the drag; the right one's
    // erases the last line.
    image.clear();
    EXPECT_FALSE(editor.Image1MouseUp(TMouseButton::Left, image));
    EXPECT_TRUE(image.calls().empty());
    EXPECT_FALSE(editor.Image1MouseUp(TMouseButton::Right, image));
    ASSERT_EQ(image.calls().size(), 1u);
    EXPECT_EQ(image.calls()[0].points, (std::vector<PixelPoint>{{100, 100}, {100, 200}}));
    EXPECT_EQ(editor.Drag().kind, TDragKind::None);
}

TEST_F(EditorTest, PlacingClickPutsTheAccessoryCentredOnIt) {
    TCircuit& c = editor.Circuit();
    editor.SetIconImage(kImageStart);
    editor.SetPlacementMode(true);
    // (200 - 16) x 5 = 920, (100 - 16) x 5 = 420.
    EXPECT_TRUE(editor.Image1MouseDown(TMouseButton::Left, false, 200, 100).refresh);
    EXPECT_EQ(c.Icon(1).kind, 2);
    EXPECT_DOUBLE_EQ(c.Icon(1).x, 920.0);
    EXPECT_DOUBLE_EQ(c.Icon(1).y, 420.0);
    EXPECT_TRUE(c.modified);
    EXPECT_EQ(editor.UndoCircuit().Icon(1).kind, 0);

    // With all 40 slots in use the click still counts as an edit (modified,
    // an undo copy) but places nothing.
    for (int i = 2; i <= TCircuit::kIconSlots; ++i) c.Icon(i) = {1, 10.0 * i, 0.0, false};
    c.modified = false;
    c.title = "full";
    editor.SetPlacementMode(true);
    editor.Image1MouseDown(TMouseButton::Left, false, 500, 300);
    EXPECT_TRUE(c.modified);
    EXPECT_EQ(editor.UndoCircuit().title, "full");
    for (const TIconSlot& icon : c.icons) EXPECT_LT(icon.x, 1000.0);
}

TEST_F(EditorTest, DraggedAccessoryStaysOnTheWorkArea) {
    TCircuit& c = editor.Circuit();
    c.title = "kept";
    editor.KeepCircuit();
    // A controller at (2800, 500) mm: pixels (560, 100)..(592, 132); a lap
    // counter at (50, 50) mm.
    c.Icon(3) = {3, 2800.0, 500.0, false};
    c.Icon(7) = {1, 50.0, 50.0, false};
    RecordingCanvas image;

    // The press picks it up (its corner counts); the picture is rendered
    // without it while the window shows it on top.
    EXPECT_TRUE(editor.Image1MouseDown(TMouseButton::Left, false, 592, 132).refresh);
    EXPECT_TRUE(c.Icon(3).selected);
    ASSERT_TRUE(editor.LiftedIcon());
    EXPECT_EQ(editor.LiftedIcon()->at, (PixelPoint{560, 100}));
    EXPECT_EQ(editor.LiftedIcon()->picture, Picture::IconControllerHighlighted);
    RecordingCanvas render;
    editor.Render(render);
    EXPECT_TRUE(render
                    .where([](const DrawCall& call) {
                        return call.kind == DrawKind::Picture && (call.picture == Picture::IconController ||
                                                                  call.picture == Picture::IconControllerHighlighted);
                    })
                    .empty());
    EXPECT_EQ(c.Icon(3).kind, 3);

    // 30 px right would be 150 mm, to 2950; the icon is 32 x 5 = 160 mm
    // wide, so it stops at 3000 - 160 = 2840 with its right side on the edge.
    ASSERT_TRUE(editor.Image1DragStarts(622, 132));
    editor.Image1DragOver(622, 132, image, nullptr, nullptr);
    EXPECT_DOUBLE_EQ(c.Icon(3).x, 2840.0);
    // The mouse counts from where it is now: 10 px back is 50 mm back.
    editor.Image1DragOver(612, 140, image, nullptr, nullptr);
    EXPECT_DOUBLE_EQ(c.Icon(3).x, 2790.0);
    EXPECT_DOUBLE_EQ(c.Icon(3).y, 540.0);
    // Letting go puts it back, still selected. No edit: not modified, no
    // undo copy.
    EXPECT_TRUE(editor.Image1MouseUp(TMouseButton::Left, image));
    EXPECT_FALSE(editor.LiftedIcon());
    EXPECT_TRUE(c.Icon(3).selected);
    EXPECT_FALSE(c.modified);
    EXPECT_EQ(editor.UndoCircuit().title, "kept");

    // The lap counter at pixels (10, 10): 8 px left is 40 mm, to x = 10;
    // 4 px more would be -10, so it stops at 0.
    editor.Image1MouseDown(TMouseButton::Middle, false, 15, 15);
    ASSERT_TRUE(editor.Image1DragStarts(7, 15));
    editor.Image1DragOver(7, 15, image, nullptr, nullptr);
    EXPECT_DOUBLE_EQ(c.Icon(7).x, 10.0);
    editor.Image1DragOver(3, 15, image, nullptr, nullptr);
    EXPECT_DOUBLE_EQ(c.Icon(7).x, 0.0);
    EXPECT_TRUE(editor.Image1MouseUp(TMouseButton::Middle, image));
    EXPECT_TRUE(image.calls().empty());
}

}  // namespace
}  // namespace quillet::test
