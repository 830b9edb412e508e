#pragma once
// The notes' length limit, counted in characters as the user sees them (one
// per Unicode code point, a line break counting one), not in bytes: "ñ"
// takes two bytes of UTF-8 and one character of the 512. Toolkit-free, so
// the rule is tested without a window.

#include <cstddef>
#include <string_view>

namespace quillet {

inline constexpr std::size_t kNotesMaxCharacters = 512;

// Code points of well-formed UTF-8 text, as every text in memory is.
std::size_t CharacterCount(std::string_view utf8);

// The first `n` characters of UTF-8 text (all of it when it is shorter).
std::string_view FirstCharacters(std::string_view utf8, std::size_t n);

// What the notes take of `inserted`, typed or pasted over `replaced` of
// their `current` characters: its first characters, as many as keep the
// notes within the limit. Notes that are already longer (read from a file)
// take nothing more, and lose nothing either.
std::string_view FittingInsertion(std::size_t current, std::size_t replaced, std::string_view inserted,
                                  std::size_t limit = kNotesMaxCharacters);

}  // namespace quillet
