// The recording canvas is what every drawing test asserts against, so it must
// keep each call's state and points exactly as they were when drawn.
#include <gtest/gtest.h>
#include <array>

#include "model/RecordingCanvas.h"

namespace quillet {
namespace {

TEST(CanvasColour, ChannelsSitInToolkitOrder) {
    // Red in the low byte, blue in the high byte.
    static_assert(Rgb(255, 0, 0) == 0x0000FF);
    static_assert(Rgb(0, 0, 255) == 0xFF0000);
    EXPECT_EQ(Rgb(211, 165, 110), 0x6EA5D3u);  // the sand surface colour
    EXPECT_EQ(RedOf(0x7090A0), 0xA0);
    EXPECT_EQ(GreenOf(0x7090A0), 0x90);
    EXPECT_EQ(BlueOf(0x7090A0), 0x70);
}

TEST(RecordingCanvas, KeepsTheStateInForceForEveryCall) {
    RecordingCanvas c;
    const std::array<PixelPoint, 4> body{{{10, 10}, {50, 10}, {50, 30}, {10, 30}}};

    c.setPenColour(0x404040);
    c.setPenWidth(2);
    c.setBrushColour(0x6EA5D3);
    c.polygon(body);

    c.setPenColour(colour::White);
    c.setPenStyle(PenStyle::Dotted);
    c.setPenWidth(1);
    c.line(30, 10, 30, 30);

    c.setPenStyle(PenStyle::Solid);
    c.setBrushStyle(BrushStyle::Clear);
    const std::array<PixelPoint, 3> slot{{{12, 20}, {30, 22}, {48, 20}}};
    c.polyline(slot);

    ASSERT_EQ(c.calls().size(), 3u) << c.describeAll();
    const DrawCall& poly = c.calls()[0];
    EXPECT_EQ(poly.kind, DrawKind::Polygon);
    EXPECT_EQ(poly.pen, (PenState{0x404040, 2, PenStyle::Solid, PenMode::Copy}));
    EXPECT_EQ(poly.brush, (BrushState{0x6EA5D3, BrushStyle::Solid}));
    EXPECT_EQ(poly.points, std::vector<PixelPoint>(body.begin(), body.end()));

    const DrawCall& ln = c.calls()[1];
    EXPECT_EQ(ln.kind, DrawKind::Line);
    EXPECT_EQ(ln.pen, (PenState{colour::White, 1, PenStyle::Dotted, PenMode::Copy}));
    EXPECT_EQ(ln.points, (std::vector<PixelPoint>{{30, 10}, {30, 30}}));

    const DrawCall& pl = c.calls()[2];
    EXPECT_EQ(pl.kind, DrawKind::Polyline);
    EXPECT_EQ(pl.pen.style, PenStyle::Solid);
    EXPECT_EQ(pl.brush.style, BrushStyle::Clear);
    EXPECT_FALSE(pl.filled());
    EXPECT_EQ(pl.points, std::vector<PixelPoint>(slot.begin(), slot.end()));

    // Later state changes do not reach back into what was recorded.
    EXPECT_EQ(c.calls()[0].pen.colour, 0x404040u);
}

TEST(RecordingCanvas, LinesFollowThePenPosition) {
    RecordingCanvas c;
    c.moveTo(5, 6);
    c.lineTo(10, 6);
    c.lineTo(10, 12);
    c.line(0, 0, 3, 4);
    EXPECT_EQ(c.penPosition(), (PixelPoint{3, 4}));
    // moveTo draws nothing; each lineTo starts where the last one ended.
    ASSERT_EQ(c.count(DrawKind::Line), 3u) << c.describeAll();
    EXPECT_EQ(c.calls()[0].points, (std::vector<PixelPoint>{{5, 6}, {10, 6}}));
    EXPECT_EQ(c.calls()[1].points, (std::vector<PixelPoint>{{10, 6}, {10, 12}}));
    EXPECT_EQ(c.calls()[2].points, (std::vector<PixelPoint>{{0, 0}, {3, 4}}));
    // A polyline leaves the pen position where it was.
    const std::array<PixelPoint, 2> pts{{{100, 100}, {200, 200}}};
    c.polyline(pts);
    EXPECT_EQ(c.penPosition(), (PixelPoint{3, 4}));
}

TEST(RecordingCanvas, StateRulesOfPenBrushAndFont) {
    RecordingCanvas c;
    // A fresh canvas: black one-pixel solid pen, white solid brush.
    EXPECT_EQ(c.pen(), PenState{});
    EXPECT_EQ(c.pen().colour, colour::Black);
    EXPECT_EQ(c.brush(), (BrushState{colour::White, BrushStyle::Solid}));

    // Choosing a brush colour after a clear brush makes it solid again.
    c.setBrushStyle(BrushStyle::Clear);
    c.fillRect({0, 0, 4, 4});
    c.setBrushColour(colour::White);
    c.fillRect({0, 0, 4, 4});
    EXPECT_FALSE(c.calls()[0].filled());
    EXPECT_TRUE(c.calls()[1].filled());

    // "No colour" paints nothing, whatever the style says.
    c.setBrushColour(kNoColour);
    c.setPenColour(kNoColour);
    const std::array<PixelPoint, 3> tri{{{0, 0}, {4, 0}, {0, 4}}};
    c.polygon(tri);
    EXPECT_FALSE(c.calls().back().filled());
    EXPECT_FALSE(c.calls().back().stroked());
    EXPECT_TRUE(c.polygonsWithBrush(kNoColour).empty());

    c.setPenWidth(-3);
    EXPECT_EQ(c.pen().width, 0);

    // Size and height exclude each other.
    c.setFontHeight(8);
    EXPECT_EQ(c.font().height, 8);
    EXPECT_EQ(c.font().size, 0);
    c.setFontSize(14);
    EXPECT_EQ(c.font().height, 0);
    EXPECT_EQ(c.font().size, 14);

    // Font names live in a fixed buffer: long ones are cut, short ones replace
    // longer ones completely.
    c.setFontName("A font name that is far too long to keep whole");
    EXPECT_EQ(c.font().name(), "A font name that is far too lon");
    c.setFontName("Arial");
    EXPECT_EQ(c.font().name(), "Arial");
}

TEST(RecordingCanvas, TextAndPictures) {
    RecordingCanvas c;
    c.setTextMetrics(6, 11);
    c.setFontName("Arial");
    c.setFontSize(14);
    c.setFontStyle(FontStyle::Bold | FontStyle::Italic);
    c.setFontColour(colour::Navy);
    c.setBrushStyle(BrushStyle::Clear);
    c.textOut(0, 410, "Título  30 x 20 cm");
    // Characters, not bytes: the accented i counts once.
    EXPECT_EQ(c.textWidth("Título"), 36);
    EXPECT_EQ(c.textHeight("x"), 11);

    const DrawCall& t = c.calls().at(0);
    EXPECT_EQ(t.kind, DrawKind::Text);
    EXPECT_EQ(t.text, "Título  30 x 20 cm");
    EXPECT_EQ(t.points, (std::vector<PixelPoint>{{0, 410}}));
    EXPECT_EQ(t.font.name(), "Arial");
    EXPECT_EQ(t.font.size, 14);
    EXPECT_EQ(t.font.colour, colour::Navy);
    EXPECT_TRUE(HasStyle(t.font.style, FontStyle::Italic));
    EXPECT_FALSE(HasStyle(t.font.style, FontStyle::Underline));

    EXPECT_EQ(c.pictureSize(Picture::Drawing), (PixelSize{120, 90}));
    EXPECT_EQ(c.pictureSize(Picture::IconPowerSourceHighlighted), (PixelSize{32, 32}));
    EXPECT_EQ(c.pictureSize(Picture::StartMarker), (PixelSize{16, 16}));
    EXPECT_TRUE(c.pictureSize(Picture::Template).empty());
    c.setTemplateSize({640, 480});
    EXPECT_EQ(c.pictureSize(Picture::Template), (PixelSize{640, 480}));

    c.drawPicture(Picture::Drawing, 40, 40);
    c.drawPictureStretched(Picture::Template, {0, 0, 600, 450});
    ASSERT_EQ(c.count(DrawKind::Picture), 1u);
    EXPECT_EQ(c.calls()[1].picture, Picture::Drawing);
    EXPECT_EQ(c.calls()[1].points, (std::vector<PixelPoint>{{40, 40}}));
    EXPECT_EQ(c.calls()[2].picture, Picture::Template);
    EXPECT_EQ(c.calls()[2].rect, (PixelRect{0, 0, 600, 450}));
}

TEST(RecordingCanvas, AccessoryKindsPickTheirIcons) {
    // Kinds 1..5: lap counter, start, controller, assistant, power source.
    const std::array<Picture, 5> plain{Picture::IconLapCounter, Picture::IconStart, Picture::IconController,
                                       Picture::IconAssistant, Picture::IconPowerSource};
    const std::array<Picture, 5> lit{Picture::IconLapCounterHighlighted, Picture::IconStartHighlighted,
                                     Picture::IconControllerHighlighted, Picture::IconAssistantHighlighted,
                                     Picture::IconPowerSourceHighlighted};
    for (int kind = 1; kind <= 5; ++kind) {
        EXPECT_EQ(AccessoryIcon(kind, false), plain[kind - 1]) << kind;
        EXPECT_EQ(AccessoryIcon(kind, true), lit[kind - 1]) << kind;
    }
}

TEST(RecordingCanvas, QueriesSelectByKindAndColour) {
    RecordingCanvas c;
    const std::array<PixelPoint, 3> tri{{{0, 0}, {9, 0}, {0, 9}}};
    c.setBrushColour(0x008000);
    c.polygon(tri);  // green
    c.setBrushColour(0xFF0000);
    c.polygon(tri);  // blue
    c.setBrushStyle(BrushStyle::Clear);
    c.polygon(tri);  // blue colour but not filled
    c.setBrushColour(0x008000);
    c.ellipse({0, 0, 6, 6});  // green, but not a polygon
    c.setPenColour(0x0000FF);
    c.line(0, 0, 5, 5);
    c.setPenStyle(PenStyle::Clear);
    c.line(0, 0, 5, 5);  // red but invisible

    EXPECT_EQ(c.polygonsWithBrush(0x008000).size(), 1u);
    ASSERT_EQ(c.polygonsWithBrush(0xFF0000).size(), 1u);
    EXPECT_EQ(c.polygonsWithBrush(0xFF0000)[0], &c.calls()[1]);
    EXPECT_EQ(c.withPen(DrawKind::Line, 0x0000FF).size(), 1u);
    EXPECT_EQ(c.withPen(DrawKind::Polygon, colour::Black).size(), 3u);
    EXPECT_EQ(c.count(DrawKind::Polygon), 3u);
    EXPECT_EQ(c.callsOf(DrawKind::Ellipse).size(), 1u);
    EXPECT_NE(Describe(c.calls()[0]).find("polygon pen=000000/w1/solid brush=008000"), std::string::npos)
        << Describe(c.calls()[0]);
    c.clear();
    EXPECT_TRUE(c.calls().empty());
}

}  // namespace
}  // namespace quillet
