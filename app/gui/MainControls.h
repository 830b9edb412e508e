#pragma once
// The main window's controls as data: every tool button of the two toolbars
// and every menu item, in the order they are shown, with where it sits, its
// shortcut, its picture and the handler it runs. The window builds its menus
// and toolbars from this table; texts come from text/TextAssignments by
// object name, and which controls start hidden from HiddenAtStart.

#include <span>
#include <string_view>

#include "app/Controls.h"

namespace quillet {

class TSDIAppForm;

enum class ControlKind : uint8_t {
    Button,        // a tool button that runs its handler when clicked
    CheckButton,   // a tool button that shows a pressed state
    DropDown,      // a tool button with a pop-up menu beside it
    PressRelease,  // a curve button: the mouse button released on it chooses
                   // the direction of the turn
    Separator,     // a toolbar separator that carries an object name
    Gap,           // a plain toolbar or menu separator (no id)
    MenuItem,
    CheckItem,  // a menu item with a check mark
    SubMenu,    // a menu item that opens a menu the window fills
};

enum class MenuId : uint8_t { None, File, Edit, Tools, Help, Icons, Surfaces };

using ControlHandler = void (TSDIAppForm::*)();

struct TControlDef {
    ControlId id;  // ignored for a Gap
    ControlKind kind;
    uint8_t toolbar;              // 1 or 2 for tool buttons, 0 for menu items
    MenuId menu;                  // menu items: which menu
    std::string_view shortcut;    // "Ctrl+N"; empty for none
    std::u16string_view picture;  // toolbar picture name; empty for none
    ControlHandler handler;       // nullptr: not built yet, does nothing
};

// The top-level menus in order, with their object names.
struct TMenuDef {
    MenuId id;
    std::string_view name;
};
std::span<const TMenuDef> MainMenus();

// Every control, toolbar 1, toolbar 2, then the menus in order.
std::span<const TControlDef> MainControls();

// The picture of the chosen accessory (65..68, 74) or surface (69..72).
std::u16string_view PictureOfImageIndex(int index);

}  // namespace quillet
