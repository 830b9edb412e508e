#pragma once
// What the mouse on the drawing tells the editor, and what the editor tells
// the window back, free of any toolkit.

#include <cstdint>
#include <optional>
#include <string>

#include "model/Canvas.h"

namespace quillet {

enum class TMouseButton : uint8_t { Left, Middle, Right };

// What a held button is dragging on the drawing.
enum class TDragKind : uint8_t {
    None,
    Measure,  // the right button: a line from the press, its length in panel 0
    Icon,     // the left or middle button on an accessory
};

// How far the mouse must move from the press, in pixels along either axis,
// before a press becomes a drag: a click that trembles a pixel stays a click.
inline constexpr int kDragThreshold = 2;

// What the window does after a press on the drawing.
struct TMouseResult {
    bool refresh = false;               // run FormActualize
    std::optional<std::string> panel0;  // the new text of status panel 0
    // What the click did when the drawing hardly shows it (a replace mark,
    // a reversed circuit): said beside the mouse and in panel 0.
    std::optional<std::string> notice;
};

// A drag in progress. Coordinates are pixels of the drawing.
struct TDragState {
    TDragKind kind = TDragKind::None;
    TMouseButton button = TMouseButton::Left;
    bool started = false;    // the mouse has moved kDragThreshold pixels
    PixelPoint press;        // where the button went down
    PixelPoint origin;       // X0, Y0: the measuring line's start, or the
                             // icon's last mouse position
    PixelPoint end;          // X1, Y1: the measuring line's end
    bool lineShown = false;  // the measuring line is on the picture now
    int slot = 0;            // the icon slot being dragged, 1..40
};

// An accessory picked up by the mouse. The picture is rendered without it
// while it is held, and the window shows it, highlighted, over the picture:
// moving it then costs one small repaint instead of a render.
struct TLiftedIcon {
    PixelPoint at;  // top-left corner, pixels
    Picture picture;
};

}  // namespace quillet
