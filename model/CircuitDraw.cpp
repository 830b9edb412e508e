// Drawing the whole work area: background, template, title, the drawing
// picture, grid, shadows, the pieces with their end and insertion marks, the
// single-racing ends and the icons, in that order. A refresh redraws all of
// it, so everything stays linear in the number of pieces and allocates
// nothing but the title text.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>

#include "model/Canvas.h"
#include "model/DrawSupport.h"
#include "model/Numeric.h"
#include "model/Tracks.h"

namespace quillet {

namespace {

using namespace palette;

constexpr double kShadowOffset = 15.0;  // mm left and down, as the pieces' shadows
constexpr int kPicturePosition = 40;    // pixels from the top-left corner
constexpr int kTitleGap = 10;           // pixels under the work area
constexpr int kPrintBorderInset = 10;   // the right border on paper, pixels inside the edge
constexpr int kLoopPieces = 8;          // pieces in a single-racing end loop
constexpr int kInsertionMarkWidth = 2;
constexpr double kMaxGridLines = 65536.0;  // each way

using Loop = std::array<PixelPoint, 12>;

PixelPoint AsPixel(PointI p) { return {p.x, p.y}; }

// A single-racing loop's outline: the outer edge of its first piece (points
// 17 down to 12) joined to that of its last (points 14 down to 9).
Loop LoopOutline(const TTrack& first, const TTrack& last) {
    Loop loop;
    for (int k = 0; k < 6; ++k) {
        loop[static_cast<size_t>(k)] = AsPixel(first.ScreenP(17 - k));
        loop[static_cast<size_t>(6 + k)] = AsPixel(last.ScreenP(14 - k));
    }
    return loop;
}

void ExitEdge(Canvas& canvas, const TTrack& t) {
    const PointI a = t.ScreenP(9);
    const PointI b = t.ScreenP(10);
    canvas.line(a.x, a.y, b.x, b.y);
}

}  // namespace

void TCircuit::Draw(Canvas& canvas, CircuitDrawMode mode, int32_t areaWidth, int32_t areaLength,
                    double pictureZoom) const {
    const bool print = mode == CircuitDrawMode::Print;
    const double zoom = std::isfinite(pictureZoom) && pictureZoom > 0.0 ? pictureZoom : 1.0;
    // A picture at its own size, or stretched by the zoom with its corner
    // where it was.
    auto picture = [&canvas, zoom](Picture p, int x, int y) {
        if (zoom == 1.0) {
            canvas.drawPicture(p, x, y);
            return;
        }
        const PixelSize size = canvas.pictureSize(p);
        if (size.empty()) return;
        canvas.drawPictureStretched(
            p, {x, y, pixels::Add(x, Round(size.width * zoom)), pixels::Add(y, Round(size.height * zoom))});
    };
    const double mmPerPixel = PixelScale();
    const int detail = std::clamp(static_cast<int>(detailLevel), 1, 5);
    const int right = Round(areaLength / mmPerPixel);
    const int bottom = Round(areaWidth / mmPerPixel);
    const Colour background = static_cast<Colour>(backgroundColour) & 0xFFFFFF;
    const int count = Count();

    canvas.setPenStyle(PenStyle::Solid);
    canvas.setPenMode(PenMode::Copy);

    // Background.
    canvas.setBrushColour(print ? kWhite : background);
    canvas.fillRect({0, 0, right, bottom});

    // Template: from the top-left corner, as large as it goes with its
    // proportions kept.
    if (templateShown) {
        const PixelSize size = canvas.pictureSize(Picture::Template);
        if (!size.empty() && right > 0 && bottom > 0) {
            PixelRect target{0, 0, right, bottom};
            if (static_cast<int64_t>(size.width) * bottom >= static_cast<int64_t>(size.height) * right) {
                target.bottom = Round(static_cast<double>(right) * size.height / size.width);
            } else {
                target.right = Round(static_cast<double>(bottom) * size.width / size.height);
            }
            canvas.drawPictureStretched(Picture::Template, target);
        }
    }

    // Title with the circuit's size in whole centimetres.
    if (print) {
        canvas.setBrushStyle(BrushStyle::Clear);
        canvas.setFontName("Arial");
        canvas.setFontSize(14);
        canvas.setFontColour(colour::Black);
        canvas.setFontStyle(FontStyle::None);
        const int32_t w = Round((static_cast<double>(box.right) - box.left) / 10.0);
        const int32_t h = Round((static_cast<double>(box.bottom) - box.top) / 10.0);
        const std::string text = title + "  " + std::to_string(w) + " x " + std::to_string(h) + " cm";
        canvas.textOut(0, pixels::Add(bottom, kTitleGap), text);
    }

    const int picturePosition = Round(kPicturePosition * zoom);
    picture(Picture::Drawing, picturePosition, picturePosition);

    // Grid. A step that is not positive (the settings accept 0) would never
    // advance: such a grid keeps its border and draws no lines. Steps under
    // a pixel draw one line per pixel, which covers the same pixels, and no
    // direction gets more than kMaxGridLines, whatever a damaged scale makes
    // of the work area.
    if (gridShown) {
        canvas.setPenWidth(1);
        canvas.setPenColour(print || background == kWhite ? kLightGrid : Darker(background, 0x40));
        canvas.setBrushColour(kWhite);
        const int edge = pixels::Add(right, print ? -kPrintBorderInset : -1);
        const int last = pixels::Add(bottom, -1);
        canvas.moveTo(0, last);
        canvas.lineTo(edge, last);
        canvas.lineTo(edge, 0);
        if (gridStep > 0) {
            const double step = gridStep / mmPerPixel;
            const double across = std::max({step, 1.0, right / kMaxGridLines});
            const double down = std::max({step, 1.0, bottom / kMaxGridLines});
            for (int64_t k = 0; k * across <= right; ++k) {
                const int x = Round(k * across);
                canvas.line(x, 0, x, bottom);
            }
            for (int64_t k = 0; k * down <= bottom; ++k) {
                const int y = Round(k * down);
                canvas.line(0, y, right, y);
            }
        }
    }

    const bool loops = singleRacing && count >= kLoopPieces;
    const Loop startLoop = loops ? LoopOutline(tracks_[0], tracks_[kLoopPieces - 1]) : Loop{};
    const Loop endLoop =
        loops ? LoopOutline(tracks_[static_cast<size_t>(count - kLoopPieces)], tracks_.back()) : Loop{};

    // Shadows under everything else, at the two highest detail levels.
    if (detail > 3) {
        for (const TTrack& t : tracks_) t.DrawShadow(*this, canvas, print);
        if (loops) {
            const Colour shade = ShadowColour(*this, print);
            const int d = pixels::Length(kShadowOffset, mmPerPixel);
            canvas.setPenWidth(1);
            canvas.setPenColour(shade);
            canvas.setBrushColour(shade);
            for (const Loop* loop : {&startLoop, &endLoop}) {
                Loop moved = *loop;
                for (PixelPoint& q : moved) q = pixels::Moved(q, -d, d);
                canvas.polygon(moved);
            }
        }
    }

    // Pieces. The open ends of the chain are marked in the first piece's
    // colour; the insertion point, the exit of the last selected piece, in
    // red, drawn again after the next piece so that it is not covered.
    auto insertionPoint = [&](int i) {
        if (i < 1 || i > count || i != lastSelected) return false;
        const TTrack& t = tracks_[static_cast<size_t>(i - 1)];
        return t.selected && !t.replaceMark;
    };
    auto insertionMark = [&](const TTrack& t) {
        canvas.setPenColour(kRed);
        canvas.setPenWidth(kInsertionMarkWidth);
        ExitEdge(canvas, t);
    };
    const Colour endColour = count > 0 && tracks_[0].IsNincoWidth(*this) ? kNincoBody : kScxBody;
    const int endWidth = detail == 1 ? 1 : pixels::Length(10.0, mmPerPixel);
    for (int i = 1; i <= count; ++i) {
        const TTrack& t = tracks_[static_cast<size_t>(i - 1)];
        t.Draw(*this, canvas, print);
        if (!closed && !t.selected && (i == 1 || i == count)) {
            canvas.setPenColour(endColour);
            canvas.setPenWidth(endWidth);
            if (i == 1) {
                const PointI a = t.ScreenP(1);
                const PointI b = t.ScreenP(18);
                canvas.line(a.x, a.y, b.x, b.y);
            }
            if (i == count) ExitEdge(canvas, t);
        }
        if (insertionPoint(i)) {
            insertionMark(t);
        } else if (insertionPoint(i - 1)) {
            insertionMark(tracks_[static_cast<size_t>(i - 2)]);
        }
    }

    // Single-racing ends: the loops drawn white over the pieces, at detail 5
    // with three red strokes each, and the last piece's exit closed.
    if (singleRacing && count > 0) {
        if (loops && detail > 3) {
            canvas.setBrushColour(kWhite);
            canvas.setPenColour(colour::Black);
            canvas.setPenWidth(1);
            for (const Loop* loop : {&startLoop, &endLoop}) {
                canvas.setPenColour(colour::Black);
                canvas.polygon(*loop);
                if (detail < 5) continue;
                canvas.setPenColour(kRed);
                auto at = [loop](int k) { return (*loop)[static_cast<size_t>(k - 1)]; };
                for (int k = 4; k <= 6; ++k) {
                    const std::array<PixelPoint, 3> stroke{at(k), pixels::Middle(at(14 - k), at(k - 1)), at(13 - k)};
                    canvas.polyline(stroke);
                }
            }
        }
        if (insertionPoint(count)) {
            insertionMark(tracks_.back());
        } else if (detail > 2) {
            canvas.setPenColour(kWhite);
            canvas.setPenWidth(pixels::Length(5.0, mmPerPixel));
            ExitEdge(canvas, tracks_.back());
        }
    }

    // Icons: the highlighted picture for a selected one.
    for (const TIconSlot& icon : icons) {
        if (icon.kind < 1 || icon.kind > kIconKinds) continue;
        picture(AccessoryIcon(icon.kind, icon.selected), Round(icon.x / mmPerPixel), Round(icon.y / mmPerPixel));
    }
}

}  // namespace quillet
