// Drawing one piece, asserted call by call on the recording canvas. Pieces
// are laid at 1 mm per pixel where the points matter, so the expected pixels
// are the millimetre values worked out by hand in the comments.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>
#include <tuple>
#include <utility>
#include <vector>

#include "model/RecordingCanvas.h"
#include "model/Tracks.h"

using namespace quillet;

namespace {

constexpr Colour kBlue = 0xFF0000;  // selection
constexpr Colour kRedPen = 0x0000FF;
constexpr Colour kGreen = 0x008000;
constexpr Colour kDarkGrey = 0x404040;
constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kBlack = 0x000000;

using Points = std::vector<PixelPoint>;

TCircuit Circuit(double scale, int detail, int lanePairs = 1) {
    TCircuit c;
    c.scale = scale;
    c.detailLevel = detail;
    c.lanePairs = static_cast<uint8_t>(lanePairs);
    return c;
}

// A piece whose entry corner is (100, 100), heading along +x.
TTrack Piece(const TCircuit& c, int type, int brandFlag = 1, int orientation = 0) {
    return TTrack::Create(c, type, 100, 100, 0, orientation, brandFlag);
}

std::vector<DrawCall> Drawn(const TTrack& t, const TCircuit& c) {
    RecordingCanvas canvas;
    t.Draw(c, canvas, false);
    return canvas.calls();
}

std::vector<const DrawCall*> Lines(const std::vector<DrawCall>& calls, Colour pen, int width) {
    std::vector<const DrawCall*> out;
    for (const DrawCall& d : calls) {
        if (d.kind == DrawKind::Line && d.pen.colour == pen && d.pen.width == width) out.push_back(&d);
    }
    return out;
}

std::string All(const std::vector<DrawCall>& calls) {
    std::string s;
    for (const DrawCall& d : calls) s += Describe(d) + "\n";
    return s;
}

}  // namespace

TEST(TrackDraw, DetailOneIsAThinOutlineWithoutFillOrSlots) {
    // NINCO standard straight at (100, 100), 1 mm per pixel: corners 1 (100,
    // 100), 9 (500, 100), 10 (500, 280), 18 (100, 280).
    const TCircuit c = Circuit(1.0, 1);
    const auto calls = Drawn(Piece(c, kStandardStraight), c);
    ASSERT_EQ(calls.size(), 1u) << All(calls);
    EXPECT_EQ(calls[0].kind, DrawKind::Polygon);
    EXPECT_EQ(calls[0].points, (Points{{100, 100}, {500, 100}, {500, 280}, {100, 280}}));
    EXPECT_EQ(calls[0].pen.colour, kBlack);
    EXPECT_EQ(calls[0].pen.width, 1);
    EXPECT_FALSE(calls[0].filled());

    // A four-lane changeover (360 wide): the seam across the middle (y 280)
    // and an X in each lane pair, all with the seam's black one-pixel pen.
    const TCircuit c4 = Circuit(1.0, 1, 2);
    const auto x = Drawn(Piece(c4, kChangeoverTrack), c4);
    ASSERT_EQ(x.size(), 6u) << All(x);
    EXPECT_EQ(x[0].points, (Points{{100, 100}, {500, 100}, {500, 460}, {100, 460}}));
    const std::vector<Points> lines{
        {{100, 280}, {500, 280}},                            // seam at 1/2
        {{100, 100}, {500, 280}}, {{500, 100}, {100, 280}},  // pair 1: 0 .. 1/2
        {{100, 280}, {500, 460}}, {{500, 280}, {100, 460}},  // pair 2: 1/2 .. 1
    };
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(x[i + 1].kind, DrawKind::Line);
        EXPECT_EQ(x[i + 1].points, lines[i]) << i;
        EXPECT_EQ(x[i + 1].pen.colour, kBlack);
        EXPECT_EQ(x[i + 1].pen.width, 1);
    }
}

