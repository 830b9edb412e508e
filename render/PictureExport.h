#pragma once
// The drawing as a file: PNG, SVG or PDF bytes painted through the painter
// canvas. Two pictures are made: the work area as the editor shows it
// (markers included, at the circuit's scale), and the page as the Print
// command prints it. File > Export and quillet-cli's render both use these.

#include <QByteArray>
#include <QPageLayout>
#include <QSize>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "render/Pictures.h"

namespace quillet {

class TCircuit;
class TEditor;

enum class PictureFormat : uint8_t { Png, Svg, Pdf };

// By the file name's extension, in any case: .png, .svg, .pdf.
std::optional<PictureFormat> PictureFormatOf(std::string_view path);

// The dots per inch a picture is marked with: the screen's for the work
// area as shown, the printer's for a page.
inline constexpr int kScreenDpi = 96;
inline constexpr int kPageDpi = 300;

// A4 without margins, so every format holds the same page.
QPageLayout PrintPage(QPageLayout::Orientation orientation);
// Its size in dots at kPageDpi.
QSize PrintPageDots(QPageLayout::Orientation orientation);
// Landscape for a work area longer than it is wide, so the drawing fills
// the page; portrait otherwise.
QPageLayout::Orientation PageOrientationFor(int32_t areaLength, int32_t areaWidth);

// The work area as the editor shows it (TEditor::Render) at the circuit's
// current scale, round(length / scale) x round(width / scale) pixels: a PNG
// of it is the window's picture pixel for pixel. A PDF is one page of the
// picture's size, a point per pixel.
bool RenderWorkArea(PictureFormat format, TEditor& editor, const Pictures& pictures, QByteArray& bytes);

// The page as the Print command prints it (PrintCircuitDrawing): a copy of
// the circuit laid out so that the whole work area fits the page, drawn in
// print mode with its title line, on A4 at kPageDpi.
bool RenderPrintPage(PictureFormat format, const TCircuit& circuit, int32_t areaLength, int32_t areaWidth,
                     QPageLayout::Orientation orientation, const Pictures& pictures, QByteArray& bytes);

}  // namespace quillet
