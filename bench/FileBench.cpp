// Saving and loading the largest circuit, in memory: the file text alone, no
// disk. Loading appends every piece and re-lays the chain once.

#include <benchmark/benchmark.h>

#include <string>

#include "model/Tracks.h"

namespace {

using namespace quillet;

// 300 pieces on 8 lanes: straights, curves of both hands and changeovers,
// borders and surfaces on some, every icon slot in use, a few lines of notes.
TCircuit LargeCircuit() {
    TCircuit c(1500, 1000);
    c.lanePairs = 4;
    const int types[] = {kStandardStraight, kInnerCurve, kHalfStraight,    kStandardCurve,
                         kQuarterStraight,  kOuterCurve, kChangeoverTrack, kSuperOuterCurve};
    for (int i = 0; i < TCircuit::kMaxTracks; ++i) {
        c.Append(types[i % 8], (i / 8) % 2, 1);
        TTrack& t = c.Track(c.Count());
        if (i % 5 == 0) t.SetBorder(kOuterBorder, true);
        t.surface = static_cast<uint8_t>(i % 4);
    }
    c.Track(1).angle = 0.3;
    c.ReLay(false);
    for (int slot = 1; slot <= TCircuit::kIconSlots; ++slot)
        c.Icon(slot) = {1 + slot % 5, slot * 37.5, slot * 21.25, false};
    c.notes = "Club circuit\nFour lanes each way\nBorders on the long curves";
    return c;
}

void BM_SaveCircuit(benchmark::State& state) {
    const TCircuit c = LargeCircuit();
    for (auto _ : state) {
        std::string bytes = CircuitFileBytes(c, "Club", '.');
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_SaveCircuit);

void BM_LoadCircuit(benchmark::State& state) {
    const std::string bytes = CircuitFileBytes(LargeCircuit(), "Club", '.');
    TCircuit c;
    for (auto _ : state) {
        const bool ok = ReadCircuitBytes(bytes, "Club.QLC", c);
        benchmark::DoNotOptimize(ok);
    }
}
BENCHMARK(BM_LoadCircuit);

}  // namespace
