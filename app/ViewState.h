#pragma once
// How the editor shows the circuit and what the mouse is doing on it: the
// work area and the smallest scale it allows, the scroll box, the rulers and
// their guides, the modes the refresh ends, and the drags in progress. None
// of it is saved with the circuit's state or undone. (The scale itself is
// the circuit's: it is saved in the file and comes back with Undo.)

#include <cstdint>
#include <optional>

#include "app/EditorMouse.h"
#include "model/Canvas.h"

namespace quillet {

// The scroll box as the window sees it: the visible client area and how far
// it is scrolled, in pixels.
struct TViewport {
    int32_t width = 0;
    int32_t height = 0;
    int32_t scrollX = 0;
    int32_t scrollY = 0;
    friend bool operator==(const TViewport&, const TViewport&) = default;
};

// Where a ruler guide is parked while none is drawn: outside the ruler.
inline constexpr int32_t kGuideParked = -17;

class TViewState {
public:
    // ---- The work area, in mm. Files carry it, but it is the editor's:
    // Undo never takes it back.
    int32_t WorkAreaLength() const { return workAreaLength_; }
    int32_t WorkAreaWidth() const { return workAreaWidth_; }
    // Each side kept within kMinWorkArea..kMaxWorkArea.
    void SetWorkArea(int32_t length, int32_t width);
    // The smallest scale Zoom In reaches, as last worked out for the work
    // area.
    int32_t MinimumScale() const { return minimumScale_; }
    void SetMinimumScale(int32_t scale) { minimumScale_ = scale; }

    // ---- Modes the refresh ends.
    bool PlacementMode() const { return placementMode_; }
    void SetPlacementMode(bool on) { placementMode_ = on; }
    bool MeasuringMode() const { return measuringMode_; }
    void SetMeasuringMode(bool on) { measuringMode_ = on; }

    // ---- The scroll box.
    const TViewport& Viewport() const { return viewport_; }
    void SetViewport(const TViewport& viewport) { viewport_ = viewport; }
    // The drawing goes back to its origin; the window is told by the next
    // refresh (TakeScroll).
    void ScrollToOrigin();
    // The scroll a command asked for since the last call, once.
    std::optional<PixelPoint> TakeScroll();

    // ---- The rulers and their guides. Showing or hiding the rulers parks
    // the guides: the strips are drawn afresh without them.
    bool RulersVisible() const { return rulersVisible_; }
    void ShowRulers(bool on);
    int32_t GuideX() const { return guideX_; }
    int32_t GuideY() const { return guideY_; }
    void SetGuides(int32_t x, int32_t y);
    void ParkGuides() { SetGuides(kGuideParked, kGuideParked); }

    // ---- The work-area handle held by the mouse: where the press was and
    // the outline's size while it is dragged.
    bool ResizeDragging() const { return resizeDrag_; }
    PixelPoint ResizePress() const { return resizePress_; }
    PixelSize DraggedOutline() const { return draggedOutline_; }
    void StartResize(PixelPoint press, PixelSize outline);
    void SetDraggedOutline(PixelSize outline) { draggedOutline_ = outline; }
    void EndResize();

    // ---- A drag on the drawing.
    TDragState& Drag() { return drag_; }
    const TDragState& Drag() const { return drag_; }

private:
    int32_t workAreaLength_ = 3000;
    int32_t workAreaWidth_ = 2000;
    int32_t minimumScale_ = 3;

    bool placementMode_ = false;
    bool measuringMode_ = false;

    TViewport viewport_;
    std::optional<PixelPoint> pendingScroll_;

    bool rulersVisible_ = false;
    int32_t guideX_ = kGuideParked;
    int32_t guideY_ = kGuideParked;

    bool resizeDrag_ = false;
    PixelPoint resizePress_;
    PixelSize draggedOutline_;

    TDragState drag_;
};

}  // namespace quillet