TEST(TrackDraw, SlotsAndJointsByDetailAndSelection) {
    // Lanes of one NINCO pair lie 45 and 135 mm across: y 145 and 235.
    const Points lane1{{100, 145}, {500, 145}};
    const Points lane2{{100, 235}, {500, 235}};
    const TCircuit c = Circuit(1.0, 2);
    const TTrack t = Piece(c, kStandardStraight);

    // Detail 2: body outline 10 wide without fill, black slots 5 wide, no
    // joints.
    auto calls = Drawn(t, c);
    ASSERT_EQ(calls.size(), 3u) << All(calls);
    EXPECT_EQ(calls[0].pen.width, 10);
    EXPECT_FALSE(calls[0].filled());
    auto slots = Lines(calls, kBlack, 5);
    ASSERT_EQ(slots.size(), 2u);
    EXPECT_EQ(slots[0]->points, lane1);
    EXPECT_EQ(slots[1]->points, lane2);

    // Selected at detail 2: outline and fill blue, white slots 10 wide.
    TTrack sel = t;
    sel.selected = true;
    calls = Drawn(sel, c);
    EXPECT_EQ(Lines(calls, kWhite, 10).size(), 2u) << All(calls);
    EXPECT_EQ(calls[0].pen.colour, kBlue);
    EXPECT_EQ(calls[0].brush.colour, kBlue);

    // Detail 3: black body filled black, pen 5; white joints 5 wide across
    // both end edges; white slots 10 wide.
    const TCircuit c3 = Circuit(1.0, 3);
    calls = Drawn(t, c3);
    ASSERT_EQ(calls.size(), 5u) << All(calls);
    EXPECT_EQ(calls[0].pen, (PenState{kBlack, 5, PenStyle::Solid, PenMode::Copy}));
    EXPECT_EQ(calls[0].brush.colour, kBlack);
    const auto joints = Lines(calls, kWhite, 5);
    ASSERT_EQ(joints.size(), 2u);
    EXPECT_EQ(joints[0]->points, (Points{{100, 100}, {100, 280}}));
    EXPECT_EQ(joints[1]->points, (Points{{500, 100}, {500, 280}}));
    slots = Lines(calls, kWhite, 10);
    ASSERT_EQ(slots.size(), 2u);
    EXPECT_EQ(slots[0]->points, lane1);

    // At 5 mm per pixel the widths are round(10 / 5) = 2 for slots and
    // round(5 / 5) = 1 for joints; at 20 mm per pixel round(0.5) and
    // round(0.25) are both 0.
    for (const auto& [scale, widths] :
         {std::pair{5.0, std::vector<int>{1, 1, 2, 2}}, std::pair{20.0, std::vector<int>{0, 0, 0, 0}}}) {
        const TCircuit cs = Circuit(scale, 3);
        std::vector<int> got;
        for (const DrawCall& d : Drawn(Piece(cs, kStandardStraight), cs)) {
            if (d.kind == DrawKind::Line && d.pen.colour == kWhite) got.push_back(d.pen.width);
        }
        EXPECT_EQ(got, widths) << scale;
    }
}

TEST(TrackDraw, BodyColoursFollowBrandSurfaceAndType) {
    const TCircuit c = Circuit(1.0, 3);
    // SCX is dark grey, pen and fill.
    auto calls = Drawn(Piece(c, kStandardStraight, 0), c);
    EXPECT_EQ(calls[0].pen.colour, kDarkGrey);
    EXPECT_EQ(calls[0].brush.colour, kDarkGrey);
    // The adaptation chicane is black whatever its width (an SCX-brand one
    // is 156 wide per pair).
    calls = Drawn(Piece(c, kAdaptationChicane, 0), c);
    EXPECT_EQ(calls[0].brush.colour, kBlack);
    EXPECT_EQ(calls[0].points.size(), 18u);  // a taper, not four corners
    // Sand fills the body; the pen keeps the brand colour.
    TTrack sand = Piece(c, kStandardStraight, 0);
    sand.surface = kSurfaceSand;
    calls = Drawn(sand, c);
    EXPECT_EQ(calls[0].pen.colour, kDarkGrey);
    EXPECT_EQ(calls[0].brush.colour, 0x6EA5D3u);
    // Selected beats surface.
    sand.selected = true;
    calls = Drawn(sand, c);
    EXPECT_EQ(calls[0].brush.colour, kBlue);
}

