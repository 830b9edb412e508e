// Suggest Circuits on the two boxes of pieces it is sized for: the starter
// box, where the search tries every pair of halves that could still make
// the list, and the club's box on four lanes, where it stops at its work
// limit or once nothing left can be longer. Each run is checked before it is
// timed; the club's counter is the share of the box's running length the
// best suggestion lays (four lanes are two strips: twice its mean lane).

#include <benchmark/benchmark.h>

#include "stock/TrackList.h"
#include "tools/Suggest.h"

namespace {

using namespace quillet;

TTrackList StarterBox() {
    TTrackList s;
    s.SetPieces(kNincoIndex, kStandardStraight, 4);
    s.SetPieces(kNincoIndex, kHalfStraight, 2);
    s.SetPieces(kNincoIndex, kStartingStraight, 1);
    s.SetPieces(kNincoIndex, kStandardCurve, 12);
    return s;
}

TTrackList ClubBox() {
    TTrackList s;
    s.SetPieces(kNincoIndex, kStandardStraight, 20);
    s.SetPieces(kNincoIndex, kHalfStraight, 8);
    s.SetPieces(kNincoIndex, kQuarterStraight, 4);
    s.SetPieces(kNincoIndex, kStartingStraight, 1);
    s.SetPieces(kNincoIndex, kChangeoverTrack, 2);
    s.SetPieces(kNincoIndex, kStandardCurve, 16);
    s.SetPieces(kNincoIndex, kOuterCurve, 12);
    s.SetPieces(kNincoIndex, kInnerCurve, 8);
    s.SetPieces(kNincoIndex, kSuperOuterCurve, 4);
    return s;
}

SuggestRequest Request(int32_t length, int32_t width, int lanes) {
    SuggestRequest r;
    r.tableLength = length;
    r.tableWidth = width;
    r.lanes = lanes;
    return r;
}

void BM_SuggestStarter(benchmark::State& state) {
    const TTrackList stock = StarterBox();
    const SuggestRequest request = Request(2400, 1200, 2);
    const SuggestResult check = SuggestCircuits(request, stock);
    if (check.status != SuggestStatus::Found || !check.complete) {
        state.SkipWithError("the starter box is not searched to the end");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(SuggestCircuits(request, stock));
    state.counters["suggestions"] = static_cast<double>(check.suggestions.size());
    state.counters["work"] = static_cast<double>(check.nodes);
}
BENCHMARK(BM_SuggestStarter)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_SuggestClubFourLanes(benchmark::State& state) {
    const TTrackList stock = ClubBox();
    const SuggestRequest request = Request(5000, 3000, 4);
    const SuggestResult check = SuggestCircuits(request, stock);
    if (check.status != SuggestStatus::Found || check.suggestions.size() != 12) {
        state.SkipWithError("fewer than 12 suggestions for the club's box");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(SuggestCircuits(request, stock));
    state.counters["suggestions"] = static_cast<double>(check.suggestions.size());
    state.counters["share"] = 2.0 * check.suggestions.front().meanLaneMm / StockRunningLength(stock, Brand::Ninco);
    state.counters["work"] = static_cast<double>(check.nodes);
}
BENCHMARK(BM_SuggestClubFourLanes)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
