// A refresh redraws the whole work area: keep drawing the largest circuit
// at the highest detail within a 60 Hz frame (16 ms), and see what it costs
// beside the background and grid alone.
//
// The picture is what the main window draws into: the largest work area,
// 12000 x 12000 mm, at its smallest scale, 7 mm per pixel (1714 x 1714).

#include <benchmark/benchmark.h>

#include <QImage>
#include <QString>
#include <cstdlib>

#include "model/RecordingCanvas.h"
#include "model/Tracks.h"
#include "render/PainterCanvas.h"

namespace {

using namespace quillet;

constexpr int kArea = 12000;  // mm, both ways
constexpr double kScale = 7.0;

// 300 NINCO pieces on 8 lanes laid as a meander over the whole area: rows of
// straights, changeovers and starting straights joined by U-turns of inner
// curves, with inner borders everywhere, outer borders and barriers on the
// curves, every detail at 5 and the colour code on.
TCircuit LargeCircuit() {
    TCircuit c(1000, 600);
    c.scale = kScale;
    c.lanePairs = 4;
    c.detailLevel = 5;
    c.colourCodeShown = true;
    c.backgroundColour = 0x60A060;
    c.innerBorderDefault = true;
    const int row[] = {kStandardStraight, kHalfStraight,    kQuarterStraight,
                       kChangeoverTrack,  kQuarterStraight, kHalfStraight};  // 1400 mm
    int turn = 0;
    while (c.Count() < TCircuit::kMaxTracks) {
        for (int k = 0; k < 42 && c.Count() < TCircuit::kMaxTracks; ++k) c.Append(row[k % 6], 0, 1);
        for (int k = 0; k < 4 && c.Count() < TCircuit::kMaxTracks; ++k) {
            c.Append(kInnerCurve, turn % 2, 1);
            TTrack& t = c.Track(c.Count());
            t.SetBorder(kOuterBorder, true);
            t.outerBarrier = true;
        }
        ++turn;
    }
    c.Track(150).selected = true;
    c.firstSelected = c.lastSelected = 150;
    c.ReLay(false);
    return c;
}

QImage& Picture() {
    static QImage image(1714, 1714, QImage::Format_RGB32);
    return image;
}

void Draw(const TCircuit& c) {
    PainterCanvas canvas(&Picture());
    c.Draw(canvas, CircuitDrawMode::Screen, kArea, kArea);
}

void BM_BackgroundAndGrid(benchmark::State& state) {
    TCircuit c = LargeCircuit();
    TCircuit empty(1000, 600);
    empty.scale = c.scale;
    empty.backgroundColour = c.backgroundColour;
    for (auto _ : state) {
        Draw(empty);
        benchmark::DoNotOptimize(Picture().constBits());
    }
}
BENCHMARK(BM_BackgroundAndGrid)->Unit(benchmark::kMillisecond);

void BM_DrawCircuit(benchmark::State& state) {
    const TCircuit c = LargeCircuit();
    for (auto _ : state) {
        Draw(c);
        benchmark::DoNotOptimize(Picture().constBits());
    }
    state.counters["pieces"] = c.Count();
    // QUILLET_DRAW_PNG=file keeps the picture for looking at.
    if (const char* path = std::getenv("QUILLET_DRAW_PNG")) Picture().save(QString::fromLocal8Bit(path));
}
BENCHMARK(BM_DrawCircuit)->Unit(benchmark::kMillisecond);

// The same drawing recorded instead of painted: what the model's own work
// costs, without the painter.
void BM_RecordCircuit(benchmark::State& state) {
    const TCircuit c = LargeCircuit();
    RecordingCanvas canvas;
    for (auto _ : state) {
        canvas.clear();
        c.Draw(canvas, CircuitDrawMode::Screen, kArea, kArea);
        benchmark::DoNotOptimize(canvas.calls().data());
    }
    state.counters["calls"] = static_cast<double>(canvas.calls().size());
}
BENCHMARK(BM_RecordCircuit)->Unit(benchmark::kMillisecond);

}  // namespace
