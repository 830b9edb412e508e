// The causes the platform layer reports are what the file layer turns into
// words, so a port must give the same ones; these cases hold for any
// platform file, whatever its system calls.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/Platform.h"

using namespace quillet;
namespace fs = std::filesystem;

namespace {

class PlatformTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("quillet-platform-" + std::to_string(platform::CurrentProcessId()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

    static std::string Slurp(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path dir_;
};

}  // namespace

TEST_F(PlatformTest, ReadingRefusesWhatIsNoFileAndStopsAtTheCap) {
    int err = 0;
    EXPECT_EQ(platform::OpenRegularFile(PathOf("missing"), &err), -1);
    EXPECT_EQ(err, ENOENT);
    EXPECT_EQ(platform::OpenRegularFile(dir_.string(), &err), -1);
    EXPECT_EQ(err, EISDIR);
    const std::string fifo = PathOf("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(platform::OpenRegularFile(fifo, &err), -1);  // at once: nobody writes
    EXPECT_EQ(err, platform::kNotRegularFile);

    // Ten bytes: a cap of ten reads them after what the caller holds, nine
    // does not.
    ASSERT_EQ(platform::CreateFileDurably(PathOf("ten"), "0123456789"), 0);
    int fd = platform::OpenRegularFile(PathOf("ten"), &err);
    ASSERT_GE(fd, 0);
    std::string bytes = ">";
    EXPECT_TRUE(platform::ReadOpenFile(fd, bytes, 11, &err));
    EXPECT_EQ(bytes, ">0123456789");
    platform::CloseFile(fd);
    fd = platform::OpenRegularFile(PathOf("ten"), &err);
    ASSERT_GE(fd, 0);
    bytes.clear();
    EXPECT_FALSE(platform::ReadOpenFile(fd, bytes, 9, &err));
    EXPECT_EQ(err, platform::kFileTooLarge);
    platform::CloseFile(fd);
}

TEST_F(PlatformTest, WritingCreatesOnlyNewFilesAndReplacesOnlyWritableOnes) {
    const std::string path = PathOf("a.QLC");
    EXPECT_EQ(platform::CreateFileDurably(path, "first"), 0);
    EXPECT_EQ(platform::CreateFileDurably(path, "second"), EEXIST);
    EXPECT_EQ(Slurp(path), "first");
    EXPECT_EQ(platform::CreateFileDurably(PathOf("no/such/folder"), "x"), ENOENT);
    // Before writing, what is in the way: nothing for a new name or a file
    // that may be replaced, a folder, or (below) a write-protected file.
    using platform::PathInTheWay;
    EXPECT_EQ(platform::WhatIsInTheWay(PathOf("new.QLC")), PathInTheWay::Nothing);
    EXPECT_EQ(platform::WhatIsInTheWay(path), PathInTheWay::Nothing);
    EXPECT_EQ(platform::WhatIsInTheWay(dir_.string()), PathInTheWay::Folder);

    platform::ReplaceOutcome outcome = platform::ReplaceFileDurably(path, "second");
    EXPECT_EQ(outcome.err, 0);
    EXPECT_FALSE(outcome.notConfirmed);
    EXPECT_EQ(Slurp(path), "second");

    // Refused without a word from the system, and left as it was.
    fs::permissions(path, fs::perms::owner_read);
    EXPECT_EQ(platform::WhatIsInTheWay(path), PathInTheWay::WriteProtected);
    outcome = platform::ReplaceFileDurably(path, "third");
    EXPECT_EQ(outcome.err, platform::kWriteProtected);
    EXPECT_FALSE(outcome.notConfirmed);
    EXPECT_EQ(Slurp(path), "second");
    // Nothing else was left in the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);

    EXPECT_TRUE(platform::FolderWritable(dir_.string()));
    EXPECT_FALSE(platform::FolderWritable(path));
    EXPECT_FALSE(platform::FolderWritable(PathOf("missing")));
}

TEST_F(PlatformTest, ThisProcessRunsAndNoOtherStartOfItsIdDoes) {
    const int64_t self = platform::CurrentProcessId();
    const uint64_t start = platform::ProcessStartTicks(self);
    EXPECT_TRUE(platform::ProcessRuns(self, start));
    EXPECT_TRUE(platform::ProcessRuns(self, 0));
    if (start != 0) {
        EXPECT_FALSE(platform::ProcessRuns(self, start + 1));
    }
    EXPECT_FALSE(platform::ProcessRuns(0, 0));
    EXPECT_FALSE(platform::ProcessRuns(-1, 0));
}
