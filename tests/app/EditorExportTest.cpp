// File > Export and the recent files, with the user's answers scripted.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ScriptedPrompter.h"
#include "app/RecentFiles.h"
#include "model/Tracks.h"
#include "stock/TrackList.h"
#include "text/Globals.h"

namespace quillet::test {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Draws whatever it is told to, or fails.
class FakePictures : public TPictureMaker {
public:
    bool succeeds = true;
    std::vector<ExportKind> asked;
    bool MakePicture(ExportKind kind, std::string& bytes) override {
        asked.push_back(kind);
        if (!succeeds) return false;
        bytes = "picture " + std::string(ExportExtension(kind));
        return true;
    }
};

class ExportTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        folder = fs::temp_directory_path() / ("quillet-export-" + std::to_string(::getpid()) + "-" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
        editor.StartUp();
        editor.SetRecentStore(recent);
    }
    void TearDown() override {
        fs::remove_all(folder);
        EditorTest::TearDown();
    }
    std::string PathOf(const std::string& name) const { return (folder / name).string(); }
    // Every name in the folder: an export leaves its file and nothing else.
    std::vector<std::string> FolderNames() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string SavedCircuit(const std::string& name, int pieces) {
        TCircuit c(1500, 1000);
        AppendPieces(c, kStandardStraight, pieces);
        const std::string path = PathOf(name);
        EXPECT_TRUE(SaveCircuit(c, path));
        return path;
    }

    fs::path folder;
    FakePictures pictures;
    TMemoryRecentStore recent;
};

TEST_F(ExportTest, TheTrackListIsWrittenAsCsvUnderTheSuggestedName) {
    AppendPieces(editor.Circuit(), kStandardStraight, 8);
    editor.Stock().SetPieces(kNincoIndex, kStandardStraight, 3);

    prompter.exportNames = {PathOf("Club.csv")};
    EXPECT_TRUE(editor.ExportClick(ExportKind::Csv, pictures));
    EXPECT_EQ(prompter.log, std::vector<std::string>{"export as Untitled.csv"});
    EXPECT_EQ(ReadAll(PathOf("Club.csv")),
              "\xEF\xBB\xBF"
              "Brand,Piece,Required,In Stock,Missing\r\nNINCO,Standard Straight,8,3,5\r\n");
    EXPECT_TRUE(pictures.asked.empty());
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"Club.csv"});

    // Nothing in the circuit changed, so nothing is to be saved.
    EXPECT_FALSE(editor.Circuit().modified);

    // Cancelled: nothing written, nothing said.
    prompter.log.clear();
    prompter.exportNames = {std::nullopt};
    EXPECT_FALSE(editor.ExportClick(ExportKind::Csv, pictures));
    EXPECT_EQ(prompter.log, std::vector<std::string>{"export as Untitled.csv"});

    // Where the system writes decimals with a comma, the fields are
    // separated by semicolons.
    const char oldSeparator = DecimalSeparator();
    SetDecimalSeparator(',');
    prompter.exportNames = {PathOf("Comma.csv")};
    const bool written = editor.ExportClick(ExportKind::Csv, pictures);
    SetDecimalSeparator(oldSeparator);
    EXPECT_TRUE(written);
    EXPECT_EQ(ReadAll(PathOf("Comma.csv")),
              "\xEF\xBB\xBF"
              "Brand;Piece;Required;In Stock;Missing\r\nNINCO;Standard Straight;8;3;5\r\n");
}

TEST_F(ExportTest, PicturesTakeTheTitleAndAFailureLeavesNoFileBehind) {
    prompter.saveNames = {PathOf("Oval.QLC")};
    AppendPieces(editor.Circuit(), kStandardCurve, 8);
    editor.FileSave1Execute();

    const struct {
        ExportKind kind;
        std::string suggestion;
    } kinds[] = {{ExportKind::Png, "Oval.png"}, {ExportKind::Svg, "Oval.svg"}, {ExportKind::Pdf, "Oval.pdf"}};
    for (const auto& k : kinds) {
        prompter.exportNames = {PathOf(k.suggestion)};
        EXPECT_TRUE(editor.ExportClick(k.kind, pictures));
        EXPECT_EQ(prompter.log.back(), "export as " + k.suggestion);
        EXPECT_EQ(ReadAll(PathOf(k.suggestion)), "picture " + k.suggestion.substr(4));
    }
    EXPECT_EQ(pictures.asked, (std::vector<ExportKind>{ExportKind::Png, ExportKind::Svg, ExportKind::Pdf}));

    // A picture that cannot be drawn: said, and the file before is kept.
    pictures.succeeds = false;
    prompter.exportNames = {PathOf("Oval.png")};
    EXPECT_FALSE(editor.ExportClick(ExportKind::Png, pictures));
    EXPECT_TRUE(prompter.Logged("error cannot draw the picture for " + PathOf("Oval.png")));
    EXPECT_EQ(ReadAll(PathOf("Oval.png")), "picture .png");

    // A folder that is not there: said, and nothing is left anywhere.
    pictures.succeeds = true;
    prompter.exportNames = {PathOf("gone/Oval.png")};
    EXPECT_FALSE(editor.ExportClick(ExportKind::Png, pictures));
    EXPECT_TRUE(prompter.Logged("error cannot write file " + PathOf("gone/Oval.png") + ": "));
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"Oval.QLC", "Oval.pdf", "Oval.png", "Oval.svg"}));
}

