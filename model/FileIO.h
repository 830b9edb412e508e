#pragma once
// The file boundary shared by the circuit and stock files: reading a whole
// file with a size cap, writing atomically, splitting lines the way the files
// end them, and the number forms they hold.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// Circuit and stock files are a few kilobytes; anything far larger is not one
// of ours and is refused before it is read into memory.
inline constexpr std::size_t kMaxFileBytes = 16u * 1024u * 1024u;

// Reads the whole file. On failure returns nothing and, when `error` is given,
// a short cause ("No such file or directory", or the text of a file too large).
std::optional<std::string> ReadFileBytes(const std::string& path, std::string* error = nullptr,
                                         std::size_t maxBytes = kMaxFileBytes);

// Writes `bytes` to a temporary file beside `path`, flushes it to disk and
// renames it over `path`, so an interrupted or failed write never damages an
// existing file. An existing file's permissions are kept. On failure the
// temporary file is removed, `path` is untouched and `error` says why. When
// `path` is a symbolic link, the file it names is written.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error = nullptr);

// Lines as the program's files end them: CR ends a line and an LF directly
// after it belongs to the same line end; an LF alone is part of the text; a
// Ctrl-Z byte (26) ends the file. Text after the last line end is a last line.
std::vector<std::string_view> SplitLines(std::string_view bytes);

// A whole number: an optional sign and decimal digits, blanks around allowed.
std::optional<int64_t> ParseInteger(std::string_view text);

// A finite decimal number written with either a point or a comma as the
// decimal separator (files cross locales), optionally with an exponent.
std::optional<double> ParseDecimal(std::string_view text);

// General format with up to 15 significant digits, no trailing zeros, an
// exponent only for very large or very small values, and `separator` as the
// decimal separator ("1500", "0.785398163397448", "12,3").
std::string FormatDecimal(double value, char separator = '.');

}  // namespace quillet