TEST(TrackDraw, BorderedNincoStraightAtDetailFive) {
    // Inner border on the right edge (orientation 0): polygon points 1..9
    // run along y 280 from x 100 to 500, points 10..18 back along y 330
    // (280 + the 50 mm border). n = round(400 * 16 / 400) = 16, so 15 red
    // stripes at x = 100 + 25 j, NINCO from the strip's middle (y 305) to
    // its outer line (y 330). A black joint crosses it at mid-length, x 300.
    const TCircuit c = Circuit(1.0, 5);
    TTrack t = Piece(c, kStandardStraight);
    t.SetBorder(kInnerBorder, true);
    t.ComputeOutline(c);
    const auto calls = Drawn(t, c);

    const DrawCall& border = calls[0];
    ASSERT_EQ(border.kind, DrawKind::Polygon);
    ASSERT_EQ(border.points.size(), 18u);
    EXPECT_EQ(border.points[0], (PixelPoint{100, 280}));
    EXPECT_EQ(border.points[8], (PixelPoint{500, 280}));
    EXPECT_EQ(border.points[9], (PixelPoint{500, 330}));
    EXPECT_EQ(border.points[17], (PixelPoint{100, 330}));
    EXPECT_EQ(border.pen.colour, kBlack);
    EXPECT_FALSE(border.filled());  // NINCO borders show what lies under them

    const auto stripes = Lines(calls, kRedPen, 1);
    ASSERT_EQ(stripes.size(), 15u) << All(calls);
    for (int j = 1; j <= 15; ++j) {
        EXPECT_EQ(stripes[static_cast<size_t>(j - 1)]->points, (Points{{100 + 25 * j, 305}, {100 + 25 * j, 330}})) << j;
    }
    const auto joints = Lines(calls, kBlack, 1);
    ASSERT_EQ(joints.size(), 1u);
    EXPECT_EQ(joints[0]->points, (Points{{300, 280}, {300, 330}}));

    // SCX (40 mm border, 350 long, 156 wide): a green strip, white over the
    // half next to the track (y 256..276), 14 stripes' worth, 13 drawn, from
    // the edge (y 256) to the middle (y 276) at x = 100 + 25 j.
    TTrack scx = Piece(c, kStandardStraight, 0);
    scx.SetBorder(kInnerBorder, true);
    scx.ComputeOutline(c);
    const auto s = Drawn(scx, c);
    EXPECT_EQ(s[0].brush.colour, kGreen);
    ASSERT_EQ(s[1].kind, DrawKind::Polygon);
    EXPECT_EQ(s[1].brush.colour, kWhite);
    EXPECT_EQ(s[1].points[8], (PixelPoint{450, 256}));
    EXPECT_EQ(s[1].points[9], (PixelPoint{450, 276}));
    const auto red = Lines(s, kRedPen, 1);
    ASSERT_EQ(red.size(), 13u);
    EXPECT_EQ(red[0]->points, (Points{{125, 256}, {125, 276}}));

    // A surface or a lower detail leaves the kerb out.
    TTrack sand = t;
    sand.surface = kSurfaceSand;
    EXPECT_TRUE(Lines(Drawn(sand, c), kRedPen, 1).empty());
    const TCircuit c4 = Circuit(1.0, 4);
    EXPECT_TRUE(Lines(Drawn(t, c4), kRedPen, 1).empty());
    EXPECT_EQ(Lines(Drawn(t, c4), kBlack, 1).size(), 1u);  // the joint stays
}

TEST(TrackDraw, ScxHalfBordersAreWedges) {
    // SCX straight, outer border on its entry half (flag 4): the outer
    // polygon keeps points 1..5 on the left edge (y 100) and its offset line
    // 40 mm out (y 60); the wedge is points 1, 9, 17, 18 = (100,100),
    // (275,100) (point 9 folded onto the middle), (143.75,60) -> (144,60),
    // (100,60). At detail 5, 14 / 2 = 7 stripes' worth, and only j <= 2.
    const TCircuit c = Circuit(1.0, 5);
    TTrack t = Piece(c, kStandardStraight, 0);
    t.SetBorder(kOuterBorderEntryHalf, true);
    t.ComputeOutline(c);
    const auto calls = Drawn(t, c);
    ASSERT_EQ(calls[0].kind, DrawKind::Polygon);
    EXPECT_EQ(calls[0].points, (Points{{100, 100}, {275, 100}, {144, 60}, {100, 60}}));
    EXPECT_EQ(calls[0].brush.colour, kGreen);
    const auto red = Lines(calls, kRedPen, 1);
    // j/7 of the way from (100,100) to (275,100): x 125, 150; middle of the
    // strip at y 80.
    ASSERT_EQ(red.size(), 2u) << All(calls);
    EXPECT_EQ(red[0]->points, (Points{{125, 100}, {125, 80}}));
    EXPECT_EQ(red[1]->points, (Points{{150, 100}, {150, 80}}));

    // Its shadow is the same wedge moved 15 left and 15 down; the full
    // polygon is not cast for SCX.
    RecordingCanvas shadow;
    t.DrawShadow(c, shadow, false);
    ASSERT_EQ(shadow.calls().size(), 2u) << shadow.describeAll();
    EXPECT_EQ(shadow.calls()[1].points, (Points{{85, 115}, {260, 115}, {129, 75}, {85, 75}}));
}

