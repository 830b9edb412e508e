#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "StockTestSupport.h"
#include "stock/StockFile.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::WriteBytes;

// Whether this process can still create files in a folder it made read-only:
// root (or any process with the override capability) can.
bool ReadOnlyStopsUs(const fs::path& folder) {
    const fs::path probe = folder / "probe";
    if (FILE* f = std::fopen(probe.c_str(), "w")) {
        std::fclose(f);
        fs::remove(probe);
        return false;
    }
    return true;
}

TEST(StockLocation, ProgramFolderWhenTheFileIsThereOrItIsWritableElseTheUsersFolder) {
    TempDir dir;
    const fs::path program = dir.Path() / "program";
    const fs::path user = dir.Path() / "user";
    fs::create_directories(program);
    fs::create_directories(user);
    const std::string inProgram = (program / kStockFileName).string();
    const std::string inUser = (user / kStockFileName).string();

    // A writable program folder: a portable install keeps its stock there.
    EXPECT_EQ(StockFilePath(program.string(), user.string()), inProgram);

    // A stock file the user saved before in their own folder keeps being used,
    // even though the program's folder could take one.
    WriteBytes(inUser, "2\r\n");
    EXPECT_EQ(StockFilePath(program.string(), user.string()), inUser);

    // A file in the program's folder wins over the user's.
    WriteBytes(inProgram, "1\r\n");
    EXPECT_EQ(StockFilePath(program.string(), user.string()), inProgram);
    fs::remove(inProgram);
    fs::remove(inUser);

    // A program folder that does not exist cannot take the file; an unknown
    // one neither; with neither folder known the name stands alone.
    EXPECT_EQ(StockFilePath((dir.Path() / "missing").string(), user.string()), inUser);
    EXPECT_EQ(StockFilePath("", user.string()), inUser);
    EXPECT_EQ(StockFilePath(program.string(), ""), inProgram);
    EXPECT_EQ(StockFilePath("", ""), kStockFileName);

    // A read-only program folder (the usual installed case) sends the file to
    // the user's folder, unless the file is already there.
    fs::permissions(program, fs::perms::owner_read | fs::perms::owner_exec);
    if (ReadOnlyStopsUs(program)) {
        EXPECT_EQ(StockFilePath(program.string(), user.string()), inUser);
    } else {
        std::printf("[  SKIPPED ] read-only program folder: this process writes into read-only folders (root)\n");
    }
    fs::permissions(program, fs::perms::owner_all);
    WriteBytes(inProgram, "1\r\n");
    fs::permissions(program, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(StockFilePath(program.string(), user.string()), inProgram);
    fs::permissions(program, fs::perms::owner_all);
}

}  // namespace
}  // namespace quillet
