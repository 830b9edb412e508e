// The document on its own: what counts as unsaved work, and what saving,
// a failed save, opening and starting afresh do to it.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include <unistd.h>

#include "app/Document.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("quillet-document-" + std::to_string(::getpid()) + "-" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    std::string PathOf(const std::string& name) const { return (folder / name).string(); }

    fs::path folder;
    TDocument document;
};

TEST_F(DocumentTest, NotesAreUnsavedWorkWithoutMarkingTheCircuitModified) {
    EXPECT_FALSE(document.HasUnsavedWork());
    document.SetNotes("Lane 2 is slow");
    EXPECT_FALSE(document.Modified());
    EXPECT_TRUE(document.NotesUnsaved());
    EXPECT_TRUE(document.HasUnsavedWork());
    // Written back as the file holds them (none, for a new circuit): nothing
    // is unsaved any more.
    document.SetNotes("");
    EXPECT_FALSE(document.HasUnsavedWork());
    document.Circuit().modified = true;
    EXPECT_TRUE(document.HasUnsavedWork());
}

TEST_F(DocumentTest, ASaveClearsAllUnsavedWorkAndAFailedOneLeavesItModified) {
    ASSERT_TRUE(document.Circuit().Append(kStandardStraight, 1, 1));
    document.Circuit().modified = true;
    document.SetNotes("first");
    const std::string path = PathOf("Oval.QLC");
    std::string error;
    ASSERT_TRUE(document.SaveAs(path, &error)) << error;
    EXPECT_FALSE(document.Modified());
    EXPECT_FALSE(document.HasUnsavedWork());
    EXPECT_EQ(document.Path(), path);
    EXPECT_EQ(document.Circuit().title, "Oval");
    EXPECT_TRUE(fs::exists(path));

    // Only the notes changed; the save fails. The circuit counts as modified
    // now, as the work is not on disk, and it still belongs to its file.
    document.SetNotes("second");
    ASSERT_FALSE(document.Modified());
    EXPECT_FALSE(document.SaveAs(PathOf("no such folder/Oval.QLC"), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(document.Modified());
    EXPECT_TRUE(document.NotesUnsaved());
    EXPECT_EQ(document.Path(), path);
    EXPECT_EQ(document.Circuit().title, "Oval");
}

TEST_F(DocumentTest, AnAdoptedCircuitHoldsItsFilesNotesAndANewOneNone) {
    TCircuit read;
    read.notes = "from the file";
    read.modified = true;  // whatever it says, the caller decides
    document.Adopt(std::move(read), "/home/ana/Oval.QLC", false);
    EXPECT_EQ(document.Path(), "/home/ana/Oval.QLC");
    EXPECT_FALSE(document.Modified());
    EXPECT_FALSE(document.HasUnsavedWork());

    // A recovery copy was never saved, and may belong to no file.
    TCircuit recovered;
    recovered.notes = "from the copy";
    document.Adopt(std::move(recovered), "", true);
    EXPECT_EQ(document.Path(), "");
    EXPECT_TRUE(document.Modified());
    EXPECT_FALSE(document.NotesUnsaved());

    // A new circuit belongs to no file, and notes written into it are
    // unsaved even when they read as the last file's did.
    document.Start(TCircuit());
    EXPECT_EQ(document.Path(), "");
    EXPECT_FALSE(document.HasUnsavedWork());
    document.SetNotes("from the copy");
    EXPECT_TRUE(document.NotesUnsaved());
}

}  // namespace
}  // namespace quillet