TEST(TrackDraw, ShadowColourAndOffset) {
    TCircuit c = Circuit(5.0, 4);
    const TTrack t = Piece(c, kStandardStraight);
    auto shade = [&](bool printing) {
        RecordingCanvas canvas;
        t.DrawShadow(c, canvas, printing);
        return canvas.calls().at(0);
    };
    // Green 0x60A060 darkened by 0x50 in each channel.
    c.backgroundColour = 0x60A060;
    EXPECT_EQ(shade(false).brush.colour, 0x105010u);
    EXPECT_EQ(shade(false).pen.colour, 0x105010u);
    EXPECT_EQ(shade(true).brush.colour, 0x7F7F7Fu);  // paper
    c.templateShown = true;
    EXPECT_EQ(shade(false).brush.colour, 0x7F7F7Fu);
    c.templateShown = false;
    c.backgroundColour = 0xFFFFFF;
    EXPECT_EQ(shade(false).brush.colour, 0x7F7F7Fu);
    c.backgroundColour = 0x7090A0;
    EXPECT_EQ(shade(false).brush.colour, 0x204050u);
    c.backgroundColour = 0x301020;  // channels below 0x50 stop at 0
    EXPECT_EQ(shade(false).brush.colour, 0x000000u);

    // Offset round(15 / scale) left and down: 3 at 5 mm, round(2.5) = 2 at
    // 6 mm, round(1.5) = 2 at 10, round(0.75) = 1 at 20.
    for (const auto& [scale, d] : {std::pair{5.0, 3}, std::pair{6.0, 2}, std::pair{10.0, 2}, std::pair{20.0, 1}}) {
        TCircuit cs = Circuit(scale, 4);
        const TTrack ts = Piece(cs, kStandardCurve);
        RecordingCanvas canvas;
        ts.DrawShadow(cs, canvas, false);
        const DrawCall& poly = canvas.calls().at(0);
        ASSERT_EQ(poly.points.size(), 18u);
        for (int k = 1; k <= 18; ++k) {
            const PointI p = ts.ScreenP(k);
            EXPECT_EQ(poly.points[static_cast<size_t>(k - 1)], (PixelPoint{p.x - d, p.y + d})) << scale << " " << k;
        }
    }
}

TEST(TrackDraw, Barriers) {
    // Straight, orientation 0: the outer (left) edge is y 100, so the outer
    // barrier runs 20 mm further out at y 80; the inner one 20 mm beyond the
    // right edge, y 300.
    const TCircuit c = Circuit(1.0, 3);
    TTrack t = Piece(c, kStandardStraight);
    t.outerBarrier = true;
    t.innerBarrier = true;
    auto calls = Drawn(t, c);
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[0].points, (Points{{100, 80}, {500, 80}}));
    EXPECT_EQ(calls[0].pen.colour, 0x0000C0u);
    EXPECT_EQ(calls[0].pen.width, 7);  // round(7 / 1)
    EXPECT_EQ(calls[1].points, (Points{{100, 300}, {500, 300}}));
    EXPECT_EQ(calls[1].pen.colour, 0x0000B0u);
    EXPECT_EQ(calls[1].pen.width, 1);

    // A curve's barrier follows the arc: 9 points 20 mm outside the outer
    // edge, radius 441.5 about (100, 521.5): the last at 45 degrees,
    // (100 + 312.19, 521.5 - 312.19) -> (412, 209).
    TTrack curve = Piece(c, kStandardCurve);
    curve.outerBarrier = true;
    calls = Drawn(curve, c);
    ASSERT_EQ(calls[0].kind, DrawKind::Polyline);
    ASSERT_EQ(calls[0].points.size(), 9u);
    EXPECT_EQ(calls[0].points[0], (PixelPoint{100, 80}));
    EXPECT_EQ(calls[0].points[8], (PixelPoint{412, 209}));

    // Detail 2: black and thin; selected: blue.
    const TCircuit c2 = Circuit(1.0, 2);
    EXPECT_EQ(Drawn(t, c2)[0].pen, (PenState{kBlack, 1, PenStyle::Solid, PenMode::Copy}));
    t.selected = true;
    EXPECT_EQ(Drawn(t, c)[1].pen.colour, kBlue);

    // The shadow carries the outer barrier with a pen 2 wide.
    RecordingCanvas shadow;
    t.DrawShadow(Circuit(1.0, 4), shadow, false);
    ASSERT_EQ(shadow.calls().size(), 2u);
    EXPECT_EQ(shadow.calls()[1].kind, DrawKind::Polyline);
    EXPECT_EQ(shadow.calls()[1].points, (Points{{85, 95}, {485, 95}}));
    EXPECT_EQ(shadow.calls()[1].pen.width, 2);
}

