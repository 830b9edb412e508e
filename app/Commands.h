#pragma once
// The main window's commands as data. One row per command says what it runs,
// when it is enabled and when checked, its shortcut and picture, the texts
// the numbered table leaves to it, which of its controls start hidden, and
// the object names of its menu item and tool button. The window makes one
// QAction per command: the menu item is that action and the tool button
// shows it (QToolButton::setDefaultAction), so both run the command and show
// its state. A second list says where each control sits in the toolbars and
// menus.
//
// Adding a command: see CONTRIBUTING.md.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "app/Controls.h"
#include "text/ExtraTexts.h"

namespace quillet {

class TEditor;
struct TCommandFacts;

enum class CommandId : uint8_t {
    // File menu
    FileNew,
    FileOpen,
    FileSave,
    FileSaveAs,
    OpenTemplate,
    Print,
    ExportPng,
    ExportSvg,
    ExportPdf,
    ExportCsv,
    RecentFiles,
    Exit,
    // Edit menu
    Undo,
    CutTracks,
    CopyTracks,
    PasteTracks,
    SelectAll,
    Delete,
    CopyCircuit,
    // Tools menu
    Options,
    TrackList,
    Dimensions,
    Stock,
    StockControl,
    CloseCircuit,
    Equilibrate,
    Convert,
    Notes,
    LapTimes,
    Rulers,
    // Help menu
    About,
    // View and position (first toolbar)
    ZoomOut,
    ZoomIn,
    FitToWindow,
    Grid,
    ColourCode,
    ShowTemplate,
    RotateLeft,
    RotateRight,
    MoveUp,
    MoveDown,
    MoveLeft,
    MoveRight,
    Center,
    // The Insert Icon button and its menu, the surface button and its menu
    InsertIcon,
    IconController,
    IconLapCounter,
    IconStart,
    IconAssistant,
    IconPowerSource,
    Surface,
    SurfaceAsphalt,
    SurfaceSnow,
    SurfaceSand,
    SurfaceWater,
    // Pieces (second toolbar)
    InsertStartingStraight,
    InsertStandardStraight,
    InsertHalfStraight,
    InsertQuarterStraight,
    InsertChangeover,
    InsertStartingChicane,
    InsertChicaneStraight,
    InsertInnerCurve,
    InsertStandardCurve,
    InsertOuterCurve,
    InsertSuperOuterCurve,
    InsertCurvedChicane,
    InsertAdaptationChicane,
    // Attributes and whole-circuit tools (second toolbar)
    Orientation,
    Fix,
    InnerBorder,
    OuterBorder,
    DeleteInnerBorders,
    DeleteOuterBorders,
    DeleteAllBorders,
    CrashBarriers,
    DeleteCrashBarriers,
    AutomaticBorders,
    DeleteAutomaticBorders,
    SingleRacing,
    // Commands added later go here, before Count.
    SelectNone,
    SuggestCircuits,
    Count
};

inline constexpr std::size_t kCommandCount = static_cast<std::size_t>(CommandId::Count);

// What the window shows of a command: its action is enabled, and checked
// when the command is a check command.
struct TCommandState {
    bool enabled = true;
    bool checked = false;
    friend bool operator==(const TCommandState&, const TCommandState&) = default;
};

class TCommandStates {
public:
    TCommandState& operator[](CommandId id) { return states_[Slot(id)]; }
    const TCommandState& operator[](CommandId id) const { return states_[Slot(id)]; }
    friend bool operator==(const TCommandStates&, const TCommandStates&) = default;

private:
    static std::size_t Slot(CommandId id) { return static_cast<std::size_t>(id); }
    std::array<TCommandState, kCommandCount> states_{};
};

// How the window runs a command.
enum class RunKind : uint8_t {
    None,          // nothing: the curve buttons (they insert on release) and the submenu
    Editor,        // the editor method, then the refresh
    EditorOrShow,  // the editor method; the refresh when it returns true, else the
                   // controls are shown again (only a button's state changed)
    Placement,     // the editor method, then placing an accessory starts
    Window,        // the window does it itself: its own dialogs, tool windows,
                   // the clipboard, the printer (app/gui/MainControls.cpp)
};

struct TCommandRun {
    RunKind kind = RunKind::None;
    void (TEditor::*method)() = nullptr;         // Editor, Placement
    bool (TEditor::*showingMethod)() = nullptr;  // EditorOrShow
};

// A rule on the editor's state, gathered by the projection (app/Projection.h).
using TCommandRule = bool (*)(const TCommandFacts&);

// Which controls show at start.
enum class Shown : uint8_t {
    Always,
    Hidden,  // hidden for good: the command lives in the menu
    ByAlt6,  // hidden at start; Alt+6 shows and hides it
};

// How a command's tool button behaves.
enum class ButtonStyle : uint8_t {
    Click,
    DropDown,      // with its pop-up menu beside it (the row's popup)
    PressRelease,  // a curve button: the mouse button released on it chooses the turn
};

enum class MenuId : uint8_t { None, File, Edit, Tools, Help, Icons, Surfaces };
inline constexpr std::size_t kMenuCount = 7;

struct TCommandDef {
    CommandId id = CommandId::Count;
    TCommandRun run;
    TCommandRule enabled = nullptr;  // nullptr: always enabled
    TCommandRule checked = nullptr;  // nullptr: not a check command
    std::string_view shortcut;       // "Ctrl+N"; empty for none
    std::u16string_view picture;     // toolbar picture, shown by the menu item too
    // Texts beyond the numbered table (which reaches the controls by object
    // name, text/TextAssignments.cpp). The caption goes to the menu item; the
    // hint to the menu item and the tool button.
    std::optional<XText> caption;
    std::optional<XText> hint;
    ControlId item = kNoControl;  // menu item
    Shown itemShown = Shown::Always;
    bool subMenu = false;           // the item opens a menu the window fills
    ControlId button = kNoControl;  // tool button
    Shown buttonShown = Shown::Always;
    ButtonStyle buttonStyle = ButtonStyle::Click;
    MenuId popup = MenuId::None;  // a drop-down button's menu
};

// Every command, in the order of CommandId.
std::span<const TCommandDef> Commands();
const TCommandDef& CommandDef(CommandId id);

// The command a control belongs to; nothing for the named separators.
std::optional<CommandId> CommandOf(ControlId id);

// The controls of a freshly opened window: everything enabled, nothing
// pressed, all shown but those the rows hide at start.
TControlStates StartControlStates();

// Where a control sits, in the order it is shown: the first toolbar, the
// second, then the menus and the pop-up menus.
enum class ControlKind : uint8_t {
    Command,    // a command's menu item or tool button
    Separator,  // a toolbar separator that carries an object name
    Gap,        // a plain separator (no id)
};

struct TControlDef {
    ControlId id;
    ControlKind kind;
    uint8_t toolbar;  // 1 or 2 for the toolbars, 0 in a menu
    MenuId menu;      // the menu, for menu items
};
std::span<const TControlDef> MainControls();

// The top-level menus in order, with their object names.
struct TMenuDef {
    MenuId id;
    std::string_view name;
};
std::span<const TMenuDef> MainMenus();

// The picture of the chosen accessory (65..68, 74) or surface (69..72).
std::u16string_view PictureOfImageIndex(int index);

}  // namespace quillet
