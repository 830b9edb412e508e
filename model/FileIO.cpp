#include "model/FileIO.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <random>

#include <cerrno>
#include <charconv>
#include <climits>
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
    void Release() { fd_ = -1; }
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

int OpenRegularFile(const std::string& path, std::string* error) {
    // Opened without waiting: a named pipe would otherwise hold the open
    // until some writer came, and the window with it. The descriptor is then
    // checked, not the name, so nothing can be swapped in between.
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (fd.get() < 0) {
        SetError(error, SystemCause(errno));
        return -1;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        SetError(error, SystemCause(errno));
        return -1;
    }
    if (S_ISDIR(st.st_mode)) {
        SetError(error, SystemCause(EISDIR));
        return -1;
    }
    // A pipe, a device or a socket may give bytes for ever, or none until
    // someone writes.
    if (!S_ISREG(st.st_mode)) {
        SetError(error, Text(XText::NotRegularFile));
        return -1;
    }
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
        SetError(error, SystemCause(errno));
        return -1;
    }
    const int opened = fd.get();
    fd.Release();
    return opened;
}

std::optional<std::string> ReadFileBytes(const std::string& path, std::string* error, std::size_t maxBytes) {
    Fd fd(OpenRegularFile(path, error));
    if (fd.get() < 0) return std::nullopt;
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

namespace {

// The temporary file of a save: "." + the target's name (cut short when
// the whole would not fit in a name) + "." + six of these characters.
constexpr std::string_view kTempAlphabet = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
constexpr std::size_t kTempRandom = 6;

std::string TempStem(const std::string& targetName) {
    std::string stem = "." + targetName + ".";
    if (stem.size() + kTempRandom > NAME_MAX) {
        std::size_t end = NAME_MAX - kTempRandom - 1;
        while (end > 1 && (static_cast<unsigned char>(stem[end]) & 0xC0) == 0x80) --end;
        stem.resize(end);
        stem += '.';
    }
    return stem;
}

std::string RandomSuffix() {
    thread_local std::mt19937_64 engine([] {
        std::random_device device;
        const uint64_t seed = (static_cast<uint64_t>(device()) << 32) ^ device() ^ static_cast<uint64_t>(::getpid()) ^
                              static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        return seed;
    }());
    std::uniform_int_distribution<std::size_t> pick(0, kTempAlphabet.size() - 1);
    std::string suffix(kTempRandom, 'a');
    for (char& c : suffix) c = kTempAlphabet[pick(engine)];
    return suffix;
}

bool IsTempName(std::string_view name, std::string_view stem) {
    if (name.size() != stem.size() + kTempRandom || name.substr(0, stem.size()) != stem) return false;
    const std::string_view tail = name.substr(stem.size());
    return std::all_of(tail.begin(), tail.end(),
                       [](char c) { return kTempAlphabet.find(c) != std::string_view::npos; });
}

// Removes what saves of the same file killed before their rename left
// behind. A save in progress, in this process or another, holds a lock on
// its temporary file from the moment it has made it, so it is never taken;
// only the user's own plain files are.
void RemoveLeftovers(const std::filesystem::path& dir, const std::string& stem) {
    DIR* raw = ::opendir(dir.c_str());
    if (raw == nullptr) return;
    const int dirFd = ::dirfd(raw);
    while (const dirent* entry = ::readdir(raw)) {
        const std::string_view name = entry->d_name;
        if (!IsTempName(name, stem)) continue;
        struct stat before {};
        if (::fstatat(dirFd, entry->d_name, &before, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (!S_ISREG(before.st_mode) || before.st_uid != ::geteuid()) continue;
        Fd fd(::openat(dirFd, entry->d_name, O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY));
        if (fd.get() < 0) continue;
        struct stat opened {};
        if (::fstat(fd.get(), &opened) != 0 || opened.st_dev != before.st_dev || opened.st_ino != before.st_ino) {
            continue;
        }
        if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) continue;  // a save is writing it
        // Still under that name: a save may have renamed it meanwhile.
        struct stat now {};
        if (::fstatat(dirFd, entry->d_name, &now, AT_SYMLINK_NOFOLLOW) != 0 || now.st_dev != opened.st_dev ||
            now.st_ino != opened.st_ino) {
            continue;
        }
        ::unlinkat(dirFd, entry->d_name, 0);
    }
    ::closedir(raw);
}

// Whether the user asked for the file not to be written: no write bit for
// its owner (which root, for whom access() allows everything, is refused by
// too), or no permission to write it.
bool IsWriteProtected(const std::string& path, const struct stat& st) {
    if (!S_ISREG(st.st_mode)) return false;
    if ((st.st_mode & S_IWUSR) == 0) return true;
    return ::access(path.c_str(), W_OK) != 0 && errno == EACCES;
}

}  // namespace

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

    struct stat existing {};
    const bool exists = ::stat(targetPath.c_str(), &existing) == 0;
    if (exists && IsWriteProtected(targetPath, existing)) {
        SetError(error, Text(XText::FileWriteProtected));
        return false;
    }

    const std::string stem = TempStem(target.filename().string());
    RemoveLeftovers(dir, stem);

    // Created with the mode of a new file, which the system derives from the
    // umask and the folder's default permissions; a replacement starts as the
    // user's alone and takes the existing file's owner, group and mode below.
    std::string temp;
    int raw = -1;
    for (int attempt = 0; attempt < 100 && raw < 0; ++attempt) {
        temp = (dir / (stem + RandomSuffix())).string();
        raw = ::open(temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, exists ? 0600 : 0666);
        if (raw < 0 && errno != EEXIST) break;
        if (raw < 0) continue;
        // Locked so that another save of the same file leaves it alone. If
        // that save took it in the moment before the lock, start again.
        struct stat st {};
        if (::flock(raw, LOCK_EX) != 0 || ::fstat(raw, &st) != 0 || st.st_nlink == 0) {
            ::close(raw);
            raw = -1;
            errno = EEXIST;
        }
    }
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

    if (exists) {
        // As far as the user may: a group they are not in cannot be given.
        if (::fchown(fd.get(), existing.st_uid, existing.st_gid) != 0 && errno != EPERM) return fail(errno);
        if (::fchmod(fd.get(), existing.st_mode & 07777) != 0) return fail(errno);
    }

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
    if (::rename(temp.c_str(), targetPath.c_str()) != 0) return fail(errno);
    // The lock goes with the descriptor, after the rename. From here on the
    // new file is in place, so it is not removed; but until the folder is
    // flushed a crash may bring back the old file, or none, so a failure is
    // not reported as a finished save.
    int err = fd.Close() != 0 ? errno : 0;
    if (err == 0) {
        Fd dirFd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (dirFd.get() < 0 || ::fsync(dirFd.get()) != 0) err = errno;
    }
    if (err != 0) {
        SetError(error, Format(Text(XText::SaveNotConfirmed), SystemCause(err)));
        return false;
    }
    return true;
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
