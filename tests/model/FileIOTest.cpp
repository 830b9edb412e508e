#include <gtest/gtest.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sys/file.h>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <set>
#include <string>
#include <thread>

#include "model/FileIO.h"
#include "text/ExtraTexts.h"
#include "text/Languages.h"

using namespace quillet;
namespace fs = std::filesystem;

TEST(FileIO, SplitLinesFollowsTheFilesLineEnds) {
    // CR ends a line; CR LF is one line end; LF alone ends one too, as a
    // text editor may leave the file; Ctrl-Z ends the file.
    const std::string bytes = std::string(
        "a\rb\r\nc\nd\r\r\ne\x1a"
        "f\r");
    const auto lines = SplitLines(bytes);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "a");
    EXPECT_EQ(lines[1], "b");
    EXPECT_EQ(lines[2], "c");
    EXPECT_EQ(lines[3], "d");
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[5], "e");
    EXPECT_TRUE(SplitLines("").empty());
    EXPECT_EQ(SplitLines("x\r\n").size(), 1u);
    // LF CR is two line ends, with an empty line between.
    const auto lfCr = SplitLines("x\n\ry\n");
    ASSERT_EQ(lfCr.size(), 3u);
    EXPECT_EQ(lfCr[1], "");
    EXPECT_EQ(lfCr[2], "y");
}

TEST(FileIO, NumbersReadStrictlyAndAcrossLocales) {
    EXPECT_EQ(ParseInteger("42"), 42);
    EXPECT_EQ(ParseInteger(" -7 "), -7);
    EXPECT_EQ(ParseInteger("+3"), 3);
    EXPECT_FALSE(ParseInteger(""));
    EXPECT_FALSE(ParseInteger("-"));
    EXPECT_FALSE(ParseInteger("12a"));
    EXPECT_FALSE(ParseInteger("1.5"));
    EXPECT_FALSE(ParseInteger("99999999999999999999"));

    EXPECT_DOUBLE_EQ(*ParseDecimal("1500"), 1500.0);
    EXPECT_DOUBLE_EQ(*ParseDecimal("0.785398163397448"), 0.785398163397448);
    EXPECT_DOUBLE_EQ(*ParseDecimal("0,785398163397448"), 0.785398163397448);
    EXPECT_DOUBLE_EQ(*ParseDecimal("-2,5"), -2.5);
    EXPECT_DOUBLE_EQ(*ParseDecimal("1E-5"), 1e-5);
    // The exponent form FormatDecimal writes for large values.
    EXPECT_DOUBLE_EQ(*ParseDecimal("1e+20"), 1e20);
    EXPECT_DOUBLE_EQ(*ParseDecimal("-2,5E+16"), -2.5e16);
    EXPECT_FALSE(ParseDecimal("1+e20"));
    EXPECT_FALSE(ParseDecimal("1e++20"));
    EXPECT_FALSE(ParseDecimal("1.2.3"));
    EXPECT_FALSE(ParseDecimal("1,2.3"));
    EXPECT_FALSE(ParseDecimal("inf"));
    EXPECT_FALSE(ParseDecimal("nan"));
    EXPECT_FALSE(ParseDecimal("1e999"));
    EXPECT_FALSE(ParseDecimal("1 2"));
    EXPECT_FALSE(ParseDecimal(""));
}

TEST(FileIO, DecimalsWriteInGeneralFormWithTheGivenSeparator) {
    EXPECT_EQ(FormatDecimal(1500.0), "1500");
    EXPECT_EQ(FormatDecimal(-0.0), "0");
    EXPECT_EQ(FormatDecimal(12.3, ','), "12,3");
    // pi/4 to 15 significant digits.
    EXPECT_EQ(FormatDecimal(0.78539816339744830962), "0.785398163397448");
    // 2/3 rounds its 15th digit.
    EXPECT_EQ(FormatDecimal(2.0 / 3.0), "0.666666666666667");
    // What is written reads back within the 15 digits kept.
    const double v = 1234.56789012345678;
    EXPECT_NEAR(*ParseDecimal(FormatDecimal(v, ',')), v, 1e-10);
}

