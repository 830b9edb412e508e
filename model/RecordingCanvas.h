#pragma once
// A canvas that keeps every drawing call with the pen, brush and font in
// force at that moment, so tests can assert colours, widths, shapes and
// points exactly. It draws nothing.

#include <cstddef>
#include <string>
#include <vector>

#include "model/Canvas.h"

namespace quillet {

enum class DrawKind : std::uint8_t {
    Polygon,
    Polyline,
    Line,
    Rectangle,
    FillRect,
    Ellipse,
    Text,
    Picture,
    StretchedPicture,
};

struct DrawCall {
    DrawKind kind = DrawKind::Polygon;
    PenState pen;
    BrushState brush;
    FontState font;
    // Polygon and polyline: their points; line: from and to; text and
    // picture: the top-left corner.
    std::vector<PixelPoint> points;
    // Rectangle, filled rectangle, ellipse, stretched picture.
    PixelRect rect;
    Picture picture = Picture::Drawing;
    std::string text;

    bool filled() const { return brush.fills(); }
    bool stroked() const { return pen.draws(); }
};

// One line of readable text per call, for failure messages.
std::string Describe(const DrawCall& call);
const char* KindName(DrawKind kind);

class RecordingCanvas final : public Canvas {
public:
    RecordingCanvas();

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

    // Text is measured as a fixed advance per character (not per byte), so
    // tests can work out placements by hand.
    void setTextMetrics(int advance, int height);
    void setTemplateSize(PixelSize size) { m_templateSize = size; }

    const std::vector<DrawCall>& calls() const { return m_calls; }
    void clear() { m_calls.clear(); }

    std::size_t count(DrawKind kind) const;
    std::vector<const DrawCall*> callsOf(DrawKind kind) const;
    // Polygons whose inside is painted in this colour.
    std::vector<const DrawCall*> polygonsWithBrush(Colour c) const;
    // Calls of this kind whose outline or line shows in this colour.
    std::vector<const DrawCall*> withPen(DrawKind kind, Colour c) const;
    std::string describeAll() const;

    template <typename Predicate>
    std::vector<const DrawCall*> where(Predicate keep) const {
        std::vector<const DrawCall*> out;
        for (const DrawCall& c : m_calls) {
            if (keep(c)) out.push_back(&c);
        }
        return out;
    }

protected:
    void drawLine(PixelPoint from, PixelPoint to) override;

private:
    DrawCall& record(DrawKind kind);

    std::vector<DrawCall> m_calls;
    int m_advance = 7;
    int m_lineHeight = 13;
    PixelSize m_templateSize;
};

}  // namespace quillet
