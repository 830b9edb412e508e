// Drawing the whole work area, asserted on the recording canvas: what comes
// in which order, the grid, the title, the end and insertion marks, the
// single-racing ends and the icons.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

#include "model/RecordingCanvas.h"
#include "model/Tracks.h"

using namespace quillet;

namespace {

using Points = std::vector<PixelPoint>;

constexpr Colour kRedPen = 0x0000FF;

// Work area 3000 x 2000 mm at 5 mm per pixel: 600 x 400 pixels.
constexpr int32_t kLength = 3000;
constexpr int32_t kWidth = 2000;

RecordingCanvas Draw(const TCircuit& c, CircuitDrawMode mode = CircuitDrawMode::Screen) {
    RecordingCanvas canvas;
    c.Draw(canvas, mode, kWidth, kLength);
    return canvas;
}

std::vector<const DrawCall*> LinesWith(const RecordingCanvas& canvas, Colour colour, int width) {
    return canvas.where(
        [&](const DrawCall& d) { return d.kind == DrawKind::Line && d.pen.colour == colour && d.pen.width == width; });
}

Points Edge(const TTrack& t, int a, int b) {
    return {{t.ScreenP(a).x, t.ScreenP(a).y}, {t.ScreenP(b).x, t.ScreenP(b).y}};
}

// Pieces laid one after another from (1000, 1000), none selected.
TCircuit Chain(std::initializer_list<int> types, int detail = 3) {
    TCircuit c(1000, 1000);
    c.detailLevel = detail;
    for (int t : types) c.Append(t, 0, 1);
    c.ReLay(false);
    return c;
}

}  // namespace

TEST(CircuitDraw, EmptyCircuitHasBackgroundPictureGridAndIcons) {
    TCircuit c(1000, 1000);
    c.icons[2] = {2, 920, 420, false};  // start: (184, 84)
    c.icons[5] = {1, 1000, 500, true};  // lap counter, highlighted: (200, 100)
    c.icons[7] = {9, 100, 100, false};  // no such kind
    const RecordingCanvas canvas = Draw(c);
    const auto& calls = canvas.calls();

    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls[0].kind, DrawKind::FillRect);
    EXPECT_EQ(calls[0].rect, (PixelRect{0, 0, 600, 400}));
    EXPECT_EQ(calls[0].brush.colour, 0xFFFFFFu);
    EXPECT_EQ(calls[1].kind, DrawKind::Picture);
    EXPECT_EQ(calls[1].picture, Picture::Drawing);
    EXPECT_EQ(calls[1].points, (Points{{40, 40}}));
    EXPECT_EQ(canvas.count(DrawKind::Polygon), 0u);

    // Grid on white: 0x8F8F8F. The border along the bottom and right edges,
    // then lines every 200 / 5 = 40 pixels: x = 0..600 (16), y = 0..400 (11).
    const auto grid = LinesWith(canvas, 0x8F8F8F, 1);
    ASSERT_EQ(grid.size(), 2u + 16u + 11u);
    EXPECT_EQ(grid[0]->points, (Points{{0, 399}, {599, 399}}));
    EXPECT_EQ(grid[1]->points, (Points{{599, 399}, {599, 0}}));
    EXPECT_EQ(grid[2]->points, (Points{{0, 0}, {0, 400}}));
    EXPECT_EQ(grid[17]->points, (Points{{600, 0}, {600, 400}}));
    EXPECT_EQ(grid[18]->points, (Points{{0, 0}, {600, 0}}));
    EXPECT_EQ(grid[28]->points, (Points{{0, 400}, {600, 400}}));

    // Icons last, at their corner in pixels, by their selected flag.
    const auto icons = canvas.where([](const DrawCall& d) { return d.kind == DrawKind::Picture; });
    ASSERT_EQ(icons.size(), 3u);
    EXPECT_EQ(icons[1]->picture, Picture::IconStart);
    EXPECT_EQ(icons[1]->points, (Points{{184, 84}}));
    EXPECT_EQ(icons[2]->picture, Picture::IconLapCounterHighlighted);
    EXPECT_EQ(icons[2]->points, (Points{{200, 100}}));
    EXPECT_EQ(&calls.back(), icons[2]);
}

