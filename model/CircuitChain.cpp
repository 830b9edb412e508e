// The circuit as a chain of joined pieces: growing and shrinking it, laying
// it out again from its start point or around a fixed piece, turning it, and
// the questions asked of it (box, hit, counts).

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "model/Messages.h"
#include "model/Numeric.h"
#include "model/Tracks.h"

namespace quillet {

namespace {

// How far the fixed piece may drift before the chain is moved back.
constexpr double kAnchorAngleTolerance = 0.01;                 // rad
constexpr double kAnchorPlaceTolerance = 0.01;                 // mm
constexpr double kClosingTolerance = 10.0;                     // mm
constexpr int32_t kWorkAreaMargin = 800;                       // mm
constexpr int kSingleRacingLoop = 8;                           // pieces in one end loop
constexpr double kIconHalfSize = TCircuit::kIconPixels / 2.0;  // pixels

bool Near(const PointD& a, const PointD& b, double tolerance) {
    return std::fabs(a.x - b.x) <= tolerance && std::fabs(a.y - b.y) <= tolerance;
}

template <typename T>
struct Extent {
    T left, top, right, bottom;
    void Widen(T x, T y) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    }
};

// Rotation by a about (cx, cy), clockwise on the screen for a positive a.
PointD RotateAbout(const PointD& p, double cx, double cy, double ca, double sa) {
    const double dx = p.x - cx;
    const double dy = p.y - cy;
    return {cx + dx * ca - dy * sa, cy + dx * sa + dy * ca};
}

}  // namespace

TCircuit::TCircuit(int32_t x, int32_t y)
    : startX(Round(x / static_cast<double>(kStartGrid)) * static_cast<double>(kStartGrid)),
      startY(Round(y / static_cast<double>(kStartGrid)) * static_cast<double>(kStartGrid)) {
    tracks_.reserve(kMaxTracks);
}

double TCircuit::PixelScale() const { return scale > 0.0 && std::isfinite(scale) ? scale : 1.0; }

int TCircuit::LowestSelected() const {
    for (int i = 1; i <= Count(); ++i) {
        if (tracks_[static_cast<size_t>(i - 1)].selected) return i;
    }
    return 0;
}

bool TCircuit::Append(int type, int orientation, int brandFlag) {
    if (!IsTrackType(type) || Count() >= kMaxTracks) return false;
    double x = startX;
    double y = startY;
    double angle = 0.0;
    if (!tracks_.empty()) {
        const PointD exit = tracks_.back().ExitPoint();
        x = exit.x;
        y = exit.y;
        angle = tracks_.back().ExitHeading();
    }
    tracks_.push_back(TTrack::Create(*this, type, x, y, angle, orientation, brandFlag));
    return true;
}

bool TCircuit::Insert(int type, int orientation, TInformer* informer) {
    if (!IsTrackType(type) || Count() >= kMaxTracks) return false;

    // A selected range collapses to its last piece: the insertion goes after it.
    if (lastSelected > 1 && firstSelected < lastSelected) {
        const int from = std::max(1, firstSelected);
        const int to = std::min(lastSelected - 1, Count());
        for (int k = from; k <= to; ++k) {
            TTrack& t = tracks_[static_cast<size_t>(k - 1)];
            t.selected = false;
            t.replaceMark = false;
        }
        firstSelected = lastSelected;
    }

    if (tracks_.empty()) {
        Append(type, orientation, startBrand);
        tracks_[0].anchorMark = true;
        modified = true;
        BoundingBox();
        return true;
    }

    const int i = LowestSelected();
    if (i == 0) {
        if (informer != nullptr) informer->Information(kTextSelectTrackBeforeInserting);
        return false;
    }
    const size_t at = static_cast<size_t>(i - 1);

    if (tracks_[at].replaceMark) {
        TTrack& t = tracks_[at];
        t.type = static_cast<uint8_t>(type);
        t.SetTypeDimensions(*this);
        if (IsCurve(type) || type == kAdaptationChicane) {
            for (int flag = kOuterBorderExitHalf; flag <= kInnerBorderEntryHalf; ++flag) t.SetBorder(flag, false);
        }
        if (type == kAdaptationChicane || type == kStartingStraight) {
            for (int flag = kOuterBorder; flag <= kOuterBorderEntryHalf; ++flag) t.SetBorder(flag, false);
        }
        if (type == kAdaptationChicane) t.SetBorder(kInnerBorder, false);
        ReLay(true);
    } else {
        const bool wasLast = i == Count();
        Append(type, orientation, BrandFlagAfter(i, type));
        if (type != kAdaptationChicane) ReLay(false);
        if (!wasLast) {
            std::rotate(tracks_.begin() + i, tracks_.end() - 1, tracks_.end());
            ReLay(true);
        }
        tracks_[at].selected = false;
        tracks_[at + 1].selected = true;
        firstSelected = lastSelected = i + 1;
    }
    modified = true;
    BoundingBox();
    return true;
}

