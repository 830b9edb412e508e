#pragma once
// The two boxes of pieces Suggest Circuits is sized for, on the lines of one
// track system (NINCO by default): a starter set, and a club's box for four
// lanes; and the request for a table.

#include "model/Tracks.h"
#include "stock/TrackList.h"
#include "tools/Suggest.h"

namespace quillet::test {

// 4 standard straights, 2 half, 1 starting straight, 12 standard curves.
inline TTrackList StarterBox(int brand = kNincoIndex) {
    TTrackList s;
    s.SetPieces(brand, kStandardStraight, 4);
    s.SetPieces(brand, kHalfStraight, 2);
    s.SetPieces(brand, kStartingStraight, 1);
    s.SetPieces(brand, kStandardCurve, 12);
    return s;
}

// 20 standard straights, 8 half, 4 quarter, 1 starting straight, 2
// changeovers, 16 standard curves, 12 outer, 8 inner, 4 super outer.
inline TTrackList ClubBox(int brand = kNincoIndex) {
    TTrackList s;
    s.SetPieces(brand, kStandardStraight, 20);
    s.SetPieces(brand, kHalfStraight, 8);
    s.SetPieces(brand, kQuarterStraight, 4);
    s.SetPieces(brand, kStartingStraight, 1);
    s.SetPieces(brand, kChangeoverTrack, 2);
    s.SetPieces(brand, kStandardCurve, 16);
    s.SetPieces(brand, kOuterCurve, 12);
    s.SetPieces(brand, kInnerCurve, 8);
    s.SetPieces(brand, kSuperOuterCurve, 4);
    return s;
}

// Suggestions of `system` for a table of length x width mm, on `lanes`.
inline SuggestRequest TableRequest(int32_t length, int32_t width, int lanes = 2, Brand system = Brand::Ninco) {
    SuggestRequest r;
    r.tableLength = length;
    r.tableWidth = width;
    r.lanes = lanes;
    r.system = system;
    return r;
}

}  // namespace quillet::test
