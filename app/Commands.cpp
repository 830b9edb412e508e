#include "app/Commands.h"

#include <array>

#include "app/Editor.h"
#include "app/Projection.h"

namespace quillet {

namespace {

using C = ControlId;
using Cmd = CommandId;
using E = TEditor;
using F = TCommandFacts;
using M = MenuId;

constexpr TCommandRun Edit(void (E::*method)()) { return {RunKind::Editor, method, nullptr}; }
constexpr TCommandRun EditOrShow(bool (E::*method)()) { return {RunKind::EditorOrShow, nullptr, method}; }
constexpr TCommandRun Place(void (E::*method)()) { return {RunKind::Placement, method, nullptr}; }
constexpr TCommandRun ByWindow() { return {RunKind::Window, nullptr, nullptr}; }
constexpr TCommandRun Nothing() { return {}; }

// A row, written field by field.
class Row {
public:
    constexpr Row(CommandId id, TCommandRun run) {
        d_.id = id;
        d_.run = run;
    }
    constexpr Row Item(ControlId id, Shown shown = Shown::Always) const {
        Row r = *this;
        r.d_.item = id;
        r.d_.itemShown = shown;
        return r;
    }
    constexpr Row SubMenu() const {
        Row r = *this;
        r.d_.subMenu = true;
        return r;
    }
    constexpr Row Button(ControlId id, Shown shown = Shown::Always) const {
        Row r = *this;
        r.d_.button = id;
        r.d_.buttonShown = shown;
        return r;
    }
    constexpr Row DropDown(MenuId popup) const {
        Row r = *this;
        r.d_.buttonStyle = ButtonStyle::DropDown;
        r.d_.popup = popup;
        return r;
    }
    constexpr Row PressRelease() const {
        Row r = *this;
        r.d_.buttonStyle = ButtonStyle::PressRelease;
        return r;
    }
    constexpr Row Key(std::string_view shortcut) const {
        Row r = *this;
        r.d_.shortcut = shortcut;
        return r;
    }
    constexpr Row Picture(std::u16string_view picture) const {
        Row r = *this;
        r.d_.picture = picture;
        return r;
    }
    constexpr Row Enabled(TCommandRule rule) const {
        Row r = *this;
        r.d_.enabled = rule;
        return r;
    }
    constexpr Row Checked(TCommandRule rule) const {
        Row r = *this;
        r.d_.checked = rule;
        return r;
    }
    constexpr Row Texts(XText caption, std::optional<XText> hint = std::nullopt) const {
        Row r = *this;
        r.d_.caption = caption;
        r.d_.hint = hint;
        return r;
    }
    constexpr operator TCommandDef() const { return d_; }

private:
    TCommandDef d_;
};

// ---- Rules shared by several rows
constexpr bool Selection(const F& f) { return f.selection; }
constexpr bool HasTracks(const F& f) { return f.count > 0; }
// The plain pieces: room for one more, and not inside a chicane, which only
// chicane pieces and changeovers continue.
constexpr bool PlainPiece(const F& f) { return f.room && !f.insideChicane; }

// clang-format off
constexpr TCommandDef kCommands[] = {
    // ---- File menu
    Row(Cmd::FileNew, Edit(&E::FileNew1Execute))
        .Item(C::FileNewItem).Button(C::ToolButton9).Key("Ctrl+N").Picture(u"file-new"),
    Row(Cmd::FileOpen, Edit(&E::FileOpen1Execute))
        .Item(C::FileOpenItem).Button(C::ToolButton1).Key("Ctrl+O").Picture(u"file-open"),
    Row(Cmd::FileSave, Edit(&E::FileSave1Execute))
        .Item(C::FileSaveItem).Button(C::ToolButton2).Key("Ctrl+S").Picture(u"file-save"),
    // Save As always asks for the name, as Save does.
    Row(Cmd::FileSaveAs, Edit(&E::FileSave1Execute)).Item(C::FileSaveAsItem),
    Row(Cmd::OpenTemplate, Edit(&E::OpenTemplate1Click)).Item(C::OpenTemplate1).Picture(u"show-template"),
    Row(Cmd::Print, ByWindow()).Item(C::Print1).Button(C::ToolButton53).Picture(u"file-print"),
    Row(Cmd::ExportPng, ByWindow()).Item(C::ExportPng1).Picture(u"file-export-png")
        .Texts(XText::ExportPngMenu, XText::ExportPngHint),
    Row(Cmd::ExportSvg, ByWindow()).Item(C::ExportSvg1).Picture(u"file-export-svg")
        .Texts(XText::ExportSvgMenu, XText::ExportSvgHint),
    Row(Cmd::ExportPdf, ByWindow()).Item(C::ExportPdf1).Picture(u"file-export-pdf")
        .Texts(XText::ExportPdfMenu, XText::ExportPdfHint),
    Row(Cmd::ExportCsv, ByWindow()).Item(C::ExportCsv1).Picture(u"track-list")
        .Texts(XText::ExportCsvMenu, XText::ExportCsvHint),
    // The submenu has something to offer only while one of its files is there.
    Row(Cmd::RecentFiles, Nothing()).Item(C::RecentFiles1).SubMenu().Picture(u"file-recent")
        .Texts(XText::RecentFilesMenu, XText::RecentFilesHint)
        .Enabled([](const F& f) { return !f.editor.RecentFiles().Shown().empty(); }),
    Row(Cmd::Exit, ByWindow()).Item(C::FileExitItem),

    // ---- Edit menu
    Row(Cmd::Undo, Edit(&E::ToolButton44Click))
        .Item(C::Undo1).Button(C::ToolButton44).Key("Ctrl+Z").Picture(u"edit-undo"),
    Row(Cmd::CutTracks, Edit(&E::CutTrack1Click)).Item(C::CutTrack1).Key("Ctrl+X").Enabled(Selection),
    Row(Cmd::CopyTracks, Edit(&E::CopyTrack1Click)).Item(C::CopyTrack1).Key("Ctrl+C").Enabled(Selection),
    Row(Cmd::PasteTracks, Edit(&E::PasteTrack1Click)).Item(C::PasteTrack1).Key("Ctrl+V")
        .Enabled([](const F& f) { return f.editor.ClipboardCircuit().Count() >= 1 && f.selection; }),
    Row(Cmd::SelectAll, Edit(&E::SelectAll1Click)).Item(C::SelectAll1).Enabled(HasTracks),
    Row(Cmd::Delete, Edit(&E::ToolButton19Click))
        .Item(C::Delete1).Button(C::ToolButton19).Key("Ctrl+Del").Picture(u"edit-delete"),
    Row(Cmd::CopyCircuit, ByWindow()).Item(C::CopyItem).Button(C::ToolButton56).Picture(u"copy-circuit"),

    // ---- Tools menu
    Row(Cmd::Options, ByWindow()).Item(C::WorkingArea1).Button(C::ToolButton49).Picture(u"options"),
    Row(Cmd::TrackList, ByWindow()).Item(C::TracksList1).Button(C::ToolButton47).Picture(u"track-list"),
    Row(Cmd::Dimensions, ByWindow()).Item(C::CircuitDimensions1).Button(C::ToolButton4).Picture(u"dimensions"),
    Row(Cmd::Stock, ByWindow()).Item(C::Stock1).Button(C::ToolButton50, Shown::Hidden).Picture(u"stock"),
    Row(Cmd::StockControl, ByWindow()).Item(C::StockControl1).Button(C::ToolButton51).Picture(u"stock-control")
        .Texts(XText::StockControlMenu),
    Row(Cmd::CloseCircuit, Edit(&E::Close1Click))
        .Item(C::Close1).Button(C::ToolButton6, Shown::Hidden).Picture(u"close-circuit").Enabled(HasTracks),
    // The menu item does what its hint says, as the toolbar button does.
    Row(Cmd::Equilibrate, Edit(&E::ToolButton54Click))
        .Item(C::Equilibrate1).Button(C::ToolButton54).Picture(u"equilibrate-lanes"),
    Row(Cmd::Convert, Edit(&E::Convert1Click))
        .Item(C::Convert1).Button(C::ToolButton58, Shown::Hidden).Picture(u"convert-lanes"),
    Row(Cmd::Notes, ByWindow()).Item(C::Notes1).Button(C::ToolButton55).Picture(u"notes"),
    // The menu item comes with Alt+6; the button never shows.
    Row(Cmd::LapTimes, ByWindow())
        .Item(C::TiemposEstimados1, Shown::ByAlt6).Button(C::ToolButton61, Shown::Hidden).Picture(u"lap-times")
        .Texts(XText::LapTimesMenu),
    Row(Cmd::Rulers, Edit(&E::Reglas1Click)).Item(C::Reglas1)
        .Checked([](const F& f) { return f.editor.RulersVisible(); }),

    // ---- Help menu
    Row(Cmd::About, ByWindow()).Item(C::HelpAboutItem),

    // ---- View and position. Zoom: the limits hold for an empty circuit too,
    // so the buttons never keep the state of a circuit that is gone.
    Row(Cmd::ZoomOut, Edit(&E::ToolButton12Click)).Button(C::ToolButton8).Picture(u"zoom-out")
        .Enabled([](const F& f) { return f.circuit.scale < kMaxScale; }),
    Row(Cmd::ZoomIn, Edit(&E::ToolButton11Click)).Button(C::ToolButton10).Picture(u"zoom-in")
        .Enabled([](const F& f) { return f.circuit.scale > f.editor.MinimumScale(); }),
    Row(Cmd::FitToWindow, ByWindow()).Button(C::ToolButton57).Picture(u"fit-to-window"),
    Row(Cmd::Grid, Edit(&E::ToolButton18Click)).Button(C::ToolButton18).Picture(u"grid")
        .Checked([](const F& f) { return f.circuit.gridShown; }),
    Row(Cmd::ColourCode, Edit(&E::ToolButton5Click)).Button(C::ToolButton5).Picture(u"show-color-code")
        .Checked([](const F& f) { return f.circuit.colourCodeShown; }),
    Row(Cmd::ShowTemplate, Edit(&E::ToolButton42Click)).Button(C::ToolButton42).Picture(u"show-template")
        .Enabled([](const F& f) { return !f.circuit.templatePath.empty(); })
        .Checked([](const F& f) { return f.circuit.templateShown; }),
    Row(Cmd::RotateLeft, Edit(&E::RotateLeftClick)).Button(C::ToolButton11).Picture(u"rotate-left"),
    Row(Cmd::RotateRight, Edit(&E::RotateRightClick)).Button(C::ToolButton12).Picture(u"rotate-right"),
    Row(Cmd::MoveUp, Edit(&E::ToolButton15Click)).Button(C::ToolButton15).Picture(u"move-up"),
    Row(Cmd::MoveDown, Edit(&E::ToolButton14Click)).Button(C::ToolButton14).Picture(u"move-down"),
    Row(Cmd::MoveLeft, Edit(&E::ToolButton16Click)).Button(C::ToolButton16).Picture(u"move-left"),
    Row(Cmd::MoveRight, Edit(&E::ToolButton17Click)).Button(C::ToolButton17).Picture(u"move-right"),
    Row(Cmd::Center, Edit(&E::ToolButton43Click)).Button(C::ToolButton43).Picture(u"center"),

    // ---- Insert Icon: the kind on the button again, or one from its menu.
    Row(Cmd::InsertIcon, Place(&E::ToolButton23Click))
        .Button(C::ToolButton23).DropDown(M::Icons).Picture(u"insert-icon-lap-counter"),
    Row(Cmd::IconController, Place(&E::asd1Click)).Item(C::asd1).Picture(u"insert-icon-controller"),
    Row(Cmd::IconLapCounter, Place(&E::asd2Click)).Item(C::asd2).Picture(u"insert-icon-lap-counter"),
    Row(Cmd::IconStart, Place(&E::asd3Click)).Item(C::asd3).Picture(u"insert-icon-start"),
    Row(Cmd::IconAssistant, Place(&E::HelperClick)).Item(C::Helper).Picture(u"insert-icon-assistant"),
    Row(Cmd::IconPowerSource, Place(&E::PowerSource1Click)).Item(C::PowerSource1)
        .Picture(u"insert-icon-power-source"),
    // The track surface: the one on the button, or one from its menu.
    Row(Cmd::Surface, Edit(&E::ToolButton33Click))
        .Button(C::ToolButton33, Shown::ByAlt6).DropDown(M::Surfaces).Picture(u"surface-asphalt"),
    Row(Cmd::SurfaceAsphalt, Edit(&E::N11Click)).Item(C::N11).Picture(u"surface-asphalt"),
    Row(Cmd::SurfaceSnow, Edit(&E::N21Click)).Item(C::N21).Picture(u"surface-snow"),
    Row(Cmd::SurfaceSand, Edit(&E::N31Click)).Item(C::N31).Picture(u"surface-sand"),
    Row(Cmd::SurfaceWater, Edit(&E::N41Click)).Item(C::N41).Picture(u"surface-water"),

    // ---- Pieces. At the limit every insert is off, the chicanes included,
    // so no command can take the chain past 300 pieces. The curves insert
    // when the mouse button is released on them.
    Row(Cmd::InsertStartingStraight, Edit(&E::ToolButton22Click))
        .Button(C::ToolButton22).Picture(u"insert-starting-straight")
        .Enabled([](const F& f) { return PlainPiece(f) && f.noStartingStraight; }),
    Row(Cmd::InsertStandardStraight, Edit(&E::ToolButton24Click))
        .Button(C::ToolButton24).Picture(u"insert-standard-straight").Enabled(PlainPiece),
    Row(Cmd::InsertHalfStraight, Edit(&E::ToolButton25Click))
        .Button(C::ToolButton25).Picture(u"insert-half-straight").Enabled(PlainPiece),
    Row(Cmd::InsertQuarterStraight, Edit(&E::ToolButton26Click))
        .Button(C::ToolButton26).Picture(u"insert-quarter-straight").Enabled(PlainPiece),
    Row(Cmd::InsertChangeover, Edit(&E::ToolButton27Click))
        .Button(C::ToolButton27).Picture(u"insert-changeover").Enabled([](const F& f) { return f.room; }),
    Row(Cmd::InsertStartingChicane, Edit(&E::ToolButton28Click))
        .Button(C::ToolButton28).Picture(u"insert-starting-chicane")
        .Enabled([](const F& f) { return f.room && f.chicaneStarts; }),
    Row(Cmd::InsertChicaneStraight, Edit(&E::ToolButton45Click))
        .Button(C::ToolButton45).Picture(u"insert-chicane-straight")
        .Enabled([](const F& f) { return f.room && f.insideChicane; }),
    Row(Cmd::InsertInnerCurve, Nothing())
        .Button(C::ToolButton29).PressRelease().Picture(u"insert-inner-curve").Enabled(PlainPiece),
    // More lane pairs leave fewer curves: Super Outer above one pair, Outer
    // above two, Standard above three.
    Row(Cmd::InsertStandardCurve, Nothing())
        .Button(C::ToolButton30).PressRelease().Picture(u"insert-standard-curve")
        .Enabled([](const F& f) { return PlainPiece(f) && !(f.count > 0 && f.lanePairs > 3); }),
    Row(Cmd::InsertOuterCurve, Nothing())
        .Button(C::ToolButton31).PressRelease().Picture(u"insert-outer-curve")
        .Enabled([](const F& f) { return PlainPiece(f) && !(f.count > 0 && f.lanePairs > 2); }),
    Row(Cmd::InsertSuperOuterCurve, Nothing())
        .Button(C::ToolButton32).PressRelease().Picture(u"insert-super-outer-curve")
        .Enabled([](const F& f) { return PlainPiece(f) && !(f.count > 0 && f.lanePairs > 1); }),
    Row(Cmd::InsertCurvedChicane, Nothing())
        .Button(C::ToolButton46).PressRelease().Picture(u"insert-curved-chicane")
        .Enabled([](const F& f) { return f.room && f.curvedChicane; }),
    // Not on an empty circuit, nor with more than one lane pair.
    Row(Cmd::InsertAdaptationChicane, Edit(&E::ToolButton34Click))
        .Button(C::ToolButton34).Picture(u"insert-adaptation-chicane")
        .Enabled([](const F& f) { return PlainPiece(f) && f.count > 0 && f.lanePairs == 1; }),

    // ---- Attributes and whole-circuit tools. With nothing selected the
    // border buttons show (and set) what new pieces get: their pressed state
    // is the editor's, kept between refreshes.
    Row(Cmd::Orientation, Edit(&E::ToolButton36Click)).Button(C::ToolButton36).Picture(u"orientation"),
    Row(Cmd::Fix, Edit(&E::ToolButton20Click)).Button(C::ToolButton20).Picture(u"fix"),
    Row(Cmd::InnerBorder, EditOrShow(&E::ToolButton38Click)).Button(C::ToolButton38).Picture(u"inner-border")
        .Checked([](const F& f) { return f.editor.Controls().pressed[C::ToolButton38]; }),
    Row(Cmd::OuterBorder, EditOrShow(&E::ToolButton39Click)).Button(C::ToolButton39).Picture(u"outer-border")
        .Checked([](const F& f) { return f.editor.Controls().pressed[C::ToolButton39]; }),
    Row(Cmd::DeleteInnerBorders, Edit(&E::ToolButton65Click))
        .Button(C::ToolButton65).Picture(u"delete-inner-borders"),
    Row(Cmd::DeleteOuterBorders, Edit(&E::ToolButton64Click))
        .Button(C::ToolButton64).Picture(u"delete-outer-borders"),
    Row(Cmd::DeleteAllBorders, Edit(&E::ToolButton60Click))
        .Button(C::ToolButton60, Shown::Hidden).Picture(u"delete-all-borders"),
    Row(Cmd::CrashBarriers, Edit(&E::ToolButton62Click)).Button(C::ToolButton62).Picture(u"crash-barriers"),
    Row(Cmd::DeleteCrashBarriers, Edit(&E::ToolButton63Click))
        .Button(C::ToolButton63).Picture(u"delete-crash-barriers"),
    Row(Cmd::AutomaticBorders, Edit(&E::ToolButton52Click))
        .Button(C::ToolButton52, Shown::Hidden).Picture(u"automatic-borders"),
    Row(Cmd::DeleteAutomaticBorders, Edit(&E::ToolButton40Click))
        .Button(C::ToolButton40, Shown::Hidden).Picture(u"delete-automatic-borders"),
    // Refused on more than two lanes: then only the button's state is shown again.
    Row(Cmd::SingleRacing, EditOrShow(&E::ToolButton59Click)).Button(C::ToolButton59).Picture(u"single-racing")
        .Enabled([](const F& f) { return f.singleRacingAllowed; })
        .Checked([](const F& f) { return f.circuit.singleRacing; }),

    // ---- Added later
    // Tracks and accessories alike: whatever Delete would take.
    Row(Cmd::SelectNone, Edit(&E::SelectNone1Click)).Item(C::SelectNone1).Key("Ctrl+Shift+A")
        .Texts(XText::SelectNoneMenu, XText::SelectNoneHint)
        .Enabled([](const F& f) {
            for (const TTrack& t : f.circuit.Tracks()) {
                if (t.selected) return true;
            }
            for (const TIconSlot& icon : f.circuit.icons) {
                if (icon.selected && icon.kind != 0) return true;
            }
            return f.selection;
        }),
    // Its window asks for the table and the pieces and opens the one chosen.
    Row(Cmd::SuggestCircuits, ByWindow()).Item(C::SuggestCircuits1).Button(C::ToolButton66)
        .Picture(u"suggest-circuits").Texts(XText::SuggestCircuitsMenu, XText::SuggestCircuitsHint),
};

// ---- Where each control sits.
constexpr TControlDef Bar(uint8_t toolbar, C id) { return {id, ControlKind::Command, toolbar, M::None}; }
constexpr TControlDef BarSeparator(uint8_t toolbar, C id) { return {id, ControlKind::Separator, toolbar, M::None}; }
constexpr TControlDef BarGap(uint8_t toolbar) { return {kNoControl, ControlKind::Gap, toolbar, M::None}; }
constexpr TControlDef In(M menu, C id) { return {id, ControlKind::Command, 0, menu}; }
constexpr TControlDef MenuGap(M menu) { return {kNoControl, ControlKind::Gap, 0, menu}; }

constexpr TControlDef kLayout[] = {
    // First toolbar: files, tools, accessories, view, position.
    Bar(1, C::ToolButton9), Bar(1, C::ToolButton1), Bar(1, C::ToolButton2), Bar(1, C::ToolButton53),
    Bar(1, C::ToolButton56), Bar(1, C::ToolButton44),
    BarGap(1),
    Bar(1, C::ToolButton49), Bar(1, C::ToolButton47), Bar(1, C::ToolButton4), Bar(1, C::ToolButton51),
    Bar(1, C::ToolButton50), Bar(1, C::ToolButton6), Bar(1, C::ToolButton58), Bar(1, C::ToolButton55),
    Bar(1, C::ToolButton61), Bar(1, C::ToolButton66),
    BarGap(1),
    Bar(1, C::ToolButton23), Bar(1, C::ToolButton33),
    BarGap(1),
    Bar(1, C::ToolButton8), Bar(1, C::ToolButton10), Bar(1, C::ToolButton57), Bar(1, C::ToolButton18),
    BarGap(1),
    Bar(1, C::ToolButton11), Bar(1, C::ToolButton12), Bar(1, C::ToolButton15), Bar(1, C::ToolButton14),
    Bar(1, C::ToolButton16), Bar(1, C::ToolButton17), Bar(1, C::ToolButton43),
    BarGap(1),
    Bar(1, C::ToolButton5), Bar(1, C::ToolButton42),

    // Second toolbar: pieces, attributes, deleting and whole-circuit tools.
    Bar(2, C::ToolButton22), BarSeparator(2, C::ToolButton21),
    Bar(2, C::ToolButton24), Bar(2, C::ToolButton25), Bar(2, C::ToolButton26), Bar(2, C::ToolButton27),
    Bar(2, C::ToolButton28), Bar(2, C::ToolButton45), Bar(2, C::ToolButton29), Bar(2, C::ToolButton30),
    Bar(2, C::ToolButton31), Bar(2, C::ToolButton32), Bar(2, C::ToolButton46), Bar(2, C::ToolButton34),
    BarSeparator(2, C::ToolButton35),
    Bar(2, C::ToolButton36), Bar(2, C::ToolButton20), Bar(2, C::ToolButton38), Bar(2, C::ToolButton39),
    Bar(2, C::ToolButton65), Bar(2, C::ToolButton64), Bar(2, C::ToolButton60), Bar(2, C::ToolButton62),
    Bar(2, C::ToolButton63),
    BarGap(2),
    Bar(2, C::ToolButton19), Bar(2, C::ToolButton52), Bar(2, C::ToolButton40), Bar(2, C::ToolButton59),
    Bar(2, C::ToolButton54),

    // File menu.
    In(M::File, C::FileNewItem), In(M::File, C::FileOpenItem), In(M::File, C::FileSaveItem),
    In(M::File, C::FileSaveAsItem),
    MenuGap(M::File),
    In(M::File, C::OpenTemplate1),
    MenuGap(M::File),
    In(M::File, C::Print1),
    MenuGap(M::File),
    In(M::File, C::ExportPng1), In(M::File, C::ExportSvg1), In(M::File, C::ExportPdf1), In(M::File, C::ExportCsv1),
    MenuGap(M::File),
    In(M::File, C::RecentFiles1),
    MenuGap(M::File),
    In(M::File, C::FileExitItem),

    // Edit menu.
    In(M::Edit, C::Undo1),
    MenuGap(M::Edit),
    In(M::Edit, C::CutTrack1), In(M::Edit, C::CopyTrack1), In(M::Edit, C::PasteTrack1), In(M::Edit, C::SelectAll1),
    In(M::Edit, C::SelectNone1),
    MenuGap(M::Edit),
    In(M::Edit, C::Delete1),
    MenuGap(M::Edit),
    In(M::Edit, C::CopyItem),

    // Tools menu.
    In(M::Tools, C::WorkingArea1),
    MenuGap(M::Tools),
    In(M::Tools, C::TracksList1), In(M::Tools, C::CircuitDimensions1), In(M::Tools, C::Stock1),
    In(M::Tools, C::StockControl1),
    MenuGap(M::Tools),
    In(M::Tools, C::Close1), In(M::Tools, C::Equilibrate1), In(M::Tools, C::Convert1), In(M::Tools, C::Notes1),
    In(M::Tools, C::TiemposEstimados1), In(M::Tools, C::SuggestCircuits1),
    MenuGap(M::Tools),
    In(M::Tools, C::Reglas1),

    // Help menu.
    In(M::Help, C::HelpAboutItem),

    // Insert Icon pop-up: controller, lap counter, start, assistant, power source.
    In(M::Icons, C::asd1), In(M::Icons, C::asd2), In(M::Icons, C::asd3), In(M::Icons, C::Helper),
    In(M::Icons, C::PowerSource1),
    // Surface pop-up: asphalt, snow, sand, water.
    In(M::Surfaces, C::N11), In(M::Surfaces, C::N21), In(M::Surfaces, C::N31), In(M::Surfaces, C::N41),
};
// clang-format on

constexpr TMenuDef kMenus[] = {
    {M::File, "File1"},
    {M::Edit, "Edit1"},
    {M::Tools, "Tracks1"},
    {M::Help, "Help1"},
};

// ---- The table checked as it is compiled: a row out of place, a control
// given to two commands, or one that no toolbar or menu shows, stops the
// build here instead of showing up as a missing or dead control.

consteval bool RowsFollowTheEnumeration() {
    if (std::size(kCommands) != kCommandCount) return false;
    for (std::size_t i = 0; i < kCommandCount; ++i) {
        if (static_cast<std::size_t>(kCommands[i].id) != i) return false;
    }
    return true;
}
static_assert(RowsFollowTheEnumeration(), "one row per command, in the order of CommandId");

consteval int RowsNaming(ControlId id) {
    int n = 0;
    for (const TCommandDef& d : kCommands) n += (d.item == id) + (d.button == id);
    return n;
}

consteval int PlacesOf(ControlId id, bool onToolbar) {
    int n = 0;
    for (const TControlDef& p : kLayout) {
        if (p.id == id && (p.toolbar != 0) == onToolbar && p.kind == ControlKind::Command) ++n;
    }
    return n;
}

consteval bool EveryControlHasOneCommandAndOnePlace() {
    for (std::size_t i = 0; i < kControlCount; ++i) {
        const auto id = static_cast<ControlId>(i);
        int places = 0;
        int separators = 0;
        for (const TControlDef& p : kLayout) {
            if (p.id != id) continue;
            ++places;
            separators += p.kind == ControlKind::Separator;
        }
        if (places != 1) return false;
        if (RowsNaming(id) != 1 - separators) return false;
    }
    for (const TCommandDef& d : kCommands) {
        if (d.item == kNoControl && d.button == kNoControl) return false;
        if (d.item != kNoControl && PlacesOf(d.item, false) != 1) return false;
        if (d.button != kNoControl && PlacesOf(d.button, true) != 1) return false;
        if ((d.buttonStyle == ButtonStyle::DropDown) != (d.popup != M::None)) return false;
        if (d.subMenu && d.item == kNoControl) return false;
    }
    return true;
}
static_assert(EveryControlHasOneCommandAndOnePlace(),
              "every control belongs to one command (or is a named separator) and sits in one place: "
              "a menu item in a menu, a tool button on a toolbar");

// That every editor command names its method is checked by the tests, not
// here: GCC's undefined-behaviour sanitizer makes a member pointer's
// comparison with null no constant expression.

struct TControlOwners {
    std::array<CommandId, kControlCount> command{};
    std::array<bool, kControlCount> owned{};
};

consteval TControlOwners Owners() {
    TControlOwners o;
    for (const TCommandDef& d : kCommands) {
        for (const ControlId id : {d.item, d.button}) {
            if (id == kNoControl) continue;
            o.command[static_cast<std::size_t>(id)] = d.id;
            o.owned[static_cast<std::size_t>(id)] = true;
        }
    }
    return o;
}
constexpr TControlOwners kOwners = Owners();

}  // namespace

std::span<const TCommandDef> Commands() { return kCommands; }

const TCommandDef& CommandDef(CommandId id) { return kCommands[static_cast<std::size_t>(id)]; }

std::optional<CommandId> CommandOf(ControlId id) {
    const auto i = static_cast<std::size_t>(id);
    if (i >= kControlCount || !kOwners.owned[i]) return std::nullopt;
    return kOwners.command[i];
}

TControlStates StartControlStates() {
    TControlStates s;
    s.enabled.SetAll(true);
    s.visible.SetAll(true);
    for (const TCommandDef& d : kCommands) {
        if (d.item != kNoControl && d.itemShown != Shown::Always) s.visible.Set(d.item, false);
        if (d.button != kNoControl && d.buttonShown != Shown::Always) s.visible.Set(d.button, false);
    }
    return s;
}

std::span<const TControlDef> MainControls() { return kLayout; }
std::span<const TMenuDef> MainMenus() { return kMenus; }

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
