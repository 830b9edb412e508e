// Suggest Circuits on the two boxes of pieces it is sized for, in NINCO and
// in SCX: the starter box, where the search tries every pair of halves that
// could still make the list, and the club's box on four lanes, where it
// stops at its work limit or once nothing left can be longer. Each run is checked before it is
// timed; the club's counter is the share of the box's running length the
// best suggestion lays (four lanes are two strips: twice its mean lane).

#include <benchmark/benchmark.h>

#include "StockBoxes.h"
#include "stock/TrackList.h"
#include "tools/Suggest.h"

namespace {

using namespace quillet;

// The boxes are counted per system: the stock file has one line per piece
// type for SCX and one for NINCO. SCX sells the same kinds of piece under the
// same type codes (standard, half and quarter straights, the starting
// straight, the changeover, the inner, standard, outer and super outer
// curves), only shorter: 350 mm straights against 400, curve radii about an
// eighth smaller. So the SCX boxes are the NINCO ones, piece for piece, on
// the SCX lines, on the same tables: the same box laid a little smaller.
using quillet::test::ClubBox;
using quillet::test::StarterBox;
using quillet::test::TableRequest;

void SuggestStarter(benchmark::State& state, int brand, Brand system) {
    const TTrackList stock = StarterBox(brand);
    const SuggestRequest request = TableRequest(2400, 1200, 2, system);
    const SuggestResult check = SuggestCircuits(request, stock);
    if (check.status != SuggestStatus::Found || !check.complete) {
        state.SkipWithError("the starter box is not searched to the end");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(SuggestCircuits(request, stock));
    state.counters["suggestions"] = static_cast<double>(check.suggestions.size());
    state.counters["work"] = static_cast<double>(check.nodes);
}
void BM_SuggestStarter(benchmark::State& state) { SuggestStarter(state, kNincoIndex, Brand::Ninco); }
void BM_SuggestStarterScx(benchmark::State& state) { SuggestStarter(state, kScxIndex, Brand::Scx); }
BENCHMARK(BM_SuggestStarter)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_SuggestStarterScx)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void SuggestClubFourLanes(benchmark::State& state, int brand, Brand system) {
    const TTrackList stock = ClubBox(brand);
    const SuggestRequest request = TableRequest(5000, 3000, 4, system);
    const SuggestResult check = SuggestCircuits(request, stock);
    if (check.status != SuggestStatus::Found || check.suggestions.size() != 12) {
        state.SkipWithError("fewer than 12 suggestions for the club's box");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(SuggestCircuits(request, stock));
    state.counters["suggestions"] = static_cast<double>(check.suggestions.size());
    state.counters["share"] = 2.0 * check.suggestions.front().meanLaneMm / StockRunningLength(stock, system);
    state.counters["work"] = static_cast<double>(check.nodes);
}
void BM_SuggestClubFourLanes(benchmark::State& state) { SuggestClubFourLanes(state, kNincoIndex, Brand::Ninco); }
void BM_SuggestClubFourLanesScx(benchmark::State& state) { SuggestClubFourLanes(state, kScxIndex, Brand::Scx); }
BENCHMARK(BM_SuggestClubFourLanes)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_SuggestClubFourLanesScx)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
