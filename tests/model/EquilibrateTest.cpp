#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <vector>

#include "model/Tracks.h"

using namespace quillet;

namespace {

TCircuit Chain(std::initializer_list<int> types, std::initializer_list<int> orientations, int lanePairs = 1) {
    TCircuit c;
    c.lanePairs = static_cast<uint8_t>(lanePairs);
    auto o = orientations.begin();
    for (int type : types) EXPECT_TRUE(c.Append(type, *o++, 1));
    c.ReLay(false);
    return c;
}

std::vector<int> Changeovers(const TCircuit& c) {
    std::vector<int> at;
    for (int i = 1; i <= c.Count(); ++i) {
        if (c.Track(i).type == kChangeoverTrack) at.push_back(i);
    }
    return at;
}

// Two straights, four right-hand curves, two straights, four right-hand
// curves: a closed oval. Each curve gives lane 2 (241.5 + 135 - 241.5 - 45)
// x pi/4 = 22.5 pi more than lane 1, so |lane 1 - lane 2| = 180 pi = 565.49
// without changeovers. Changeovers around one half of the curves balance it.
TCircuit Oval(int lanePairs = 1) {
    return Chain({0, 0, 3, 3, 3, 3, 0, 0, 3, 3, 3, 3}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, lanePairs);
}

}  // namespace

TEST(Equilibrate, TheFirstBalancingPairWinsAndTheLayoutStays) {
    TCircuit c = Oval();
    ASSERT_TRUE(c.closed);
    std::vector<PointD> before;
    for (const TTrack& t : c.Tracks()) before.push_back(t.P(9));

    // d0 = 565. Pairs in order: (1, 2) crosses no curve (565, not better);
    // (1, 7) crosses curves 3-6 (0, better); (1, 8), (2, 7), (2, 8) also
    // give 0 but are not strictly better; (7, 8) gives 565.
    c.Equilibrate();
    EXPECT_EQ(Changeovers(c), (std::vector<int>{1, 7}));
    const auto lanes = c.LaneLengths();
    EXPECT_NEAR(lanes[0], lanes[1], 1e-9);
    c.ReLay(false);
    for (int i = 1; i <= c.Count(); ++i) {
        EXPECT_NEAR(c.Track(i).P(9).x, before[static_cast<size_t>(i - 1)].x, 1e-9);
        EXPECT_NEAR(c.Track(i).P(9).y, before[static_cast<size_t>(i - 1)].y, 1e-9);
    }

    // A second run searches after the first changeover, from piece 2: the
    // changeovers become straights again and (2, 7) is the first pair to balance.
    c.Equilibrate();
    EXPECT_EQ(Changeovers(c), (std::vector<int>{2, 7}));

    // Four lanes: only lanes 1 and 2 are compared, with the same result.
    TCircuit wide = Oval(2);
    wide.Equilibrate();
    EXPECT_EQ(Changeovers(wide), (std::vector<int>{1, 7}));
}

TEST(Equilibrate, LanesAlreadyEqualEndWithoutChangeovers) {
    // Four right-hand and four left-hand curves: lane 1 is inner on one set,
    // outer on the other, so the lanes are equal with no changeover. The two
    // changeovers laid before cross four curves and unbalance them; they go.
    TCircuit c = Chain({7, 3, 3, 3, 3, 7, 3, 3, 3, 3}, {0, 0, 0, 0, 0, 0, 1, 1, 1, 1});
    const auto unbalanced = c.LaneLengths();
    ASSERT_GT(std::fabs(unbalanced[0] - unbalanced[1]), 100.0);
    c.Equilibrate();
    EXPECT_TRUE(Changeovers(c).empty());
    EXPECT_EQ(c.Track(1).type, kStandardStraight);
    EXPECT_EQ(c.Track(6).type, kStandardStraight);

    // With single racing the lanes join into lane 1 and no pair can change
    // the difference, so no changeovers either.
    TCircuit single = Oval();
    single.singleRacing = true;
    single.Equilibrate();
    EXPECT_TRUE(Changeovers(single).empty());

    // Fewer than two pieces: nothing happens at all.
    TCircuit one = Chain({7}, {0});
    one.Equilibrate();
    EXPECT_EQ(Changeovers(one), (std::vector<int>{1}));
}
