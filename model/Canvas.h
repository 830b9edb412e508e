#pragma once
// The drawing surface the core paints on. Pieces, circuits, rulers and the
// print-out all draw through this interface in integer pixel coordinates;
// the windows supply a painter-backed implementation and the tests a
// recording one.
//
// Pixel model: the integer point (x, y) names the pixel in column x, row y.
// Polygons, polylines and lines pass through exactly the pixels their points
// name, end points included. Rectangles, filled rectangles and ellipses take
// a bounding box whose right and bottom edges are exclusive, so a box
// (0, 0, w, h) covers a w x h bitmap.
//
// The state setters are plain stores, not virtual calls: a refresh sets the
// pen hundreds of times, and an implementation reads the state only when it
// draws. Nothing here allocates.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace quillet {

// Colours keep the toolkit layout 0x00BBGGRR: red in the low byte.
using Colour = std::uint32_t;

// "No colour": a pen or brush of this colour paints nothing, so what lies
// underneath shows through.
inline constexpr Colour kNoColour = 0x1FFFFFFF;

constexpr Colour Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return Colour{r} | (Colour{g} << 8) | (Colour{b} << 16);
}
constexpr int RedOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

namespace colour {
inline constexpr Colour Black = 0x000000;
inline constexpr Colour White = 0xFFFFFF;
inline constexpr Colour Red = 0x0000FF;
inline constexpr Colour Lime = 0x00FF00;
inline constexpr Colour Blue = 0xFF0000;
inline constexpr Colour Yellow = 0x00FFFF;
inline constexpr Colour Aqua = 0xFFFF00;
inline constexpr Colour Green = 0x008000;
inline constexpr Colour Maroon = 0x000080;
inline constexpr Colour Navy = 0x800000;
inline constexpr Colour Grey = 0x808080;
inline constexpr Colour Silver = 0xC0C0C0;
}  // namespace colour

struct PixelPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend constexpr bool operator==(PixelPoint, PixelPoint) = default;
};

// Right and bottom are exclusive.
struct PixelRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    constexpr std::int32_t width() const { return right - left; }
    constexpr std::int32_t height() const { return bottom - top; }
    friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;
};

struct PixelSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
    constexpr bool empty() const { return width <= 0 || height <= 0; }
    friend constexpr bool operator==(PixelSize, PixelSize) = default;
};

enum class PenStyle : std::uint8_t { Solid, Dotted, Clear };

// NotXor turns each pixel p into ~(pen ^ p): a black pen inverts what it
// crosses, a coloured pen shows its own colour on white, and drawing the same
// line a second time restores the pixels exactly. The measuring line and the
// ruler guides rely on that to erase themselves.
enum class PenMode : std::uint8_t { Copy, NotXor };

enum class BrushStyle : std::uint8_t { Solid, Clear };

enum class FontStyle : std::uint8_t { None = 0, Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };
constexpr FontStyle operator|(FontStyle a, FontStyle b) {
    return static_cast<FontStyle>(static_cast<std::uint8_t>(a) | static_cast<std::uint8_t>(b));
}
constexpr FontStyle operator&(FontStyle a, FontStyle b) {
    return static_cast<FontStyle>(static_cast<std::uint8_t>(a) & static_cast<std::uint8_t>(b));
}
constexpr bool HasStyle(FontStyle set, FontStyle flag) { return (set & flag) != FontStyle::None; }

struct PenState {
    Colour colour = colour::Black;
    int width = 1;  // 0 and 1 both draw one pixel wide
    PenStyle style = PenStyle::Solid;
    PenMode mode = PenMode::Copy;
    constexpr bool draws() const { return style != PenStyle::Clear && colour != kNoColour; }
    friend constexpr bool operator==(const PenState&, const PenState&) = default;
};

struct BrushState {
    Colour colour = colour::White;
    BrushStyle style = BrushStyle::Solid;
    constexpr bool fills() const { return style != BrushStyle::Clear && colour != kNoColour; }
    friend constexpr bool operator==(const BrushState&, const BrushState&) = default;
};

struct FontState {
    // Face names are short; a fixed buffer keeps the state copyable without
    // allocating. Longer names are cut.
    static constexpr std::size_t kNameCapacity = 32;
    std::array<char, kNameCapacity> nameBuffer{'M', 'S', ' ', 'S', 'a', 'n', 's', ' ', 'S', 'e', 'r', 'i', 'f'};
    int size = 8;    // points; used when height is 0
    int height = 0;  // pixels, the height of the character cell; 0 = use size
    Colour colour = colour::Black;
    FontStyle style = FontStyle::None;

    std::string_view name() const { return std::string_view(nameBuffer.data()); }
    void setName(std::string_view n) {
        nameBuffer.fill('\0');
        std::copy_n(n.data(), std::min(n.size(), kNameCapacity - 1), nameBuffer.begin());
    }
    friend bool operator==(const FontState&, const FontState&) = default;
};