TEST(CircuitDraw, GridColoursStepsAndItsGuard) {
    TCircuit c(1000, 1000);
    // On green the grid is the background darker by 0x40 in each channel.
    c.backgroundColour = 0x60A060;
    RecordingCanvas canvas = Draw(c);
    EXPECT_EQ(canvas.calls()[0].brush.colour, 0x60A060u);
    EXPECT_EQ(LinesWith(canvas, 0x206020, 1).size(), 29u);

    // A fractional step: 150 / 7 = 21.43 pixels, each line rounded:
    // 0, 21, 43, 64, 86, ... while x <= round(3000 / 7) = 429: 21 lines.
    c.scale = 7;
    c.gridStep = 150;
    canvas = Draw(c);
    std::vector<int> xs;
    for (const DrawCall* d : LinesWith(canvas, 0x206020, 1)) {
        if (d->points[0].y == 0 && d->points[1].y == 286 && d->points[0].x == d->points[1].x)
            xs.push_back(d->points[0].x);
    }
    ASSERT_EQ(xs.size(), 21u);
    EXPECT_EQ((std::vector<int>(xs.begin(), xs.begin() + 5)), (std::vector<int>{0, 21, 43, 64, 86}));
    EXPECT_EQ(xs.back(), 429);  // 20 * 21.43 = 428.57

    // A step of 0 (or less), which the settings let through, draws the
    // border only; a step under a pixel draws one line per pixel.
    c.scale = 5;
    for (int32_t step : {0, -200}) {
        c.gridStep = step;
        EXPECT_EQ(LinesWith(Draw(c), 0x206020, 1).size(), 2u) << step;
    }
    c.gridStep = 1;
    EXPECT_EQ(LinesWith(Draw(c), 0x206020, 1).size(), 2u + 601u + 401u);
    c.gridShown = false;
    EXPECT_TRUE(LinesWith(Draw(c), 0x206020, 1).empty());
}

TEST(CircuitDraw, PrintModeIsWhiteWithTitleAndGreyGrid) {
    TCircuit c(1000, 1000);
    c.backgroundColour = 0x60A060;
    c.title = "Monza";
    // The box is 1250 x 35 mm: round(125) = 125 and round(3.5) = 4 cm.
    c.box = {100, 200, 1350, 235};
    const RecordingCanvas canvas = Draw(c, CircuitDrawMode::Print);
    const auto& calls = canvas.calls();
    EXPECT_EQ(calls[0].brush.colour, 0xFFFFFFu);
    ASSERT_EQ(calls[1].kind, DrawKind::Text);
    EXPECT_EQ(calls[1].text, "Monza  125 x 4 cm");
    EXPECT_EQ(calls[1].points, (Points{{0, 410}}));  // 10 under the 400-pixel area
    EXPECT_EQ(calls[1].font.name(), "Arial");
    EXPECT_EQ(calls[1].font.size, 14);
    EXPECT_EQ(calls[1].font.colour, 0x000000u);
    EXPECT_EQ(calls[1].font.style, FontStyle::None);
    EXPECT_FALSE(calls[1].filled());
    // Grey grid whatever the background; the right border 10 pixels in.
    const auto grid = LinesWith(canvas, 0x8F8F8F, 1);
    ASSERT_EQ(grid.size(), 29u);
    EXPECT_EQ(grid[0]->points, (Points{{0, 399}, {590, 399}}));
    EXPECT_EQ(grid[1]->points, (Points{{590, 399}, {590, 0}}));

    // Half a centimetre rounds to even: 1250 -> 125, 1150 -> 115, 25 -> 2.
    c.box = {0, 0, 25, 1150};
    EXPECT_EQ(Draw(c, CircuitDrawMode::Print).calls()[1].text, "Monza  2 x 115 cm");
    // The screen has no title.
    EXPECT_EQ(Draw(c).count(DrawKind::Text), 0u);
}

