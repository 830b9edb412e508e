// The exhaustive closing search at its worst: tolerance 0, every piece
// allowed and a gap that no candidate closes, so all 2.1 x 10^7 candidates
// run. The fast search is measured against the straightforward loop it must
// agree with; both answers are compared before measuring.

#include <benchmark/benchmark.h>

#include <cmath>

#include "ClosingReference.h"
#include "model/Tracks.h"
#include "tools/ClosingSearch.h"
#include "tools/Random.h"

namespace {

using namespace quillet;

// A NINCO oval three curves short, turned by 0.3 rad so that the pen's
// directions, snapped to sixteenths of a half turn, never land it within
// 0.1 mm: many candidates match the heading, none ends the search.
ClosingProblem WorstCase() {
    TCircuit c(1500, 1000);
    const int types[] = {kStandardStraight, kStandardCurve,    kStandardCurve, kStandardCurve,
                         kStandardCurve,    kStandardStraight, kStandardCurve};
    for (int t : types) c.Append(t, 0, 1);
    c.Track(1).angle = 0.3;
    c.ReLay(false);
    const TTrack& first = c.Track(1);
    const TTrack& last = c.Track(c.Count());
    ClosingProblem pb;
    pb.startX = last.P(9).x;
    pb.startY = last.P(9).y;
    pb.startHeading = last.ExitHeading();
    pb.targetX = first.P(1).x;
    pb.targetY = first.P(1).y;
    pb.targetHeading = first.angle;
    pb.width = last.width;
    pb.toleranceCm = 0;
    return pb;
}

bool SameAnswers(const SearchResult& a, const SearchResult& b) {
    return a.found == b.found && a.codes == b.codes && a.best == b.best && a.progressSteps == b.progressSteps;
}

void BM_PlainClosingWorstCase(benchmark::State& state) {
    const ClosingProblem pb = WorstCase();
    const SearchResult reference = PlainClosingStraightforward(pb);
    if (reference.progressSteps != 132 || reference.best < StopThreshold(0)) {
        state.SkipWithError("the case does not run every candidate");
        return;
    }
    if (!SameAnswers(PlainClosing(pb), reference)) {
        state.SkipWithError("fast and straightforward searches disagree");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(PlainClosing(pb));
}
BENCHMARK(BM_PlainClosingWorstCase)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_PlainClosingStraightforward(benchmark::State& state) {
    const ClosingProblem pb = WorstCase();
    for (auto _ : state) benchmark::DoNotOptimize(PlainClosingStraightforward(pb));
}
BENCHMARK(BM_PlainClosingStraightforward)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The stock search, in double precision, with a stock that allows most
// candidates.
void BM_StockClosingWorstCase(benchmark::State& state) {
    const ClosingProblem pb = WorstCase();
    const StockLimit stock{1, {20, 20, 20, 20, 20, 20, 20}};
    if (!SameAnswers(StockClosing(pb, stock), StockClosingStraightforward(pb, stock))) {
        state.SkipWithError("fast and straightforward searches disagree");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(StockClosing(pb, stock));
}
BENCHMARK(BM_StockClosingWorstCase)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

// The random search over its full 10000 generations (tolerance 0).
void BM_RandomClosing(benchmark::State& state) {
    const ClosingProblem pb = WorstCase();
    TRandom random;
    for (auto _ : state) benchmark::DoNotOptimize(RandomClosing(pb, random));
}
BENCHMARK(BM_RandomClosing)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
