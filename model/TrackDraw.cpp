// Drawing one placed piece: its shadow, and the piece itself at detail levels
// 1 to 5. Everything comes from the cached pixel points (screen outline,
// border polygons) or from the millimetre outline divided by the scale and
// rounded. Shapes are built in fixed arrays on the stack: a refresh draws
// every piece, so nothing here allocates.
//
// A station s (0..8) is the pair of outline points s + 1 and 18 - s; the
// point "f across at station s" lies the fraction f of the way from the left
// edge to the right edge there.

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

#include "model/Canvas.h"
#include "model/DrawSupport.h"
#include "model/Numeric.h"
#include "model/Tracks.h"

namespace quillet {

namespace {

using namespace palette;

constexpr double kShadowOffset = 15.0;       // mm left and down
constexpr double kBarrierDistance = 20.0;    // mm outside the edge
constexpr double kChicaneSlotOffset = 10.0;  // mm either side of a lane pair's centre
constexpr double kColourDotRadius = 30.0;    // mm
constexpr int kMinColourDotRadius = 3;       // pixels
// Kerb stripes come to a few dozen on the longest catalogue piece; the cap
// only keeps a damaged length or radius from running away.
constexpr int kMaxStripes = 64;
// The program lays 1 to 4 lane pairs; a damaged count draws at most 8 lanes.
constexpr int kMaxLanePairs = 4;

using Polygon18 = std::array<PixelPoint, kOutlinePoints>;
using Stations = std::array<PixelPoint, 9>;

PointD Lerp(const PointD& a, const PointD& b, double f) { return {a.x + f * (b.x - a.x), a.y + f * (b.y - a.y)}; }
PointD Mid(const PointD& a, const PointD& b) { return Lerp(a, b, 0.5); }
PointD AsDouble(PointI p) { return {static_cast<double>(p.x), static_cast<double>(p.y)}; }
PixelPoint AsPixel(PointI p) { return {p.x, p.y}; }
// A point already in pixels, but fractional.
PixelPoint RoundPixel(const PointD& p) { return {Round(p.x), Round(p.y)}; }

bool IsStraightWithStripes(int type) {
    return type == kStandardStraight || type == kHalfStraight || type == kQuarterStraight || type == kChangeoverTrack;
}
bool IsPlainCurve(int type) { return type >= kStandardCurve && type <= kSuperOuterCurve; }
bool IsChicaneMarker(int type) {
    return type == kStartingChicane || type == kStraightChicane || type == kCurvedChicane;
}

// Colour of the dot that stands for a catalogue piece.
Colour DotColour(int type) {
    switch (type) {
        case kStandardStraight:
            return 0xFF0000;  // blue
        case kHalfStraight:
            return 0xFFFF00;  // cyan
        case kQuarterStraight:
            return 0xFFFFFF;  // white
        case kStandardCurve:
            return 0x00AAFF;  // orange
        case kInnerCurve:
            return 0x00FFFF;  // yellow
        case kOuterCurve:
            return 0x0000FF;  // red
        case kSuperOuterCurve:
            return 0x000080;  // maroon
        default:
            return 0x008000;  // green
    }
}

// Which part of a border strip is drawn: the whole strip, or for SCX a
// wedge from full width at one end of the piece to nothing at its middle.
enum class Wedge { None, Entry, Exit };

// One side's border: its polygon and the flags that ask for it.
struct BorderSide {
    const std::array<PointI, kOutlinePoints>& polygon;
    int fullFlag;
    int exitHalfFlag;
    int entryHalfFlag;
    bool outer;
};

class PieceDrawing {
public:
    PieceDrawing(const TTrack& t, const TCircuit& c, Canvas& canvas)
        : t_(t),
          canvas_(canvas),
          scale_(c.PixelScale()),
          detail_(std::clamp(static_cast<int>(c.detailLevel), 1, 5)),
          p_(std::min(c.LanePairs(), kMaxLanePairs)),
          width_(t.width),
          usableWidth_(t.width != 0.0 && std::isfinite(t.width)),
          ninco_(t.IsNincoWidth(c)),
          colourCode_(c.colourCodeShown) {}

