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
    TCircuit& c = Circuit();
    c.scale = scale;
    c.ReLay(false);
    c.modified = true;
}

void TEditor::ToolButton11Click() {
    const double scale = Circuit().scale;
    if (!(MinimumScale() < scale)) return;
    ZoomTo(std::max(scale - 1.0, static_cast<double>(MinimumScale())));
}

void TEditor::ToolButton12Click() {
    const double scale = Circuit().scale;
    if (!(scale < kMaxScale)) return;
    ZoomTo(std::min(scale + 1.0, kMaxScale));
}

void TEditor::ToolButton57Click() {
    // The work area fills the scroll box; the rulers take their strip.
    const int32_t room = RulersVisible() ? -kRulerSize : 0;
    const double w = std::max(Viewport().width + room, 1);
    const double h = std::max(Viewport().height + room, 1);
    Circuit().scale = std::max(WorkAreaLength() / w, WorkAreaWidth() / h);
    view_.ScrollToOrigin();
    Circuit().ReLay(true);
}

// ---------------------------------------------------------------------------
// View flags

void TEditor::ToolButton18Click() {
    TCircuit& c = Circuit();
    c.gridShown = !c.gridShown;
    c.modified = true;
}

void TEditor::ToolButton5Click() {
    TCircuit& c = Circuit();
    c.colourCodeShown = !c.colourCodeShown;
    c.modified = true;
}

void TEditor::ToolButton42Click() {
    TCircuit& c = Circuit();
    c.templateShown = !c.templateShown;
    c.modified = true;
}

void TEditor::Reglas1Click() {
    // The menu item shows whether the rulers are on screen, so it toggles
    // what is shown and the circuit's flag follows.
    view_.ShowRulers(!RulersVisible());
    Circuit().rulersShown = RulersVisible();
}

void TEditor::ShowRulersFromCircuit() { view_.ShowRulers(Circuit().rulersShown); }

// ---------------------------------------------------------------------------
// Layout and the empty circuit's start point

void TEditor::FormResize() {
    if (Circuit().Count() == 0) CentreEmptyCircuit();
}

void TEditor::CentreEmptyCircuit() {
    TCircuit& c = Circuit();
    // The middle of what is visible of the work area, snapped down to the
    // grid. Before the window has a size the whole work area counts.
    const double scale = c.PixelScale();
    const double grid = EffectiveGridStep();
    auto centre = [&](int32_t area, int32_t visible, int32_t scroll) {
        double extent = area / scale;
        if (visible > 0) extent = std::min(extent, static_cast<double>(visible));
        return Trunc((extent / 2.0 + scroll) * scale / grid) * grid;
    };
    const TViewport& v = Viewport();
    c.startX = centre(WorkAreaLength(), v.width, v.scrollX);
    c.startY = centre(WorkAreaWidth(), v.height, v.scrollY);
}

TSurfaceLayout TEditor::Layout() const {
    TSurfaceLayout l;
    const double scale = Circuit().PixelScale();
    l.image = {Round(WorkAreaLength() / scale), Round(WorkAreaWidth() / scale)};
    const int32_t o = RulersVisible() ? kRulerSize : 0;
    l.imageOrigin = {o, o};
    l.outline = {o, o, o + l.image.width, o + l.image.height};
    l.handle = {l.outline.right - kHandleSize, l.outline.bottom - kHandleSize, l.outline.right, l.outline.bottom};
    l.content = {l.outline.right, l.outline.bottom};
    if (RulersVisible()) {
        // Each ruler runs along the drawing, or along the whole visible
        // side when the drawing is smaller.
        l.horizontalRuler = {std::max(Viewport().width, l.content.width), kRulerSize};
        l.verticalRuler = {kRulerSize, std::max(Viewport().height - kRulerSize, l.image.height)};
    }
    return l;
}

std::string TEditor::CursorText(int x, int y) const {
    const double scale = Circuit().PixelScale();
    return "x = " + Cm(x * scale) + " cm; " + "y = " + Cm(y * scale) + " cm";
}

// ---------------------------------------------------------------------------
// The work-area handle

void TEditor::Image4MouseDown(int x, int y) { view_.StartResize({x, y}, Layout().image); }

std::optional<std::string> TEditor::Image4MouseMove(int x, int y) {
    if (!ResizeDragging()) return std::nullopt;
    const double scale = Circuit().PixelScale();
    auto limit = [scale](int32_t candidate) {
        const double mm = candidate * scale;
        if (mm < kMinWorkArea) return Round(kMinWorkArea / scale);
        if (mm > kMaxWorkArea) return Round(kMaxWorkArea / scale);
        return candidate;
    };
    const PixelSize image = Layout().image;
    const PixelPoint press = view_.ResizePress();
    const PixelSize outline{limit(image.width + x - press.x), limit(image.height + y - press.y)};
    view_.SetDraggedOutline(outline);
    return Cm(outline.width * scale) + " cm x " + Cm(outline.height * scale) + " cm";
}

void TEditor::Image4MouseUp(int x, int y) {
    if (!ResizeDragging()) return;
    const PixelPoint press = view_.ResizePress();
    view_.EndResize();
    KeepCircuit();
    const double scale = Circuit().PixelScale();
    SetWorkArea(WorkAreaLength() + Round((x - press.x) * scale), WorkAreaWidth() + Round((y - press.y) * scale));
}

// ---------------------------------------------------------------------------
// Rulers

void TEditor::DrawHorizontalRuler(Canvas& canvas) {
    view_.ParkGuides();
    const int32_t width = Layout().horizontalRuler.width;
    if (width <= 0) return;
    canvas.setBrushColour(colour::White);
    canvas.fillRect({0, 0, width, kRulerSize});
    UseBlackPen(canvas);
    canvas.line(0, kRulerSize - 1, width - 1, kRulerSize - 1);
    const double scale = Circuit().PixelScale();
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
    const double scale = Circuit().PixelScale();
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
    horizontal.line(view_.GuideX() + kRulerSize, 1, view_.GuideX() + kRulerSize, 14);
    horizontal.line(x + kRulerSize, 1, x + kRulerSize, 14);
    vertical.setPen(guide);
    vertical.line(1, view_.GuideY(), 15, view_.GuideY());
    vertical.line(1, y, 15, y);
    view_.SetGuides(x, y);
}

// ---------------------------------------------------------------------------
// The drawing

void TEditor::Render(Canvas& canvas) {
    // An accessory held by the mouse is out of the picture only while it is
    // drawn; it never leaves its slot, so nothing can lose it.
    TIconSlot* held = nullptr;
    int32_t heldKind = 0;
    if (LiftedIcon()) {
        held = &Circuit().Icon(view_.Drag().slot);
        heldKind = held->kind;
        held->kind = 0;
    }
    Circuit().Draw(canvas, CircuitDrawMode::Screen, WorkAreaWidth(), WorkAreaLength());
    if (held != nullptr) held->kind = heldKind;
    for (const PixelPoint& p : AnchorMarkers()) canvas.drawPicture(Picture::AnchorMarker, p.x, p.y);
    if (const auto p = StartMarker()) canvas.drawPicture(Picture::StartMarker, p->x, p->y);
}

}  // namespace quillet
