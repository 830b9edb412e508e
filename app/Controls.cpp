#include "app/Controls.h"

#include <array>

namespace quillet {

namespace {

constexpr std::array<std::string_view, kControlCount> kNames = {
#define QUILLET_CONTROL_NAME(name) std::string_view(#name),
    QUILLET_CONTROLS(QUILLET_CONTROL_NAME)
#undef QUILLET_CONTROL_NAME
};

}  // namespace

std::string_view ControlName(ControlId id) {
    const auto i = static_cast<std::size_t>(id);
    return i < kNames.size() ? kNames[i] : std::string_view();
}

std::optional<ControlId> ControlByName(std::string_view name) {
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        if (kNames[i] == name) return static_cast<ControlId>(i);
    }
    return std::nullopt;
}

bool HiddenAtStart(ControlId id) {
    switch (id) {
        case ControlId::ToolButton50:  // Tracks Stock
        case ControlId::ToolButton6:   // Close Circuit
        case ControlId::ToolButton58:  // Convert
        case ControlId::ToolButton61:  // Lap Times
        case ControlId::ToolButton52:  // Automatic Borders
        case ControlId::ToolButton40:  // Delete Automatic Borders
        case ControlId::ToolButton60:  // Delete all borders
        case ControlId::ToolButton33:  // track surface, shown by Alt+6
        case ControlId::TiemposEstimados1:
            return true;
        default:
            return false;
    }
}

TControlStates StartControlStates() {
    TControlStates s;
    s.enabled.SetAll(true);
    s.visible.SetAll(true);
    for (std::size_t i = 0; i < kControlCount; ++i) {
        const auto id = static_cast<ControlId>(i);
        if (HiddenAtStart(id)) s.visible.Set(id, false);
    }
    return s;
}

}  // namespace quillet
