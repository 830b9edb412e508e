#include "app/gui/MainControls.h"

#include "app/Editor.h"
#include "app/gui/Sdimain.h"

namespace quillet {

namespace {

using C = ControlId;
using K = ControlKind;
using M = MenuId;
using F = TSDIAppForm;
using E = TEditor;

constexpr TControlDef Tool(C id, uint8_t bar, std::u16string_view picture, ControlHandler h = nullptr,
                           K kind = K::Button) {
    return {id, kind, bar, M::None, {}, picture, h};
}
constexpr TControlDef Check(C id, uint8_t bar, std::u16string_view picture, ControlHandler h = nullptr) {
    return {id, K::CheckButton, bar, M::None, {}, picture, h};
}
constexpr TControlDef Gap(uint8_t bar) { return {C::ToolButton9, K::Gap, bar, M::None, {}, {}, nullptr}; }
constexpr TControlDef Item(C id, M menu, std::u16string_view picture = {}, ControlHandler h = nullptr,
                           std::string_view shortcut = {}, K kind = K::MenuItem) {
    return {id, kind, 0, menu, shortcut, picture, h};
}
constexpr TControlDef MenuGap(M menu) { return {C::ToolButton9, K::Gap, 0, menu, {}, {}, nullptr}; }

constexpr TMenuDef kMenus[] = {
    {M::File, "File1"},
    {M::Edit, "Edit1"},
    {M::Tools, "Tracks1"},
    {M::Help, "Help1"},
};

// clang-format off
constexpr TControlDef kControls[] = {
    // ---- First toolbar: files, tools, accessories, view, position.
    Tool(C::ToolButton9, 1, u"file-new", &F::FileNew1Execute),
    Tool(C::ToolButton1, 1, u"file-open", &F::FileOpen1Execute),
    Tool(C::ToolButton2, 1, u"file-save", &F::FileSave1Execute),
    Tool(C::ToolButton53, 1, u"file-print", &F::ToolButton53Click),
    Tool(C::ToolButton56, 1, u"copy-circuit", &F::ToolButton56Click),
    Tool(C::ToolButton44, 1, u"edit-undo", &F::ToolButton44Click),
    Gap(1),
    Tool(C::ToolButton49, 1, u"options", &F::WorkingArea1Click),
    Tool(C::ToolButton47, 1, u"track-list", &F::TracksList1Click),
    Tool(C::ToolButton4, 1, u"dimensions", &F::CircuitDimensions1Click),
    Tool(C::ToolButton51, 1, u"stock-control", &F::StockControl1Click),
    Tool(C::ToolButton50, 1, u"stock", &F::Stock1Click),
    Tool(C::ToolButton6, 1, u"close-circuit", &F::Close1Click),
    Tool(C::ToolButton58, 1, u"convert-lanes", &F::Convert1Click),
    Tool(C::ToolButton55, 1, u"notes", &F::ToolButton55Click),
    Tool(C::ToolButton61, 1, u"lap-times", &F::ToolButton61Click),
    Gap(1),
    Tool(C::ToolButton23, 1, u"insert-icon-lap-counter", &F::ToolButton23Click, K::DropDown),
    Tool(C::ToolButton33, 1, u"surface-asphalt", &F::ToolButton33Click, K::DropDown),
    Gap(1),
    Tool(C::ToolButton8, 1, u"zoom-out", &F::ToolButton12Click),
    Tool(C::ToolButton10, 1, u"zoom-in", &F::ToolButton11Click),
    Tool(C::ToolButton57, 1, u"fit-to-window", &F::ToolButton57Click),
    Check(C::ToolButton18, 1, u"grid", &F::ToolButton18Click),
    Gap(1),
    Tool(C::ToolButton11, 1, u"rotate-left", &F::Command<&E::RotateLeftClick>),
    Tool(C::ToolButton12, 1, u"rotate-right", &F::Command<&E::RotateRightClick>),
    Tool(C::ToolButton15, 1, u"move-up", &F::Command<&E::ToolButton15Click>),
    Tool(C::ToolButton14, 1, u"move-down", &F::Command<&E::ToolButton14Click>),
    Tool(C::ToolButton16, 1, u"move-left", &F::Command<&E::ToolButton16Click>),
    Tool(C::ToolButton17, 1, u"move-right", &F::Command<&E::ToolButton17Click>),
    Tool(C::ToolButton43, 1, u"center", &F::Command<&E::ToolButton43Click>),
    Gap(1),
    Check(C::ToolButton5, 1, u"show-color-code", &F::ToolButton5Click),
    Check(C::ToolButton42, 1, u"show-template", &F::ToolButton42Click),

    // ---- Second toolbar: pieces, attributes, deleting and whole-circuit tools.
    Tool(C::ToolButton22, 2, u"insert-starting-straight", &F::Command<&E::ToolButton22Click>),
    Tool(C::ToolButton21, 2, {}, nullptr, K::Separator),
    Tool(C::ToolButton24, 2, u"insert-standard-straight", &F::Command<&E::ToolButton24Click>),
    Tool(C::ToolButton25, 2, u"insert-half-straight", &F::Command<&E::ToolButton25Click>),
    Tool(C::ToolButton26, 2, u"insert-quarter-straight", &F::Command<&E::ToolButton26Click>),
    Tool(C::ToolButton27, 2, u"insert-changeover", &F::Command<&E::ToolButton27Click>),
    Tool(C::ToolButton28, 2, u"insert-starting-chicane", &F::Command<&E::ToolButton28Click>),
    Tool(C::ToolButton45, 2, u"insert-chicane-straight", &F::Command<&E::ToolButton45Click>),
    Tool(C::ToolButton29, 2, u"insert-inner-curve", nullptr, K::PressRelease),
    Tool(C::ToolButton30, 2, u"insert-standard-curve", nullptr, K::PressRelease),
    Tool(C::ToolButton31, 2, u"insert-outer-curve", nullptr, K::PressRelease),
    Tool(C::ToolButton32, 2, u"insert-super-outer-curve", nullptr, K::PressRelease),
    Tool(C::ToolButton46, 2, u"insert-curved-chicane", nullptr, K::PressRelease),
    Tool(C::ToolButton34, 2, u"insert-adaptation-chicane", &F::Command<&E::ToolButton34Click>),
    Tool(C::ToolButton35, 2, {}, nullptr, K::Separator),
    Tool(C::ToolButton36, 2, u"orientation", &F::Command<&E::ToolButton36Click>),
    Tool(C::ToolButton20, 2, u"fix", &F::Command<&E::ToolButton20Click>),
    Check(C::ToolButton38, 2, u"inner-border", &F::CommandOrShow<&E::ToolButton38Click>),
    Check(C::ToolButton39, 2, u"outer-border", &F::CommandOrShow<&E::ToolButton39Click>),
    Tool(C::ToolButton65, 2, u"delete-inner-borders", &F::Command<&E::ToolButton65Click>),
    Tool(C::ToolButton64, 2, u"delete-outer-borders", &F::Command<&E::ToolButton64Click>),
    Tool(C::ToolButton60, 2, u"delete-all-borders", &F::Command<&E::ToolButton60Click>),
    Tool(C::ToolButton62, 2, u"crash-barriers", &F::Command<&E::ToolButton62Click>),
    Tool(C::ToolButton63, 2, u"delete-crash-barriers", &F::Command<&E::ToolButton63Click>),
    Gap(2),
    Tool(C::ToolButton19, 2, u"edit-delete", &F::Command<&E::ToolButton19Click>),
    Tool(C::ToolButton52, 2, u"automatic-borders", &F::Command<&E::ToolButton52Click>),
    Tool(C::ToolButton40, 2, u"delete-automatic-borders", &F::Command<&E::ToolButton40Click>),
    Check(C::ToolButton59, 2, u"single-racing", &F::CommandOrShow<&E::ToolButton59Click>),
    Tool(C::ToolButton54, 2, u"equilibrate-lanes", &F::Command<&E::ToolButton54Click>),

    // ---- File menu.
    Item(C::FileNewItem, M::File, u"file-new", &F::FileNew1Execute, "Ctrl+N"),
    Item(C::FileOpenItem, M::File, u"file-open", &F::FileOpen1Execute, "Ctrl+O"),
    Item(C::FileSaveItem, M::File, u"file-save", &F::FileSave1Execute, "Ctrl+S"),
    Item(C::FileSaveAsItem, M::File, {}, &F::FileSave1Execute),
    MenuGap(M::File),
    Item(C::OpenTemplate1, M::File, u"show-template", &F::OpenTemplate1Click),
    MenuGap(M::File),
    Item(C::Print1, M::File, u"file-print", &F::ToolButton53Click),
    MenuGap(M::File),
    Item(C::ExportPng1, M::File, u"file-export-png", &F::ExportPng1Click),
    Item(C::ExportSvg1, M::File, u"file-export-svg", &F::ExportSvg1Click),
    Item(C::ExportPdf1, M::File, u"file-export-pdf", &F::ExportPdf1Click),
    Item(C::ExportCsv1, M::File, u"track-list", &F::ExportCsv1Click),
    MenuGap(M::File),
    Item(C::RecentFiles1, M::File, u"file-recent", nullptr, {}, K::SubMenu),
    MenuGap(M::File),
    Item(C::FileExitItem, M::File, {}, &F::FileExit1Execute),

    // ---- Edit menu.
    Item(C::Undo1, M::Edit, u"edit-undo", &F::ToolButton44Click, "Ctrl+Z"),
    MenuGap(M::Edit),
    Item(C::CutTrack1, M::Edit, {}, &F::CutTrack1Click, "Ctrl+X"),
    Item(C::CopyTrack1, M::Edit, {}, &F::CopyTrack1Click, "Ctrl+C"),
    Item(C::PasteTrack1, M::Edit, {}, &F::PasteTrack1Click, "Ctrl+V"),
    Item(C::SelectAll1, M::Edit, {}, &F::SelectAll1Click),
    MenuGap(M::Edit),
    Item(C::Delete1, M::Edit, u"edit-delete", &F::Command<&E::ToolButton19Click>, "Ctrl+Del"),
    MenuGap(M::Edit),
    Item(C::CopyItem, M::Edit, u"copy-circuit", &F::ToolButton56Click),

    // ---- Tools menu.
    Item(C::WorkingArea1, M::Tools, u"options", &F::WorkingArea1Click),
    MenuGap(M::Tools),
    Item(C::TracksList1, M::Tools, u"track-list", &F::TracksList1Click),
    Item(C::CircuitDimensions1, M::Tools, u"dimensions", &F::CircuitDimensions1Click),
    Item(C::Stock1, M::Tools, u"stock", &F::Stock1Click),
    Item(C::StockControl1, M::Tools, u"stock-control", &F::StockControl1Click),
    MenuGap(M::Tools),
    Item(C::Close1, M::Tools, u"close-circuit", &F::Close1Click),
    // The menu item does what its hint says, as the toolbar button does.
    Item(C::Equilibrate1, M::Tools, u"equilibrate-lanes", &F::Command<&E::ToolButton54Click>),
    Item(C::Convert1, M::Tools, u"convert-lanes", &F::Convert1Click),
    Item(C::Notes1, M::Tools, u"notes", &F::ToolButton55Click),
    Item(C::TiemposEstimados1, M::Tools, u"lap-times", &F::ToolButton61Click),
    MenuGap(M::Tools),
    Item(C::Reglas1, M::Tools, {}, &F::Reglas1Click, {}, K::CheckItem),

    // ---- Help menu.
    Item(C::HelpAboutItem, M::Help, {}, &F::HelpAbout1Execute),

    // ---- Insert Icon pop-up: controller, lap counter, start, assistant, power source.
    Item(C::asd1, M::Icons, u"insert-icon-controller", &F::asd1Click),
    Item(C::asd2, M::Icons, u"insert-icon-lap-counter", &F::asd2Click),
    Item(C::asd3, M::Icons, u"insert-icon-start", &F::asd3Click),
    Item(C::Helper, M::Icons, u"insert-icon-assistant", &F::HelperClick),
    Item(C::PowerSource1, M::Icons, u"insert-icon-power-source", &F::PowerSource1Click),

    // ---- Surface pop-up: asphalt, snow, sand, water.
    Item(C::N11, M::Surfaces, u"surface-asphalt", &F::N11Click),
    Item(C::N21, M::Surfaces, u"surface-snow", &F::N21Click),
    Item(C::N31, M::Surfaces, u"surface-sand", &F::N31Click),
    Item(C::N41, M::Surfaces, u"surface-water", &F::N41Click),
};
// clang-format on

}  // namespace

std::span<const TMenuDef> MainMenus() { return kMenus; }
std::span<const TControlDef> MainControls() { return kControls; }

std::u16string_view PictureOfImageIndex(int index) {
    switch (index) {
        case kImageLapCounter:
            return u"insert-icon-lap-counter";
        case kImageController:
            return u"insert-icon-controller";
        case kImageStart:
            return u"insert-icon-start";
        case kImageAssistant:
            return u"insert-icon-assistant";
        case kImagePowerSource:
            return u"insert-icon-power-source";
        case kImageSand:
            return u"surface-sand";
        case kImageAsphalt:
            return u"surface-asphalt";
        case kImageWater:
            return u"surface-water";
        case kImageSnow:
            return u"surface-snow";
        default:
            return {};
    }
}

}  // namespace quillet
