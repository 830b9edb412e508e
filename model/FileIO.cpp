#include "model/FileIO.h"

#include <charconv>
#include <cmath>

#include "platform/Platform.h"
#include "text/ExtraTexts.h"

namespace quillet {
namespace {

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// The words for a cause the platform layer gives.
void SetCause(std::string* error, int cause) {
    if (!error) return;
    switch (cause) {
        case platform::kNotRegularFile:
            *error = Text(XText::NotRegularFile);
            break;
        case platform::kFileTooLarge:
            *error = Text(XText::FileTooLarge);
            break;
        case platform::kWriteProtected:
            *error = Text(XText::FileWriteProtected);
            break;
        default:
            *error = SystemCause(cause);
            break;
    }
}

}  // namespace

int OpenRegularFile(const std::string& path, std::string* error) {
    int cause = 0;
    const int fd = platform::OpenRegularFile(path, &cause);
    if (fd < 0) SetCause(error, cause);
    return fd;
}

std::optional<std::string> ReadFileBytes(const std::string& path, std::string* error, std::size_t maxBytes) {
    int cause = 0;
    const int fd = platform::OpenRegularFile(path, &cause);
    if (fd < 0) {
        SetCause(error, cause);
        return std::nullopt;
    }
    std::string bytes;
    const bool read = platform::ReadOpenFile(fd, bytes, maxBytes, &cause);
    platform::CloseFile(fd);
    if (!read) {
        SetCause(error, cause);
        return std::nullopt;
    }
    return bytes;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
    const platform::ReplaceOutcome outcome = platform::ReplaceFileDurably(path, bytes);
    if (outcome.err == 0) return true;
    if (outcome.notConfirmed) {
        if (error) *error = Format(Text(XText::SaveNotConfirmed), SystemCause(outcome.err));
    } else {
        SetCause(error, outcome.err);
    }
    return false;
}

std::vector<std::string_view> SplitLines(std::string_view bytes) {
    if (const auto eof = bytes.find('\x1a'); eof != std::string_view::npos) bytes = bytes.substr(0, eof);
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t brk = bytes.find_first_of("\r\n", start);
        if (brk == std::string_view::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        lines.push_back(bytes.substr(start, brk - start));
        start = brk + 1;
        if (bytes[brk] == '\r' && start < bytes.size() && bytes[start] == '\n') ++start;
    }
    return lines;
}

std::optional<int64_t> ParseInteger(std::string_view text) {
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty() || (text.front() == '-' && text.size() == 1)) return std::nullopt;
    int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<double> ParseDecimal(std::string_view text) {
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty() || text.size() > 64) return std::nullopt;
    char buffer[65];
    std::size_t separators = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == ',' || c == '.') {
            c = '.';
            ++separators;
        } else if (c == '+') {
            // Only an exponent's sign, as in "1e+20", which FormatDecimal writes.
            if (i == 0 || (text[i - 1] != 'e' && text[i - 1] != 'E')) return std::nullopt;
        } else if (!(c >= '0' && c <= '9') && c != '-' && c != 'e' && c != 'E') {
            return std::nullopt;  // no "inf", "nan", hex or blanks inside
        }
        buffer[i] = c;
    }
    if (separators > 1) return std::nullopt;
    double value = 0.0;
    const char* last = buffer + text.size();
    const auto [end, ec] = std::from_chars(buffer, last, value);
    if (ec != std::errc() || end != last || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string FormatDecimal(double value, char separator) {
    if (!std::isfinite(value)) value = 0.0;
    if (value == 0.0) return "0";  // also for -0
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string text = ec == std::errc() ? std::string(buffer, end) : std::string("0");
    for (char& c : text) {
        if (c == '.') c = separator;
    }
    return text;
}

}  // namespace quillet
