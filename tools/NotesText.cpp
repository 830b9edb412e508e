#include "tools/NotesText.h"

#include <algorithm>

namespace quillet {

namespace {

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::size_t CharacterCount(std::string_view utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) { return !IsContinuation(c); }));
}

std::string_view FirstCharacters(std::string_view utf8, std::size_t n) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (IsContinuation(utf8[i])) continue;
        if (seen == n) return utf8.substr(0, i);
        ++seen;
    }
    return utf8;
}

std::string_view FittingInsertion(std::size_t current, std::size_t replaced, std::string_view inserted,
                                  std::size_t limit) {
    const std::size_t kept = current - std::min(replaced, current);
    const std::size_t room = kept < limit ? limit - kept : 0;
    return FirstCharacters(inserted, room);
}

}  // namespace quillet