int TCircuit::BrandFlagAfter(int i, int type) const {
    // The new piece continues the width family of the piece it follows; an
    // adaptation chicane switches to the other one.
    const double perPair = Track(i).width / LanePairs();
    if (type == kAdaptationChicane) return perPair == kScxPairWidth ? 1 : 0;
    return perPair == kNincoPairWidth ? 1 : 0;
}

bool TCircuit::DeleteSelectedRange() {
    int first = firstSelected;
    int last = lastSelected;
    // In a single-racing circuit at least one piece stays between the loops.
    if (singleRacing && last - first + 1 == Count() - 2 * kSingleRacingLoop) first = 10;
    if (first < 1 || first > Count() || last < first) return false;
    last = std::min(last, Count());

    if (first == 1 && last < Count()) {
        const TTrack& next = tracks_[static_cast<size_t>(last)];
        startX = next.x;
        startY = next.y;
    }
    tracks_.erase(tracks_.begin() + (first - 1), tracks_.begin() + last);

    const int count = Count();
    if (count < first) first = first - 1;
    if (singleRacing) {
        // Keep the selection off the end loops.
        if (first == 1) {
            first = kSingleRacingLoop + 1;
        } else if (first == count - (kSingleRacingLoop - 1)) {
            first = count - kSingleRacingLoop;
        }
    }
    first = std::clamp(first, 0, count);
    firstSelected = first;
    lastSelected = first;
    if (first > 0) {
        TTrack& t = tracks_[static_cast<size_t>(first - 1)];
        t.selected = true;
        t.replaceMark = false;
    }
    return true;
}

bool TCircuit::DeleteFirstSelected() {
    const int i = LowestSelected();
    if (i == 0) return false;
    tracks_.erase(tracks_.begin() + (i - 1));
    if (!tracks_.empty() && i > 1) {
        TTrack& before = tracks_[static_cast<size_t>(i - 2)];
        if (!IsSingleRacing(before.type)) before.selected = true;
    }
    modified = true;
    return true;
}

void TCircuit::LayChain() {
    if (tracks_.empty()) return;
    TTrack& head = tracks_[0];
    head.x = startX;
    head.y = startY;
    head.ComputeOutline(*this);
    for (size_t i = 1; i < tracks_.size(); ++i) {
        const TTrack& before = tracks_[i - 1];
        TTrack& t = tracks_[i];
        const PointD exit = before.ExitPoint();
        t.x = exit.x;
        t.y = exit.y;
        t.angle = before.ExitHeading();
        t.ComputeOutline(*this);
    }
}