TEST_F(ExportTest, RecentListKeepsEightFilesOnceMostRecentFirst) {
    // Each file once, however its name was written; the newest on top.
    TRecentFiles list;
    const std::string a = PathOf("a.QLC");
    list.Add(a);
    list.Add(PathOf("b.QLC"));
    list.Add((folder / "sub" / ".." / "a.QLC").string());
    EXPECT_EQ(list.Paths(), (std::vector<std::string>{a, PathOf("b.QLC")}));
    const fs::path before = fs::current_path();
    fs::current_path(folder);
    list.Add("b.QLC");
    fs::current_path(before);
    EXPECT_EQ(list.Paths(), (std::vector<std::string>{PathOf("b.QLC"), a}));

    // Ten files: the two oldest fall off.
    for (int i = 1; i <= 10; ++i) list.Add(PathOf("c" + std::to_string(i) + ".QLC"));
    ASSERT_EQ(list.Paths().size(), TRecentFiles::kLimit);
    EXPECT_EQ(list.Paths().front(), PathOf("c10.QLC"));
    EXPECT_EQ(list.Paths().back(), PathOf("c3.QLC"));

    // A stored list is cleaned the same way, first entry on top.
    const TRecentFiles stored({a, "", a, PathOf("b.QLC")});
    EXPECT_EQ(stored.Paths(), (std::vector<std::string>{a, PathOf("b.QLC")}));

    // Missing files are left out of the menu but stay in the list.
    SavedCircuit("c4.QLC", 1);
    SavedCircuit("c9.QLC", 1);
    EXPECT_EQ(list.Shown(), (std::vector<std::string>{PathOf("c9.QLC"), PathOf("c4.QLC")}));
    EXPECT_EQ(list.Paths().size(), 8u);
}

TEST_F(ExportTest, RecentMenuTextsAreNumberedAndTellTwinsApart) {
    const std::vector<std::string> shown = {"/home/ana/Oval.QLC", "/home/ana/R&B.QLC", "/club/Oval.QLC", "/a/4.QLC",
                                            "/a/5.QLC",           "/a/6.QLC",          "/a/7.QLC",       "/a/8.QLC"};
    EXPECT_EQ(TRecentFiles::MenuTexts(shown),
              (std::vector<std::string>{"&1 Oval.QLC  (/home/ana)", "&2 R&&B.QLC", "&3 Oval.QLC  (/club)", "&4 4.QLC",
                                        "&5 5.QLC", "&6 6.QLC", "&7 7.QLC", "&8 8.QLC"}));
}

TEST_F(ExportTest, OpenAndSaveFeedTheListAndARecentFileOpensLikeOpen) {
    const std::string oval = SavedCircuit("Oval.QLC", 5);
    const std::string ring = SavedCircuit("Ring.QLC", 2);
    EXPECT_FALSE(editor.FormActualize().controls.enabled[ControlId::RecentFiles1]);

    prompter.openNames = {oval};
    editor.FileOpen1Execute();
    AppendPieces(editor.Circuit(), kHalfStraight, 1);
    editor.Circuit().modified = true;
    prompter.saveNames = {PathOf("Copy.QLC")};
    editor.FileSave1Execute();
    EXPECT_EQ(recent.paths, (std::vector<std::string>{PathOf("Copy.QLC"), oval}));
    EXPECT_TRUE(editor.FormActualize().controls.enabled[ControlId::RecentFiles1]);

    // With unsaved work, Yes and a declined save dialog stop: there is no
    // open dialog after it where the user could still change their mind.
    AppendPieces(editor.Circuit(), kStandardCurve, 3);
    editor.Circuit().modified = true;
    prompter.log.clear();
    prompter.saveAnswers = {SaveAnswer::Yes};
    prompter.saveNames = {std::nullopt};
    editor.OpenRecentClick(ring);
    EXPECT_EQ(prompter.log, (std::vector<std::string>{"save?", "save as Copy"}));
    EXPECT_EQ(editor.Circuit().title, "Copy");
    EXPECT_TRUE(editor.Circuit().modified);

    // No: the recent file replaces it and goes to the top.
    prompter.saveAnswers = {SaveAnswer::No};
    editor.OpenRecentClick(ring);
    EXPECT_EQ(editor.Circuit().title, "Ring");
    EXPECT_EQ(editor.Circuit().Count(), 2);
    EXPECT_EQ(editor.CurrentPath(), ring);
    EXPECT_EQ(recent.paths.front(), ring);

    // A file that went away since the menu was shown: said, nothing changes.
    fs::remove(oval);
    editor.OpenRecentClick(oval);
    EXPECT_TRUE(prompter.Logged("error cannot open file " + oval));
    EXPECT_EQ(editor.Circuit().title, "Ring");
}

}  // namespace
}  // namespace quillet::test