    void Shadow(Colour colour);
    void Draw();

private:
    // Conversions.
    int Pixels(double mm) const { return pixels::Length(mm, scale_); }
    PixelPoint Pixel(const PointD& mm) const { return {Round(mm.x / scale_), Round(mm.y / scale_)}; }
    double Fraction(double mm) const { return usableWidth_ ? mm / width_ : 0.0; }
    PointD Across(int station, double f) const { return Lerp(t_.P(station + 1), t_.P(18 - station), f); }
    PixelPoint AcrossPx(int station, double f) const { return Pixel(Across(station, f)); }
    void StationsAt(double f, Stations& out) const {
        for (int s = 0; s <= 8; ++s) out[static_cast<size_t>(s)] = AcrossPx(s, f);
    }
    void Line(PixelPoint a, PixelPoint b) { canvas_.line(a.x, a.y, b.x, b.y); }
    void Pen(Colour colour, int width) {
        canvas_.setPenColour(colour);
        canvas_.setPenWidth(width);
    }
    // The fraction across of a line `mm` outside the outer or the inner edge.
    double BeyondEdge(bool outer, double mm) const {
        const bool leftEdge = outer == (t_.orientation == 0);
        return leftEdge ? -Fraction(mm) : 1.0 + Fraction(mm);
    }
    // The barrier line: 9 points along a curve, its two ends otherwise.
    std::span<const PixelPoint> BarrierLine(bool outer, Stations& buffer) const;
    int BodyPenWidth() const { return detail_ == 1 ? 1 : detail_ == 2 ? Pixels(10.0) : Pixels(5.0); }
    bool Selected() const { return t_.selected; }
    bool HasSurface() const { return HasSurfaceColour(t_.surface); }

    // The steps of Draw, in drawing order.
    void Barrier(bool outer);
    void Border(const BorderSide& side);
    void Kerb(const BorderSide& side, Wedge wedge, std::span<const PixelPoint> shape);
    void CurveStripes(bool outer);
    void BorderJoints(const BorderSide& side);
    void Body();
    void Seams();
    void DetailOneMarks();
    void StartLine();
    void Markings();
    void ChangeoverTriangle(double baseF, double apexF);
    void StartingChicaneTriangle(double baseF, double apexF);
    void ChicaneStrip(double edgeF, double innerF);
    void CurvedChicaneStrip(double edgeF, double quarterF, double eighthF);
    void Joints();
    void Slots();
    void CurveJoints();
    void ColourCode();
    void Dot(int station, double f, Colour fill, int radius);