void TCircuit::ReLay(bool keepAnchor) {
    const auto anchor = std::find_if(tracks_.begin(), tracks_.end(), [](const TTrack& t) { return t.anchorMark; });
    const bool hasAnchor = anchor != tracks_.end();
    const size_t a = static_cast<size_t>(anchor - tracks_.begin());
    const double anchorX = hasAnchor ? anchor->x : 0.0;
    const double anchorY = hasAnchor ? anchor->y : 0.0;
    const double anchorAngle = hasAnchor ? anchor->angle : 0.0;

    LayChain();

    if (keepAnchor && hasAnchor) {
        // The chain is rigid: turning piece 1 back by the anchor's change of
        // direction, then shifting it back by the anchor's displacement, puts
        // the anchor where it was. One pass of each, so it always ends. The
        // change is taken modulo 2pi, so a heading that merely wraps past 0
        // is no change.
        const double turn = std::remainder(tracks_[a].angle - anchorAngle, kTwoPi);
        if (std::isfinite(turn) && std::fabs(turn) > kAnchorAngleTolerance) {
            tracks_[0].angle -= turn;
            LayChain();
        }
        const double dx = tracks_[a].x - anchorX;
        const double dy = tracks_[a].y - anchorY;
        if (std::isfinite(dx) && std::isfinite(dy) &&
            (std::fabs(dx) > kAnchorPlaceTolerance || std::fabs(dy) > kAnchorPlaceTolerance)) {
            startX = tracks_[0].x - dx;
            startY = tracks_[0].y - dy;
            LayChain();
        }
    }

    closed = false;
    if (!tracks_.empty()) {
        const TTrack& head = tracks_.front();
        const TTrack& tail = tracks_.back();
        closed = Near(head.P(1), tail.P(9), kClosingTolerance) && Near(head.P(18), tail.P(10), kClosingTolerance);
        if (singleRacing && Count() >= 2 * kSingleRacingLoop && tail.type == kSingleRacingOuterCurve) closed = true;
    }
    BoundingBox();
}

void TCircuit::Rotate(double degrees) {
    if (tracks_.empty() || !std::isfinite(degrees)) return;
    const double a = degrees * kPi / 180.0;
    double h = tracks_[0].angle + a;
    if (h > kTwoPi) {
        h -= kTwoPi;
    } else if (h < -kTwoPi) {
        h += kTwoPi;
    }
    if (!(std::fabs(h) <= kTwoPi)) h = std::isfinite(h) ? std::fmod(h, kTwoPi) : 0.0;
    // Snap near-exact headings so that repeated turns do not drift.
    if (std::fabs(h) < 0.001) {
        h = 0.0;
    } else if (std::fabs(h - kPi) < 0.001) {
        h = kPi;
    } else if (std::fabs(h + kPi) < 0.001) {
        h = -kPi;
    }
    tracks_[0].angle = h;

    const double cx = (static_cast<double>(box.left) + box.right) / 2.0;
    const double cy = (static_cast<double>(box.top) + box.bottom) / 2.0;
    const double ca = std::cos(a);
    const double sa = std::sin(a);
    const PointD entry = RotateAbout({tracks_[0].x, tracks_[0].y}, cx, cy, ca, sa);
    tracks_[0].x = entry.x;
    tracks_[0].y = entry.y;
    // Icons turn about their centres, which lie half a picture from their
    // corners.
    const double half = kIconHalfSize * PixelScale();
    for (TIconSlot& icon : icons) {
        if (icon.kind == 0) continue;
        const PointD c = RotateAbout({icon.x + half, icon.y + half}, cx, cy, ca, sa);
        icon.x = c.x - half;
        icon.y = c.y - half;
    }
    startX = entry.x;
    startY = entry.y;
    ReLay(false);
}

TBoundingBox TCircuit::ComputeBoundingBox() const {
    if (tracks_.empty()) return {};
    // Rounding never reorders values, so the extremes are found first and
    // rounded once: the same box as rounding every point.
    const double x0 = tracks_[0].x;
    const double y0 = tracks_[0].y;
    Extent<double> mm{x0, y0, x0, y0};
    // Border polygons are held in pixels, so they count at pixel precision.
    Extent<int32_t> px{0, 0, 0, 0};
    bool anyBorder = false;
    for (const TTrack& t : tracks_) {
        for (const PointD& p : t.outline) mm.Widen(p.x, p.y);
        const bool outer = t.Border(kOuterBorder) || t.Border(kOuterBorderExitHalf) || t.Border(kOuterBorderEntryHalf);
        const bool inner = t.Border(kInnerBorder) || t.Border(kInnerBorderExitHalf) || t.Border(kInnerBorderEntryHalf);
        for (int side = 0; side < 2; ++side) {
            if (!(side == 0 ? outer : inner)) continue;
            const auto& polygon = side == 0 ? t.outerPolygon : t.innerPolygon;
            if (!anyBorder) {
                px = {polygon[0].x, polygon[0].y, polygon[0].x, polygon[0].y};
                anyBorder = true;
            }
            for (const PointI& p : polygon) px.Widen(p.x, p.y);
        }
    }
    TBoundingBox result{Round(mm.left), Round(mm.top), Round(mm.right), Round(mm.bottom)};
    if (anyBorder) {
        const double mmPerPixel = PixelScale();  // positive: keeps the order
        result.left = std::min(result.left, Round(px.left * mmPerPixel));
        result.top = std::min(result.top, Round(px.top * mmPerPixel));
        result.right = std::max(result.right, Round(px.right * mmPerPixel));
        result.bottom = std::max(result.bottom, Round(px.bottom * mmPerPixel));
    }
    return result;
}

