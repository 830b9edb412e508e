#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "model/Tracks.h"

using namespace quillet;

namespace {

struct Piece {
    int type;
    int orientation;
};

TCircuit Chain(std::initializer_list<Piece> pieces) {
    TCircuit c;
    for (const Piece& p : pieces) EXPECT_TRUE(c.Append(p.type, p.orientation, 1));
    c.ReLay(false);
    return c;
}

void Select(TCircuit& c, int i) {
    for (TTrack& t : c.Tracks()) t.selected = false;
    c.Track(i).selected = true;
}

// The border flags set on each piece, as digits: {"3", "2", "", "12"}.
std::vector<std::string> Flags(const TCircuit& c) {
    std::vector<std::string> all;
    for (const TTrack& t : c.Tracks()) {
        std::string s;
        for (int flag = 1; flag <= kBorderFlags; ++flag) {
            if (t.Border(flag)) s += static_cast<char>('0' + flag);
        }
        all.push_back(s);
    }
    return all;
}

using F = std::vector<std::string>;

}  // namespace

TEST(Borders, LongStraightsBesideTheRunGetTheHalfTouchingIt) {
    // Same side: the straight before takes the outer exit half (3), the one
    // after the outer entry half (4).
    TCircuit c = Chain({{0, 0}, {3, 0}, {3, 0}, {3, 0}, {0, 0}});
    Select(c, 3);
    EXPECT_TRUE(c.AddAutomaticBorders());
    EXPECT_EQ(Flags(c), (F{"3", "2", "2", "2", "4"}));
    EXPECT_TRUE(c.RemoveAutomaticBorders());
    EXPECT_EQ(Flags(c), (F{"", "", "", "", ""}));

    // Other side: the inner halves (5 before, 6 after).
    c = Chain({{0, 1}, {3, 0}, {3, 0}, {7, 1}});
    Select(c, 2);
    EXPECT_TRUE(c.AddAutomaticBorders());
    EXPECT_EQ(Flags(c), (F{"5", "2", "2", "6"}));
    EXPECT_TRUE(c.RemoveAutomaticBorders());
    EXPECT_EQ(Flags(c), (F{"", "", "", ""}));

    // A straight that already has the whole side gets no half.
    c = Chain({{0, 0}, {3, 0}, {0, 1}});
    c.Track(1).SetBorder(kOuterBorder, true);
    c.Track(3).SetBorder(kInnerBorder, true);
    Select(c, 2);
    EXPECT_TRUE(c.AddAutomaticBorders());
    EXPECT_EQ(Flags(c), (F{"2", "2", "1"}));
}

TEST(Borders, ShortStraightsCurvesAndOtherPiecesBesideTheRun) {
    // Short straights take the whole side: the inner one when they turn the
    // other way (before), the outer one on the same side (after). A curve
    // turning the other way takes its inner border, on the run's outer side.
    TCircuit c = Chain({{1, 0}, {4, 1}, {4, 1}, {2, 1}});
    Select(c, 2);
    EXPECT_TRUE(c.AddAutomaticBorders());
    EXPECT_EQ(Flags(c), (F{"1", "2", "2", "2"}));
    EXPECT_TRUE(c.RemoveAutomaticBorders());
    EXPECT_EQ(Flags(c), (F{"", "", "", ""}));
    c = Chain({{3, 1}, {5, 0}, {6, 0}, {12, 1}});
    Select(c, 3);
    EXPECT_TRUE(c.AddAutomaticBorders());
    EXPECT_EQ(Flags(c), (F{"1", "2", "2", "1"}));
    EXPECT_TRUE(c.RemoveAutomaticBorders());
    EXPECT_EQ(Flags(c), (F{"", "", "", ""}));
    // A starting straight and an adaptation chicane are left alone.
    c = Chain({{9, 0}, {3, 0}, {8, 0}});
    Select(c, 2);
    EXPECT_TRUE(c.AddAutomaticBorders());
    EXPECT_EQ(Flags(c), (F{"", "2", ""}));
}