TEST(FileIO, AtomicWriteReplacesOrLeavesTheOldFileWhole) {
    const fs::path dir = fs::temp_directory_path() / ("quillet-fileio-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string path = (dir / "a.QLC").string();

    ASSERT_TRUE(WriteFileAtomically(path, "first"));
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(WriteFileAtomically(path, "second\r\n"));
    EXPECT_EQ(ReadFileBytes(path), std::optional<std::string>("second\r\n"));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);  // the permissions were kept

    // The longest name the folder takes: the temporary file beside it must
    // fit too, and then go.
    const fs::path longName = dir / (std::string(247, 'a') + "\xC3\xA9.QLC");
    std::string error;
    EXPECT_TRUE(WriteFileAtomically(longName.string(), "long", &error)) << error;
    EXPECT_EQ(ReadFileBytes(longName.string()), std::optional<std::string>("long"));
    fs::remove(longName);

    // A write into a folder that does not exist fails, says why and leaves no litter.
    EXPECT_FALSE(WriteFileAtomically((dir / "missing" / "b.QLC").string(), "x", &error));
    EXPECT_FALSE(error.empty());
    // Writing over a folder fails and leaves the folder as it was.
    fs::create_directories(dir / "folder");
    EXPECT_FALSE(WriteFileAtomically((dir / "folder").string(), "x", &error));
    EXPECT_TRUE(fs::is_directory(dir / "folder"));
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++entries;
    EXPECT_EQ(entries, 2);  // a.QLC and the folder: no temporary files left behind

    // Reads refuse missing files, folders and files over the cap.
    EXPECT_FALSE(ReadFileBytes((dir / "none").string(), &error));
    EXPECT_FALSE(ReadFileBytes(dir.string(), &error));
    EXPECT_FALSE(ReadFileBytes(path, &error, 4));
    EXPECT_EQ(error, Text(XText::FileTooLarge));
    fs::remove_all(dir);
}

TEST(FileIO, AtomicWriteThroughALinkReplacesWhatItPointsTo) {
    const fs::path dir = fs::temp_directory_path() / ("quillet-fileio-link-" + std::to_string(::getpid()));
    fs::create_directories(dir / "real");
    const fs::path target = dir / "real" / "a.QLC";
    const fs::path link = dir / "a.QLC";
    ASSERT_TRUE(WriteFileAtomically(target.string(), "old"));
    fs::create_symlink(fs::path("real") / "a.QLC", link);

    // The link stays a link and the file it names gets the new bytes: opened
    // elsewhere by its real name, the circuit must hold what was saved.
    ASSERT_TRUE(WriteFileAtomically(link.string(), "new"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFileBytes(target.string()), std::optional<std::string>("new"));
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir / "real")) ++entries;
    EXPECT_EQ(entries, 1);  // the temporary file went beside the target and is gone
    fs::remove_all(dir);
}