TEST(TrackDraw, StartLineAndMarkers) {
    // Starting straight at detail 4: a dotted one-pixel line across the
    // middle, x 300, from y 100 to y 280; white for NINCO, yellow for SCX.
    const TCircuit c = Circuit(1.0, 4);
    auto calls = Drawn(Piece(c, kStartingStraight), c);
    auto dotted =
        std::find_if(calls.begin(), calls.end(), [](const DrawCall& d) { return d.pen.style == PenStyle::Dotted; });
    ASSERT_NE(dotted, calls.end());
    EXPECT_EQ(dotted->points, (Points{{300, 100}, {300, 280}}));
    EXPECT_EQ(dotted->pen.colour, kWhite);
    EXPECT_EQ(dotted->pen.width, 1);
    EXPECT_EQ(std::next(dotted)->pen.style, PenStyle::Solid);  // the joints after it
    calls = Drawn(Piece(c, kStartingStraight, 0), c);          // SCX: 350 long, 156 wide
    dotted =
        std::find_if(calls.begin(), calls.end(), [](const DrawCall& d) { return d.pen.style == PenStyle::Dotted; });
    ASSERT_NE(dotted, calls.end());
    EXPECT_EQ(dotted->points, (Points{{275, 100}, {275, 256}}));
    EXPECT_EQ(dotted->pen.colour, 0x00FFFFu);

    // Changeover at detail 4: triangles on the pair's two sides, base from
    // station 1 (x 150) to station 7 (x 450), apex a quarter pair (45 mm)
    // in at station 4 (x 300). NINCO: white with black outline.
    calls = Drawn(Piece(c, kChangeoverTrack), c);
    auto triangles = [](const std::vector<DrawCall>& d) {
        std::vector<const DrawCall*> out;
        for (const DrawCall& x : d) {
            if (x.kind == DrawKind::Polygon && x.points.size() == 3) out.push_back(&x);
        }
        return out;
    };
    auto tri = triangles(calls);
    ASSERT_EQ(tri.size(), 2u) << All(calls);
    EXPECT_EQ(tri[0]->points, (Points{{150, 100}, {450, 100}, {300, 145}}));
    EXPECT_EQ(tri[1]->points, (Points{{150, 280}, {450, 280}, {300, 235}}));
    EXPECT_EQ(tri[0]->brush.colour, kWhite);
    EXPECT_EQ(tri[0]->pen.colour, kBlack);
    // SCX at detail 4 is green with a dark grey outline.
    calls = Drawn(Piece(c, kChangeoverTrack, 0), c);
    tri = triangles(calls);
    ASSERT_EQ(tri.size(), 2u);
    EXPECT_EQ(tri[0]->brush.colour, kGreen);
    EXPECT_EQ(tri[0]->pen.colour, kDarkGrey);

    // Starting chicane (SCX, orientation 0): long triangles from station 0
    // (x 100) to station 8 (x 450), their third corner 39 mm in at station 8,
    // where the lanes run together. Grey outline, green at detail 4.
    calls = Drawn(Piece(c, kStartingChicane, 0), c);
    tri = triangles(calls);
    ASSERT_EQ(tri.size(), 2u) << All(calls);
    EXPECT_EQ(tri[0]->points, (Points{{450, 100}, {100, 100}, {450, 139}}));
    EXPECT_EQ(tri[1]->points, (Points{{450, 256}, {100, 256}, {450, 217}}));
    EXPECT_EQ(tri[0]->pen.colour, 0x808080u);
    EXPECT_EQ(tri[0]->brush.colour, kGreen);
    // At detail 5: white, 13 red hatch lines and a small green triangle each.
    const TCircuit c5 = Circuit(1.0, 5);
    calls = Drawn(Piece(c5, kStartingChicane, 0), c5);
    tri = triangles(calls);
    ASSERT_EQ(tri.size(), 4u);
    EXPECT_EQ(tri[0]->brush.colour, kWhite);
    EXPECT_EQ(tri[1]->brush.colour, kGreen);
    EXPECT_EQ(tri[1]->pen.colour, kDarkGrey);
    // Its corners: 0.3 along the base from the narrow end (x 345), the wide
    // end (100, 100), the middle of the short side (450, 119.5) -> (450, 120).
    EXPECT_EQ(tri[1]->points, (Points{{345, 100}, {100, 100}, {450, 120}}));
    EXPECT_EQ(Lines(calls, kRedPen, 1).size(), 26u);
}