TBoundingBox TCircuit::BoundingBox() {
    box = ComputeBoundingBox();
    return box;
}

bool TCircuit::FitsWorkArea(int32_t areaLength, int32_t areaWidth) const {
    // 64-bit sums: a damaged work-area size must not overflow.
    return box.top >= -kWorkAreaMargin && box.left >= -kWorkAreaMargin &&
           static_cast<int64_t>(box.right) <= static_cast<int64_t>(areaLength) + kWorkAreaMargin &&
           static_cast<int64_t>(box.bottom) <= static_cast<int64_t>(areaWidth) + kWorkAreaMargin;
}

int TCircuit::HitTest(int32_t x, int32_t y) {
    for (TTrack& t : tracks_) t.selected = false;
    // From the last piece down: the one drawn on top wins.
    for (int i = Count(); i >= 1; --i) {
        TTrack& t = tracks_[static_cast<size_t>(i - 1)];
        if (!IsSingleRacing(t.type) && t.ContainsPoint(x, y)) {
            t.selected = true;
            return i;
        }
    }
    return 0;
}

bool TCircuit::ContainsType(int type) const {
    return std::any_of(tracks_.begin(), tracks_.end(), [type](const TTrack& t) { return t.type == type; });
}

int TCircuit::CountPieces(int c, bool nincoWidth) const {
    const int p = LanePairs();
    const double family = nincoWidth ? kNincoPairWidth : kScxPairWidth;
    int total = 0;
    for (const TTrack& t : tracks_) {
        if (t.width / p != family) continue;
        // A widened curve is built from the catalogue curves whose radii lie
        // one lane-pair width apart: the ladder inner, standard, two outer,
        // two super outer (an outer or super outer curve covers half the arc).
        switch (t.type) {
            case kStandardCurve:
                if (c == kStandardCurve) total += 1;
                if (c == kOuterCurve && p > 1) total += 2;
                if (c == kSuperOuterCurve && p > 2) total += 2;
                break;
            case kInnerCurve:
                if (c == kInnerCurve) total += 1;
                if (c == kStandardCurve && p > 1) total += 1;
                if (c == kOuterCurve && p > 2) total += 2;
                if (c == kSuperOuterCurve && p > 3) total += 2;
                break;
            case kOuterCurve:
                if (c == kOuterCurve) total += 1;
                if (c == kSuperOuterCurve && p > 1) total += 1;
                break;
            case kSuperOuterCurve:
                if (c == kSuperOuterCurve) total += 1;
                break;
            case kSingleRacingInnerCurve:
            case kSingleRacingOuterCurve:
                break;
            default:
                // One catalogue piece per lane pair.
                if (t.type == c) total += p;
                break;
        }
    }
    return total;
}

bool TCircuit::AddSingleRacingEnds(TInformer* informer) {
    if (Count() > kMaxTracks - kSingleRacingLoop) return false;
    const bool wasEmpty = tracks_.empty();
    if (!Insert(kSingleRacingOuterCurve, 1, informer)) return false;
    const int placed = wasEmpty ? 1 : firstSelected;
    if (placed >= 1 && placed <= Count()) Track(placed).selected = false;
    for (int k = 0; k < 6; ++k) Append(kSingleRacingInnerCurve, 0, 1);
    Append(kSingleRacingOuterCurve, 1, 1);
    return true;
}

}  // namespace quillet
