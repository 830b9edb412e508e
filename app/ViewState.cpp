// The view's few rules of its own: the work area's limits, a scroll handed
// on once, guides parked when the rulers change.

#include "app/ViewState.h"

#include <algorithm>

#include "tools/Settings.h"

namespace quillet {

void TViewState::SetWorkArea(int32_t length, int32_t width) {
    workAreaLength_ = std::clamp(length, kMinWorkArea, kMaxWorkArea);
    workAreaWidth_ = std::clamp(width, kMinWorkArea, kMaxWorkArea);
}

void TViewState::ScrollToOrigin() {
    viewport_.scrollX = 0;
    viewport_.scrollY = 0;
    pendingScroll_ = PixelPoint{0, 0};
}

std::optional<PixelPoint> TViewState::TakeScroll() {
    std::optional<PixelPoint> scroll = pendingScroll_;
    pendingScroll_.reset();
    return scroll;
}

void TViewState::ShowRulers(bool on) {
    rulersVisible_ = on;
    ParkGuides();
}

void TViewState::SetGuides(int32_t x, int32_t y) {
    guideX_ = x;
    guideY_ = y;
}

void TViewState::StartResize(PixelPoint press, PixelSize outline) {
    resizeDrag_ = true;
    resizePress_ = press;
    draggedOutline_ = outline;
}

void TViewState::EndResize() {
    resizeDrag_ = false;
    draggedOutline_ = {};
}

}  // namespace quillet
