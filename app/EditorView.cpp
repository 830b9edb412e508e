// The drawing surface: scale and zoom, fit to window, the view flags, the
// rulers and their guides, the work-area outline and its resize handle, the
// status texts that follow the mouse, and the render of the drawing.

#include <algorithm>
#include <string>

#include "app/Editor.h"
#include "model/Numeric.h"

namespace quillet {

namespace {

constexpr int32_t kHandleSize = 5;
// Ruler marks every 100 mm, longer ones every 500 mm, labels every metre.
constexpr int32_t kTickStep = 100;
constexpr int32_t kLongTickStep = 500;
constexpr int32_t kLabelStep = 1000;
constexpr Colour kRulerLabelColour = colour::Navy;

std::string Cm(double mm) { return std::to_string(Round(mm / 10.0)); }

void UseRulerFont(Canvas& canvas) {
    // Ten pixels is the least that reads well on today's screens; the white
    // cell behind each label keeps the metre tick from running through it.
    canvas.setFontName("MS Sans Serif");
    canvas.setFontHeight(10);
    canvas.setFontColour(kRulerLabelColour);
    canvas.setFontStyle(FontStyle::None);
    canvas.setBrushColour(colour::White);
}

void UseBlackPen(Canvas& canvas) { canvas.setPen({colour::Black, 1, PenStyle::Solid, PenMode::Copy}); }

}  // namespace

// ---------------------------------------------------------------------------
// Zoom and fit

void TEditor::ZoomTo(double scale) {
    current_.scale = scale;
    current_.ReLay(false);
    current_.modified = true;
}

void TEditor::ToolButton11Click() {
    const double scale = current_.scale;
    if (!(minimumScale_ < scale)) return;
    ZoomTo(std::max(scale - 1.0, static_cast<double>(minimumScale_)));
}

void TEditor::ToolButton12Click() {
    const double scale = current_.scale;
    if (!(scale < kMaxScale)) return;
    ZoomTo(std::min(scale + 1.0, kMaxScale));
}

void TEditor::ToolButton57Click() {
    // The work area fills the scroll box; the rulers take their strip.
    const int32_t room = rulersVisible_ ? -kRulerSize : 0;
    const double w = std::max(viewport_.width + room, 1);
    const double h = std::max(viewport_.height + room, 1);
    current_.scale = std::max(workAreaLength_ / w, workAreaWidth_ / h);
    viewport_.scrollX = 0;
    viewport_.scrollY = 0;
    pendingScroll_ = PixelPoint{0, 0};
    current_.ReLay(true);
}

// ---------------------------------------------------------------------------
// View flags

void TEditor::ToolButton18Click() {
    current_.gridShown = !current_.gridShown;
    current_.modified = true;
}

void TEditor::ToolButton5Click() {
    current_.colourCodeShown = !current_.colourCodeShown;
    current_.modified = true;
}

void TEditor::ToolButton42Click() {
    current_.templateShown = !current_.templateShown;
    current_.modified = true;
}

void TEditor::Reglas1Click() {
    // The menu item shows whether the rulers are on screen, so it toggles
    // what is shown and the circuit's flag follows.
    rulersVisible_ = !rulersVisible_;
    current_.rulersShown = rulersVisible_;
    guideX_ = kGuideParked;
    guideY_ = kGuideParked;
}

void TEditor::ShowRulersFromCircuit() {
    rulersVisible_ = current_.rulersShown;
    guideX_ = kGuideParked;
    guideY_ = kGuideParked;
}

// ---------------------------------------------------------------------------
// Layout and the empty circuit's start point

void TEditor::FormResize() {
    if (current_.Count() == 0) CentreEmptyCircuit();
}

void TEditor::CentreEmptyCircuit() {
    // The middle of what is visible of the work area, snapped down to the
    // grid. Before the window has a size the whole work area counts.
    const double scale = current_.PixelScale();
    const double grid = EffectiveGridStep();
    auto centre = [&](int32_t area, int32_t visible, int32_t scroll) {
        double extent = area / scale;
        if (visible > 0) extent = std::min(extent, static_cast<double>(visible));
        return Trunc((extent / 2.0 + scroll) * scale / grid) * grid;
    };
    current_.startX = centre(workAreaLength_, viewport_.width, viewport_.scrollX);
    current_.startY = centre(workAreaWidth_, viewport_.height, viewport_.scrollY);
}

TSurfaceLayout TEditor::Layout() const {
    TSurfaceLayout l;
    const double scale = current_.PixelScale();
    l.image = {Round(workAreaLength_ / scale), Round(workAreaWidth_ / scale)};
    const int32_t o = rulersVisible_ ? kRulerSize : 0;
    l.imageOrigin = {o, o};
    l.outline = {o, o, o + l.image.width, o + l.image.height};
    l.handle = {l.outline.right - kHandleSize, l.outline.bottom - kHandleSize, l.outline.right, l.outline.bottom};
    l.content = {l.outline.right, l.outline.bottom};
    if (rulersVisible_) {
        // Each ruler runs along the drawing, or along the whole visible
        // side when the drawing is smaller.
        l.horizontalRuler = {std::max(viewport_.width, l.content.width), kRulerSize};
        l.verticalRuler = {kRulerSize, std::max(viewport_.height - kRulerSize, l.image.height)};
    }
    return l;
}

std::string TEditor::CursorText(int x, int y) const {
    const double scale = current_.PixelScale();
    return "x = " + Cm(x * scale) + " cm; " + "y = " + Cm(y * scale) + " cm";
}

// ---------------------------------------------------------------------------
// The work-area handle

void TEditor::Image4MouseDown(int x, int y) {
    resizeDrag_ = true;
    handleX0_ = x;
    handleY0_ = y;
    draggedOutline_ = Layout().image;
}

std::optional<std::string> TEditor::Image4MouseMove(int x, int y) {
    if (!resizeDrag_) return std::nullopt;
    const double scale = current_.PixelScale();
    auto limit = [scale](int32_t candidate) {
        const double mm = candidate * scale;
        if (mm < kMinWorkArea) return Round(kMinWorkArea / scale);
        if (mm > kMaxWorkArea) return Round(kMaxWorkArea / scale);
        return candidate;
    };
    const PixelSize image = Layout().image;
    draggedOutline_ = {limit(image.width + x - handleX0_), limit(image.height + y - handleY0_)};
    return Cm(draggedOutline_.width * scale) + " cm x " + Cm(draggedOutline_.height * scale) + " cm";
}

void TEditor::Image4MouseUp(int x, int y) {
    if (!resizeDrag_) return;
    resizeDrag_ = false;
    draggedOutline_ = {};
    KeepCircuit();
    const double scale = current_.PixelScale();
    SetWorkArea(workAreaLength_ + Round((x - handleX0_) * scale), workAreaWidth_ + Round((y - handleY0_) * scale));
}

// ---------------------------------------------------------------------------
// Rulers

void TEditor::DrawHorizontalRuler(Canvas& canvas) {
    guideX_ = kGuideParked;
    guideY_ = kGuideParked;
    const int32_t width = Layout().horizontalRuler.width;
    if (width <= 0) return;
    canvas.setBrushColour(colour::White);
    canvas.fillRect({0, 0, width, kRulerSize});
    UseBlackPen(canvas);
    canvas.line(0, kRulerSize - 1, width - 1, kRulerSize - 1);
    const double scale = current_.PixelScale();
    const int64_t bound = Round64(width * scale);
    for (int64_t d = 0; d <= bound; d += kTickStep) {
        const int32_t x = Round(d / scale) + kRulerSize;
        canvas.line(x, 11, x, 14);
    }
    for (int64_t d = 0; d <= bound; d += kLongTickStep) {
        const int32_t x = Round(d / scale) + kRulerSize;
        canvas.line(x, 6, x, 14);
    }
    UseRulerFont(canvas);
    for (int64_t d = 0; d <= bound; d += kLabelStep) {
        const std::string label = std::to_string(Round(d / 1000.0));
        const int tw = canvas.textWidth(label);
        canvas.textOut(Round(d / scale - tw / 2.0) + kRulerSize, 1, label);
    }
}

void TEditor::DrawVerticalRuler(Canvas& canvas) {
    const int32_t height = Layout().verticalRuler.height;
    if (height <= 0) return;
    canvas.setBrushColour(colour::White);
    canvas.fillRect({0, 0, kRulerSize, height});
    UseBlackPen(canvas);
    canvas.line(kRulerSize - 1, 0, kRulerSize - 1, height - 1);
    const double scale = current_.PixelScale();
    const int64_t bound = Round64(height * scale);
    for (int64_t d = 0; d <= bound; d += kTickStep) {
        const int32_t y = Round(d / scale);
        canvas.line(11, y, 14, y);
    }
    for (int64_t d = 0; d <= bound; d += kLongTickStep) {
        const int32_t y = Round(d / scale);
        canvas.line(6, y, 14, y);
    }
    UseRulerFont(canvas);
    for (int64_t d = 0; d <= bound; d += kLabelStep) {
        const std::string label = std::to_string(Round(d / 1000.0));
        const int tw = canvas.textWidth(label);
        // The "0" would sit half above the ruler: it starts at the top.
        canvas.textOut(8 - tw / 2, std::max(Round(d / scale - 6.0), 0), label);
    }
}

void TEditor::MoveRulerGuides(Canvas& horizontal, Canvas& vertical, int x, int y) {
    // Inverting strokes: the first erases the old guide, the second draws.
    const PenState guide{colour::Red, 1, PenStyle::Solid, PenMode::NotXor};
    horizontal.setPen(guide);
    horizontal.line(guideX_ + kRulerSize, 1, guideX_ + kRulerSize, 14);
    horizontal.line(x + kRulerSize, 1, x + kRulerSize, 14);
    vertical.setPen(guide);
    vertical.line(1, guideY_, 15, guideY_);
    vertical.line(1, y, 15, y);
    guideX_ = x;
    guideY_ = y;
}

// ---------------------------------------------------------------------------
// The drawing

void TEditor::Render(Canvas& canvas) {
    // An accessory held by the mouse is out of the picture only while it is
    // drawn; it never leaves its slot, so nothing can lose it.
    TIconSlot* held = nullptr;
    int32_t heldKind = 0;
    if (LiftedIcon()) {
        held = &current_.Icon(drag_.slot);
        heldKind = held->kind;
        held->kind = 0;
    }
    current_.Draw(canvas, CircuitDrawMode::Screen, workAreaWidth_, workAreaLength_);
    if (held != nullptr) held->kind = heldKind;
    for (const PixelPoint& p : AnchorMarkers()) canvas.drawPicture(Picture::AnchorMarker, p.x, p.y);
    if (const auto p = StartMarker()) canvas.drawPicture(Picture::StartMarker, p->x, p->y);
}

}  // namespace quillet
