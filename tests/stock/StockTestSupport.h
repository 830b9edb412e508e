#pragma once
// Circuits built piece by piece for the stock tests.

#include <vector>

#include "model/Tracks.h"

namespace quillet::test {

struct Piece {
    int type = 0;
    int brandFlag = 1;  // 1 NINCO width, 0 SCX width
};

// A chain of the given pieces on `lanePairs` lane pairs, each at the exit of
// the one before.
inline TCircuit Circuit(int lanePairs, const std::vector<Piece>& pieces) {
    TCircuit c;
    c.lanePairs = static_cast<uint8_t>(lanePairs);
    for (const Piece& p : pieces) c.Append(p.type, 0, p.brandFlag);
    c.ReLay(false);
    return c;
}

}  // namespace quillet::test
