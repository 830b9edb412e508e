// Lane equilibration: the two standard straights that, made changeover tracks,
// leave lanes 1 and 2 closest in length.

#include <cmath>

#include "model/Numeric.h"
#include "model/Tracks.h"

namespace quillet {

namespace {

int32_t LaneDifference(const TCircuit& c) {
    const auto lanes = c.LaneLengths();
    return Round(std::fabs(lanes[0] - lanes[1]));
}

}  // namespace

void TCircuit::Equilibrate() {
    const int count = Count();
    if (count < 2) return;

    // A second run searches after the first changeover the first run placed,
    // so it can find another pair of the same quality further on.
    int from = 1;
    for (int i = 1; i < count - 1; ++i) {
        if (tracks_[static_cast<size_t>(i - 1)].type == kChangeoverTrack) {
            from = i + 1;
            break;
        }
    }

    // Type codes only: a changeover track is as long as a standard straight.
    for (TTrack& t : tracks_) {
        if (t.type == kChangeoverTrack) t.type = kStandardStraight;
    }

    int32_t best = LaneDifference(*this);
    int bestI = 0;
    int bestJ = 0;
    for (int i = from; i <= count - 1; ++i) {
        TTrack& first = tracks_[static_cast<size_t>(i - 1)];
        if (first.type != kStandardStraight) continue;
        first.type = kChangeoverTrack;
        for (int j = i + 1; j <= count; ++j) {
            TTrack& second = tracks_[static_cast<size_t>(j - 1)];
            if (second.type != kStandardStraight) continue;
            second.type = kChangeoverTrack;
            // Only a strictly better pair wins: the earliest of equals stays.
            const int32_t d = LaneDifference(*this);
            if (d < best) {
                best = d;
                bestI = i;
                bestJ = j;
            }
            second.type = kStandardStraight;
        }
        first.type = kStandardStraight;
    }
    if (bestI != 0) {
        tracks_[static_cast<size_t>(bestI - 1)].type = kChangeoverTrack;
        tracks_[static_cast<size_t>(bestJ - 1)].type = kChangeoverTrack;
    }
}

}  // namespace quillet
