#include "model/FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "text/ExtraTexts.h"

namespace quillet {
namespace {

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

void SetError(std::string* error, std::string text) {
    if (error) *error = std::move(text);
}

// Closes the descriptor on every path out of a function.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() { Close(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int Close() {
        int rc = 0;
        if (fd_ >= 0) rc = ::close(fd_);
        fd_ = -1;
        return rc;
    }

private:
    int fd_;
};

}  // namespace

std::optional<std::string> ReadFileBytes(const std::string& path, std::string* error,
                                         std::size_t maxBytes) {
    // Opened without waiting: a named pipe would otherwise hold the open
    // until some writer came, and the window with it. Reads wait again, so a
    // pipe with a writer still gives all it writes and one without ends at once.
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) {
        SetError(error, SystemCause(errno));
        return std::nullopt;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) == 0 && S_ISDIR(st.st_mode)) {
        SetError(error, SystemCause(EISDIR));
        return std::nullopt;
    }
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
        SetError(error, SystemCause(errno));
        return std::nullopt;
    }
    std::string bytes;
    char buffer[16384];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            SetError(error, SystemCause(errno));
            return std::nullopt;
        }
        if (n == 0) break;
        if (bytes.size() + static_cast<std::size_t>(n) > maxBytes) {
            SetError(error, Text(XText::FileTooLarge));
            return std::nullopt;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return bytes;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
    namespace fs = std::filesystem;
    fs::path target(path);
    // Through a symbolic link the file it names is replaced, not the link:
    // otherwise the link would become a copy and the real file keep the old
    // circuit. A link to nothing is replaced as before.
    std::error_code linkError;
    if (fs::is_symlink(target, linkError)) {
        fs::path resolved = fs::canonical(target, linkError);
        if (!linkError) target = std::move(resolved);
    }
    const std::string targetPath = target.string();
    fs::path dir = target.parent_path();
    if (dir.empty()) dir = ".";
    // The temporary name must fit where the target's name just fits: it is
    // cut short (not inside a UTF-8 character) to leave room for the suffix.
    constexpr std::string_view kSuffix = ".XXXXXX";
    std::string stem = "." + target.filename().string();
    if (stem.size() + kSuffix.size() > NAME_MAX) {
        std::size_t end = NAME_MAX - kSuffix.size();
        while (end > 1 && (static_cast<unsigned char>(stem[end]) & 0xC0) == 0x80) --end;
        stem.resize(end);
    }
    std::string temp = (dir / (stem + std::string(kSuffix))).string();

    const int raw = ::mkstemp(temp.data());
    if (raw < 0) {
        SetError(error, SystemCause(errno));
        return false;
    }
    Fd fd(raw);
    auto fail = [&](int err) {
        fd.Close();
        ::unlink(temp.c_str());
        SetError(error, SystemCause(err));
        return false;
    };

    // mkstemp makes the file private; give it the target's mode, or the
    // usual mode of a new file.
    struct stat st {};
    mode_t mode;
    if (::stat(targetPath.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd.get(), mode) != 0) return fail(errno);

    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail(errno);
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd.get()) != 0) return fail(errno);
    if (fd.Close() != 0) return fail(errno);
    if (::rename(temp.c_str(), targetPath.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        SetError(error, SystemCause(err));
        return false;
    }
    // Make the rename itself durable.
    Fd dirFd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dirFd.get() >= 0) ::fsync(dirFd.get());
    return true;
}

std::vector<std::string_view> SplitLines(std::string_view bytes) {
    if (const auto eof = bytes.find('\x1a'); eof != std::string_view::npos) bytes = bytes.substr(0, eof);
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t cr = bytes.find('\r', start);
        if (cr == std::string_view::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        lines.push_back(bytes.substr(start, cr - start));
        start = cr + 1;
        if (start < bytes.size() && bytes[start] == '\n') ++start;
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