TEST(TrackDraw, StartingChicaneSlots) {
    // SCX starting chicane, orientation 1 (lanes run apart towards the exit):
    // per pair, from the pair's centre -/+ 10 mm (y 168, 188) at stations 0
    // and 1 (x 100, 143.75 -> 144) to the lanes (y 139, 217) at stations 7
    // and 8 (x 406.25 -> 406, 450).
    const TCircuit c = Circuit(1.0, 3);
    const auto calls = Drawn(Piece(c, kStartingChicane, 0, 1), c);
    EXPECT_TRUE(Lines(calls, kWhite, 10).empty());
    std::vector<const DrawCall*> polylines;
    for (const DrawCall& d : calls) {
        if (d.kind == DrawKind::Polyline) polylines.push_back(&d);
    }
    ASSERT_EQ(polylines.size(), 2u) << All(calls);
    EXPECT_EQ(polylines[0]->points, (Points{{100, 168}, {144, 168}, {406, 139}, {450, 139}}));
    EXPECT_EQ(polylines[1]->points, (Points{{100, 188}, {144, 188}, {406, 217}, {450, 217}}));
    EXPECT_EQ(polylines[0]->pen, (PenState{kWhite, 10, PenStyle::Solid, PenMode::Copy}));
}

TEST(TrackDraw, MultiLaneCurveJoints) {
    // A four-lane NINCO standard curve turning right: its outer strip is two
    // 22.5 degree outer curves, so a white line runs from the middle of the
    // outer edge (point 5) half way across (to the middle of points 5, 14).
    // Centre (100, 100 + 241.5 + 360 = 701.5); at 22.5 degrees point 5 is
    // (100 + 601.5 sin, 701.5 - 601.5 cos) = (330.18, 145.79) and point 14
    // (100 + 241.5 sin, 701.5 - 241.5 cos) = (192.42, 478.38); the middle
    // (261.30, 312.09).
    const TCircuit c = Circuit(1.0, 3, 2);
    const auto calls = Drawn(Piece(c, kStandardCurve), c);
    const auto joint = Lines(calls, kWhite, 5);
    // Entry and exit joints, then the curve joint.
    ASSERT_EQ(joint.size(), 3u) << All(calls);
    EXPECT_EQ(joint[2]->points, (Points{{330, 146}, {261, 312}}));

    // An inner curve on four lanes is an inner and a standard curve: no line.
    EXPECT_EQ(Lines(Drawn(Piece(c, kInnerCurve), c), kWhite, 5).size(), 2u);
    // Black at detail 2.
    const TCircuit c2 = Circuit(1.0, 2, 2);
    EXPECT_EQ(Lines(Drawn(Piece(c2, kStandardCurve), c2), kBlack, 10).size(), 1u);
}