TEST(FileIO, SpecialFilesNeverKeepAReadWaiting) {
    const fs::path dir = fs::temp_directory_path() / ("quillet-fileio-fifo-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    SetLanguageIndex(kEnglish);
    // A named pipe nobody writes to: opening it for reading would wait for a
    // writer for ever, and with it the window (a file picked in the open
    // dialog, a pipe left in the recovery folder at start-up).
    const std::string fifo = (dir / "pipe.QLC").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string error;
    auto read = std::async(std::launch::async, [&] { return ReadFileBytes(fifo, &error); });
    if (read.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        ADD_FAILURE() << "reading a pipe without a writer waits";
        // Let the stuck read go: a writer that comes and goes ends it.
        const int w = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (w >= 0) ::close(w);
    }
    const auto bytes = read.get();
    EXPECT_TRUE(!bytes || bytes->empty());

    // A pipe whose writer stays is no file either: reading it would wait for
    // as long as the writer lives. It is refused at once, saying why.
    const int writer = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(::write(writer, "a\r", 2), 2);
    const auto start = std::chrono::steady_clock::now();
    auto held = std::async(std::launch::async, [&] {
        std::string why;
        const auto got = ReadFileBytes(fifo, &why);
        return std::make_pair(got, why);
    });
    const bool heldWaited = held.wait_for(std::chrono::seconds(5)) != std::future_status::ready;
    ::close(writer);  // lets a stuck read end
    const auto [heldBytes, heldWhy] = held.get();
    EXPECT_FALSE(heldWaited) << "reading a pipe held open by a writer waits";
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_FALSE(heldBytes);
    EXPECT_EQ(heldWhy, "not a regular file");
    // An unnamed pipe reached through its descriptor's name, and a device.
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ASSERT_EQ(::write(ends[1], "a\r", 2), 2);
    ::close(ends[1]);
    EXPECT_FALSE(ReadFileBytes("/proc/self/fd/" + std::to_string(ends[0]), &error));
    EXPECT_EQ(error, "not a regular file");
    ::close(ends[0]);
    EXPECT_FALSE(ReadFileBytes("/dev/zero", &error));
    EXPECT_EQ(error, "not a regular file");
    // A folder says it is one.
    EXPECT_FALSE(ReadFileBytes(dir.string(), &error));
    EXPECT_EQ(error, "it is a folder");
    EXPECT_EQ(OpenRegularFile(fifo), -1);

    fs::remove_all(dir);
}

namespace {

std::set<std::string> Names(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
    return names;
}

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void Put(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::atomic<int> g_umaskCalls{0};

}  // namespace

// Counts the calls of umask() made in this program: a save must never change
// the process's umask, not even for a moment, while other threads create files.
extern "C" mode_t umask(mode_t mask) noexcept {
    ++g_umaskCalls;
    return static_cast<mode_t>(::syscall(SYS_umask, mask));
}

TEST(FileIO, WriteProtectedFileIsRefusedAndLeftAsItWas) {
    SetLanguageIndex(kEnglish);
    const fs::path dir = fs::temp_directory_path() / ("quillet-fileio-ro-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path path = dir / "kept.QLC";
    Put(path, "old\r\n");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    std::string error;
    // The folder is writable and the user may be root: the mode decides.
    EXPECT_FALSE(WriteFileAtomically(path.string(), "new", &error));
    EXPECT_EQ(error, "the file is write-protected");
    EXPECT_EQ(Slurp(path), "old\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u);
    EXPECT_EQ(Names(dir), (std::set<std::string>{"kept.QLC"}));  // no temporary file left

    // Writable by its group only, not by its owner: refused as well.
    ASSERT_EQ(::chmod(path.c_str(), 0464), 0);
    SetLanguageIndex(kSpanish);
    EXPECT_FALSE(WriteFileAtomically(path.string(), "new", &error));
    EXPECT_EQ(error, "el archivo está protegido contra escritura");
    EXPECT_EQ(Slurp(path), "old\r\n");
    SetLanguageIndex(kEnglish);

    // Made writable again, it is written.
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    EXPECT_TRUE(WriteFileAtomically(path.string(), "new", &error)) << error;
    EXPECT_EQ(Slurp(path), "new");
    fs::remove_all(dir);
}

TEST(FileIO, SavesRemoveOnlyTheirOwnFilesLeftovers) {
    const fs::path dir = fs::temp_directory_path() / ("quillet-fileio-left-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path path = dir / "Oval.QLC";
    Put(path, "old");
    // What killed saves of Oval.QLC left: six letters or digits after the name.
    for (const char* name : {".Oval.QLC.a1B2c3", ".Oval.QLC.ZZZZZZ", ".Oval.QLC.000000"}) Put(dir / name, "part");
    // Kept: another length, other characters, another file's leftover, a
    // folder and a link of the same shape, a name without the dot in front.
    const std::set<std::string> others{
        ".Oval.QLC.a1B2c", ".Oval.QLC.a1B2c3d", ".Oval.QLC.a1-2c3", ".Oval.QLC.a1B2c3.bak", ".Other.QLC.a1B2c3",
        "Oval.QLC.a1B2c3", ".Oval.QLC.folder",  ".Oval.QLC.linkto", ".oval.QLC.a1B2c3",     "Oval.QLC"};
    for (const std::string& name : others) {
        if (name == ".Oval.QLC.folder") {
            fs::create_directories(dir / name / "inside");
        } else if (name == ".Oval.QLC.linkto") {
            fs::create_symlink(dir / ".Other.QLC.a1B2c3", dir / name);
        } else if (name != "Oval.QLC") {
            Put(dir / name, "other");
        }
    }
    // A leftover another save is still writing holds its lock: kept too.
    const fs::path busy = dir / ".Oval.QLC.bUsY42";
    Put(busy, "busy");
    const int busyFd = ::open(busy.c_str(), O_RDONLY);
    ASSERT_GE(busyFd, 0);
    ASSERT_EQ(::flock(busyFd, LOCK_EX), 0);

    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path.string(), "new", &error)) << error;
    std::set<std::string> expected = others;
    expected.insert(".Oval.QLC.bUsY42");
    EXPECT_EQ(Names(dir), expected);
    EXPECT_EQ(Slurp(path), "new");
    EXPECT_EQ(Slurp(dir / ".Other.QLC.a1B2c3"), "other");
    EXPECT_TRUE(fs::is_directory(dir / ".Oval.QLC.folder" / "inside"));

    // Once that save has gone, its file is a leftover like the others.
    ::close(busyFd);
    ASSERT_TRUE(WriteFileAtomically(path.string(), "newer", &error)) << error;
    expected.erase(".Oval.QLC.bUsY42");
    EXPECT_EQ(Names(dir), expected);
    fs::remove_all(dir);
}

TEST(FileIO, SavesOfOneFileAtTheSameTimeNeverTakeEachOthersTemporaryFile) {
    // Each save clears leftovers of the same name first, while the other
    // thread's temporary file may be half written beside it.
    const fs::path dir = fs::temp_directory_path() / ("quillet-fileio-race-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string path = (dir / "Race.QLC").string();
    const std::string a(20000, 'a');
    const std::string b(20000, 'b');
    std::atomic<int> failures{0};
    auto saver = [&](const std::string& bytes) {
        for (int i = 0; i < 200; ++i) {
            std::string error;
            if (!WriteFileAtomically(path, bytes, &error)) {
                ++failures;
                ADD_FAILURE() << error;
            }
        }
    };
    std::thread first(saver, std::cref(a));
    std::thread second(saver, std::cref(b));
    first.join();
    second.join();
    EXPECT_EQ(failures.load(), 0);
    const std::string last = Slurp(path);
    EXPECT_TRUE(last == a || last == b);
    EXPECT_EQ(Names(dir), (std::set<std::string>{"Race.QLC"}));
    fs::remove_all(dir);
}

TEST(FileIO, SavesKeepTheFilesModeAndOwnerAndNeverTouchTheUmask) {
    const fs::path dir = fs::temp_directory_path() / ("quillet-fileio-mode-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const mode_t previous = static_cast<mode_t>(::syscall(SYS_umask, 027));
    g_umaskCalls = 0;

    // A new file: 0666 less the umask 027.
    const fs::path fresh = dir / "new.QLC";
    ASSERT_TRUE(WriteFileAtomically(fresh.string(), "x"));
    struct stat st {};
    ASSERT_EQ(::stat(fresh.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    // An existing file keeps its own mode, whatever the umask says, and its
    // owner and group.
    const fs::path kept = dir / "kept.QLC";
    Put(kept, "old");
    ASSERT_EQ(::chmod(kept.c_str(), 0604), 0);
    const gid_t group = ::getegid() == 0 ? 12345 : ::getegid();
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(kept.c_str(), 23456, group), 0);
    }
    ASSERT_EQ(::stat(kept.c_str(), &st), 0);
    const uid_t owner = st.st_uid;
    ASSERT_TRUE(WriteFileAtomically(kept.string(), "new"));
    ASSERT_EQ(::stat(kept.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0604u);
    EXPECT_EQ(st.st_uid, owner);
    EXPECT_EQ(st.st_gid, group);
    EXPECT_EQ(Slurp(kept), "new");

    EXPECT_EQ(g_umaskCalls.load(), 0);
    EXPECT_EQ(static_cast<mode_t>(::syscall(SYS_umask, previous)), 027u);
    fs::remove_all(dir);
}

TEST(FileIO, AFolderThatCannotBeFlushedIsReportedWithTheNewFileInPlace) {
    // A folder its user may write and enter but not read: the file is
    // created and renamed, yet the folder cannot be opened to flush it.
    // Root may open any folder, so a child process does this as "nobody".
    SetLanguageIndex(kEnglish);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0) {
            const passwd* nobody = ::getpwnam("nobody");
            if (nobody == nullptr || ::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0) ::_exit(10);
        }
        const fs::path dir = fs::temp_directory_path() / ("quillet-fileio-sync-" + std::to_string(::getpid()));
        if (::mkdir(dir.c_str(), 0700) != 0) ::_exit(11);
        const fs::path path = dir / "a.QLC";
        Put(path, "old");
        if (::chmod(dir.c_str(), 0300) != 0) ::_exit(12);
        std::string error;
        const bool done = WriteFileAtomically(path.string(), "new", &error);
        const std::string inPlace = Slurp(path);
        ::chmod(dir.c_str(), 0700);
        fs::remove_all(dir);
        if (done) ::_exit(1);
        if (error.find("the new file is in place, but the system did not confirm") != 0) ::_exit(2);
        if (error.find("(permission denied)") == std::string::npos) ::_exit(3);
        if (inPlace != "new") ::_exit(4);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    // 1 reported as done, 2-3 another message, 4 the new file not in place, 10-12 setting up failed.
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