// Every picture the program draws, named so the core never touches pixels.
// White is the transparent colour of all of them.
enum class Picture : std::uint8_t {
    Drawing,  // 120 x 90 emblem drawn on the work area
    // 32 x 32 accessory icons, in the order of the icon kinds 1..5 ...
    IconLapCounter,
    IconStart,
    IconController,
    IconAssistant,
    IconPowerSource,
    // ... and the same five highlighted, for a selected or dragged icon.
    IconLapCounterHighlighted,
    IconStartHighlighted,
    IconControllerHighlighted,
    IconAssistantHighlighted,
    IconPowerSourceHighlighted,
    AnchorMarker,  // 16 x 16, on a piece fixed in place
    StartMarker,   // 16 x 16, on the first piece
    Template,      // the user's own picture; its size is whatever was loaded
};
inline constexpr std::size_t kPictureCount = static_cast<std::size_t>(Picture::Template) + 1;
inline constexpr int kIconKinds = 5;

// The icon picture of accessory kind 1..5 (lap counter, start, controller,
// assistant, power source).
constexpr Picture AccessoryIcon(int kind, bool highlighted) {
    const int first = static_cast<int>(highlighted ? Picture::IconLapCounterHighlighted : Picture::IconLapCounter);
    return static_cast<Picture>(first + std::clamp(kind, 1, kIconKinds) - 1);
}

// The size every implementation gives the built-in pictures; the template's
// size is only known once one is loaded.
constexpr PixelSize NominalPictureSize(Picture p) {
    switch (p) {
        case Picture::Drawing:
            return {120, 90};
        case Picture::AnchorMarker:
        case Picture::StartMarker:
            return {16, 16};
        case Picture::Template:
            return {0, 0};
        default:
            return {32, 32};
    }
}

class Canvas {
public:
    virtual ~Canvas() = default;

    // Pen: outlines, lines and polylines.
    void setPenColour(Colour c) { m_pen.colour = c; }
    void setPenWidth(int w) { m_pen.width = std::max(w, 0); }
    void setPenStyle(PenStyle s) { m_pen.style = s; }
    void setPenMode(PenMode m) { m_pen.mode = m; }
    void setPen(const PenState& p) {
        m_pen = p;
        setPenWidth(p.width);
    }
    const PenState& pen() const { return m_pen; }

    // Brush: the inside of polygons, rectangles and ellipses, and the
    // background of text. Choosing a colour makes a clear brush solid again,
    // so "white brush" after a transparent title really fills white.
    void setBrushColour(Colour c) {
        m_brush.colour = c;
        m_brush.style = BrushStyle::Solid;
    }
    void setBrushStyle(BrushStyle s) { m_brush.style = s; }
    void setBrush(const BrushState& b) { m_brush = b; }
    const BrushState& brush() const { return m_brush; }

    // Font. Size (points) and height (pixels) exclude each other: setting one
    // clears the other.
    void setFontName(std::string_view name) { m_font.setName(name); }
    void setFontSize(int points) {
        m_font.size = std::max(points, 1);
        m_font.height = 0;
    }
    void setFontHeight(int pixels) {
        m_font.height = std::max(pixels, 1);
        m_font.size = 0;
    }
    void setFontColour(Colour c) { m_font.colour = c; }
    void setFontStyle(FontStyle s) { m_font.style = s; }
    void setFont(const FontState& f) { m_font = f; }
    const FontState& font() const { return m_font; }

    // Lines: the current pen position moves with every lineTo.
    void moveTo(int x, int y) { m_position = {x, y}; }
    void lineTo(int x, int y) {
        const PixelPoint to{x, y};
        drawLine(m_position, to);
        m_position = to;
    }
    void line(int x1, int y1, int x2, int y2) {
        moveTo(x1, y1);
        lineTo(x2, y2);
    }
    PixelPoint penPosition() const { return m_position; }

    // Closed outline with the pen, inside with the brush.
    virtual void polygon(std::span<const PixelPoint> points) = 0;
    // Open outline with the pen; leaves the pen position alone.
    virtual void polyline(std::span<const PixelPoint> points) = 0;
    // Outline with the pen, inside with the brush.
    virtual void rectangle(const PixelRect& r) = 0;
    // The brush only, no outline.
    virtual void fillRect(const PixelRect& r) = 0;
    virtual void ellipse(const PixelRect& bounds) = 0;

    // Text is UTF-8; (x, y) is the top-left corner of the text cell. A solid
    // brush paints the cell behind the text, a clear one leaves it.
    virtual void textOut(int x, int y, std::string_view text) = 0;
    virtual int textWidth(std::string_view text) = 0;
    virtual int textHeight(std::string_view text) = 0;

    // Pictures, white pixels left out. An empty template draws nothing.
    virtual void drawPicture(Picture p, int x, int y) = 0;
    virtual void drawPictureStretched(Picture p, const PixelRect& target) = 0;
    virtual PixelSize pictureSize(Picture p) const = 0;

protected:
    virtual void drawLine(PixelPoint from, PixelPoint to) = 0;

private:
    PenState m_pen;
    BrushState m_brush;
    FontState m_font;
    PixelPoint m_position;
};

}  // namespace quillet