TEST(TrackDraw, ColourCodeDots) {
    TCircuit c = Circuit(1.0, 3);
    c.colourCodeShown = true;
    auto dots = [&](const TTrack& t, const TCircuit& circuit) {
        std::vector<DrawCall> out;
        for (const DrawCall& d : Drawn(t, circuit)) {
            if (d.kind == DrawKind::Ellipse) out.push_back(d);
        }
        return out;
    };
    // A standard straight: one blue dot, radius round(30 / 1) = 30, at the
    // middle (300, 190); no outline from detail 3.
    auto d = dots(Piece(c, kStandardStraight), c);
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].rect, (PixelRect{270, 160, 330, 220}));
    EXPECT_EQ(d[0].brush.colour, 0xFF0000u);
    EXPECT_FALSE(d[0].stroked());
    // At 20 mm per pixel round(1.5) = 2 is raised to 3; at detail 2 the dot
    // has a black outline.
    TCircuit c20 = Circuit(20.0, 2);
    c20.colourCodeShown = true;
    d = dots(Piece(c20, kHalfStraight), c20);
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].rect.width(), 6);
    EXPECT_EQ(d[0].pen.colour, kBlack);
    EXPECT_EQ(d[0].brush.colour, 0xFFFF00u);  // cyan

    // Two-lane standard curve turning right at (100, 100): its centre is
    // (100, 521.5); the dot sits at mid-arc on the strip's centre line,
    // radius 331.5: (100 + 331.5 sin 22.5, 521.5 - 331.5 cos 22.5) =
    // (226.86, 215.24) -> (227, 215). Orange.
    d = dots(Piece(c, kStandardCurve), c);
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].rect, (PixelRect{197, 185, 257, 245}));
    EXPECT_EQ(d[0].brush.colour, 0x00AAFFu);

    // The radius ladder. Colours: 3 orange, 4 yellow, 5 red, 6 maroon.
    struct Case {
        int type;
        int pairs;
        std::vector<Colour> colours;
    };
    const std::vector<Case> cases{
        {kOuterCurve, 1, {0x0000FF}},
        {kOuterCurve, 2, {0x0000FF, 0x000080}},
        {kOuterCurve, 3, {}},
        {kStandardCurve, 2, {0x00AAFF, 0x0000FF, 0x0000FF}},
        {kStandardCurve, 4, {0x00AAFF, 0x0000FF, 0x0000FF, 0x000080, 0x000080}},
        {kInnerCurve, 2, {0x00FFFF, 0x00AAFF}},
        {kInnerCurve, 4, {0x00FFFF, 0x00AAFF, 0x0000FF, 0x0000FF, 0x000080, 0x000080}},
        {kSuperOuterCurve, 3, {0x000080}},
        {kChangeoverTrack, 3, {0x008000, 0x008000, 0x008000}},
    };
    for (const Case& k : cases) {
        TCircuit cp = Circuit(1.0, 3, k.pairs);
        cp.colourCodeShown = true;
        std::vector<Colour> got;
        for (const DrawCall& e : dots(Piece(cp, k.type), cp)) got.push_back(e.brush.colour);
        EXPECT_EQ(got, k.colours) << "type " << k.type << " pairs " << k.pairs;
    }

    // Where they sit, as distances from the curve's centre: on a four-lane
    // standard curve (radii 241.5 .. 601.5) the strips are drawn at the
    // sixths of the width (720 / 6 = 120) from the inner edge: 361.5, 601.5
    // and 841.5.
    TCircuit c4 = Circuit(1.0, 3, 4);
    c4.colourCodeShown = true;
    const TTrack wide = Piece(c4, kStandardCurve);
    const double cy = 100 + 241.5 + 720;  // centre (100, cy)
    const std::vector<double> radii{361.5, 601.5, 601.5, 841.5, 841.5};
    d = dots(wide, c4);
    ASSERT_EQ(d.size(), radii.size());
    for (size_t i = 0; i < d.size(); ++i) {
        const double x = (d[i].rect.left + d[i].rect.right) / 2.0;
        const double y = (d[i].rect.top + d[i].rect.bottom) / 2.0;
        EXPECT_NEAR(std::hypot(x - 100, y - cy), radii[i], 1.0) << i;
    }
}

