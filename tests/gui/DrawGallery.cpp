// Renders a set of circuits to PNG files for looking at the drawing by eye:
// both track systems, 2 to 8 lanes, borders and half borders, barriers,
// every chicane, changeovers, the starting straight, single-racing loops,
// the colour code, every detail level and a printed page.
//
//   draw_gallery OUTPUT_DIR
//
// Not a test and not installed.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <initializer_list>

#include "model/Tracks.h"
#include "render/PainterCanvas.h"

using namespace quillet;

namespace {

struct Piece {
    int type;
    int orientation;
};

void Lay(TCircuit& c, std::initializer_list<Piece> pieces) {
    for (const Piece& p : pieces) {
        c.Insert(p.type, p.orientation, nullptr);
        // The first piece of an empty circuit is not selected by inserting.
        if (c.Count() == 1) {
            c.Track(1).selected = true;
            c.firstSelected = c.lastSelected = 1;
        }
    }
}

void Deselect(TCircuit& c) {
    for (TTrack& t : c.Tracks()) t.selected = false;
    c.firstSelected = c.lastSelected = 0;
}

void SetBorders(TCircuit& c, int i, std::initializer_list<int> flags) {
    TTrack& t = c.Track(i);
    for (int f : flags) t.SetBorder(f, true);
    t.ComputeOutline(c);
}

// Moves the circuit to the middle of the work area.
void Centre(TCircuit& c, int areaLength, int areaWidth) {
    const TBoundingBox box = c.BoundingBox();
    c.startX += (areaLength - box.left - box.right) / 2.0;
    c.startY += (areaWidth - box.top - box.bottom) / 2.0;
    c.ReLay(false);
}

bool Save(TCircuit& c, int areaLength, int areaWidth, const QString& path,
          CircuitDrawMode mode = CircuitDrawMode::Screen) {
    Centre(c, areaLength, areaWidth);
    const int w = static_cast<int>(areaLength / c.scale + 0.5);
    const int h = static_cast<int>(areaWidth / c.scale + 0.5) + (mode == CircuitDrawMode::Print ? 40 : 0);
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        PainterCanvas canvas(&image);
        c.Draw(canvas, mode, areaWidth, areaLength);
    }
    const bool ok = image.save(path);
    std::printf("%s %s (%dx%d)\n", ok ? "wrote" : "FAILED", qPrintable(path), w, h);
    return ok;
}

// NINCO, two lanes: an oval with a starting straight, a changeover, inner
// borders everywhere, outer borders and barriers on the curves and half
// borders on the straights beside them.
TCircuit NincoOval() {
    TCircuit c(600, 400);
    c.scale = 2;
    c.innerBorderDefault = true;
    Lay(c, {{kStartingStraight, 0},
            {kStandardStraight, 0},
            {kHalfStraight, 0},
            {kQuarterStraight, 0},
            {kStandardCurve, 0},
            {kStandardCurve, 0},
            {kStandardCurve, 0},
            {kStandardCurve, 0},
            {kChangeoverTrack, 0},
            {kStandardStraight, 0},
            {kHalfStraight, 0},
            {kQuarterStraight, 0},
            {kStandardCurve, 0},
            {kStandardCurve, 0},
            {kStandardCurve, 0},
            {kStandardCurve, 0}});
    for (int i : {5, 6, 7, 8, 13, 14, 15, 16}) {
        SetBorders(c, i, {kOuterBorder});
        c.Track(i).outerBarrier = true;
    }
    SetBorders(c, 4, {kOuterBorderExitHalf});
    SetBorders(c, 9, {kOuterBorderEntryHalf});
    SetBorders(c, 12, {kOuterBorderExitHalf});
    c.Track(10).innerBarrier = true;
    c.ReLay(false);
    Deselect(c);
    return c;
}

