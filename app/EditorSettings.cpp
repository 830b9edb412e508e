// The Settings command: the dialog is filled from the circuit and the work
// area, and what it returns after OK is applied in one go.

#include <algorithm>
#include <string>

#include "app/Editor.h"
#include "model/Numeric.h"
#include "text/Languages.h"

namespace quillet {

namespace {

constexpr int kMinDetail = 1;
constexpr int kMaxDetail = 5;
constexpr int kMaxLanePairs = 4;

std::string CmText(int32_t mm) { return std::to_string(Round(mm / 10.0)); }

}  // namespace

TSettingsValues TEditor::SettingsForDialog() {
    TCircuit& c = Circuit();
    TSettingsValues v;
    c.workAreaLength = WorkAreaLength();
    c.workAreaWidth = WorkAreaWidth();
    v.backgroundItem = BackgroundItemOf(c.backgroundColour);
    // The lane count of a circuit with pieces changes by lane conversion.
    v.lanesEnabled = c.Count() == 0;
    // Single racing is built of NINCO-width loops.
    v.brandEnabled = !c.singleRacing;
    v.languageItem = LanguageIndex() == kEnglish ? 1 : 0;
    v.colourCode = c.colourCodeShown;
    v.lanesItem = c.singleRacing ? 0 : c.LanePairs() - 1;
    v.brandItem = c.startBrand == 1 ? 0 : 1;
    v.detail = std::clamp<int>(c.detailLevel, kMinDetail, kMaxDetail);
    v.lengthCm = CmText(WorkAreaLength());
    v.widthCm = CmText(WorkAreaWidth());
    v.gridCm = CmText(c.gridStep);
    return v;
}

bool TEditor::ApplySettings(const TSettingsValues& v) {
    TCircuit& c = Circuit();
    // The dialog does not close on OK with an empty field; should such values
    // arrive anyway, nothing is applied rather than half of it.
    if (CheckSettings(v) != SettingsProblem::None) return false;
    const TCircuit before = c;

    SetWorkArea(*SettingsFieldValue(v.lengthCm) * 10, *SettingsFieldValue(v.widthCm) * 10);
    // A grid of 0 would stall the grid drawing and the move commands: the
    // smallest spacing the field can hold, 1 cm, is the least it takes.
    c.gridStep = std::max(*SettingsFieldValue(v.gridCm), 1) * 10;
    if (v.lanesEnabled && c.Count() == 0) {
        c.lanePairs = static_cast<uint8_t>(std::clamp(v.lanesItem + 1, 1, kMaxLanePairs));
    }
    if (v.brandEnabled && !c.singleRacing) c.startBrand = v.brandItem == 0 ? 1 : 0;
    c.detailLevel = std::clamp(v.detail, kMinDetail, kMaxDetail);
    c.colourCodeShown = v.colourCode;
    if (v.backgroundItem >= 0 && v.backgroundItem < static_cast<int>(kBackgroundColours.size())) {
        c.backgroundColour = kBackgroundColours[static_cast<std::size_t>(v.backgroundItem)];
    }
    // These settings travel in the circuit's file.
    if (c.gridStep != before.gridStep || c.lanePairs != before.lanePairs || c.startBrand != before.startBrand ||
        c.detailLevel != before.detailLevel || c.colourCodeShown != before.colourCodeShown ||
        c.backgroundColour != before.backgroundColour || c.workAreaLength != before.workAreaLength ||
        c.workAreaWidth != before.workAreaWidth) {
        c.modified = true;
    }

    const int language = v.languageItem == 1 ? kEnglish : kSpanish;
    if (language == LanguageIndex()) return false;
    SetLanguageIndex(language);
    // A name that came from a file is the file's, whatever it reads; the
    // undo state is renamed too, so an Undo shows the same language.
    if (CurrentPath().empty()) {
        c.title = TitleForLanguage(c.title, language);
        UndoCircuit().title = TitleForLanguage(UndoCircuit().title, language);
    }
    return true;
}

bool TEditor::WorkingArea1Click() {
    TSettingsValues values = SettingsForDialog();
    if (!prompter_.EditSettings(values)) return false;
    return ApplySettings(values);
}

}  // namespace quillet
