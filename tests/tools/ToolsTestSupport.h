#pragma once
// Circuits for the tool tests, built piece by piece.

#include <initializer_list>
#include <string>
#include <vector>

#include "model/Messages.h"
#include "model/Tracks.h"

namespace quillet::test {

struct Piece {
    int type = kStandardStraight;
    int orientation = 0;  // 0 turns right, 1 left
    int brandFlag = 1;    // 1 NINCO width, 0 SCX width
};

// A chain of the given pieces on `lanePairs` lane pairs from (1000, 1000),
// piece 1 heading `angle`.
inline TCircuit Chain(const std::vector<Piece>& pieces, int lanePairs = 1, double angle = 0.0) {
    TCircuit c(1000, 1000);
    c.lanePairs = static_cast<uint8_t>(lanePairs);
    for (const Piece& p : pieces) c.Append(p.type, p.orientation, p.brandFlag);
    if (c.Count() > 0) c.Track(1).angle = angle;
    c.ReLay(false);
    return c;
}

// The NINCO oval: a straight, four right-hand standard curves, a straight,
// four more; `missing` pieces left off its end.
inline std::vector<Piece> Oval(int missing = 0, int brandFlag = 1) {
    const int types[] = {kStandardStraight, kStandardCurve, kStandardCurve, kStandardCurve, kStandardCurve,
                         kStandardStraight, kStandardCurve, kStandardCurve, kStandardCurve, kStandardCurve};
    std::vector<Piece> pieces;
    for (int i = 0; i < 10 - missing; ++i) pieces.push_back({types[i], 0, brandFlag});
    return pieces;
}

// The same oval laid from its first curve, its last straight missing.
inline std::vector<Piece> OvalMissingStraight(int brandFlag = 1) {
    std::vector<Piece> pieces;
    for (int i = 0; i < 9; ++i) pieces.push_back({i == 4 ? kStandardStraight : kStandardCurve, 0, brandFlag});
    return pieces;
}

inline std::vector<int> Types(const TCircuit& c) {
    std::vector<int> v;
    for (const TTrack& t : c.Tracks()) v.push_back(t.type);
    return v;
}

class RecordingInformer : public TInformer {
public:
    void Information(int textEntry, const std::string&) override { entries.push_back(textEntry); }
    std::vector<int> entries;
};

}  // namespace quillet::test
