// The running length of every lane of the chain, following the lanes through
// changeover tracks, where the two lanes of each pair cross.

#include <algorithm>
#include <cmath>

#include "model/Tracks.h"

namespace quillet {

std::array<double, TCircuit::kMaxLanes> TCircuit::LaneLengths() const {
    std::array<double, kMaxLanes> lanes{};
    // More than four pairs only in a damaged circuit; the lanes array has eight.
    const int pairs = std::min(LanePairs(), kMaxLanes / 2);
    const int n = 2 * pairs;
    const double spread = static_cast<double>(n);
    bool crossed = false;
    std::array<double, kMaxLanes> curve{};  // this curve's length of lanes 1..n

    for (const TTrack& t : tracks_) {
        const double w = t.width;
        const double r = t.innerRadius;
        const double a = t.lengthOrArc;
        bool isCurve = false;
        switch (t.type) {
            case kChangeoverTrack: {
                crossed = !crossed;
                // The diagonal across one lane spacing.
                const double diagonal = std::hypot(a, w / spread);
                for (int j = 0; j < n; ++j) lanes[static_cast<size_t>(j)] += diagonal;
                break;
            }
            case kStandardCurve:
            case kInnerCurve:
            case kOuterCurve:
            case kSuperOuterCurve:
                // Lane j at (2j - 1) / 2n of the width from the right edge, the
                // inner edge of a right-hand curve and the outer of a left-hand one.
                for (int j = 1; j <= n; ++j) {
                    const double fromRight = (2.0 * j - 1.0) * w / (2.0 * spread);
                    curve[static_cast<size_t>(j - 1)] = (t.TurnsLeft() ? r + w - fromRight : r + fromRight) * a;
                }
                isCurve = true;
                break;
            case kCurvedChicane:
                // The lanes close together: both lanes of a pair run on the
                // pair's centre line, pair k at (2k - 1) / 2p of the width from
                // the right edge. With one pair that is the middle of the piece.
                for (int k = 1; k <= pairs; ++k) {
                    const double fromRight = (2.0 * k - 1.0) * w / (2.0 * pairs);
                    const double length = (t.TurnsLeft() ? r + w - fromRight : r + fromRight) * a;
                    curve[static_cast<size_t>(2 * k - 2)] = length;
                    curve[static_cast<size_t>(2 * k - 1)] = length;
                }
                isCurve = true;
                break;
            case kSingleRacingInnerCurve:
            case kSingleRacingOuterCurve:
                // One lane, in the middle of the half-width piece.
                lanes[0] += (r + w / 4.0) * a;
                break;
            default:
                // Straights, the adaptation chicane, the starting straight and
                // the straight chicanes.
                for (int j = 0; j < n; ++j) lanes[static_cast<size_t>(j)] += a;
                break;
        }
        if (isCurve) {
            for (int j = 0; j < n; ++j) {
                // Crossed, lane 2k-1 runs where lane 2k would, and the other way.
                const int from = crossed ? (j ^ 1) : j;
                lanes[static_cast<size_t>(j)] += curve[static_cast<size_t>(from)];
            }
        }
    }
    if (singleRacing) {
        // The two lanes join into one through the end loops.
        lanes[0] += lanes[1];
        lanes[1] = 0.0;
    }
    return lanes;
}

}  // namespace quillet