TEST(CircuitDraw, TemplateKeepsItsProportions) {
    TCircuit c(1000, 1000);
    c.templateShown = true;
    auto target = [&](PixelSize size) {
        RecordingCanvas canvas;
        canvas.setTemplateSize(size);
        c.Draw(canvas, CircuitDrawMode::Screen, kWidth, kLength);
        const auto pictures = canvas.callsOf(DrawKind::StretchedPicture);
        return pictures.empty() ? PixelRect{-1, -1, -1, -1} : pictures[0]->rect;
    };
    // 600 x 400: a 3:1 picture fills the width, a 1:2 one the height.
    EXPECT_EQ(target({300, 100}), (PixelRect{0, 0, 600, 200}));
    EXPECT_EQ(target({100, 200}), (PixelRect{0, 0, 200, 400}));
    EXPECT_EQ(target({30, 20}), (PixelRect{0, 0, 600, 400}));
    EXPECT_EQ(target({0, 0}), (PixelRect{-1, -1, -1, -1}));
    c.templateShown = false;
    EXPECT_EQ(target({300, 100}), (PixelRect{-1, -1, -1, -1}));
}

TEST(CircuitDraw, OpenEndsAreMarkedClosedOnesAreNot) {
    // Two NINCO straights at detail 3, scale 5: the entry of piece 1 and the
    // exit of piece 2 get a black line round(10 / 5) = 2 wide (nothing else
    // draws black lines of that width at this detail).
    TCircuit c = Chain({kStandardStraight, kStandardStraight});
    RecordingCanvas canvas = Draw(c);
    auto marks = LinesWith(canvas, 0x000000, 2);
    ASSERT_EQ(marks.size(), 2u) << canvas.describeAll();
    EXPECT_EQ(marks[0]->points, Edge(c.Track(1), 1, 18));
    EXPECT_EQ(marks[1]->points, Edge(c.Track(2), 9, 10));

    // At 20 mm per pixel round(10 / 20) = 0: the canvas's one-pixel line.
    c.scale = 20;
    c.ReLay(false);
    EXPECT_EQ(LinesWith(Draw(c), 0x000000, 0).size(), 2u);
    // Detail 1: width 1.
    c.detailLevel = 1;
    EXPECT_EQ(LinesWith(Draw(c), 0x000000, 1).size(), 2u);

    // SCX first piece: dark grey.
    TCircuit scx(1000, 1000);
    scx.startBrand = 0;
    scx.Append(kStandardStraight, 0, 0);
    scx.ReLay(false);
    EXPECT_EQ(LinesWith(Draw(scx), 0x404040, 2).size(), 2u);

    // A selected end piece is not marked.
    c = Chain({kStandardStraight, kStandardStraight});
    c.Track(1).selected = true;
    canvas = Draw(c);
    marks = LinesWith(canvas, 0x000000, 2);
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(marks[0]->points, Edge(c.Track(2), 9, 10));

    // Eight standard curves close the circle: no marks.
    const TCircuit ring = Chain({3, 3, 3, 3, 3, 3, 3, 3});
    ASSERT_TRUE(ring.closed);
    EXPECT_TRUE(LinesWith(Draw(ring), 0x000000, 2).empty());
}