// SCX, four lanes: the chicanes (converging, straight, diverging, curved),
// a changeover, default borders where SCX takes them and wedges beside the
// curves.
TCircuit ScxChicanes() {
    TCircuit c(600, 400);
    c.scale = 2;
    c.startBrand = 0;
    c.lanePairs = 2;
    c.innerBorderDefault = true;
    c.outerBorderDefault = true;
    Lay(c, {{kStartingChicane, 0},
            {kStraightChicane, 0},
            {kStartingChicane, 1},
            {kStandardCurve, 0},
            {kStandardCurve, 0},
            {kStandardCurve, 0},
            {kStandardCurve, 0},
            {kStandardStraight, 0},
            {kChangeoverTrack, 0},
            {kStandardStraight, 0},
            {kCurvedChicane, 0},
            {kCurvedChicane, 0},
            {kCurvedChicane, 0},
            {kCurvedChicane, 0}});
    SetBorders(c, 8, {kOuterBorderEntryHalf, kInnerBorderEntryHalf});
    SetBorders(c, 10, {kOuterBorderExitHalf, kInnerBorderExitHalf});
    c.Track(4).outerBarrier = true;
    c.Track(5).outerBarrier = true;
    c.ReLay(false);
    Deselect(c);
    return c;
}

// NINCO, eight lanes: every curve radius, so the colour code shows the
// ladder of catalogue pieces and the curve joints, plus an adaptation
// chicane into SCX and back.
TCircuit NincoEightLanes() {
    TCircuit c(400, 1200);
    c.scale = 3;
    c.lanePairs = 4;
    c.colourCodeShown = true;
    c.innerBorderDefault = true;
    Lay(c, {{kStandardStraight, 0},
            {kHalfStraight, 0},
            {kQuarterStraight, 0},
            {kInnerCurve, 1},
            {kInnerCurve, 1},
            {kStandardCurve, 1},
            {kStandardCurve, 1},
            {kOuterCurve, 1},
            {kOuterCurve, 1},
            {kSuperOuterCurve, 1},
            {kSuperOuterCurve, 1},
            {kChangeoverTrack, 0},
            {kStartingStraight, 1},
            {kAdaptationChicane, 0},
            {kStandardStraight, 0},
            {kStandardCurve, 0}});
    for (int i : {4, 5, 6, 7, 8, 9, 10, 11}) SetBorders(c, i, {kOuterBorder});
    c.ReLay(false);
    Deselect(c);
    return c;
}

// Two lanes each of SCX curves of every radius, colour coded, on green.
TCircuit ScxCurves(int lanePairs) {
    TCircuit c(400, 800);
    c.scale = 2;
    c.startBrand = 0;
    c.lanePairs = static_cast<uint8_t>(lanePairs);
    c.colourCodeShown = true;
    c.backgroundColour = 0x60A060;
    c.detailLevel = 5;
    Lay(c, {{kStandardStraight, 0},
            {kInnerCurve, 0},
            {kInnerCurve, 0},
            {kStandardCurve, 0},
            {kStandardCurve, 0},
            {kOuterCurve, 0},
            {kOuterCurve, 0},
            {kSuperOuterCurve, 0},
            {kSuperOuterCurve, 0},
            {kHalfStraight, 0},
            {kQuarterStraight, 0},
            {kStraightChicane, 0},
            {kStartingStraight, 0}});
    c.ReLay(false);
    Deselect(c);
    return c;
}

// A single-racing circuit: a loop at each end of a run of straights.
TCircuit SingleRacing() {
    TCircuit c(2400, 400);
    c.scale = 2;
    c.singleRacing = true;
    c.Append(kSingleRacingOuterCurve, 1, 1);
    for (int k = 0; k < 6; ++k) c.Append(kSingleRacingInnerCurve, 0, 1);
    c.Append(kSingleRacingOuterCurve, 1, 1);
    for (int k = 0; k < 4; ++k) c.Append(k == 1 ? kStartingStraight : kStandardStraight, 0, 1);
    c.Append(kSingleRacingOuterCurve, 1, 1);
    for (int k = 0; k < 6; ++k) c.Append(kSingleRacingInnerCurve, 0, 1);
    c.Append(kSingleRacingOuterCurve, 1, 1);
    c.ReLay(false);
    c.Track(10).selected = true;
    c.firstSelected = c.lastSelected = 10;
    return c;
}