TEST(TrackDraw, OddPiecesDrawNothingWild) {
    // Every type, unknown codes, zero-length pieces, both brands, 1..4 pairs,
    // every detail, both orientations, every border, barrier and surface,
    // selected, colour code and the extreme scales: nothing lands far from
    // the piece. A division by a zero width or a runaway count would show as
    // a point far off or as a flood of calls.
    for (double scale : {1.0, 7.0, 20.0}) {
        for (int pairs = 1; pairs <= 4; ++pairs) {
            for (int detail : {0, 1, 2, 3, 4, 5, 9}) {
                TCircuit c = Circuit(scale, detail, pairs);
                c.colourCodeShown = true;
                for (int type = 0; type <= 16; ++type) {
                    for (int brand : {0, 1}) {
                        for (int o : {0, 1}) {
                            TTrack t = TTrack::Create(c, std::min(type, 14), 2000, 2000, 0.3, o, brand);
                            t.type = static_cast<uint8_t>(type);
                            for (int f = 1; f <= 6; ++f) t.SetBorder(f, (type + f) % 3 != 0);
                            t.innerBarrier = t.outerBarrier = true;
                            t.surface = static_cast<uint8_t>(type % 5);
                            t.selected = type % 4 == 0;
                            t.ComputeOutline(c);
                            RecordingCanvas canvas;
                            t.DrawShadow(c, canvas, false);
                            t.Draw(c, canvas, false);
                            ASSERT_LT(canvas.calls().size(), 400u) << type;
                            const double reach = 2000 / scale;  // pixels
                            const double cx = 2000 / scale;
                            for (const DrawCall& d : canvas.calls()) {
                                for (const PixelPoint& p : d.points) {
                                    ASSERT_LT(std::abs(p.x - cx), reach) << Describe(d);
                                    ASSERT_LT(std::abs(p.y - cx), reach) << Describe(d);
                                }
                            }
                        }
                    }
                }
            }
        }
    }
    // A damaged lane count draws at most four pairs: eight slots.
    {
        TCircuit many = Circuit(1.0, 3, 200);
        const TTrack t = TTrack::Create(many, kStandardStraight, 100, 100, 0, 0, 1);
        EXPECT_EQ(Lines(Drawn(t, many), kWhite, 10).size(), 8u);
    }
    // A damaged scale of a millionth of a millimetre per pixel: coordinates
    // saturate, and no width, offset or radius passes 4096 pixels.
    {
        TCircuit tiny = Circuit(1e-6, 5);
        tiny.colourCodeShown = true;
        TTrack t = TTrack::Create(tiny, kStandardCurve, 100, 100, 0, 0, 1);
        t.outerBarrier = true;
        RecordingCanvas canvas;
        t.DrawShadow(tiny, canvas, false);
        t.Draw(tiny, canvas, false);
        EXPECT_EQ(canvas.count(DrawKind::Ellipse), 1u);
        for (const DrawCall& d : canvas.calls()) {
            EXPECT_LE(d.pen.width, 4096) << Describe(d);
            if (d.kind == DrawKind::Ellipse) {
                EXPECT_EQ(int64_t{d.rect.right} - d.rect.left, 2 * 4096) << Describe(d);
            }
        }
    }
    // A piece without width (a damaged file) draws, and stays put.
    TCircuit c = Circuit(1.0, 5, 2);
    TTrack t = Piece(c, kStandardCurve);
    t.width = 0;
    t.SetBorder(kInnerBorder, true);
    t.SetBorder(kOuterBorder, true);
    t.outerBarrier = true;
    t.ComputeOutline(c);
    RecordingCanvas canvas;
    t.Draw(c, canvas, false);
    for (const DrawCall& d : canvas.calls()) {
        for (const PixelPoint& p : d.points) ASSERT_LT(std::abs(p.x) + std::abs(p.y), 5000) << Describe(d);
    }
}

// ---------------------------------------------------------------------------
// Drawing allocates nothing: the whole work of a refresh is on the stack.

namespace {
std::size_t g_allocations = 0;

// Counts the calls and throws them away, allocating nothing itself.
class CountingCanvas final : public Canvas {
public:
    int calls = 0;
    void polygon(std::span<const PixelPoint>) override { ++calls; }
    void polyline(std::span<const PixelPoint>) override { ++calls; }
    void rectangle(const PixelRect&) override { ++calls; }
    void fillRect(const PixelRect&) override { ++calls; }
    void ellipse(const PixelRect&) override { ++calls; }
    void textOut(int, int, std::string_view) override { ++calls; }
    int textWidth(std::string_view) override { return 0; }
    int textHeight(std::string_view) override { return 0; }
    void drawPicture(Picture, int, int) override { ++calls; }
    void drawPictureStretched(Picture, const PixelRect&) override { ++calls; }
    PixelSize pictureSize(Picture) const override { return {}; }

protected:
    void drawLine(PixelPoint, PixelPoint) override { ++calls; }
};
}  // namespace

// Counting every allocation of this test program; the others are left as
// they are. GCC cannot see that these two are a matching pair.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t n) {
    ++g_allocations;
    if (void* p = std::malloc(n == 0 ? 1 : n)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

TEST(TrackDraw, DrawingAllocatesNothing) {
    TCircuit c(1000, 1000);
    c.lanePairs = 4;
    c.detailLevel = 5;
    c.colourCodeShown = true;
    c.singleRacing = false;
    c.innerBorderDefault = c.outerBorderDefault = true;
    for (int type : {0, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 2}) c.Append(type, type % 2, type == 8 ? 0 : 1);
    c.Track(3).selected = true;
    c.lastSelected = c.firstSelected = 3;
    c.ReLay(false);
    CountingCanvas canvas;
    const std::size_t before = g_allocations;
    for (const TTrack& t : c.Tracks()) {
        t.DrawShadow(c, canvas, false);
        t.Draw(c, canvas, false);
    }
    c.Draw(canvas, CircuitDrawMode::Screen, 3000, 3000);
    EXPECT_EQ(g_allocations - before, 0u);
    EXPECT_GT(canvas.calls, 500);
}
