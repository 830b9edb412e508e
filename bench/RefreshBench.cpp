// The refresh every edit ends with: FormActualize's computations and the
// render of the whole work area with its markers. The largest circuit, 300
// pieces on 8 lanes at detail 5 with borders and barriers, must refresh
// within one 60 Hz frame (16.7 ms).

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include "app/Editor.h"
#include "render/PainterCanvas.h"

namespace {

using namespace quillet;

// A serpentine on the largest work area: rows of straights (with changeovers
// and half straights among them) joined by U-turns of four 45-degree inner curves, the
// only curve eight lanes allow. Every fourth piece is bordered, every sixth
// has barriers, one piece is anchored.
void BuildLargeCircuit(TEditor& editor) {
    editor.SetWorkArea(12000, 12000);
    TCircuit& c = editor.Circuit();
    c.lanePairs = 4;
    c.detailLevel = 5;
    c.colourCodeShown = true;
    c.startX = 600;
    c.startY = 600;
    int row = 0;
    while (c.Count() < TCircuit::kMaxTracks) {
        for (int i = 0; i < 22 && c.Count() < TCircuit::kMaxTracks; ++i) {
            const int type = i % 7 == 3 ? kChangeoverTrack : (i % 5 == 4 ? kHalfStraight : kStandardStraight);
            c.Append(type, 1, 1);
        }
        for (int k = 0; k < 4 && c.Count() < TCircuit::kMaxTracks; ++k) c.Append(kInnerCurve, row % 2, 1);
        ++row;
    }
    for (int i = 1; i <= c.Count(); ++i) {
        TTrack& t = c.Track(i);
        if (i % 4 == 0) {
            t.SetBorder(kOuterBorder, true);
            t.SetBorder(kInnerBorder, true);
        }
        if (i % 6 == 0) t.outerBarrier = true;
    }
    c.Track(150).anchorMark = true;
    c.firstSelected = c.lastSelected = 120;
    c.Track(120).selected = true;
    c.ReLay(false);
}

void BM_Refresh(benchmark::State& state) {
    TSilentPrompter prompter;
    TQuietHost host;
    TNoTemplate picture;
    TEditor editor(prompter, host, picture);
    BuildLargeCircuit(editor);
    editor.SetViewport({1200, 800, 0, 0});
    TWindowState s = editor.FormActualize();
    QImage image(s.layout.image.width, s.layout.image.height, QImage::Format_RGB32);
    for (auto _ : state) {
        s = editor.FormActualize();
        PainterCanvas canvas(&image);
        editor.Render(canvas);
        canvas.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    const TBoundingBox box = editor.Circuit().ComputeBoundingBox();
    state.counters["pieces"] = editor.Circuit().Count();
    state.counters["box_w_mm"] = box.right - box.left;
    state.counters["box_h_mm"] = box.bottom - box.top;
    state.counters["pixels"] = static_cast<double>(image.width()) * image.height();
    state.counters["scale"] = s.scale;
}
BENCHMARK(BM_Refresh)->Unit(benchmark::kMillisecond);

// The same circuit seen at 20 mm per pixel: the drawing is small, so this is
// nearly all per-piece work.
void BM_RefreshCoarse(benchmark::State& state) {
    TSilentPrompter prompter;
    TQuietHost host;
    TNoTemplate picture;
    TEditor editor(prompter, host, picture);
    BuildLargeCircuit(editor);
    editor.Circuit().scale = 20.0;
    editor.Circuit().ReLay(false);
    TWindowState s = editor.FormActualize();
    QImage image(s.layout.image.width, s.layout.image.height, QImage::Format_RGB32);
    for (auto _ : state) {
        s = editor.FormActualize();
        PainterCanvas canvas(&image);
        editor.Render(canvas);
        canvas.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RefreshCoarse)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