// Close-ups at 1 mm per pixel: the markers of the changeovers of both
// systems and of the three SCX chicanes, four lanes, detail 5, each piece a
// circuit of its own so they can sit side by side.
bool SaveMarkers(const QString& path) {
    QImage image(1600, 1150, QImage::Format_RGB32);
    image.fill(Qt::white);
    PainterCanvas canvas(&image);
    const Piece pieces[] = {{kChangeoverTrack, 0}, {kChangeoverTrack, 0}, {kStartingChicane, 0},
                            {kStraightChicane, 0}, {kStartingChicane, 1}, {kCurvedChicane, 0}};
    for (int i = 0; i < 6; ++i) {
        TCircuit c(0, 0);
        c.scale = 1;
        c.lanePairs = 2;
        c.detailLevel = 5;
        c.startX = 50 + (i % 3) * 480;
        c.startY = i < 3 ? 80 : 600;
        c.innerBorderDefault = c.outerBorderDefault = true;
        c.Append(pieces[i].type, pieces[i].orientation, i == 0 ? 1 : 0);
        c.ReLay(false);
        c.gridShown = false;
        for (const TTrack& t : c.Tracks()) {
            t.DrawShadow(c, canvas, false);
            t.Draw(c, canvas, false);
        }
    }
    canvas.end();
    const bool ok = image.save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: draw_gallery OUTPUT_DIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    auto path = [&](const char* name) { return out + QLatin1Char('/') + QLatin1String(name); };
    bool ok = true;

    TCircuit oval = NincoOval();
    for (int detail = 1; detail <= 5; ++detail) {
        oval.detailLevel = detail;
        ok &= Save(oval, 3000, 1400, path("ninco-oval-detail") + QString::number(detail) + QStringLiteral(".png"));
    }
    oval.detailLevel = 5;
    oval.colourCodeShown = true;
    oval.backgroundColour = 0x60A060;
    oval.Track(10).selected = true;
    oval.firstSelected = oval.lastSelected = 10;
    ok &= Save(oval, 3000, 1400, path("ninco-oval-green-selected.png"));

    TCircuit scx = ScxChicanes();
    for (int detail : {1, 2, 3, 4, 5}) {
        scx.detailLevel = detail;
        ok &= Save(scx, 3200, 1600, path("scx-chicanes-detail") + QString::number(detail) + QStringLiteral(".png"));
    }

    TCircuit eight = NincoEightLanes();
    for (int detail : {1, 3, 5}) {
        eight.detailLevel = detail;
        ok &= Save(eight, 4200, 3600, path("ninco-8-lanes-detail") + QString::number(detail) + QStringLiteral(".png"));
    }

    for (int p : {1, 2, 3, 4}) {
        TCircuit curves = ScxCurves(p);
        ok &= Save(curves, 3600, 3200, path("scx-curves-") + QString::number(2 * p) + QStringLiteral("-lanes.png"));
    }

    TCircuit single = SingleRacing();
    for (int detail : {3, 5}) {
        single.detailLevel = detail;
        ok &= Save(single, 3400, 1000, path("single-racing-detail") + QString::number(detail) + QStringLiteral(".png"));
    }

    // A printed page: the oval at a print scale, white, grey grid, title.
    TCircuit page = NincoOval();
    page.title = "Oval";
    page.detailLevel = 5;
    page.scale = 3;
    page.ReLay(false);
    page.icons[0] = {2, 1200, 1100, false};
    page.icons[1] = {1, 1500, 1100, true};
    ok &= Save(page, 3000, 1400, path("print-page.png"), CircuitDrawMode::Print);
    ok &= SaveMarkers(path("markers-close-up.png"));
    return ok ? 0 : 1;
}
