// The whole circuit moved on its work area: shifted, stepped towards an edge
// and centred. Only the start point and the icons move; the re-lay then
// carries every piece along (MoveBy leaves it to its caller).

#include <algorithm>
#include <cmath>

#include "model/Tracks.h"

namespace quillet {

void TCircuit::MoveBy(double dx, double dy) {
    startX += dx;
    startY += dy;
    for (TIconSlot& icon : icons) {
        if (icon.kind == 0) continue;
        icon.x += dx;
        icon.y += dy;
    }
}

PointD TCircuit::CentringShift(double areaLength, double areaWidth) {
    const TBoundingBox b = BoundingBox();
    auto shift = [](double area, double low, double high) {
        const double d = (area + low - high) / 2.0 - low;
        return std::fabs(d) < 1.0 ? 0.0 : d;
    };
    return {shift(areaLength, b.left, b.right), shift(areaWidth, b.top, b.bottom)};
}

bool TCircuit::MoveTowards(Edge edge, double step, int32_t areaLength, int32_t areaWidth) {
    if (tracks_.empty()) return false;
    const TBoundingBox b = BoundingBox();
    if (!(step > 0.0) || !std::isfinite(step)) return false;
    // The room left between the box and the edge, in the direction of the
    // move. A box that touches the edge, or has passed it, has none.
    double room = 0.0;
    switch (edge) {
        case Edge::Top:
            room = b.top < 1 ? 0.0 : -std::min<double>(step, b.top);
            break;
        case Edge::Left:
            room = b.left < 1 ? 0.0 : -std::min<double>(step, b.left);
            break;
        case Edge::Bottom:
            room = b.bottom >= areaWidth ? 0.0 : std::min(step, static_cast<double>(areaWidth) - b.bottom);
            break;
        case Edge::Right:
            room = b.right >= areaLength ? 0.0 : std::min(step, static_cast<double>(areaLength) - b.right);
            break;
    }
    if (room == 0.0) return false;
    const bool across = edge == Edge::Left || edge == Edge::Right;
    MoveBy(across ? room : 0.0, across ? 0.0 : room);
    ReLay(false);
    KeepIconsOnWorkArea(areaLength, areaWidth);
    return true;
}

bool TCircuit::Centre(int32_t areaLength, int32_t areaWidth) {
    if (tracks_.empty()) return false;
    const PointD shift = CentringShift(areaLength, areaWidth);
    MoveBy(shift.x, shift.y);
    ReLay(false);
    KeepIconsOnWorkArea(areaLength, areaWidth);
    return true;
}

void TCircuit::KeepIconOnWorkArea(TIconSlot& icon, int32_t areaLength, int32_t areaWidth) const {
    const double size = kIconPixels * PixelScale();
    icon.x = std::max(std::min(icon.x, areaLength - size), 0.0);
    icon.y = std::max(std::min(icon.y, areaWidth - size), 0.0);
}

void TCircuit::KeepIconsOnWorkArea(int32_t areaLength, int32_t areaWidth) {
    for (TIconSlot& icon : icons) {
        if (icon.kind != 0) KeepIconOnWorkArea(icon, areaLength, areaWidth);
    }
}

}  // namespace quillet
