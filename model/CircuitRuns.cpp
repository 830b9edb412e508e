// Runs of consecutive pieces taken out of the chain or put into it as they
// are, which is what cutting and pasting need: the pieces keep their type,
// borders and dimensions, and the caller's re-lay gives them their places.

#include <algorithm>

#include "model/Tracks.h"

namespace quillet {

double TTrack::EntryWidth(const TCircuit& circuit) const {
    if (type != kAdaptationChicane) return width;
    // The chicane widens or narrows from one family to the other: it is
    // entered at the width of the family it leaves.
    const int p = circuit.LanePairs();
    const double family = BrandOfWidth(width, p) == Brand::Ninco ? kScxPairWidth : kNincoPairWidth;
    return family * p;
}

bool TCircuit::InsertRun(int after, std::span<const TTrack> pieces) {
    if (after < 0 || after > Count()) return false;
    if (pieces.size() > static_cast<size_t>(kMaxTracks - Count())) return false;
    if (!std::all_of(pieces.begin(), pieces.end(), [](const TTrack& t) { return IsTrackType(t.type); })) {
        return false;
    }
    tracks_.insert(tracks_.begin() + after, pieces.begin(), pieces.end());
    return true;
}

bool TCircuit::EraseRun(int first, int last) {
    if (first < 1 || last < first || last > Count()) return false;
    tracks_.erase(tracks_.begin() + (first - 1), tracks_.begin() + last);
    return true;
}

}  // namespace quillet
