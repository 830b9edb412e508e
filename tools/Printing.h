#pragma once
// The Print command without a toolkit: the drawing scaled so that the whole
// work area fits one page, or the Track List as lines of text. The window
// supplies the printer through TPrinterDevice.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/Canvas.h"

namespace quillet {

class TCircuit;
class TTrackList;

// What printing needs of a printer.
class TPrinterDevice {
public:
    virtual ~TPrinterDevice() = default;
    // Starts a document of one copy under the title; false when the printer
    // cannot start it.
    virtual bool BeginDocument(const std::string& title) = 0;
    // The printable part of the page, in device pixels (valid once begun).
    virtual PixelSize PageSize() = 0;
    // The page for the drawing (valid once begun).
    virtual Canvas& PageCanvas() = 0;
    // One line of text in the Track List's fixed-pitch font, bold or
    // normal; a full page goes on to the next.
    virtual void WriteLine(std::string_view text, bool bold) = 0;
    // Ends the document; false when the printer reported a failure.
    virtual bool EndDocument() = 0;

    // Before a drawing's document begins: whether its page may be turned
    // (not when the user chose an orientation in the printer setup, nor on
    // a page of fixed shape), the printable page, in device pixels, it would
    // have standing or lying, and the turning itself.
    virtual bool MayTurnPage() { return false; }
    virtual PixelSize PageSizeIf(bool /*landscape*/) { return {}; }
    virtual void TurnPage(bool /*landscape*/) {}
};

// The items of the Print dialog's choice.
enum class PrintChoice : uint8_t { Drawing = 0, TrackList = 1 };

// The title line under the drawing: the circuit's own title drawing, in
// pixels below the work area.
inline constexpr int kPrintTitleGap = 10;

// Millimetres per device pixel that put the whole work area on the page with
// room under it for a title line `titleHeight` pixels high: the larger of
// the two ratios, so a work area wider than it is long fits too. Never below
// a tiny positive value, whatever the page.
double PrintScale(int32_t areaLength, int32_t areaWidth, PixelSize page, int titleHeight);

// Whether the work area comes out larger on the page lying (landscape)
// than standing: the orientation with the smaller print scale; standing when
// both are alike.
bool PrintLandscape(int32_t areaLength, int32_t areaWidth, PixelSize standing, PixelSize lying, int titleHeight);

// Prints the drawing: the page turned the way the work area fits best when
// the printer lets it, the circuit is copied, laid out again at the print
// scale and drawn in print mode, so the circuit on the screen keeps its
// scale and layout whatever happens; the drawing picture and the icons keep
// their size against the circuit. False when the printer failed.
bool PrintCircuitDrawing(const TCircuit& circuit, int32_t areaLength, int32_t areaWidth, TPrinterDevice& printer);

struct TPrintLine {
    std::string text;
    bool bold = false;
    friend bool operator==(const TPrintLine&, const TPrintLine&) = default;
};

// The printed Track List: an empty line, the title, an empty line and the
// column heading (text 152) in bold, then every line of the Track List, all
// indented by six blanks.
std::vector<TPrintLine> TrackListPrintLines(const TCircuit& circuit, const TTrackList& stock);

// Prints those lines. False when the printer failed.
bool PrintTrackList(const TCircuit& circuit, const TTrackList& stock, TPrinterDevice& printer);

}  // namespace quillet
