#pragma once
// The canvas painted with QPainter: on a QImage for the screen and the
// clipboard, on a printer, or on an SVG generator.
//
// On raster images the shapes land on exactly the pixels their integer
// points name, with no smoothing: one-pixel lines through the points, fills
// covering the pixels whose points lie inside. On vector devices (printer,
// SVG) the same pixel is read as the unit square with its centre at
// (x + 0.5, y + 0.5), so both outputs agree.

#include <QBrush>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <array>
#include <optional>

#include "model/Canvas.h"
#include "render/Pictures.h"

namespace quillet {

QColor ToQColor(Colour c);
Colour FromQColor(const QColor& c);

// The installed families that stand in for a face name the program asks
// for: "Arial" becomes the metric-compatible Liberation Sans, "MS Sans Serif"
// a plain sans, and so on. Unknown names are kept as they are.
QStringList FontFamiliesFor(std::string_view name);

// Hands the painter's default pen, brush, background and opacity to its
// paint engine. A printer keeps one engine for all its documents, and
// QPainter::begin does not pass the fresh defaults on to it: without this,
// a document drawn with the defaults would get whatever the last one left
// (text in the drawing's last white pen, say).
void ResetPainterState(QPainter& painter);

// The text without the characters an XML 1.0 document cannot hold: controls
// other than tab, LF and CR, unpaired surrogates, U+FFFE and U+FFFF. Picture
// files written as SVG carry texts that way, and on any device such
// characters draw nothing a user could read.
QString WithoutXmlForbidden(QStringView text);

class PainterCanvas final : public Canvas {
public:
    // Paints on the device with a painter of its own, ended with end() or on
    // destruction.
    explicit PainterCanvas(QPaintDevice* device, const Pictures& pictures = Pictures::builtIn());
    // Paints with a painter someone else began; it is left active.
    explicit PainterCanvas(QPainter& painter, const Pictures& pictures = Pictures::builtIn());
    ~PainterCanvas() override;
    PainterCanvas(const PainterCanvas&) = delete;
    PainterCanvas& operator=(const PainterCanvas&) = delete;

    QPainter& painter() { return *m_painter; }
    bool isActive() const;
    // Finishes an own painter; a borrowed one is left to its owner.
    void end();

    void polygon(std::span<const PixelPoint> points) override;
    void polyline(std::span<const PixelPoint> points) override;
    void rectangle(const PixelRect& r) override;
    void fillRect(const PixelRect& r) override;
    void ellipse(const PixelRect& bounds) override;
    void textOut(int x, int y, std::string_view text) override;
    int textWidth(std::string_view text) override;
    int textHeight(std::string_view text) override;
    void drawPicture(Picture p, int x, int y) override;
    void drawPictureStretched(Picture p, const PixelRect& target) override;
    PixelSize pictureSize(Picture p) const override;

    // The QFont a font state paints with on this canvas's device.
    QFont qfont(const FontState& f) const;

protected:
    void drawLine(PixelPoint from, PixelPoint to) override;

private:
    void setUp();
    void stroke(std::span<const PixelPoint> points, bool closed);
    void rasterEllipse(const PixelRect& bounds);
    bool cosmeticPen() const { return pen().width <= 1; }
    // How far a point moves to reach the middle of its pixel on this device.
    // Qt's aliased raster fills and one-pixel lines already put an integer
    // point on its pixel; wide lines and vector output work in continuous
    // coordinates, where the pixel's middle is half a unit further on.
    qreal fillOffset() const { return m_raster ? 0.0 : 0.5; }
    qreal strokeOffset() const { return m_raster && cosmeticPen() ? 0.0 : 0.5; }
    // What an outline call needs of the painter's brush. Lines and polylines
    // never fill, so they leave it alone: switching it off for every line
    // and on again for the next fill cost a refresh more than the lines.
    enum class StrokeFill { Untouched, Nothing, Brush };
    void useStroke(StrokeFill fill);
    const QPen& currentPen();
    const QBrush& currentBrush();
    void useFillOnly();
    void useShapeMode();
    void useCopyMode();
    void useFont();
    // Thin solid lines and ellipse rows written straight into the pixels of
    // a 32-bit image: Qt's one-pixel stroker blends pixel by pixel, some ten
    // times slower, and a refresh draws thousands of such lines. Only when
    // nothing (transform, clip, opacity) stands between canvas and pixels.
    bool directPixels() const;
    bool directLines() const;
    void plotLine(PixelPoint from, PixelPoint to, QRgb colour);
    void plotRun(int x0, int x1, int y, QRgb colour);

    std::optional<QPainter> m_ownPainter;
    QPainter* m_painter = nullptr;
    const Pictures& m_pictures;
    bool m_raster = false;
    QImage* m_image = nullptr;  // the device, when it is a 32-bit image

    // Pens and brushes built so far. A refresh switches between a dozen or
    // so, and reusing them keeps it from allocating at every switch.
    struct PenEntry {
        Colour colour = 0;
        int width = 0;
        PenStyle style = PenStyle::Solid;
        QPen pen;
    };
    struct BrushEntry {
        Colour colour = 0;
        QBrush brush;
    };
    std::array<PenEntry, 16> m_pens;
    std::array<BrushEntry, 16> m_brushes;
    std::size_t m_penCount = 0;
    std::size_t m_penNext = 0;
    std::size_t m_brushCount = 0;
    std::size_t m_brushNext = 0;

    QFont m_qfont;
    FontState m_qfontFor;
    bool m_fontValid = false;
};

}  // namespace quillet
