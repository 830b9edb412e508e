// One placed piece: its creation, its outline of 18 points, the exit it hands
// to the next piece and whether a point lies on it.

#include <algorithm>
#include <cmath>
#include <utility>

#include "model/Numeric.h"
#include "model/Tracks.h"

namespace quillet {

namespace {

// Fixed widths of the adaptation chicane's two ends: it joins a two-lane SCX
// piece to a two-lane NINCO piece whatever the lane pairs.
constexpr double kChicaneNarrowEnd = 156.0;
constexpr double kChicaneWideEnd = 180.0;
constexpr double kChicaneTaperStep = 1.5;  // per eighth: 12 mm on each side over the piece
constexpr double kConnectorBoxDepth = 30.0;

PointI ToPixels(const PointD& p, double mmPerPixel) { return {Round(p.x / mmPerPixel), Round(p.y / mmPerPixel)}; }

// Angle between two vectors from the arccosine of the normalised dot
// product; NaN when either vector has no length.
double AngleBetween(double ux, double uy, double vx, double vy) {
    const double norms = std::hypot(ux, uy) * std::hypot(vx, vy);
    if (!(norms > 0.0)) return std::nan("");
    // Rounding can push the cosine a hair past 1 for parallel vectors.
    const double c = std::clamp((ux * vx + uy * vy) / norms, -1.0, 1.0);
    return std::acos(c);
}

// Half borders: keep only the exit half of a border strip (points 1..4 fold
// onto point 5, 15..18 onto 14) or only the entry half (6..9 onto 5, 10..13
// onto 14).
void KeepExitHalf(std::array<PointI, kOutlinePoints>& poly) {
    for (int k = 0; k < 4; ++k) poly[static_cast<size_t>(k)] = poly[4];
    for (int k = 14; k < 18; ++k) poly[static_cast<size_t>(k)] = poly[13];
}
void KeepEntryHalf(std::array<PointI, kOutlinePoints>& poly) {
    for (int k = 5; k < 9; ++k) poly[static_cast<size_t>(k)] = poly[4];
    for (int k = 9; k < 13; ++k) poly[static_cast<size_t>(k)] = poly[13];
}

}  // namespace

bool TTrack::Border(int flag) const {
    if (flag < 1 || flag > kBorderFlags) return false;
    return borders[static_cast<size_t>(flag - 1)];
}

void TTrack::SetBorder(int flag, bool on) {
    if (flag < 1 || flag > kBorderFlags) return;
    borders[static_cast<size_t>(flag - 1)] = on;
}

bool TTrack::IsNincoWidth(const TCircuit& circuit) const {
    return BrandOfWidth(width, circuit.LanePairs()) == Brand::Ninco;
}

TTrack TTrack::Create(const TCircuit& circuit, int type, double x, double y, double angle, int orientation,
                      int brandFlag) {
    TTrack t;
    t.type = static_cast<uint8_t>(type);
    t.x = x;
    t.y = y;
    t.angle = angle;
    t.orientation = orientation != 0 ? 1 : 0;

    const Brand brand = BrandOfFlag(brandFlag);
    if (TakesBorderDefaults(type, brand)) {
        t.SetBorder(kInnerBorder, circuit.innerBorderDefault);
        t.SetBorder(kOuterBorder, circuit.outerBorderDefault);
    }
    const BrandData data = DataOf(brand);
    const TrackDimensions dims = Dimensions(type, brand);
    t.width = data.pairWidth * circuit.LanePairs();
    t.borderWidth = data.borderWidth;
    t.lengthOrArc = dims.lengthOrArc;  // 0 when the brand has no such piece
    t.innerRadius = dims.innerRadius;
    t.ComputeOutline(circuit);
    return t;
}

void TTrack::SetTypeDimensions(const TCircuit& circuit) {
    const TrackDimensions dims = Dimensions(type, BrandOfWidth(width, circuit.LanePairs()));
    if (!dims.exists) return;
    lengthOrArc = dims.lengthOrArc;
    innerRadius = dims.innerRadius;
}

void TTrack::ComputeOutline(const TCircuit& circuit) {
    const double W = width;
    const double R = innerRadius;
    const double L = lengthOrArc;  // as a length
    const double A = lengthOrArc;  // as an angle
    const double perPair = W / circuit.LanePairs();
    const TrackShape shape = ShapeOf(type);

    // The shape relative to the entry point, pointing along +x and turning
    // clockwise: [k] on the left edge, [17 - k] opposite it.
    std::array<PointD, kOutlinePoints> local{};
    auto left = [&local](int k) -> PointD& { return local[static_cast<size_t>(k)]; };
    auto right = [&local](int k) -> PointD& { return local[static_cast<size_t>(17 - k)]; };
    switch (shape) {
        case TrackShape::Straight:
        case TrackShape::StartingStraight:
            for (int k = 0; k <= 8; ++k) {
                left(k) = {k * L / 8.0, 0.0};
                right(k) = {k * L / 8.0, W};
            }
            break;
        case TrackShape::Curve:
        case TrackShape::SingleRacingCurve: {
            // Single-racing pieces are half as wide as the stored width.
            const double w = shape == TrackShape::SingleRacingCurve ? W / 2.0 : W;
            for (int k = 0; k <= 8; ++k) {
                const double theta = k * A / 8.0;
                const double s = std::sin(theta);
                const double c = std::cos(theta);
                left(k) = {(R + w) * s, (R + w) * (1.0 - c)};
                right(k) = {R * s, R + w - R * c};
            }
            break;
        }
        case TrackShape::AdaptationChicane: {
            // An SCX-brand chicane narrows from 180 to 156, a NINCO-brand one
            // widens from 156 to 180, the centre line running straight.
            const bool scx = perPair == kScxPairWidth;
            for (int k = 0; k <= 8; ++k) {
                const double x = k * L / 8.0;
                const double taper = kChicaneTaperStep * k;
                if (scx) {
                    left(k) = {x, taper};
                    right(k) = {x, kChicaneWideEnd - taper};
                } else {
                    left(k) = {x, -taper};
                    right(k) = {x, kChicaneNarrowEnd + taper};
                }
            }
            break;
        }
    }

    if (shape == TrackShape::StartingStraight) {
        // The connector box sticks out of the left edge; mirroring moves it to
        // the right edge for orientation 1.
        auto p = [&local](int n) -> PointD& { return local[static_cast<size_t>(n - 1)]; };
        if (perPair != kScxPairWidth) {  // NINCO: 3L/8 .. 5L/8
            p(3).x = p(4).x;
            p(4).y -= kConnectorBoxDepth;
            p(5).y -= kConnectorBoxDepth;
            p(5).x = p(6).x;
        } else if (orientation == 0) {  // SCX: 5L/8 .. 7L/8
            p(5).x = p(6).x;
            p(7).x = p(8).x;
            p(6).y -= kConnectorBoxDepth;
            p(7).y -= kConnectorBoxDepth;
        } else {  // SCX: 2L/8 .. 4L/8
            p(6).x = p(5).x;
            p(4).x = p(3).x;
            p(4).y -= kConnectorBoxDepth;
            p(5).y -= kConnectorBoxDepth;
        }
    }

    if (orientation != 0) {
        // Mirror across the middle of the entry edge, then renumber so that
        // points 1..9 are again the left edge.
        const double sumY = local[0].y + local[17].y;
        for (PointD& q : local) q.y = sumY - q.y;
        for (size_t k = 0; k <= 8; ++k) std::swap(local[k], local[17 - k]);
    }

    // Rotate about the entry point; y points down, so a positive angle turns
    // clockwise on the screen.
    const double ca = std::cos(angle);
    const double sa = std::sin(angle);
    outline[0] = {x, y};
    for (size_t k = 1; k < kOutlinePoints; ++k) {
        const PointD& q = local[k];
        outline[k] = {x + q.x * ca - q.y * sa, y + q.x * sa + q.y * ca};
    }

    const double mmPerPixel = circuit.PixelScale();
    for (size_t k = 0; k < kOutlinePoints; ++k) screen[k] = ToPixels(outline[k], mmPerPixel);

    // Border strips of width b outside the inner and the outer edge. The
    // offset is scaled by the stored width, also for the half-width
    // single-racing pieces and the tapered chicane.
    const double b = borderWidth;
    const bool usableWidth = W != 0.0 && std::isfinite(W);
    const double beyond = usableWidth ? (W + b) / W : 1.0;  // to the far side and b past it
    const double before = usableWidth ? b / W : 0.0;        // b back from this side
    for (size_t k = 0; k <= 8; ++k) {
        const PointD& P = outline[k];
        const PointD& Q = outline[17 - k];
        const double dx = Q.x - P.x;
        const double dy = Q.y - P.y;
        const PointD farOffset{P.x + dx * beyond, P.y + dy * beyond};
        const PointD nearOffset{P.x - dx * before, P.y - dy * before};
        PointD innerEdge, innerOffset, outerEdge, outerOffset;
        if (orientation == 0) {  // inner side is the right edge
            innerEdge = Q;
            innerOffset = farOffset;
            outerEdge = P;
            outerOffset = nearOffset;
        } else {
            innerEdge = P;
            innerOffset = nearOffset;
            outerEdge = Q;
            outerOffset = farOffset;
        }
        innerPolygon[k] = ToPixels(innerEdge, mmPerPixel);
        innerPolygon[17 - k] = ToPixels(innerOffset, mmPerPixel);
        outerPolygon[k] = ToPixels(outerEdge, mmPerPixel);
        outerPolygon[17 - k] = ToPixels(outerOffset, mmPerPixel);
    }
    if (Border(kInnerBorderExitHalf)) KeepExitHalf(innerPolygon);
    if (Border(kInnerBorderEntryHalf)) KeepEntryHalf(innerPolygon);
    if (Border(kOuterBorderExitHalf)) KeepExitHalf(outerPolygon);
    if (Border(kOuterBorderEntryHalf)) KeepEntryHalf(outerPolygon);
}

double TTrack::ExitHeading() const {
    // The heading h for which the vector from the left to the right exit
    // corner is W * (-sin h, cos h).
    const PointD& p9 = outline[8];
    const PointD& p10 = outline[9];
    const double dy = p10.y - p9.y;
    double h;
    if (dy != 0.0) {
        h = std::atan((p9.x - p10.x) / dy);
        if (!(dy > 0.0)) h += kPi;
    } else {
        h = p10.x > p9.x ? -kPi / 2.0 : kPi / 2.0;
    }
    return ReduceHeading(h);
}

bool TTrack::ContainsPoint(int32_t px, int32_t py) const {
    const double X = px;
    const double Y = py;
    const PointD& p1 = outline[0];
    const PointD& p9 = outline[8];
    const PointD& p10 = outline[9];
    const PointD& p18 = outline[17];

    if (!IsTrackType(type) || IsSingleRacing(type)) return false;

    if (!IsCurve(type)) {
        // Four-corner test; the chicane's taper and the connector box are
        // ignored.
        auto dot = [](double ax, double ay, double bx, double by) { return ax * bx + ay * by; };
        return dot(X - p1.x, Y - p1.y, p9.x - p1.x, p9.y - p1.y) > 0.0 &&
               dot(X - p1.x, Y - p1.y, p18.x - p1.x, p18.y - p1.y) > 0.0 &&
               dot(X - p10.x, Y - p10.y, p18.x - p1.x, p18.y - p1.y) < 0.0 &&
               dot(X - p10.x, Y - p10.y, p18.x - p10.x, p18.y - p10.y) > 0.0;
    }

    const double W = width;
    const double R = innerRadius;
    const double A = lengthOrArc;
    if (!(W != 0.0)) return false;
    // The centre lies on the entry edge's line, R + W from its outer corner.
    const double f = (R + W) / W;
    PointD c;
    if (orientation != 0) {
        c = {p18.x + (p1.x - p18.x) * f, p18.y + (p1.y - p18.y) * f};
    } else {
        c = {p1.x + (p18.x - p1.x) * f, p1.y + (p18.y - p1.y) * f};
    }
    const double vx = X - c.x;
    const double vy = Y - c.y;
    const double d = std::hypot(vx, vy);
    if (!(R < d && d < R + W)) return false;
    const double a1 = AngleBetween(vx, vy, p1.x - c.x, p1.y - c.y);
    const double a9 = AngleBetween(vx, vy, p9.x - c.x, p9.y - c.y);
    // Inside the arc the two angles add up to the arc.
    return std::fabs(a1 + a9 - A) < 0.1;
}

}  // namespace quillet
