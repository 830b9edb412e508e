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

}  // namespace quillet
