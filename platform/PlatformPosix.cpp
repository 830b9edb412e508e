// The platform layer on Linux: processes through /proc, files through the
// POSIX calls. Other POSIX systems get by where /proc is missing: a process
// is then only asked for by its id.

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <climits>
#include <filesystem>
#include <optional>
#include <random>
#include <utility>

#include "platform/Platform.h"

namespace quillet::platform {

namespace {

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

void SetErr(int* err, int value) {
    if (err) *err = value;
}

// A small file of /proc, or nothing.
std::optional<std::string> ReadSmallFile(const std::string& path, std::size_t maxBytes) {
    Fd fd(OpenRegularFile(path, nullptr));
    if (fd.get() < 0) return std::nullopt;
    std::string bytes;
    if (!ReadOpenFile(fd.get(), bytes, maxBytes, nullptr)) return std::nullopt;
    return bytes;
}

std::string Trimmed(std::string s) {
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ')) s.pop_back();
    return s;
}

std::optional<uint64_t> Unsigned(std::string_view text) {
    uint64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

// Fields 3 (the state) and 22 (when the process started, in clock ticks
// after boot) of /proc/<pid>/stat. The command name (field 2) may hold
// blanks and brackets, so the fields are counted from the last ')'.
struct ProcessStat {
    char state = 0;
    uint64_t startTicks = 0;
};

std::optional<ProcessStat> ProcessStatOf(int64_t pid) {
    const auto bytes = ReadSmallFile("/proc/" + std::to_string(pid) + "/stat", 4096);
    if (!bytes) return std::nullopt;
    const std::size_t close = bytes->rfind(')');
    if (close == std::string::npos) return std::nullopt;
    std::string_view rest = std::string_view(*bytes).substr(close + 1);
    // rest starts with " S ppid ...": field 3 is the first.
    ProcessStat stat;
    int field = 2;
    while (!rest.empty()) {
        const std::size_t start = rest.find_first_not_of(' ');
        if (start == std::string_view::npos) break;
        rest.remove_prefix(start);
        const std::size_t end = std::min(rest.find(' '), rest.size());
        ++field;
        if (field == 3) stat.state = rest.front();
        if (field == 22) {
            const auto ticks = Unsigned(Trimmed(std::string(rest.substr(0, end))));
            if (!ticks) return std::nullopt;
            stat.startTicks = *ticks;
            return stat;
        }
        rest.remove_prefix(end);
    }
    return std::nullopt;
}

}  // namespace

// ---------------------------------------------------------------------------
// Processes

int64_t CurrentProcessId() { return static_cast<int64_t>(::getpid()); }

std::string BootId() {
    const auto bytes = ReadSmallFile("/proc/sys/kernel/random/boot_id", 256);
    return bytes ? Trimmed(*bytes) : std::string();
}

uint64_t ProcessStartTicks(int64_t pid) {
    const auto stat = ProcessStatOf(pid);
    return stat ? stat->startTicks : 0;
}

bool ProcessRuns(int64_t pid, uint64_t startTicks) {
    if (pid <= 0) return false;
    if (const auto stat = ProcessStatOf(pid)) {
        // A process that has ended but is not yet collected by its parent
        // (a zombie) still has its entry, yet will never write again.
        if (stat->state == 'Z' || stat->state == 'X') return false;
        return startTicks == 0 || stat->startTicks == startTicks;
    }
    std::error_code ec;
    if (std::filesystem::exists("/proc/self/stat", ec)) return false;  // /proc works: that process is gone
    // No /proc: all that can be asked is whether the id is taken.
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

// ---------------------------------------------------------------------------
// Reading

int OpenRegularFile(const std::string& path, int* err) {
    // Opened without waiting; then the descriptor is checked, not the name,
    // so nothing can be swapped in between.
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (fd.get() < 0) {
        SetErr(err, errno);
        return -1;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        SetErr(err, errno);
        return -1;
    }
    if (S_ISDIR(st.st_mode)) {
        SetErr(err, EISDIR);
        return -1;
    }
    // A pipe, a device or a socket may give bytes for ever, or none until
    // someone writes.
    if (!S_ISREG(st.st_mode)) {
        SetErr(err, kNotRegularFile);
        return -1;
    }
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
        SetErr(err, errno);
        return -1;
    }
    const int opened = fd.get();
    fd.Release();
    return opened;
}

void CloseFile(int fd) {
    if (fd >= 0) ::close(fd);
}

bool ReadOpenFile(int fd, std::string& bytes, std::size_t maxBytes, int* err) {
    char buffer[16384];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            SetErr(err, errno);
            return false;
        }
        if (n == 0) return true;
        if (bytes.size() + static_cast<std::size_t>(n) > maxBytes) {
            SetErr(err, kFileTooLarge);
            return false;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

// ---------------------------------------------------------------------------
// Writing

namespace {

// The temporary file of a replacement: "." + the target's name (cut short
// when the whole would not fit in a name) + "." + six of these characters.
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

// Removes what replacements of the same file killed before their rename
// left behind. One in progress, in this process or another, holds a lock on
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
        if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) continue;  // a replacement is writing it
        // Still under that name: a replacement may have renamed it meanwhile.
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

ReplaceOutcome ReplaceFileDurably(const std::string& path, std::string_view bytes) {
    namespace fs = std::filesystem;
    fs::path target(path);
    // Through a symbolic link the file it names is replaced, not the link:
    // otherwise the link would become a copy and the real file keep the old
    // contents. A link to nothing is replaced as before.
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
    if (exists && IsWriteProtected(targetPath, existing)) return {kWriteProtected, false};

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
        // Locked so that another replacement of the same file leaves it
        // alone. If that one took it in the moment before the lock, start
        // again.
        struct stat st {};
        if (::flock(raw, LOCK_EX) != 0 || ::fstat(raw, &st) != 0 || st.st_nlink == 0) {
            ::close(raw);
            raw = -1;
            errno = EEXIST;
        }
    }
    if (raw < 0) return {errno, false};
    Fd fd(raw);
    auto fail = [&](int err) {
        fd.Close();
        ::unlink(temp.c_str());
        return ReplaceOutcome{err, false};
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
    // flushed a crash may bring back the old file, or none.
    int err = fd.Close() != 0 ? errno : 0;
    if (err == 0) {
        Fd dirFd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (dirFd.get() < 0 || ::fsync(dirFd.get()) != 0) err = errno;
    }
    return {err, err != 0};
}

int CreateFileDurably(const std::string& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return errno;
    int failure = 0;
    std::size_t done = 0;
    while (failure == 0 && done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n == 0 || errno != EINTR) {
            failure = n == 0 ? EIO : errno;
        }
    }
    if (failure == 0 && ::fsync(fd) != 0) failure = errno;
    if (::close(fd) != 0 && failure == 0) failure = errno;
    if (failure != 0) ::unlink(path.c_str());
    return failure;
}

bool FolderWritable(const std::string& folder) {
    std::error_code ec;
    return std::filesystem::is_directory(folder, ec) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

PathInTheWay WhatIsInTheWay(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return PathInTheWay::Nothing;
    if (S_ISDIR(st.st_mode)) return PathInTheWay::Folder;
    return IsWriteProtected(path, st) ? PathInTheWay::WriteProtected : PathInTheWay::Nothing;
}

}  // namespace quillet::platform
