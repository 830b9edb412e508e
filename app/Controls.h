#pragma once
// Every control of the main window, named by the object name it carries in
// the window (tests and users' settings know them by it): the tool buttons of
// both toolbars, two named toolbar separators, the menu items and the items
// of the two pop-up menus. The command table (app/Commands.cpp) says which
// command each one belongs to and where it sits; the projection reports the
// enabled, pressed and visible state of each by this id.

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quillet {

// clang-format off
#define QUILLET_CONTROLS(X)                                                              \
    /* First toolbar */                                                                  \
    X(ToolButton9) X(ToolButton1) X(ToolButton2) X(ToolButton53) X(ToolButton56)         \
    X(ToolButton44) X(ToolButton49) X(ToolButton47) X(ToolButton4) X(ToolButton51)       \
    X(ToolButton50) X(ToolButton6) X(ToolButton58) X(ToolButton55) X(ToolButton61)       \
    X(ToolButton23) X(ToolButton33) X(ToolButton8) X(ToolButton10) X(ToolButton57)       \
    X(ToolButton18) X(ToolButton11) X(ToolButton12) X(ToolButton15) X(ToolButton14)      \
    X(ToolButton16) X(ToolButton17) X(ToolButton43) X(ToolButton5) X(ToolButton42)       \
    /* Second toolbar */                                                                 \
    X(ToolButton22) X(ToolButton21) X(ToolButton24) X(ToolButton25) X(ToolButton26)      \
    X(ToolButton27) X(ToolButton28) X(ToolButton45) X(ToolButton29) X(ToolButton30)      \
    X(ToolButton31) X(ToolButton32) X(ToolButton46) X(ToolButton34) X(ToolButton35)      \
    X(ToolButton36) X(ToolButton20) X(ToolButton38) X(ToolButton39) X(ToolButton65)      \
    X(ToolButton64) X(ToolButton60) X(ToolButton62) X(ToolButton63) X(ToolButton19)      \
    X(ToolButton52) X(ToolButton40) X(ToolButton59) X(ToolButton54)                      \
    /* File menu */                                                                      \
    X(FileNewItem) X(FileOpenItem) X(FileSaveItem) X(FileSaveAsItem) X(OpenTemplate1)    \
    X(Print1) X(ExportPng1) X(ExportSvg1) X(ExportPdf1) X(ExportCsv1) X(RecentFiles1)    \
    X(FileExitItem)                                                                      \
    /* Edit menu */                                                                      \
    X(Undo1) X(CutTrack1) X(CopyTrack1) X(PasteTrack1) X(SelectAll1) X(Delete1)          \
    X(CopyItem) X(SelectNone1)                                                           \
    /* Tools menu */                                                                     \
    X(WorkingArea1) X(TracksList1) X(CircuitDimensions1) X(StockControl1) X(Stock1)      \
    X(Close1) X(Equilibrate1) X(Convert1) X(Notes1) X(TiemposEstimados1) X(Reglas1)      \
    /* Help menu */                                                                      \
    X(HelpAboutItem)                                                                     \
    /* Icon pop-up menu: controller, lap counter, start, assistant, power source */      \
    X(asd1) X(asd2) X(asd3) X(Helper) X(PowerSource1)                                    \
    /* Surface pop-up menu: asphalt, snow, sand, water */                                \
    X(N11) X(N21) X(N31) X(N41)                                                          \
    /* Added later: Suggest Circuits' tool button and Tools menu item */                 \
    X(ToolButton66) X(SuggestCircuits1)
// clang-format on

enum class ControlId : uint8_t {
#define QUILLET_CONTROL_ENUM(name) name,
    QUILLET_CONTROLS(QUILLET_CONTROL_ENUM)
#undef QUILLET_CONTROL_ENUM
};

inline constexpr std::size_t kControlCount = 0
#define QUILLET_CONTROL_COUNT(name) +1
    QUILLET_CONTROLS(QUILLET_CONTROL_COUNT)
#undef QUILLET_CONTROL_COUNT
    ;

// No control: a command without a menu item or without a tool button.
inline constexpr ControlId kNoControl = static_cast<ControlId>(0xFF);
static_assert(kControlCount < 0xFF, "kNoControl names no control");

// The object name the control carries in the window ("ToolButton9").
std::string_view ControlName(ControlId id);
std::optional<ControlId> ControlByName(std::string_view name);

// One flag per control.
class TControlFlags {
public:
    bool operator[](ControlId id) const { return bits_[Slot(id)]; }
    void Set(ControlId id, bool on) { bits_.set(Slot(id), on); }
    void SetAll(bool on) { on ? bits_.set() : bits_.reset(); }
    friend bool operator==(const TControlFlags&, const TControlFlags&) = default;

private:
    static std::size_t Slot(ControlId id) { return static_cast<std::size_t>(id); }
    std::bitset<kControlCount> bits_;
};

// What the window shows of each control.
struct TControlStates {
    TControlFlags enabled;
    TControlFlags pressed;  // check buttons and the check menu item
    TControlFlags visible;
    friend bool operator==(const TControlStates&, const TControlStates&) = default;
};

}  // namespace quillet