TEST(CircuitDraw, InsertionMarkIsDrawnAgainOverTheNextPiece) {
    TCircuit c = Chain({kStandardStraight, kStandardStraight, kStandardStraight});
    c.Track(2).selected = true;
    c.firstSelected = c.lastSelected = 2;
    RecordingCanvas canvas = Draw(c);
    const auto marks = LinesWith(canvas, kRedPen, 2);
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_EQ(marks[0]->points, Edge(c.Track(2), 9, 10));
    EXPECT_EQ(marks[1]->points, Edge(c.Track(2), 9, 10));
    // The second one comes after piece 3's body, which would cover the first.
    const auto& calls = canvas.calls();
    const auto body3 = std::find_if(calls.begin(), calls.end(), [&](const DrawCall& d) {
        return d.kind == DrawKind::Polygon && d.points.size() == 4 && d.points[0] == Edge(c.Track(3), 1, 18)[0];
    });
    ASSERT_NE(body3, calls.end());
    EXPECT_GT(marks[1], &*body3);

    // On the last piece: once, and no end mark there.
    c.Track(2).selected = false;
    c.Track(3).selected = true;
    c.firstSelected = c.lastSelected = 3;
    canvas = Draw(c);
    EXPECT_EQ(LinesWith(canvas, kRedPen, 2).size(), 1u);
    EXPECT_EQ(LinesWith(canvas, 0x000000, 2).size(), 1u);  // the entry of piece 1

    // A replace-marked piece, or a selected one that is not the last of
    // the range, gets none.
    c.Track(3).replaceMark = true;
    EXPECT_TRUE(LinesWith(Draw(c), kRedPen, 2).empty());
    c.Track(3).replaceMark = false;
    c.lastSelected = 2;
    EXPECT_TRUE(LinesWith(Draw(c), kRedPen, 2).empty());
}

TEST(CircuitDraw, ShadowsOnlyAboveDetailThree) {
    TCircuit c = Chain({kStandardStraight, kStandardCurve, kStandardCurve});
    c.backgroundColour = 0x60A060;
    auto shadows = [](const RecordingCanvas& canvas, Colour colour) { return canvas.polygonsWithBrush(colour).size(); };
    c.detailLevel = 3;
    EXPECT_EQ(shadows(Draw(c), 0x105010), 0u);
    c.detailLevel = 4;
    const RecordingCanvas canvas = Draw(c);
    EXPECT_EQ(shadows(canvas, 0x105010), 3u);
    EXPECT_EQ(shadows(Draw(c, CircuitDrawMode::Print), 0x7F7F7F), 3u);
    // All shadows come before the first piece's body.
    const auto& calls = canvas.calls();
    const auto firstBody = std::find_if(calls.begin(), calls.end(), [](const DrawCall& d) {
        return d.kind == DrawKind::Polygon && d.brush.colour == 0x000000;
    });
    const auto lastShadow = std::find_if(calls.rbegin(), calls.rend(), [](const DrawCall& d) {
        return d.kind == DrawKind::Polygon && d.brush.colour == 0x105010;
    });
    ASSERT_NE(firstBody, calls.end());
    EXPECT_LT(&*lastShadow, &*firstBody);
}

