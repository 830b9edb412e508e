#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>

#include "model/FileIO.h"
#include "text/ExtraTexts.h"

using namespace quillet;
namespace fs = std::filesystem;

TEST(FileIO, SplitLinesFollowsTheFilesLineEnds) {
    // CR ends a line; CR LF is one line end; LF alone stays in the text; Ctrl-Z ends the file.
    const std::string bytes = std::string("a\rb\r\nc\nd\r\r\ne\x1a" "f\r");
    const auto lines = SplitLines(bytes);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "a");
    EXPECT_EQ(lines[1], "b");
    EXPECT_EQ(lines[2], "c\nd");
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[4], "e");
    EXPECT_TRUE(SplitLines("").empty());
    EXPECT_EQ(SplitLines("x\r\n").size(), 1u);
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

    // A pipe with a writer reads as far as the writer writes.
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ASSERT_EQ(::write(ends[1], "a\r", 2), 2);
    ::close(ends[1]);
    EXPECT_EQ(ReadFileBytes("/proc/self/fd/" + std::to_string(ends[0])), std::optional<std::string>("a\r"));
    ::close(ends[0]);

    fs::remove_all(dir);
}
