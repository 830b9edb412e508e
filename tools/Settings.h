#pragma once
// The rules of the Settings dialog that need no window: the values it shows
// and returns, the key filter and exit checks of its number fields, and what
// must hold before OK may apply anything. The editor loads and applies the
// values (app/EditorSettings.cpp); the dialog (tools/area) only shows them.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillet {

// The background colours the dialog offers, in the order of its items
// (0xBBGGRR): white, grey, green and tan.
inline constexpr std::array<int32_t, 4> kBackgroundColours = {0xFFFFFF, 0xA0A0A0, 0x60A060, 0x7090A0};

// The item showing that colour, or -1 for a colour not offered.
int BackgroundItemOf(int32_t colour);

// Work area limits in mm, the same for the dialog and the resize handle.
inline constexpr int32_t kMinWorkArea = 1000;
inline constexpr int32_t kMaxWorkArea = 12000;

// The fields take at most this many characters.
inline constexpr int kAreaFieldMaxLength = 4;  // Edit1, Edit2 (cm)
inline constexpr int kGridFieldMaxLength = 2;  // Edit3 (cm)

// What the dialog shows and, after OK, what it hands back.
struct TSettingsValues {
    std::string lengthCm;  // Edit1
    std::string widthCm;   // Edit2
    std::string gridCm;    // Edit3
    int lanesItem = 0;     // RadioGroup1: lane pairs - 1 (2, 4, 6, 8 lanes)
    bool lanesEnabled = true;
    int brandItem = 0;  // RadioGroup2: 0 NINCO width, 1 SCX width
    bool brandEnabled = true;
    int detail = 3;           // TrackBar1, 1..5
    bool colourCode = false;  // CheckBox1
    int backgroundItem = 0;   // ComboBox2; -1 leaves the dialog's own choice
    int languageItem = 0;     // ComboBox1: language index - 1
    friend bool operator==(const TSettingsValues&, const TSettingsValues&) = default;
};

// The number fields take only digits and backspace (character 8) as typed
// characters.
bool SettingsKeyPasses(char32_t key);

// A field's whole number: digits only, nothing else; nothing for an empty or
// damaged text.
std::optional<int32_t> SettingsFieldValue(std::string_view text);

// Leaving Edit1 or Edit2: above 1200 becomes "1200"; 0, or an empty field,
// is put back to the current size in cm; the text is rewritten in its plain
// decimal form (leading zeros go).
std::string AreaFieldOnExit(std::string_view text, int32_t currentCm);

// Leaving Edit3. A grid of 0 cm would divide the grid drawing and the move
// commands by zero, so 0 becomes 1 cm, the smallest spacing the field can
// hold; an empty field is put back to the current spacing.
std::string GridFieldOnExit(std::string_view text, int32_t currentCm);

enum class SettingsProblem : uint8_t { None, EmptyLength, EmptyWidth, EmptyGrid };

// What keeps OK from applying: an empty (or unreadable) number field. The
// dialog then says so and stays open, so nothing is half applied.
SettingsProblem CheckSettings(const TSettingsValues& values);

}  // namespace quillet