TEST(CircuitDraw, SingleRacingEnds) {
    // A loop, four straights, a loop: 20 pieces at 5 mm per pixel.
    TCircuit c(1000, 1000);
    c.singleRacing = true;
    c.detailLevel = 5;
    auto loop = [&c] {
        c.Append(kSingleRacingOuterCurve, 1, 1);
        for (int k = 0; k < 6; ++k) c.Append(kSingleRacingInnerCurve, 0, 1);
        c.Append(kSingleRacingOuterCurve, 1, 1);
    };
    loop();
    for (int k = 0; k < 4; ++k) c.Append(kStandardStraight, 0, 1);
    loop();
    c.ReLay(false);
    ASSERT_TRUE(c.closed);

    // The start loop: points 17..12 of piece 1, then 14..9 of piece 8; the
    // end loop the same from piece 13 and piece 20.
    auto outline = [&c](int first, int last) {
        Points p;
        for (int k = 17; k >= 12; --k) p.push_back({c.Track(first).ScreenP(k).x, c.Track(first).ScreenP(k).y});
        for (int k = 14; k >= 9; --k) p.push_back({c.Track(last).ScreenP(k).x, c.Track(last).ScreenP(k).y});
        return p;
    };
    const Points start = outline(1, 8);
    const Points end = outline(13, 20);
    const RecordingCanvas canvas = Draw(c);

    // Shadows: moved round(15 / 5) = 3 left and down, in the shadow colour.
    const auto shade = canvas.where([](const DrawCall& d) {
        return d.kind == DrawKind::Polygon && d.points.size() == 12 && d.brush.colour == 0x7F7F7F;
    });
    ASSERT_EQ(shade.size(), 2u);
    for (size_t i = 0; i < 12; ++i) {
        EXPECT_EQ(shade[0]->points[i], (PixelPoint{start[i].x - 3, start[i].y + 3}));
        EXPECT_EQ(shade[1]->points[i], (PixelPoint{end[i].x - 3, end[i].y + 3}));
    }
    // Then white with a black outline, over the pieces.
    const auto white = canvas.where([](const DrawCall& d) {
        return d.kind == DrawKind::Polygon && d.points.size() == 12 && d.brush.colour == 0xFFFFFF;
    });
    ASSERT_EQ(white.size(), 2u);
    EXPECT_EQ(white[0]->points, start);
    EXPECT_EQ(white[1]->points, end);
    EXPECT_EQ(white[0]->pen, (PenState{0x000000, 1, PenStyle::Solid, PenMode::Copy}));

    // Three red strokes each: point k, the middle of points 14 - k and
    // k - 1, point 13 - k, for k = 4, 5, 6.
    const auto strokes =
        canvas.where([](const DrawCall& d) { return d.kind == DrawKind::Polyline && d.pen.colour == kRedPen; });
    ASSERT_EQ(strokes.size(), 6u);
    auto at = [&start](int k) { return start[static_cast<size_t>(k - 1)]; };
    for (int k = 4; k <= 6; ++k) {
        const PixelPoint a = at(14 - k);
        const PixelPoint b = at(k - 1);
        // Halves round to even, like every rounding of the drawing.
        auto half = [](int u, int v) { return static_cast<int>(std::nearbyint((u + v) / 2.0)); };
        EXPECT_EQ(strokes[static_cast<size_t>(k - 4)]->points,
                  (Points{at(k), {half(a.x, b.x), half(a.y, b.y)}, at(13 - k)}))
            << k;
    }

    // The last piece's exit is closed with a white line round(5 / 5) = 1
    // wide, after the loops.
    const auto& calls = canvas.calls();
    const auto exit =
        std::find_if(calls.rbegin(), calls.rend(), [](const DrawCall& d) { return d.kind == DrawKind::Line; });
    ASSERT_NE(exit, calls.rend());
    EXPECT_EQ(exit->points, Edge(c.Track(20), 9, 10));
    EXPECT_EQ(exit->pen.colour, 0xFFFFFFu);
    EXPECT_EQ(exit->pen.width, 1);
    EXPECT_GT(&*exit, white[1]);

    // At detail 4 no strokes; at detail 3 no loops at all.
    c.detailLevel = 4;
    EXPECT_EQ(
        Draw(c).where([](const DrawCall& d) { return d.kind == DrawKind::Polyline && d.pen.colour == kRedPen; }).size(),
        0u);
    c.detailLevel = 3;
    EXPECT_TRUE(Draw(c).where([](const DrawCall& d) { return d.points.size() == 12; }).empty());
    // Too short to have its loops: nothing breaks.
    TCircuit stub(1000, 1000);
    stub.singleRacing = true;
    stub.detailLevel = 5;
    stub.Append(kSingleRacingOuterCurve, 1, 1);
    stub.ReLay(false);
    EXPECT_TRUE(Draw(stub).where([](const DrawCall& d) { return d.points.size() == 12; }).empty());
}
