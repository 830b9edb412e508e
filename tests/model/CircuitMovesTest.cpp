// The whole circuit moved on its work area: steps towards an edge, centring,
// and the icons that go along but stay on the work area.

#include <gtest/gtest.h>

#include <limits>

#include "model/Tracks.h"

using namespace quillet;

namespace {

using Edge = TCircuit::Edge;

// One NINCO standard straight, two lanes, from (x, y) heading along +x: its
// box runs x .. x + 400 by y .. y + 180. The circuit is drawn at 5 mm a
// pixel, so an icon's 32-pixel picture is 160 mm wide.
TCircuit StraightAt(double x, double y) {
    TCircuit c;
    c.startX = x;
    c.startY = y;
    EXPECT_TRUE(c.Append(kStandardStraight, 1, 1));
    c.ReLay(false);
    return c;
}

void ExpectBox(const TBoundingBox& b, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    EXPECT_EQ(b.left, left);
    EXPECT_EQ(b.top, top);
    EXPECT_EQ(b.right, right);
    EXPECT_EQ(b.bottom, bottom);
}

}  // namespace

TEST(CircuitMoves, StepsGoOneStepOrUpToTheEdgeAndNoFurther) {
    // Box 50..450 by 1000..1180 on a 3000 x 2000 mm work area, step 200.
    TCircuit c = StraightAt(50, 1000);
    // Left: min(200, 50) = 50 reaches the edge; then there is no room.
    EXPECT_TRUE(c.MoveTowards(Edge::Left, 200, 3000, 2000));
    EXPECT_DOUBLE_EQ(c.startX, 0.0);
    ExpectBox(c.box, 0, 1000, 400, 1180);
    EXPECT_FALSE(c.MoveTowards(Edge::Left, 200, 3000, 2000));
    EXPECT_DOUBLE_EQ(c.startX, 0.0);
    // Up a whole step, 1000 -> 800; down 200 of the 2000 - 980 = 1020 left.
    EXPECT_TRUE(c.MoveTowards(Edge::Top, 200, 3000, 2000));
    EXPECT_DOUBLE_EQ(c.startY, 800.0);
    EXPECT_TRUE(c.MoveTowards(Edge::Bottom, 200, 3000, 2000));
    EXPECT_DOUBLE_EQ(c.startY, 1000.0);
    // Down with 150 left below the box (bottom 1850): 150, then nothing.
    c = StraightAt(2550, 1670);
    EXPECT_TRUE(c.MoveTowards(Edge::Bottom, 200, 3000, 2000));
    EXPECT_DOUBLE_EQ(c.startY, 1820.0);
    EXPECT_FALSE(c.MoveTowards(Edge::Bottom, 200, 3000, 2000));
    // Right from a box ending at 2950: 50, to 3000, and no further.
    EXPECT_TRUE(c.MoveTowards(Edge::Right, 200, 3000, 2000));
    EXPECT_DOUBLE_EQ(c.startX, 2600.0);
    EXPECT_FALSE(c.MoveTowards(Edge::Right, 200, 3000, 2000));
    EXPECT_DOUBLE_EQ(c.startX, 2600.0);
    // A box already past an edge cannot go further out, but comes back in.
    c = StraightAt(-30, 500);
    EXPECT_FALSE(c.MoveTowards(Edge::Left, 200, 3000, 2000));
    EXPECT_TRUE(c.MoveTowards(Edge::Right, 200, 3000, 2000));
    EXPECT_DOUBLE_EQ(c.startX, 170.0);

    // Nothing to move with: no pieces, or a step that is no length.
    TCircuit empty;
    empty.startX = 500;
    EXPECT_FALSE(empty.MoveTowards(Edge::Left, 200, 3000, 2000));
    EXPECT_DOUBLE_EQ(empty.startX, 500.0);
    for (const double step :
         {0.0, -200.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        EXPECT_FALSE(c.MoveTowards(Edge::Right, step, 3000, 2000)) << step;
        EXPECT_DOUBLE_EQ(c.startX, 170.0) << step;
    }
}

TEST(CircuitMoves, CentreMovesTheBoxToTheMiddleAndLeavesACentredOne) {
    // Box 1000..1400 by 500..680 on 3000 x 2000: dx = (3000 + 1000 - 1400)
    // / 2 - 1000 = 300, dy = (2000 + 500 - 680) / 2 - 500 = 410.
    TCircuit c = StraightAt(1000, 500);
    c.Icon(1) = {2, 100.0, 100.0, false};
    c.Icon(2) = {1, 2900.0, 1900.0, false};
    EXPECT_TRUE(c.Centre(3000, 2000));
    EXPECT_DOUBLE_EQ(c.startX, 1300.0);
    EXPECT_DOUBLE_EQ(c.startY, 910.0);
    ExpectBox(c.box, 1300, 910, 1700, 1090);
    EXPECT_DOUBLE_EQ(c.Icon(1).x, 400.0);
    EXPECT_DOUBLE_EQ(c.Icon(1).y, 510.0);
    // (3200, 2310) would be off the work area: the 160 mm picture stops at
    // (3000 - 160, 2000 - 160).
    EXPECT_DOUBLE_EQ(c.Icon(2).x, 2840.0);
    EXPECT_DOUBLE_EQ(c.Icon(2).y, 1840.0);
    // Centred: (3000 + 1300 - 1700) / 2 - 1300 = 0 and (2000 + 910 - 1090) /
    // 2 - 910 = 0.
    EXPECT_TRUE(c.Centre(3000, 2000));
    EXPECT_DOUBLE_EQ(c.startX, 1300.0);
    EXPECT_DOUBLE_EQ(c.startY, 910.0);

    // Wider than the work area: it overhangs both sides alike,
    // (300 + 0 - 400) / 2 - 0 = -50.
    c = StraightAt(0, 0);
    EXPECT_TRUE(c.Centre(300, 180));
    EXPECT_DOUBLE_EQ(c.startX, -50.0);
    EXPECT_DOUBLE_EQ(c.startY, 0.0);

    TCircuit empty;
    empty.startX = 400;
    empty.startY = 600;
    EXPECT_FALSE(empty.Centre(3000, 2000));
    EXPECT_DOUBLE_EQ(empty.startX, 400.0);
    EXPECT_DOUBLE_EQ(empty.startY, 600.0);
}

TEST(CircuitMoves, IconsMovedOnTheWorkAreaStopAtItsEdges) {
    // At 5 mm a pixel the picture is 32 x 5 = 160 mm: a corner stays within
    // 0..2840 by 0..1840 on 3000 x 2000.
    TCircuit c = StraightAt(2550, 1000);
    c.Icon(1) = {1, 2800.0, 100.0, false};
    c.Icon(2) = {3, 2900.0, 1900.0, false};
    c.Icon(3) = {0, 2990.0, 1990.0, false};  // empty: left alone
    // Right 50: 2850 is past 2840; the second was already past it.
    ASSERT_TRUE(c.MoveTowards(Edge::Right, 200, 3000, 2000));
    EXPECT_DOUBLE_EQ(c.Icon(1).x, 2840.0);
    EXPECT_DOUBLE_EQ(c.Icon(1).y, 100.0);
    EXPECT_DOUBLE_EQ(c.Icon(2).x, 2840.0);
    EXPECT_DOUBLE_EQ(c.Icon(2).y, 1840.0);
    EXPECT_DOUBLE_EQ(c.Icon(3).x, 2990.0);
    // Left 200: a pinned icon moves on from where it was pinned.
    ASSERT_TRUE(c.MoveTowards(Edge::Left, 200, 3000, 2000));
    EXPECT_DOUBLE_EQ(c.Icon(1).x, 2640.0);

    // Centring: box 2400..2800 by 1000..1180 moves by (3000 + 2400 - 2800) /
    // 2 - 2400 = -1100 and (2000 + 1000 - 1180) / 2 - 1000 = -90; the icon
    // at (2640, 1840) goes to (1540, 1750) and the one at (2640, 100) to
    // (1540, 10), both inside.
    ASSERT_TRUE(c.Centre(3000, 2000));
    EXPECT_DOUBLE_EQ(c.Icon(2).x, 1540.0);
    EXPECT_DOUBLE_EQ(c.Icon(2).y, 1750.0);
    EXPECT_DOUBLE_EQ(c.Icon(1).y, 10.0);

    // The size follows the scale: 320 mm at 10 mm a pixel, and a scale
    // that is no number counts as 1 mm a pixel, 32 mm.
    TIconSlot icon{1, 2900.0, -5.0, false};
    c.scale = 10.0;
    c.KeepIconOnWorkArea(icon, 3000, 2000);
    EXPECT_DOUBLE_EQ(icon.x, 2680.0);
    EXPECT_DOUBLE_EQ(icon.y, 0.0);
    icon = {1, 2990.0, 1990.0, false};
    c.scale = std::numeric_limits<double>::quiet_NaN();
    c.KeepIconOnWorkArea(icon, 3000, 2000);
    EXPECT_DOUBLE_EQ(icon.x, 2968.0);
    EXPECT_DOUBLE_EQ(icon.y, 1968.0);
}
