// Re-laying the whole chain is what every edit and every zoom costs: keep it
// well under a screen frame for the largest circuit.

#include <benchmark/benchmark.h>

#include "model/Tracks.h"

namespace {

using namespace quillet;

// 300 pieces on 8 lanes: straights and curves of both hands, every fifth
// piece with borders, one anchored piece in the middle.
TCircuit LargeCircuit() {
    TCircuit c(1500, 1000);
    c.lanePairs = 4;
    const int types[] = {kStandardStraight, kInnerCurve, kHalfStraight,    kStandardCurve,
                         kQuarterStraight,  kInnerCurve, kChangeoverTrack, kStandardCurve};
    const int orientations[] = {1, 0, 1, 1, 0, 1, 1, 0};
    for (int i = 0; i < TCircuit::kMaxTracks; ++i) {
        c.Append(types[i % 8], orientations[i % 8], 1);
        if (i % 5 == 0) {
            TTrack& t = c.Track(c.Count());
            t.SetBorder(kInnerBorder, true);
            t.SetBorder(kOuterBorderExitHalf, true);
        }
    }
    c.Track(150).anchorMark = true;
    c.ReLay(false);
    return c;
}

void BM_ReLay(benchmark::State& state) {
    TCircuit c = LargeCircuit();
    for (auto _ : state) {
        c.ReLay(false);
        benchmark::DoNotOptimize(c.box);
    }
}
BENCHMARK(BM_ReLay);

// Turning piece 1 each time makes the anchor correction lay the chain three
// times: plain, after turning back, after shifting back.
void BM_ReLayAroundAnchor(benchmark::State& state) {
    TCircuit c = LargeCircuit();
    for (auto _ : state) {
        c.Track(1).angle += 0.1;
        c.ReLay(true);
        benchmark::DoNotOptimize(c.box);
    }
}
BENCHMARK(BM_ReLayAroundAnchor);

}  // namespace
