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

// Opens a regular file for reading, never waiting: a named pipe, a device or
// a folder is refused at once. Returns the descriptor (the caller closes it),
// or -1 with a short cause in `error`.
int OpenRegularFile(const std::string& path, std::string* error = nullptr);

// Reads the whole regular file. On failure returns nothing and, when `error`
// is given, a short cause ("no such file or folder", "not a regular file", or
// the text of a file too large).
std::optional<std::string> ReadFileBytes(const std::string& path, std::string* error = nullptr,
                                         std::size_t maxBytes = kMaxFileBytes);

// Writes `bytes` to a temporary file beside `path`, flushes it to disk and
// renames it over `path`, so an interrupted or failed write never damages an
// existing file. An existing file's permissions are kept, and its owner and
// group as far as the user may give them. A file without write permission is
// refused and left as it was. Temporary files that earlier saves of the same
// file left behind when they were killed are removed. On failure the
// temporary file is removed, `path` is untouched and `error` says why, with
// one exception: when the folder cannot be flushed after the rename, the new
// file is in place but may not survive a crash, and that is reported as a
// failure so the caller does not take the work as safely saved. When `path`
// is a symbolic link, the file it names is written.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error = nullptr);

// Lines as the program's files end them, or as a text editor may have
// rewritten them: CR, CR LF and LF each end a line; a Ctrl-Z byte (26) ends
// the file. Text after the last line end is a last line.
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