TEST(Borders, AStraightBetweenTwoBorderedRunsKeepsWhatTheOtherRunNeeds) {
    TCircuit c = Chain({{3, 0}, {3, 0}, {0, 0}, {3, 0}, {3, 0}});
    Select(c, 1);
    EXPECT_TRUE(c.AddAutomaticBorders());
    EXPECT_EQ(Flags(c), (F{"2", "2", "4", "", ""}));
    Select(c, 4);
    EXPECT_TRUE(c.AddAutomaticBorders());
    EXPECT_EQ(Flags(c), (F{"2", "2", "2", "2", "2"}));  // halves 3 and 4 merge
    Select(c, 2);
    EXPECT_TRUE(c.RemoveAutomaticBorders());
    EXPECT_EQ(Flags(c), (F{"", "", "3", "2", "2"}));  // the half next to the second run
    Select(c, 5);
    EXPECT_TRUE(c.RemoveAutomaticBorders());
    EXPECT_EQ(Flags(c), (F{"", "", "", "", ""}));

    // The same on the inner side: 6 and 5 merge into 1 and split back.
    c = Chain({{3, 0}, {0, 1}, {3, 0}});
    Select(c, 1);
    c.AddAutomaticBorders();
    Select(c, 3);
    c.AddAutomaticBorders();
    EXPECT_EQ(Flags(c), (F{"2", "1", "2"}));
    Select(c, 1);
    c.RemoveAutomaticBorders();
    EXPECT_EQ(Flags(c), (F{"", "5", "2"}));
}

TEST(Borders, OpenChainsStopAtTheirEndsAndClosedOnesGoRound) {
    // Open: the run reaches the last piece and does not go on at piece 1.
    TCircuit c = Chain({{3, 0}, {0, 0}, {3, 0}, {3, 0}});
    ASSERT_FALSE(c.closed);
    Select(c, 3);
    EXPECT_TRUE(c.AddAutomaticBorders());
    EXPECT_EQ(Flags(c), (F{"", "3", "2", "2"}));

    // Closed oval: the run through the last piece goes on at piece 1.
    c = Chain({{0, 0}, {3, 0}, {3, 0}, {3, 0}, {3, 0}, {0, 0}, {3, 0}, {3, 0}, {3, 0}, {3, 0}});
    ASSERT_TRUE(c.closed);
    Select(c, 10);
    EXPECT_TRUE(c.AddAutomaticBorders());
    EXPECT_EQ(Flags(c), (F{"4", "", "", "", "", "3", "2", "2", "2", "2"}));
    Select(c, 2);
    EXPECT_TRUE(c.AddAutomaticBorders());
    EXPECT_EQ(Flags(c), (F{"2", "2", "2", "2", "2", "2", "2", "2", "2", "2"}));

    // A closed ring of curves: every piece in the run, the starting piece its
    // own neighbour on both sides.
    c = Chain({{3, 0}, {3, 0}, {3, 0}, {3, 0}, {3, 0}, {3, 0}, {3, 0}, {3, 0}});
    ASSERT_TRUE(c.closed);
    Select(c, 5);
    EXPECT_TRUE(c.AddAutomaticBorders());
    EXPECT_EQ(Flags(c), (F{"2", "2", "2", "2", "12", "2", "2", "2"}));
    EXPECT_TRUE(c.RemoveAutomaticBorders());
    EXPECT_EQ(Flags(c), (F{"", "", "", "", "", "", "", ""}));
}

TEST(Borders, TheStartingPieceMustBeACurve) {
    TCircuit c = Chain({{0, 0}, {3, 0}, {0, 0}});
    EXPECT_FALSE(c.AddAutomaticBorders());  // nothing selected
    EXPECT_FALSE(c.RemoveAutomaticBorders());
    Select(c, 1);
    EXPECT_FALSE(c.AddAutomaticBorders());
    EXPECT_EQ(Flags(c), (F{"", "", ""}));

    // The replace mark counts as a selection.
    c.Track(1).selected = false;
    c.Track(2).replaceMark = true;
    EXPECT_TRUE(c.AddAutomaticBorders());
    EXPECT_EQ(Flags(c), (F{"3", "2", "4"}));

    // Removing from a curve without an outer border answers false but still
    // takes the halves away from its neighbours.
    c.Track(2).SetBorder(kOuterBorder, false);
    EXPECT_FALSE(c.RemoveAutomaticBorders());
    EXPECT_EQ(Flags(c), (F{"", "", ""}));
}
