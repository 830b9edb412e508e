#include "tools/Printing.h"

#include <algorithm>
#include <cmath>

#include "model/Tracks.h"
#include "stock/TrackList.h"
#include "text/Languages.h"

namespace quillet {

namespace {

constexpr int kTextTrackListHeading = 152;
constexpr std::string_view kIndent = "      ";  // six blanks before every line
// The circuit drawing's title: the font it sets before writing it.
constexpr std::string_view kTitleFont = "Arial";
constexpr int kTitlePoints = 14;
constexpr double kSmallestScale = 1e-6;

}  // namespace

double PrintScale(int32_t areaLength, int32_t areaWidth, PixelSize page, int titleHeight) {
    const double across = std::max(page.width, 1);
    const double down = std::max(page.height - std::max(titleHeight, 0) - kPrintTitleGap, 1);
    const double scale = std::max(areaLength / across, areaWidth / down);
    return std::isfinite(scale) && scale > kSmallestScale ? scale : kSmallestScale;
}

bool PrintLandscape(int32_t areaLength, int32_t areaWidth, PixelSize standing, PixelSize lying, int titleHeight) {
    return PrintScale(areaLength, areaWidth, lying, titleHeight) <
           PrintScale(areaLength, areaWidth, standing, titleHeight);
}

bool PrintCircuitDrawing(const TCircuit& circuit, int32_t areaLength, int32_t areaWidth, TPrinterDevice& printer) {
    if (printer.MayTurnPage()) {
        // The title line is left out: its height is known only once the
        // page is begun, and one line of text hardly decides the choice.
        printer.TurnPage(PrintLandscape(areaLength, areaWidth, printer.PageSizeIf(false), printer.PageSizeIf(true), 0));
    }
    if (!printer.BeginDocument(circuit.title)) return false;
    Canvas& canvas = printer.PageCanvas();
    canvas.setPenColour(colour::Black);
    canvas.setBrushColour(colour::White);
    canvas.setFontName(kTitleFont);
    canvas.setFontSize(kTitlePoints);
    const int titleHeight = canvas.textHeight("Ag");

    TCircuit paper = circuit;
    paper.scale = PrintScale(areaLength, areaWidth, printer.PageSize(), titleHeight);
    paper.ReLay(false);
    paper.Draw(canvas, CircuitDrawMode::Print, areaWidth, areaLength, circuit.PixelScale() / paper.PixelScale());
    return printer.EndDocument();
}

std::vector<TPrintLine> TrackListPrintLines(const TCircuit& circuit, const TTrackList& stock) {
    TTrackList required;
    required.CountTracks(circuit);
    const std::string indent(kIndent);
    std::vector<TPrintLine> lines = {
        {"", true},
        {indent + circuit.title, true},
        {"", true},
        {indent + Text(kTextTrackListHeading), true},
    };
    for (const std::string& line : required.ListLines(stock)) lines.push_back({indent + line, false});
    return lines;
}

bool PrintTrackList(const TCircuit& circuit, const TTrackList& stock, TPrinterDevice& printer) {
    const std::vector<TPrintLine> lines = TrackListPrintLines(circuit, stock);
    if (!printer.BeginDocument(circuit.title)) return false;
    for (const TPrintLine& line : lines) printer.WriteLine(line.text, line.bold);
    return printer.EndDocument();
}

}  // namespace quillet