    const TTrack& t_;
    Canvas& canvas_;
    double scale_;
    int detail_;
    int p_;
    double width_;
    bool usableWidth_;
    bool ninco_;
    bool colourCode_;
};

std::span<const PixelPoint> PieceDrawing::BarrierLine(bool outer, Stations& buffer) const {
    const double f = BeyondEdge(outer, kBarrierDistance);
    if (IsCurve(t_.type)) {
        StationsAt(f, buffer);
        return {buffer.data(), 9};
    }
    buffer[0] = AcrossPx(0, f);
    buffer[1] = AcrossPx(8, f);
    return {buffer.data(), 2};
}

// ---------------------------------------------------------------------------
// Shadow

void PieceDrawing::Shadow(Colour colour) {
    const int d = Pixels(kShadowOffset);
    auto moved = [d](PointI q) { return pixels::Moved({q.x, q.y}, -d, d); };
    canvas_.setPenStyle(PenStyle::Solid);
    canvas_.setPenMode(PenMode::Copy);
    Pen(colour, 1);
    canvas_.setBrushColour(colour);

    Polygon18 shape;
    for (size_t k = 0; k < kOutlinePoints; ++k) shape[k] = moved(t_.screen[k]);
    canvas_.polygon(shape);

    if (t_.outerBarrier) {
        canvas_.setPenWidth(2);
        Stations line;
        const auto points = BarrierLine(true, line);
        for (size_t k = 0; k < points.size(); ++k) line[k] = pixels::Moved(line[k], -d, d);
        canvas_.polyline(points);
    }

    // NINCO half borders keep their half of the strip inside the full
    // polygon; SCX ones are wedges.
    auto side = [&](const std::array<PointI, kOutlinePoints>& poly, int full, int exitHalf, int entryHalf) {
        if (t_.Border(full) || (ninco_ && (t_.Border(exitHalf) || t_.Border(entryHalf)))) {
            for (size_t k = 0; k < kOutlinePoints; ++k) shape[k] = moved(poly[k]);
            canvas_.polygon(shape);
        }
        if (ninco_) return;
        auto at = [&](int k) { return moved(poly[static_cast<size_t>(k - 1)]); };
        if (t_.Border(entryHalf)) {
            const std::array<PixelPoint, 4> wedge{at(1), at(9), at(17), at(18)};
            canvas_.polygon(wedge);
        } else if (t_.Border(exitHalf)) {
            const std::array<PixelPoint, 4> wedge{at(9), at(1), at(11), at(10)};
            canvas_.polygon(wedge);
        }
    };
    side(t_.innerPolygon, kInnerBorder, kInnerBorderExitHalf, kInnerBorderEntryHalf);
    side(t_.outerPolygon, kOuterBorder, kOuterBorderExitHalf, kOuterBorderEntryHalf);
}

// ---------------------------------------------------------------------------
// The piece

void PieceDrawing::Draw() {
    canvas_.setPenStyle(PenStyle::Solid);
    canvas_.setPenMode(PenMode::Copy);
    if (t_.outerBarrier) Barrier(true);
    if (t_.innerBarrier) Barrier(false);
    Border({t_.innerPolygon, kInnerBorder, kInnerBorderExitHalf, kInnerBorderEntryHalf, false});
    Border({t_.outerPolygon, kOuterBorder, kOuterBorderExitHalf, kOuterBorderEntryHalf, true});
    Body();
    Seams();
    if (detail_ == 1) DetailOneMarks();
    if (detail_ >= 4) {
        StartLine();
        Markings();
    }
    if (detail_ >= 3) Joints();
    if (detail_ >= 2) Slots();
    CurveJoints();
    if (colourCode_) ColourCode();
}

void PieceDrawing::Barrier(bool outer) {
    Colour colour = outer ? kOuterBarrier : kInnerBarrier;
    if (Selected()) {
        colour = kSelection;
    } else if (detail_ <= 2) {
        colour = colour::Black;
    }
    Pen(colour, outer && detail_ >= 3 ? Pixels(7.0) : 1);
    Stations line;
    const auto points = BarrierLine(outer, line);
    if (points.size() == 2) {
        Line(points[0], points[1]);
    } else {
        canvas_.polyline(points);
    }
}

void PieceDrawing::Border(const BorderSide& side) {
    const bool entryHalf = t_.Border(side.entryHalfFlag);
    const bool exitHalf = t_.Border(side.exitHalfFlag);
    if (!t_.Border(side.fullFlag) && !entryHalf && !exitHalf) return;

    Colour fill = kNoColour;  // NINCO borders and low detail show the background
    if (Selected()) {
        fill = kSelection;
    } else if (detail_ >= 3) {
        if (!ninco_) fill = kGreen;
        if (HasSurface()) fill = SurfaceColour(t_.surface);
    }
    Pen(colour::Black, 1);
    canvas_.setBrushColour(fill);

    auto at = [&](int k) { return AsPixel(side.polygon[static_cast<size_t>(k - 1)]); };
    Wedge wedge = Wedge::None;
    if (!ninco_ && entryHalf) {
        wedge = Wedge::Entry;
    } else if (!ninco_ && exitHalf) {
        wedge = Wedge::Exit;
    }
    Polygon18 buffer;
    std::span<const PixelPoint> shape;
    if (wedge == Wedge::Entry) {
        buffer[0] = at(1), buffer[1] = at(9), buffer[2] = at(17), buffer[3] = at(18);
        shape = {buffer.data(), 4};
    } else if (wedge == Wedge::Exit) {
        buffer[0] = at(9), buffer[1] = at(1), buffer[2] = at(11), buffer[3] = at(10);
        shape = {buffer.data(), 4};
    } else {
        for (size_t k = 0; k < kOutlinePoints; ++k) buffer[k] = AsPixel(side.polygon[k]);
        shape = {buffer.data(), kOutlinePoints};
    }
    canvas_.polygon(shape);

    if (detail_ == 5 && !IsChicaneMarker(t_.type) && t_.surface == kSurfaceNone) Kerb(side, wedge, shape);
    BorderJoints(side);
}

// Red and white kerbs: SCX whitens the half of the strip next to the track
// and strikes red from the track edge to the strip's middle; NINCO strikes
// red from the middle out to the strip's outer line.
void PieceDrawing::Kerb(const BorderSide& side, Wedge wedge, std::span<const PixelPoint> shape) {
    auto at = [&](int k) { return AsDouble(side.polygon[static_cast<size_t>(k - 1)]); };
    if (!ninco_) {
        canvas_.setBrushColour(colour::White);
        Polygon18 half;
        if (wedge == Wedge::None) {
            for (int k = 1; k <= 9; ++k)
                half[static_cast<size_t>(k - 1)] = AsPixel(side.polygon[static_cast<size_t>(k - 1)]);
            for (int k = 9; k >= 1; --k) half[static_cast<size_t>(18 - k)] = RoundPixel(Mid(at(k), at(19 - k)));
            canvas_.polygon(half);
        } else {
            auto q = [&](size_t i) { return PointD{double(shape[i].x), double(shape[i].y)}; };
            const PointD q12 = Mid(q(0), q(1));
            half[0] = shape[0];
            half[1] = RoundPixel(q12);
            half[2] = RoundPixel(Mid(q12, q(2)));
            half[3] = RoundPixel(Mid(q(0), q(3)));
            canvas_.polygon(std::span<const PixelPoint>(half.data(), 4));
        }
        canvas_.setBrushColour(kGreen);
    }

    canvas_.setPenColour(kRed);
    if (IsPlainCurve(t_.type)) {
        CurveStripes(side.outer);
        return;
    }
    if (!IsStraightWithStripes(t_.type)) return;
    // 16 stripes' worth on a 400 mm piece, so the spacing is the same on
    // every length; a half border has half as many.
    int n = std::clamp(Round(t_.lengthOrArc * 16.0 / 400.0), 0, kMaxStripes);
    if (t_.Border(side.exitHalfFlag) || t_.Border(side.entryHalfFlag)) n /= 2;
    for (int j = 1; j < n; ++j) {
        if (wedge == Wedge::Entry && j > 2) break;
        if (wedge == Wedge::Exit && j < n - 2) continue;
        const double f = static_cast<double>(j) / n;
        const PointD edge = Lerp(at(1), at(9), f);
        const PointD outside = Lerp(at(18), at(10), f);
        const PointD middle = Mid(edge, outside);
        if (ninco_) {
            Line(RoundPixel(middle), RoundPixel(outside));
        } else {
            Line(RoundPixel(edge), RoundPixel(middle));
        }
    }
}

// Radial stripes about the curve's centre, spaced about 25 mm along the
// border's middle.
void PieceDrawing::CurveStripes(bool outer) {
    const double R = t_.innerRadius;
    const double W = width_;
    const double b = t_.borderWidth;
    const double A = t_.lengthOrArc;
    int n;
    double from;
    double to;
    if (outer) {
        n = Round((R + W + b) * 0.04 * A);
        from = R + W + 0.4 * b;
        // SCX runs on inwards under the body, which covers the part inside.
        to = ninco_ ? R + W + b : R + W - 0.2 * b;
    } else {
        n = std::max(Round((R - b) * 0.04 * A), 2);
        from = ninco_ ? R - b / 2.0 : R;
        to = ninco_ ? R - b : R - b / 2.0;
    }
    n = std::min(n, kMaxStripes);
    if (n < 2 || !usableWidth_) return;

    // Unit vector from the centre out along the entry edge, and the centre:
    // R from the inner entry corner, further inwards.
    const bool right = t_.orientation == 0;
    const PointD inner = right ? t_.P(18) : t_.P(1);
    const PointD outerCorner = right ? t_.P(1) : t_.P(18);
    const double ux0 = (outerCorner.x - inner.x) / W;
    const double uy0 = (outerCorner.y - inner.y) / W;
    const PointD centre{inner.x - ux0 * R, inner.y - uy0 * R};
    // A clockwise curve turns the radius by +A on the screen (y down).
    const double step = (right ? A : -A) / n;
    for (int j = 1; j < n; ++j) {
        const double c = std::cos(step * j);
        const double s = std::sin(step * j);
        const double ux = ux0 * c - uy0 * s;
        const double uy = ux0 * s + uy0 * c;
        Line(Pixel({centre.x + ux * from, centre.y + uy * from}), Pixel({centre.x + ux * to, centre.y + uy * to}));
    }
}

// Black lines across a border where two border pieces meet.
void PieceDrawing::BorderJoints(const BorderSide& side) {
    auto at = [&](int k) { return AsPixel(side.polygon[static_cast<size_t>(k - 1)]); };
    const int type = t_.type;
    canvas_.setPenColour(colour::Black);
    if (!side.outer) {
        const bool longPiece = type == kStandardStraight || type == kChangeoverTrack || type == kStartingChicane ||
                               type == kStraightChicane;
        if (longPiece && t_.Border(kInnerBorder)) Line(at(5), at(14));
        return;
    }
    const bool full = t_.Border(kOuterBorder);
    const bool half = t_.Border(kOuterBorderExitHalf) || t_.Border(kOuterBorderEntryHalf);
    bool middle = !half && (type == kStandardStraight || type == kStandardCurve || type == kSuperOuterCurve ||
                            type == kChangeoverTrack || type == kStartingStraight || type == kStartingChicane ||
                            type == kStraightChicane || p_ == 4 || (type == kInnerCurve && p_ == 2) ||
                            (type == kOuterCurve && p_ == 2 && full));
    if ((!ninco_ && type == kStandardCurve && p_ == 1) || (type == kInnerCurve && p_ == 2)) middle = false;
    if (middle) Line(at(5), at(14));
    if ((type == kStandardCurve && p_ == 3) || (p_ == 4 && full)) {
        Line(at(3), at(16));
        Line(at(7), at(12));
    }
}

void PieceDrawing::Body() {
    Colour pen = colour::Black;
    Colour fill = kNoColour;
    if (Selected()) {
        pen = fill = kSelection;
    } else if (detail_ >= 3) {
        // SCX pieces are dark grey, NINCO and the adaptation chicane black.
        const bool wholeNinco = std::fmod(width_, kNincoPairWidth) == 0.0;
        pen = fill = (!wholeNinco && t_.type != kAdaptationChicane) ? kScxBody : kNincoBody;
        if (HasSurface()) fill = SurfaceColour(t_.surface);
    }
    Pen(pen, BodyPenWidth());
    canvas_.setBrushColour(fill);
    const int type = t_.type;
    if (type == kStandardStraight || type == kHalfStraight || type == kQuarterStraight || type == kChangeoverTrack ||
        type == kStraightChicane) {
        const std::array<PixelPoint, 4> corners{AsPixel(t_.ScreenP(1)), AsPixel(t_.ScreenP(9)), AsPixel(t_.ScreenP(10)),
                                                AsPixel(t_.ScreenP(18))};
        canvas_.polygon(corners);
    } else {
        Polygon18 all;
        for (size_t k = 0; k < kOutlinePoints; ++k) all[k] = AsPixel(t_.screen[k]);
        canvas_.polygon(all);
    }
}

void PieceDrawing::Seams() {
    if (p_ <= 1) return;
    Pen(detail_ <= 2 ? colour::Black : colour::White, BodyPenWidth());
    const bool bends = IsPlainCurve(t_.type) || t_.type == kAdaptationChicane;
    Stations line;
    for (int j = 1; j < p_; ++j) {
        const double f = static_cast<double>(j) / p_;
        if (bends) {
            StationsAt(f, line);
            canvas_.polyline(line);
        } else {
            Line(AcrossPx(0, f), AcrossPx(8, f));
        }
    }
}

// At detail 1 the special pieces show what they do with a few lines, in the
// pen the body or the seams left.
void PieceDrawing::DetailOneMarks() {
    const double p = p_;
    switch (t_.type) {
        case kChangeoverTrack:
            for (int u = 1; u <= p_; ++u) {
                Line(AcrossPx(0, (u - 1) / p), AcrossPx(8, u / p));
                Line(AcrossPx(8, (u - 1) / p), AcrossPx(0, u / p));
            }
            break;
        case kStraightChicane:
            for (int u = 1; u <= p_; ++u) Line(AcrossPx(0, (2 * u - 1) / (2 * p)), AcrossPx(8, (2 * u - 1) / (2 * p)));
            break;
        case kStartingChicane: {
            // A V opening towards the end where the lanes run apart.
            const int wide = t_.orientation != 0 ? 8 : 0;
            const int narrow = 8 - wide;
            for (int u = 1; u <= p_; ++u) {
                const std::array<PixelPoint, 3> v{AcrossPx(wide, (u - 1) / p), AcrossPx(narrow, (2 * u - 1) / (2 * p)),
                                                  AcrossPx(wide, u / p)};
                canvas_.polyline(v);
            }
            break;
        }
        case kCurvedChicane: {
            Stations centre;
            StationsAt(0.5, centre);
            canvas_.polyline(centre);
            break;
        }
        default:
            break;
    }
}

void PieceDrawing::StartLine() {
    if (t_.type != kStartingStraight) return;
    const int width = canvas_.pen().width;
    canvas_.setPenStyle(PenStyle::Dotted);
    Pen(ninco_ ? colour::White : kScxStartLine, 1);
    Line(Pixel(Mid(t_.P(1), t_.P(9))), Pixel(Mid(t_.P(18), t_.P(10))));
    canvas_.setPenStyle(PenStyle::Solid);
    canvas_.setPenWidth(width);
}

// Changeover and chicane markers, per lane pair at the pair's two sides.
void PieceDrawing::Markings() {
    const int type = t_.type;
    if (type != kChangeoverTrack && !IsChicaneMarker(type)) return;
    const bool green = detail_ == 4 && (type != kChangeoverTrack || !ninco_);
    Colour outline = kScxBody;
    if (type == kChangeoverTrack && ninco_) outline = colour::Black;
    if (type == kStartingChicane) outline = kStartingChicaneOutline;
    Pen(outline, 1);
    canvas_.setBrushColour(green ? kGreen : colour::White);

    const double p = p_;
    const double quarter = 0.25 / p;  // a quarter of a lane pair
    switch (type) {
        case kChangeoverTrack:
            for (int u = 1; u <= p_; ++u) {
                ChangeoverTriangle((u - 1) / p, (u - 1) / p + quarter);
                ChangeoverTriangle(1.0 - (u - 1) / p, 1.0 - (u - 1) / p - quarter);
            }
            break;
        case kStartingChicane:
            for (int u = 1; u <= p_; ++u) {
                StartingChicaneTriangle((u - 1) / p, (u - 1) / p + quarter);
                StartingChicaneTriangle(u / p, u / p - quarter);
            }
            break;
        case kStraightChicane:
            for (int u = 1; u <= p_; ++u) {
                ChicaneStrip((u - 1) / p, (u - 1) / p + quarter);
                ChicaneStrip(u / p, u / p - quarter);
            }
            break;
        case kCurvedChicane:
            CurvedChicaneStrip(0.0, 0.25, 0.125);
            CurvedChicaneStrip(1.0, 0.75, 0.875);
            break;
        default:
            break;
    }
}

// A flat triangle on a lane pair's side, base from station 1 to station 7,
// apex at station 4. At detail 5, red hatching parallel to the exit-side
// slope with its feet in elevenths of the base; SCX adds a small green
// triangle in the middle, NINCO a red chevron under the apex.
void PieceDrawing::ChangeoverTriangle(double baseF, double apexF) {
    const PointD b0 = Across(1, baseF);
    const PointD b1 = Across(7, baseF);
    const PointD apex = Across(4, apexF);
    const std::array<PixelPoint, 3> triangle{Pixel(b0), Pixel(b1), Pixel(apex)};
    canvas_.polygon(triangle);
    if (detail_ < 5) return;

    const Colour outline = canvas_.pen().colour;
    const Colour fill = canvas_.brush().colour;
    canvas_.setPenColour(kRed);
    // The line through the foot at t parallel to b1-apex meets the other
    // slope t of the way up it.
    const int lines = ninco_ ? 4 : 5;
    for (int k = 1; k <= lines; ++k) {
        const double t = 2.0 * k / 11.0;
        Line(Pixel(Lerp(b0, b1, t)), Pixel(Lerp(b0, apex, t)));
    }
    if (ninco_) {
        const std::array<PixelPoint, 3> chevron{Pixel(Lerp(b0, apex, 0.5)), Pixel(Lerp(Mid(b0, b1), apex, 0.8)),
                                                Pixel(Lerp(b1, apex, 0.5))};
        canvas_.polyline(chevron);
    } else {
        const PointD centroid{(b0.x + b1.x + apex.x) / 3.0, (b0.y + b1.y + apex.y) / 3.0};
        const std::array<PixelPoint, 3> inner{Pixel(Lerp(centroid, b0, 0.3)), Pixel(Lerp(centroid, b1, 0.3)),
                                              Pixel(Lerp(centroid, apex, 0.3))};
        Pen(kScxBody, 1);
        canvas_.setBrushColour(kGreen);
        canvas_.polygon(inner);
    }
    Pen(outline, 1);
    canvas_.setBrushColour(fill);
}

// A long triangle on a lane pair's side, its third corner a quarter of a
// pair inwards where the lanes run close together.
void PieceDrawing::StartingChicaneTriangle(double baseF, double apexF) {
    const int narrowStation = t_.orientation != 0 ? 0 : 8;
    const int wideStation = 8 - narrowStation;
    const PointD narrow = Across(narrowStation, baseF);
    const PointD wide = Across(wideStation, baseF);
    const PointD apex = Across(narrowStation, apexF);
    const std::array<PixelPoint, 3> triangle{Pixel(narrow), Pixel(wide), Pixel(apex)};
    canvas_.polygon(triangle);
    if (detail_ < 5) return;

    const Colour outline = canvas_.pen().colour;
    const Colour fill = canvas_.brush().colour;
    canvas_.setPenColour(kRed);
    for (int u = 1; u <= 13; ++u) {
        const double f = u / 14.0;
        Line(Pixel(Lerp(narrow, wide, f)), Pixel(Lerp(apex, wide, f)));
    }
    Pen(kScxBody, 1);
    canvas_.setBrushColour(kGreen);
    const std::array<PixelPoint, 3> inner{Pixel(Lerp(narrow, wide, 0.3)), Pixel(wide), Pixel(Mid(narrow, apex))};
    canvas_.polygon(inner);
    Pen(outline, 1);
    canvas_.setBrushColour(fill);
}

// A strip a quarter of a pair wide along a pair's side; at detail 5 hatched
// with diagonals from each station on the side to the next on the inner line.
void PieceDrawing::ChicaneStrip(double edgeF, double innerF) {
    const std::array<PixelPoint, 4> strip{AcrossPx(0, edgeF), AcrossPx(8, edgeF), AcrossPx(8, innerF),
                                          AcrossPx(0, innerF)};
    canvas_.polygon(strip);
    if (detail_ < 5) return;
    const Colour outline = canvas_.pen().colour;
    canvas_.setPenColour(kRed);
    for (int s = 0; s < 8; ++s) Line(AcrossPx(s, edgeF), AcrossPx(s + 1, innerF));
    canvas_.setPenColour(outline);
}

// A strip a quarter of the piece wide along one edge; at detail 5 a red line
// across it at every station and a green strip an eighth wide on the edge.
void PieceDrawing::CurvedChicaneStrip(double edgeF, double quarterF, double eighthF) {
    Polygon18 strip;
    auto band = [&](double f) {
        for (int s = 0; s <= 8; ++s) {
            strip[static_cast<size_t>(s)] = AcrossPx(s, edgeF);
            strip[static_cast<size_t>(17 - s)] = AcrossPx(s, f);
        }
        canvas_.polygon(strip);
    };
    band(quarterF);
    if (detail_ < 5) return;
    const Colour outline = canvas_.pen().colour;
    const Colour fill = canvas_.brush().colour;
    canvas_.setPenColour(kRed);
    for (int s = 0; s <= 8; ++s) Line(AcrossPx(s, edgeF), AcrossPx(s, quarterF));
    Pen(kScxBody, 1);
    canvas_.setBrushColour(kGreen);
    band(eighthF);
    Pen(outline, 1);
    canvas_.setBrushColour(fill);
}

void PieceDrawing::Joints() {
    Pen(colour::White, Pixels(5.0));
    Line(AsPixel(t_.ScreenP(1)), AsPixel(t_.ScreenP(18)));
    Line(AsPixel(t_.ScreenP(9)), AsPixel(t_.ScreenP(10)));
}

void PieceDrawing::Slots() {
    if (Selected() || detail_ >= 3) {
        Pen(colour::White, Pixels(10.0));
    } else {
        Pen(colour::Black, Pixels(5.0));
    }
    const double p = p_;
    auto lane = [p](int i) { return (2 * i - 1) / (4 * p); };
    auto centre = [p](int u) { return (2 * u - 1) / (2 * p); };
    const double gap = Fraction(kChicaneSlotOffset);
    // From fraction a at stations 0 and 1 across to fraction b at 7 and 8.
    auto crossing = [&](double a, double b) {
        const std::array<PixelPoint, 4> slot{AcrossPx(0, a), AcrossPx(1, a), AcrossPx(7, b), AcrossPx(8, b)};
        canvas_.polyline(slot);
    };
    Stations line;
    auto along = [&](double f) {
        StationsAt(f, line);
        canvas_.polyline(line);
    };
    switch (t_.type) {
        case kStandardStraight:
        case kHalfStraight:
        case kQuarterStraight:
        case kStartingStraight:
            for (int i = 1; i <= 2 * p_; ++i) Line(AcrossPx(0, lane(i)), AcrossPx(8, lane(i)));
            break;
        case kChangeoverTrack:
            for (int u = 1; u <= p_; ++u) {
                crossing(lane(2 * u), lane(2 * u - 1));
                crossing(lane(2 * u - 1), lane(2 * u));
            }
            break;
        case kStartingChicane:
            for (int u = 1; u <= p_; ++u) {
                if (t_.orientation != 0) {
                    crossing(centre(u) - gap, lane(2 * u - 1));
                    crossing(centre(u) + gap, lane(2 * u));
                } else {
                    crossing(lane(2 * u - 1), centre(u) - gap);
                    crossing(lane(2 * u), centre(u) + gap);
                }
            }
            break;
        case kStraightChicane:
            for (int u = 1; u <= p_; ++u) {
                Line(AcrossPx(0, centre(u) - gap), AcrossPx(8, centre(u) - gap));
                Line(AcrossPx(0, centre(u) + gap), AcrossPx(8, centre(u) + gap));
            }
            break;
        case kCurvedChicane:
            for (int u = 1; u <= p_; ++u) {
                along(centre(u) - gap);
                along(centre(u) + gap);
            }
            break;
        case kSingleRacingInnerCurve:
        case kSingleRacingOuterCurve:
            along(0.5);
            break;
        default:
            for (int i = 1; i <= 2 * p_; ++i) along(lane(i));
            break;
    }
}

// Where the outer strips of a widened curve are made of two 22.5 degree
// pieces, a line across them at mid-arc.
void PieceDrawing::CurveJoints() {
    const int type = t_.type;
    if (!IsPlainCurve(type) || p_ <= 1) return;
    const bool right = t_.orientation == 0;
    const PointD p5 = t_.P(5);
    const PointD p14 = t_.P(14);
    auto m = [&](double f) { return Pixel(Lerp(p5, p14, f)); };
    PixelPoint from;
    PixelPoint to;
    if (p_ == 4 || (type == kStandardCurve && p_ == 2)) {
        from = Pixel(right ? p5 : p14);
        to = m(0.5);
    } else if (type == kInnerCurve && p_ == 3) {
        from = Pixel(right ? p5 : p14);
        to = m(right ? 1.0 / 3.0 : 2.0 / 3.0);
    } else if (type == kStandardCurve && p_ == 3) {
        from = Pixel(right ? p5 : p14);
        to = m(right ? 2.0 / 3.0 : 1.0 / 3.0);
    } else {
        return;
    }
    Pen(detail_ <= 2 ? colour::Black : colour::White, BodyPenWidth());
    Line(from, to);
}

void PieceDrawing::Dot(int station, double f, Colour fill, int radius) {
    const PixelPoint c = AcrossPx(station, f);
    canvas_.setBrushColour(fill);
    const PixelPoint from = pixels::Moved(c, -radius, -radius);
    const PixelPoint to = pixels::Moved(c, radius, radius);
    canvas_.ellipse({from.x, from.y, to.x, to.y});
}

// One dot for every catalogue piece the bill of materials counts for this
// piece, in that piece's colour.
void PieceDrawing::ColourCode() {
    Pen(detail_ <= 2 ? colour::Black : kNoColour, 1);
    const int r = std::max(Pixels(kColourDotRadius), kMinColourDotRadius);
    const int type = t_.type;
    const double p = p_;
    if (type == kSuperOuterCurve || IsSingleRacing(type)) {
        Dot(4, 0.5, DotColour(type), r);
        return;
    }
    if (type <= kQuarterStraight || (type >= kChangeoverTrack && type <= kCurvedChicane)) {
        for (int u = 1; u <= p_; ++u) Dot(4, (2 * u - 1) / (2 * p), DotColour(type), r);
        return;
    }
    if (type != kStandardCurve && type != kInnerCurve && type != kOuterCurve) return;

    // The strips of a widened curve, from the centre outwards, follow the
    // radius ladder: inner, standard, outer, super outer curve. A 45 degree
    // strip of outer or super outer curves takes two pieces.
    static constexpr std::array<int, 4> kLadder{kInnerCurve, kStandardCurve, kOuterCurve, kSuperOuterCurve};
    const int rung = type == kInnerCurve ? 0 : type == kStandardCurve ? 1 : 2;
    int strips = std::min(p_, 4 - rung);
    if (type == kOuterCurve && p_ >= 3) strips = 0;  // no such pieces on a 22.5 degree outer curve
    const bool halfArc = type == kOuterCurve;        // its strips are single pieces
    for (int b = 1; b <= strips; ++b) {
        const int piece = kLadder[static_cast<size_t>(rung + b - 1)];
        const double fromInner = (2 * b - 1) / (2.0 * strips);
        const double f = t_.orientation == 0 ? 1.0 - fromInner : fromInner;
        if (!halfArc && (piece == kOuterCurve || piece == kSuperOuterCurve)) {
            Dot(2, f, DotColour(piece), r);
            Dot(6, f, DotColour(piece), r);
        } else {
            Dot(4, f, DotColour(piece), r);
        }
    }
}

}  // namespace

void TTrack::DrawShadow(const TCircuit& circuit, Canvas& canvas, bool printing) const {
    PieceDrawing(*this, circuit, canvas).Shadow(ShadowColour(circuit, printing));
}

void TTrack::Draw(const TCircuit& circuit, Canvas& canvas, bool /*printing*/) const {
    PieceDrawing(*this, circuit, canvas).Draw();
}

}  // namespace quillet
