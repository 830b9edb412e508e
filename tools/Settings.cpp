#include "tools/Settings.h"

#include <string>

namespace quillet {

int BackgroundItemOf(int32_t colour) {
    for (std::size_t i = 0; i < kBackgroundColours.size(); ++i) {
        if (kBackgroundColours[i] == colour) return static_cast<int>(i);
    }
    return -1;
}

bool SettingsKeyPasses(char32_t key) { return (key >= U'0' && key <= U'9') || key == 8; }

std::optional<int32_t> SettingsFieldValue(std::string_view text) {
    // The fields hold at most four digits; anything longer is not ours.
    if (text.empty() || text.size() > 9) return std::nullopt;
    int32_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::string AreaFieldOnExit(std::string_view text, int32_t currentCm) {
    const std::optional<int32_t> value = SettingsFieldValue(text);
    if (!value || *value == 0) return std::to_string(currentCm);
    if (*value > kMaxWorkArea / 10) return std::to_string(kMaxWorkArea / 10);
    return std::to_string(*value);
}

std::string GridFieldOnExit(std::string_view text, int32_t currentCm) {
    const std::optional<int32_t> value = SettingsFieldValue(text);
    if (!value) return std::to_string(currentCm);
    if (*value == 0) return "1";
    return std::to_string(*value);
}

SettingsProblem CheckSettings(const TSettingsValues& values) {
    if (!SettingsFieldValue(values.lengthCm)) return SettingsProblem::EmptyLength;
    if (!SettingsFieldValue(values.widthCm)) return SettingsProblem::EmptyWidth;
    if (!SettingsFieldValue(values.gridCm)) return SettingsProblem::EmptyGrid;
    return SettingsProblem::None;
}

}  // namespace quillet
