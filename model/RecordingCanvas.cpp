#include "model/RecordingCanvas.h"

#include <cstdio>

namespace quillet {

namespace {

// Characters, not bytes: "Título" is six wide.
int CodePoints(std::string_view text) {
    int n = 0;
    for (unsigned char c : text) {
        if ((c & 0xC0) != 0x80) ++n;
    }
    return n;
}

std::string Hex(Colour c) {
    if (c == kNoColour) return "none";
    char buf[16];
    std::snprintf(buf, sizeof buf, "%06X", static_cast<unsigned>(c));
    return buf;
}

const char* PenStyleName(PenStyle s) {
    switch (s) {
        case PenStyle::Solid:
            return "solid";
        case PenStyle::Dotted:
            return "dotted";
        case PenStyle::Clear:
            return "clear";
    }
    return "?";
}

}  // namespace

const char* KindName(DrawKind kind) {
    switch (kind) {
        case DrawKind::Polygon:
            return "polygon";
        case DrawKind::Polyline:
            return "polyline";
        case DrawKind::Line:
            return "line";
        case DrawKind::Rectangle:
            return "rectangle";
        case DrawKind::FillRect:
            return "fillRect";
        case DrawKind::Ellipse:
            return "ellipse";
        case DrawKind::Text:
            return "text";
        case DrawKind::Picture:
            return "picture";
        case DrawKind::StretchedPicture:
            return "stretchedPicture";
    }
    return "?";
}

std::string Describe(const DrawCall& call) {
    std::string s = KindName(call.kind);
    s += " pen=" + Hex(call.pen.colour) + "/w" + std::to_string(call.pen.width) + "/" + PenStyleName(call.pen.style) +
         (call.pen.mode == PenMode::NotXor ? "/notxor" : "");
    s += " brush=" + (call.brush.style == BrushStyle::Clear ? std::string("clear") : Hex(call.brush.colour));
    switch (call.kind) {
        case DrawKind::Rectangle:
        case DrawKind::FillRect:
        case DrawKind::Ellipse:
        case DrawKind::StretchedPicture:
            s += " rect=(" + std::to_string(call.rect.left) + "," + std::to_string(call.rect.top) + ")-(" +
                 std::to_string(call.rect.right) + "," + std::to_string(call.rect.bottom) + ")";
            break;
        default:
            s += " points=";
            for (const PixelPoint& p : call.points) {
                s += "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
            }
    }
    if (call.kind == DrawKind::Text) {
        s += " font=" + std::string(call.font.name()) + "/" + std::to_string(call.font.size) + "pt/" +
             std::to_string(call.font.height) + "px/" + Hex(call.font.colour) + " \"" + call.text + "\"";
    }
    if (call.kind == DrawKind::Picture || call.kind == DrawKind::StretchedPicture) {
        s += " picture=" + std::to_string(static_cast<int>(call.picture));
    }
    return s;
}

RecordingCanvas::RecordingCanvas() { m_calls.reserve(256); }

DrawCall& RecordingCanvas::record(DrawKind kind) {
    DrawCall& c = m_calls.emplace_back();
    c.kind = kind;
    c.pen = pen();
    c.brush = brush();
    c.font = font();
    return c;
}

void RecordingCanvas::polygon(std::span<const PixelPoint> points) {
    record(DrawKind::Polygon).points.assign(points.begin(), points.end());
}

void RecordingCanvas::polyline(std::span<const PixelPoint> points) {
    record(DrawKind::Polyline).points.assign(points.begin(), points.end());
}

void RecordingCanvas::drawLine(PixelPoint from, PixelPoint to) { record(DrawKind::Line).points = {from, to}; }

void RecordingCanvas::rectangle(const PixelRect& r) { record(DrawKind::Rectangle).rect = r; }

void RecordingCanvas::fillRect(const PixelRect& r) { record(DrawKind::FillRect).rect = r; }

void RecordingCanvas::ellipse(const PixelRect& bounds) { record(DrawKind::Ellipse).rect = bounds; }

void RecordingCanvas::textOut(int x, int y, std::string_view text) {
    DrawCall& c = record(DrawKind::Text);
    c.points = {PixelPoint{x, y}};
    c.text = std::string(text);
}

int RecordingCanvas::textWidth(std::string_view text) { return CodePoints(text) * m_advance; }

int RecordingCanvas::textHeight(std::string_view) { return m_lineHeight; }

void RecordingCanvas::setTextMetrics(int advance, int height) {
    m_advance = advance;
    m_lineHeight = height;
}

void RecordingCanvas::drawPicture(Picture p, int x, int y) {
    DrawCall& c = record(DrawKind::Picture);
    c.picture = p;
    c.points = {PixelPoint{x, y}};
}

void RecordingCanvas::drawPictureStretched(Picture p, const PixelRect& target) {
    DrawCall& c = record(DrawKind::StretchedPicture);
    c.picture = p;
    c.rect = target;
}

PixelSize RecordingCanvas::pictureSize(Picture p) const {
    return p == Picture::Template ? m_templateSize : NominalPictureSize(p);
}

std::size_t RecordingCanvas::count(DrawKind kind) const {
    std::size_t n = 0;
    for (const DrawCall& c : m_calls) n += c.kind == kind ? 1 : 0;
    return n;
}

std::vector<const DrawCall*> RecordingCanvas::callsOf(DrawKind kind) const {
    return where([kind](const DrawCall& c) { return c.kind == kind; });
}

std::vector<const DrawCall*> RecordingCanvas::polygonsWithBrush(Colour colour) const {
    return where(
        [colour](const DrawCall& c) { return c.kind == DrawKind::Polygon && c.filled() && c.brush.colour == colour; });
}

std::vector<const DrawCall*> RecordingCanvas::withPen(DrawKind kind, Colour colour) const {
    return where([kind, colour](const DrawCall& c) { return c.kind == kind && c.stroked() && c.pen.colour == colour; });
}

std::string RecordingCanvas::describeAll() const {
    std::string s;
    for (const DrawCall& c : m_calls) s += Describe(c) + "\n";
    return s;
}

}  // namespace quillet
