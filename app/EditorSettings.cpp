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
    TSettingsValues v;
    current_.workAreaLength = workAreaLength_;
    current_.workAreaWidth = workAreaWidth_;
    v.backgroundItem = BackgroundItemOf(current_.backgroundColour);
    // The lane count of a circuit with pieces changes by lane conversion.
    v.lanesEnabled = current_.Count() == 0;
    // Single racing is built of NINCO-width loops.
    v.brandEnabled = !current_.singleRacing;
    v.languageItem = LanguageIndex() == kEnglish ? 1 : 0;
    v.colourCode = current_.colourCodeShown;
    v.lanesItem = current_.singleRacing ? 0 : current_.LanePairs() - 1;
    v.brandItem = current_.startBrand == 1 ? 0 : 1;
    v.detail = std::clamp<int>(current_.detailLevel, kMinDetail, kMaxDetail);
    v.lengthCm = CmText(workAreaLength_);
    v.widthCm = CmText(workAreaWidth_);
    v.gridCm = CmText(current_.gridStep);
    return v;
}

bool TEditor::ApplySettings(const TSettingsValues& v) {
    // The dialog does not close on OK with an empty field; should such values
    // arrive anyway, nothing is applied rather than half of it.
    if (CheckSettings(v) != SettingsProblem::None) return false;
    const TCircuit before = current_;

    SetWorkArea(*SettingsFieldValue(v.lengthCm) * 10, *SettingsFieldValue(v.widthCm) * 10);
    // A grid of 0 would stall the grid drawing and the move commands: the
    // smallest spacing the field can hold, 1 cm, is the least it takes.
    current_.gridStep = std::max(*SettingsFieldValue(v.gridCm), 1) * 10;
    if (v.lanesEnabled && current_.Count() == 0) {
        current_.lanePairs = static_cast<uint8_t>(std::clamp(v.lanesItem + 1, 1, kMaxLanePairs));
    }
    if (v.brandEnabled && !current_.singleRacing) current_.startBrand = v.brandItem == 0 ? 1 : 0;
    current_.detailLevel = std::clamp(v.detail, kMinDetail, kMaxDetail);
    current_.colourCodeShown = v.colourCode;
    if (v.backgroundItem >= 0 && v.backgroundItem < static_cast<int>(kBackgroundColours.size())) {
        current_.backgroundColour = kBackgroundColours[static_cast<std::size_t>(v.backgroundItem)];
    }
    // These settings travel in the circuit's file.
    if (current_.gridStep != before.gridStep || current_.lanePairs != before.lanePairs ||
        current_.startBrand != before.startBrand || current_.detailLevel != before.detailLevel ||
        current_.colourCodeShown != before.colourCodeShown || current_.backgroundColour != before.backgroundColour ||
        current_.workAreaLength != before.workAreaLength || current_.workAreaWidth != before.workAreaWidth) {
        current_.modified = true;
    }

    const int language = v.languageItem == 1 ? kEnglish : kSpanish;
    if (language == LanguageIndex()) return false;
    SetLanguageIndex(language);
    // A name that came from a file is the file's, whatever it reads; the
    // undo state is renamed too, so an Undo shows the same language.
    if (currentPath_.empty()) {
        current_.title = TitleForLanguage(current_.title, language);
        undo_.title = TitleForLanguage(undo_.title, language);
    }
    return true;
}

bool TEditor::WorkingArea1Click() {
    TSettingsValues values = SettingsForDialog();
    if (!prompter_.EditSettings(values)) return false;
    return ApplySettings(values);
}

}  // namespace quillet
