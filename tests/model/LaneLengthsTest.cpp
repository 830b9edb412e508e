#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

#include "model/Tracks.h"

using namespace quillet;

namespace {

const double kPiRef = std::acos(-1.0);

struct Piece {
    int type;
    int orientation;
    int brand = 1;  // 1 NINCO, 0 SCX
};

TCircuit Chain(std::initializer_list<Piece> pieces, int lanePairs = 1) {
    TCircuit c;
    c.lanePairs = static_cast<uint8_t>(lanePairs);
    for (const Piece& p : pieces) EXPECT_TRUE(c.Append(p.type, p.orientation, p.brand));
    c.ReLay(false);
    return c;
}

void ExpectLanes(const TCircuit& c, std::initializer_list<double> expected) {
    const auto lanes = c.LaneLengths();
    std::size_t j = 0;
    for (double v : expected) {
        EXPECT_NEAR(lanes[j], v, 1e-9) << "lane " << j + 1;
        ++j;
    }
    for (; j < lanes.size(); ++j) EXPECT_EQ(lanes[j], 0.0) << "lane " << j + 1;
}

}  // namespace

TEST(LaneLengths, TwoLaneNincoOval) {
    // Lane 1 runs 45 mm from the inner edge of a right-hand curve, lane 2 135 mm.
    const TCircuit oval = Chain({{0, 0}, {3, 0}, {3, 0}, {3, 0}, {3, 0}, {0, 0}, {3, 0}, {3, 0}, {3, 0}, {3, 0}});
    ExpectLanes(oval, {2 * 400 + 8 * (241.5 + 45) * kPiRef / 4, 2 * 400 + 8 * (241.5 + 135) * kPiRef / 4});

    // Single racing joins the two lanes into lane 1.
    TCircuit single = oval;
    single.singleRacing = true;
    ExpectLanes(single, {1600 + 8 * (286.5 + 376.5) * kPiRef / 4, 0.0});

    ExpectLanes(TCircuit(), {});
}

TEST(LaneLengths, EveryPieceTypeOnTwoLanes) {
    // NINCO: W = 180, lanes 45 and 135 mm from the right edge; SCX: W = 156,
    // lanes 39 and 117. A changeover runs the diagonal over one lane spacing:
    // NINCO sqrt(400^2 + 90^2) = 410, SCX sqrt(350^2 + 78^2).
    const double q = kPiRef / 4;
    const double e = kPiRef / 8;
    const double scxDiagonal = std::sqrt(350.0 * 350.0 + 78.0 * 78.0);
    struct Case {
        Piece piece;
        double lane1;
        double lane2;
    };
    const Case cases[] = {
        {{0, 0}, 400, 400},
        {{1, 1}, 200, 200},
        {{2, 0, 0}, 87.5, 87.5},
        {{3, 0}, (241.5 + 45) * q, (241.5 + 135) * q},
        {{3, 1}, (241.5 + 180 - 45) * q, (241.5 + 180 - 135) * q},
        {{3, 0, 0}, (212 + 39) * q, (212 + 117) * q},
        {{4, 0}, (61.5 + 45) * q, (61.5 + 135) * q},
        {{5, 0}, (421.5 + 45) * e, (421.5 + 135) * e},
        {{6, 1}, (601.5 + 135) * e, (601.5 + 45) * e},
        {{7, 0}, 410, 410},
        {{7, 1, 0}, scxDiagonal, scxDiagonal},
        {{8, 0}, 200, 200},
        {{9, 1, 0}, 350, 350},
        {{10, 0}, 0, 0},  // NINCO has no chicanes
        {{10, 0, 0}, 350, 350},
        {{11, 1, 0}, 350, 350},
        // The curved chicane's lanes close together on the centre line.
        {{12, 0, 0}, (212 + 78) * q, (212 + 78) * q},
        {{12, 1, 0}, (212 + 78) * q, (212 + 78) * q},
        // Single-racing curves: one lane, in the middle of the half-width piece.
        {{13, 0}, (127.28 + 45) * q, 0},
        {{14, 1}, (217.28 + 45) * q, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << "type " << k.piece.type << " orientation " << k.piece.orientation
                                        << " brand " << k.piece.brand);
        ExpectLanes(Chain({k.piece}), {k.lane1, k.lane2});
    }
}

TEST(LaneLengths, ChangeoversSwapTheLanesOfEachPairAndSwapBack) {
    const double t1 = (241.5 + 45) * kPiRef / 4;   // lane 1 of a right-hand curve
    const double t2 = (241.5 + 135) * kPiRef / 4;  // lane 2
    // After one changeover lane 1 takes lane 2's curve.
    ExpectLanes(Chain({{0, 0}, {7, 0}, {3, 0}}), {400 + 410 + t2, 400 + 410 + t1});
    // A second changeover swaps them back.
    ExpectLanes(Chain({{0, 0}, {7, 0}, {3, 0}, {3, 0}, {7, 0}, {3, 0}}),
                {400 + 820 + 2 * t2 + t1, 400 + 820 + 2 * t1 + t2});

    // Four lanes (W = 360, spacing 90, so the diagonal is again 410), left-hand
    // curves: lane j at 360 - 45(2j - 1) from the inner edge, so
    // 556.5, 466.5, 376.5, 286.5 times pi/4. Crossing swaps 1 with 2 and 3 with 4.
    const double q = kPiRef / 4;
    ExpectLanes(Chain({{3, 1}, {7, 0}, {3, 1}, {3, 1}}, 2),
                {410 + (556.5 + 2 * 466.5) * q, 410 + (466.5 + 2 * 556.5) * q, 410 + (376.5 + 2 * 286.5) * q,
                 410 + (286.5 + 2 * 376.5) * q});
}

TEST(LaneLengths, CurvedChicaneOnSeveralPairsRunsEachPairOnItsCentreLine) {
    // SCX, two pairs: W = 312, pair centres 78 and 234 mm from the right edge.
    const double q = kPiRef / 4;
    ExpectLanes(Chain({{12, 0, 0}}, 2), {290 * q, 290 * q, 446 * q, 446 * q});
    // Turning left, the right edge is the outer one.
    ExpectLanes(Chain({{12, 1, 0}}, 2), {446 * q, 446 * q, 290 * q, 290 * q});
    // Four pairs: W = 624, centres 78, 234, 390, 546.
    ExpectLanes(Chain({{12, 0, 0}}, 4), {290 * q, 290 * q, 446 * q, 446 * q, 602 * q, 602 * q, 758 * q, 758 * q});
}
