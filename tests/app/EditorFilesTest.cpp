// New, Open, Save and closing, with the user's answers scripted.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "ScriptedPrompter.h"
#include "model/Tracks.h"
#include "stock/TrackList.h"
#include "text/Languages.h"
#include "tools/Suggest.h"

namespace quillet::test {
namespace {

namespace fs = std::filesystem;

class FilesTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        folder = fs::temp_directory_path() / ("quillet-editor-" + std::to_string(::getpid()) + "-" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
        editor.StartUp();
    }
    void TearDown() override {
        fs::remove_all(folder);
        EditorTest::TearDown();
    }
    std::string PathOf(const std::string& name) const { return (folder / name).string(); }

    // A saved file holding `pieces` standard straights.
    std::string SavedCircuit(const std::string& name, int pieces) {
        TCircuit c(1500, 1000);
        AppendPieces(c, kStandardStraight, pieces);
        const std::string path = PathOf(name);
        std::string error;
        EXPECT_TRUE(SaveCircuit(c, path, &error)) << error;
        return path;
    }

    // Gives the current circuit some unsaved work.
    void EditSomething(int pieces = 3) {
        AppendPieces(editor.Circuit(), kStandardCurve, pieces);
        editor.Circuit().modified = true;
    }

    fs::path folder;
};

TEST_F(FilesTest, NewNumbersEveryAttemptAndAsksOnlyForUnsavedWork) {
    EXPECT_EQ(editor.Circuit().title, "Untitled");

    // Nothing to lose: no question.
    editor.FileNew1Execute();
    EXPECT_EQ(editor.Circuit().title, "Untitled 1");
    EXPECT_TRUE(prompter.log.empty());

    // Abandoned at the question: the circuit stays, the number is used up.
    EditSomething();
    prompter.saveAnswers = {SaveAnswer::Cancel};
    editor.FileNew1Execute();
    EXPECT_EQ(editor.Circuit().title, "Untitled 1");
    EXPECT_EQ(editor.Circuit().Count(), 3);
    EXPECT_TRUE(editor.Circuit().modified);

    // Yes, then the save dialog cancelled: still nothing happens.
    prompter.saveAnswers = {SaveAnswer::Yes};
    prompter.saveNames = {std::nullopt};
    editor.FileNew1Execute();
    EXPECT_EQ(editor.Circuit().Count(), 3);
    EXPECT_EQ(prompter.log.back(), "save as Untitled 1");

    // No: a fresh circuit, numbered after both abandoned attempts.
    editor.ClipboardCircuit().Append(kStandardStraight, 1, 1);
    editor.SetWorkArea(6000, 4000);
    const int clearsBefore = picture.clears;
    prompter.saveAnswers = {SaveAnswer::No};
    editor.FileNew1Execute();
    EXPECT_EQ(editor.Circuit().title, "Untitled 4");
    EXPECT_EQ(editor.Circuit().Count(), 0);
    EXPECT_FALSE(editor.Circuit().modified);
    EXPECT_EQ(editor.ClipboardCircuit().Count(), 0);
    EXPECT_EQ(editor.UndoCircuit().Count(), 0);
    EXPECT_EQ(editor.WorkAreaLength(), 3000);
    EXPECT_EQ(editor.WorkAreaWidth(), 2000);
    EXPECT_DOUBLE_EQ(editor.Circuit().scale, 5.0);
    EXPECT_EQ(picture.clears, clearsBefore + 1);
}

TEST_F(FilesTest, AnAbandonedNewUsesUpItsNumber) {
    EditSomething();
    prompter.saveAnswers = {SaveAnswer::Cancel, SaveAnswer::No};
    editor.FileNew1Execute();  // abandoned: "Untitled 1" is gone
    editor.FileNew1Execute();
    EXPECT_EQ(editor.Circuit().title, "Untitled 2");
    EXPECT_EQ(editor.NewCircuitCounter(), 2);
}

TEST_F(FilesTest, NewWhoseSaveFailsKeepsTheWork) {
    EditSomething();
    prompter.saveAnswers = {SaveAnswer::Yes};
    prompter.saveNames = {PathOf("no-such-folder/x.QLC")};
    editor.FileNew1Execute();
    EXPECT_TRUE(prompter.Logged("error "));
    EXPECT_EQ(editor.Circuit().Count(), 3);
    EXPECT_TRUE(editor.Circuit().modified);
    EXPECT_EQ(editor.Circuit().title, "Untitled");
}

TEST_F(FilesTest, OpenAfterDecliningTheSaveStillReplacesTheCircuit) {
    const std::string path = SavedCircuit("Oval.QLC", 5);
    EditSomething();
    prompter.saveAnswers = {SaveAnswer::Yes};
    prompter.saveNames = {std::nullopt};
    prompter.openNames = {path};
    editor.FileOpen1Execute();

    const std::vector<std::string> expected = {"save?", "save as Untitled", "open"};
    EXPECT_EQ(prompter.log, expected);
    EXPECT_EQ(editor.Circuit().Count(), 5);
    EXPECT_EQ(editor.Circuit().title, "Oval");
    EXPECT_FALSE(editor.Circuit().modified);

    // The undo copy is the opened circuit: Undo right away changes nothing.
    editor.ToolButton44Click();
    EXPECT_EQ(editor.Circuit().Count(), 5);
    EXPECT_EQ(editor.Circuit().title, "Oval");
    EXPECT_FALSE(editor.Circuit().modified);
}

// A starter box's best suggestion on a 2400 x 1200 mm table, and a work area
// of the editor's other than that.
TCircuit StarterSuggestion() {
    TTrackList stock;
    stock.SetPieces(kNincoIndex, kStandardStraight, 4);
    stock.SetPieces(kNincoIndex, kHalfStraight, 2);
    stock.SetPieces(kNincoIndex, kStartingStraight, 1);
    stock.SetPieces(kNincoIndex, kStandardCurve, 12);
    SuggestRequest request;
    request.tableLength = 2400;
    request.tableWidth = 1200;
    SuggestResult result = SuggestCircuits(request, stock);
    EXPECT_EQ(result.status, SuggestStatus::Found);
    if (result.suggestions.empty()) return TCircuit();
    return result.suggestions.front().circuit;
}

TEST_F(FilesTest, ASuggestionReplacesTheCircuitAsOpenDoesAndUndoBringsItBack) {
    const TCircuit suggestion = StarterSuggestion();
    ASSERT_GT(suggestion.Count(), 0);
    EditSomething(3);
    editor.SetWorkArea(6000, 4000);

    // Cancel at the question, or Yes and then no name: nothing changes.
    prompter.saveAnswers = {SaveAnswer::Cancel, SaveAnswer::Yes};
    prompter.saveNames = {std::nullopt};
    EXPECT_FALSE(editor.OpenSuggestion(suggestion));
    EXPECT_FALSE(editor.OpenSuggestion(suggestion));
    const std::vector<std::string> asked = {"save?", "save?", "save as Untitled"};
    EXPECT_EQ(prompter.log, asked);
    EXPECT_EQ(editor.Circuit().Count(), 3);
    EXPECT_EQ(editor.Circuit().title, "Untitled");
    EXPECT_EQ(editor.WorkAreaLength(), 6000);

    // No: the suggestion, closed, on its table, named as a new circuit and
    // unsaved.
    prompter.saveAnswers = {SaveAnswer::No};
    ASSERT_TRUE(editor.OpenSuggestion(suggestion));
    EXPECT_EQ(editor.Circuit().Count(), suggestion.Count());
    for (int i = 1; i <= suggestion.Count(); ++i) EXPECT_EQ(editor.Circuit().Track(i).type, suggestion.Track(i).type);
    EXPECT_EQ(editor.Circuit().title, "Untitled 1");
    EXPECT_TRUE(editor.Circuit().modified);
    EXPECT_EQ(editor.WorkAreaLength(), 2400);
    EXPECT_EQ(editor.WorkAreaWidth(), 1200);
    EXPECT_EQ(editor.FormActualize().panel1, "Circuit closed ");
    EXPECT_TRUE(editor.Circuit().closed);

    // Undo: the three curves, still unsaved; again: the suggestion.
    editor.ToolButton44Click();
    EXPECT_EQ(editor.Circuit().Count(), 3);
    EXPECT_EQ(editor.Circuit().Track(1).type, kStandardCurve);
    EXPECT_EQ(editor.Circuit().title, "Untitled");
    EXPECT_TRUE(editor.Circuit().modified);
    EXPECT_EQ(editor.FormActualize().panel1, "Circuit opened ");
    editor.ToolButton44Click();
    EXPECT_EQ(editor.Circuit().Count(), suggestion.Count());
    EXPECT_EQ(editor.FormActualize().panel1, "Circuit closed ");

    // The suggestion is unsaved work too; the next one takes the next name.
    prompter.log.clear();
    prompter.saveAnswers = {SaveAnswer::No};
    ASSERT_TRUE(editor.OpenSuggestion(suggestion));
    EXPECT_EQ(editor.Circuit().title, "Untitled 2");
    EXPECT_EQ(prompter.log, std::vector<std::string>{"save?"});
}

TEST_F(FilesTest, ASavedCircuitGivesWayToASuggestionWithoutAQuestion) {
    const TCircuit suggestion = StarterSuggestion();
    ASSERT_GT(suggestion.Count(), 0);
    TCircuit oval(1500, 1000);
    AppendPieces(oval, kStandardStraight, 5);
    oval.notes = "Club night layout";
    const std::string path = PathOf("Oval.QLC");
    ASSERT_TRUE(SaveCircuit(oval, path));
    prompter.openNames = {path};
    editor.FileOpen1Execute();
    prompter.log.clear();
    ASSERT_TRUE(editor.OpenSuggestion(suggestion));
    EXPECT_TRUE(prompter.log.empty());
    EXPECT_TRUE(editor.Document().Path().empty());
    EXPECT_EQ(editor.Notes(), "");
    // Undo gives the file's circuit back as saved, with its file and notes:
    // saved again over its file, the notes are still in it.
    editor.ToolButton44Click();
    EXPECT_EQ(editor.Circuit().Count(), 5);
    EXPECT_EQ(editor.Circuit().title, "Oval");
    EXPECT_FALSE(editor.Circuit().modified);
    EXPECT_EQ(editor.Document().Path(), path);
    EXPECT_EQ(editor.Notes(), "Club night layout");
    EXPECT_FALSE(editor.HasUnsavedWork());
    editor.Circuit().modified = true;
    prompter.saveNames = {path};
    editor.FileSave1Execute();
    EXPECT_EQ(prompter.log, std::vector<std::string>{"save as Oval"});
    TCircuit reread(0, 0);
    ASSERT_TRUE(LoadCircuit(path, reread));
    EXPECT_EQ(reread.notes, "Club night layout");
    // Undo again is the suggestion, of no file and without those notes.
    editor.ToolButton44Click();
    EXPECT_EQ(editor.Circuit().Count(), suggestion.Count());
    EXPECT_TRUE(editor.Document().Path().empty());
    EXPECT_EQ(editor.Notes(), "");
    // Once another command keeps, Undo is an ordinary exchange again: the
    // suggestion keeps its file side.
    editor.Circuit().Append(kStandardStraight, 1, 1);
    editor.KeepCircuit();
    editor.ToolButton44Click();
    EXPECT_TRUE(editor.Document().Path().empty());
}

TEST_F(FilesTest, OpenCancelledAtEitherStepLeavesTheCircuit) {
    EditSomething();
    prompter.saveAnswers = {SaveAnswer::Cancel};
    editor.FileOpen1Execute();
    EXPECT_EQ(prompter.log, std::vector<std::string>{"save?"});

    prompter.saveAnswers = {SaveAnswer::No};
    prompter.openNames = {std::nullopt};
    editor.FileOpen1Execute();
    EXPECT_EQ(editor.Circuit().Count(), 3);
    EXPECT_TRUE(editor.Circuit().modified);
}

TEST_F(FilesTest, OpenThatFailsLeavesEverythingAndSaysWhy) {
    const std::string path = PathOf("Broken.QLC");
    std::ofstream(path, std::ios::binary) << "Broken\r5\rnot a count\r";
    EditSomething();
    editor.KeepCircuit();
    editor.Circuit().Append(kHalfStraight, 1, 1);
    editor.SetWorkArea(5000, 3000);

    prompter.saveAnswers = {SaveAnswer::No};
    prompter.openNames = {path};
    editor.FileOpen1Execute();

    ASSERT_TRUE(prompter.Logged("error "));
    EXPECT_NE(prompter.log.back().find("Broken.QLC"), std::string::npos) << prompter.log.back();
    EXPECT_EQ(editor.Circuit().Count(), 4);
    EXPECT_TRUE(editor.Circuit().modified);
    EXPECT_EQ(editor.Circuit().title, "Untitled");
    EXPECT_EQ(editor.UndoCircuit().Count(), 3);
    EXPECT_EQ(editor.WorkAreaLength(), 5000);
    EXPECT_EQ(editor.WorkAreaWidth(), 3000);
}

TEST_F(FilesTest, OpenTakesTheFilesWorkAreaAndRulers) {
    TCircuit c(1500, 1000);
    AppendPieces(c, kStandardStraight, 2);
    c.workAreaLength = 8000;
    c.workAreaWidth = 6000;
    c.rulersShown = true;
    ASSERT_TRUE(SaveCircuit(c, PathOf("Big.QLC")));

    prompter.openNames = {PathOf("Big.QLC")};
    editor.FileOpen1Execute();
    EXPECT_EQ(editor.WorkAreaLength(), 8000);
    EXPECT_EQ(editor.WorkAreaWidth(), 6000);
    EXPECT_TRUE(editor.RulersVisible());
    // The drawing scrolls back to its origin.
    TWindowState s = editor.FormActualize();
    ASSERT_TRUE(s.scrollTo.has_value());
    EXPECT_EQ(*s.scrollTo, (PixelPoint{0, 0}));
    EXPECT_FALSE(editor.FormActualize().scrollTo.has_value());
}

TEST_F(FilesTest, AFilesNameStaysWhenTheLanguageChangesThoughItReadsUntitled) {
    prompter.settings = [](TSettingsValues& v) {
        v.languageItem = 0;
        return true;
    };
    // Files saved as "Untitled 7.QLC" and "Untitled.QLC" are named so.
    for (const std::string name : {"Untitled 7", "Untitled"}) {
        SetLanguageIndex(kEnglish);
        prompter.openNames = {SavedCircuit(name + ".QLC", 2)};
        editor.FileOpen1Execute();
        ASSERT_EQ(editor.Circuit().title, name);
        EXPECT_TRUE(editor.WorkingArea1Click());
        EXPECT_EQ(editor.Circuit().title, name);
        EXPECT_EQ(editor.UndoCircuit().title, name);
    }
    // Saving a new circuit gives it a file: its name stays from then on.
    SetLanguageIndex(kEnglish);
    editor.FileNew1Execute();
    prompter.saveNames = {PathOf("Untitled 3.QLC")};
    editor.FileSave1Execute();
    ASSERT_EQ(editor.Circuit().title, "Untitled 3");
    EXPECT_TRUE(editor.WorkingArea1Click());
    EXPECT_EQ(editor.Circuit().title, "Untitled 3");
}

TEST_F(FilesTest, SaveAlwaysAsksAndAFailureKeepsTheCircuitModified) {
    EditSomething();
    prompter.saveNames = {PathOf("Ring.QLC")};
    editor.FileSave1Execute();
    EXPECT_EQ(prompter.log.back(), "save as Untitled");
    EXPECT_EQ(editor.Circuit().title, "Ring");
    EXPECT_FALSE(editor.Circuit().modified);
    EXPECT_TRUE(fs::exists(PathOf("Ring.QLC")));

    // A save into a folder that does not exist.
    editor.Circuit().modified = true;
    prompter.saveNames = {PathOf("missing/Ring.QLC")};
    editor.FileSave1Execute();
    EXPECT_EQ(prompter.log[prompter.log.size() - 2], "save as Ring");
    EXPECT_TRUE(prompter.Logged("error "));
    EXPECT_TRUE(editor.Circuit().modified);
    EXPECT_EQ(editor.Circuit().title, "Ring");
}

TEST_F(FilesTest, SavingOverAWriteProtectedFileIsRefusedAndLeavesIt) {
    const std::string path = SavedCircuit("Kept.QLC", 2);
    std::string before;
    {
        std::ifstream in(path, std::ios::binary);
        before.assign(std::istreambuf_iterator<char>(in), {});
    }
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    SetLanguageIndex(kSpanish);
    EditSomething();
    prompter.saveNames = {path};
    editor.FileSave1Execute();
    ASSERT_TRUE(prompter.Logged("error "));
    EXPECT_EQ(prompter.log.back(),
              "error no se puede escribir el archivo " + path + ": el archivo está protegido contra escritura");
    EXPECT_TRUE(editor.Circuit().modified);
    EXPECT_EQ(editor.Circuit().title, "Untitled");
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), before);
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

TEST_F(FilesTest, ClosingAsksForUnsavedWorkOnly) {
    EXPECT_TRUE(editor.FormCloseQuery());
    EXPECT_TRUE(prompter.log.empty());

    EditSomething();
    prompter.saveAnswers = {SaveAnswer::Cancel};
    EXPECT_FALSE(editor.FormCloseQuery());

    // Yes, then the save dialog cancelled: the window stays open.
    prompter.saveAnswers = {SaveAnswer::Yes};
    prompter.saveNames = {std::nullopt};
    EXPECT_FALSE(editor.FormCloseQuery());

    // Yes and a save that fails: still open.
    prompter.saveAnswers = {SaveAnswer::Yes};
    prompter.saveNames = {PathOf("missing/a.QLC")};
    EXPECT_FALSE(editor.FormCloseQuery());
    EXPECT_TRUE(editor.Circuit().modified);

    prompter.saveAnswers = {SaveAnswer::Yes};
    prompter.saveNames = {PathOf("Kept.QLC")};
    EXPECT_TRUE(editor.FormCloseQuery());
    EXPECT_TRUE(fs::exists(PathOf("Kept.QLC")));

    editor.Circuit().modified = true;
    prompter.saveAnswers = {SaveAnswer::No};
    EXPECT_TRUE(editor.FormCloseQuery());
}

TEST_F(FilesTest, ClosingWritesTheStockFile) {
    const std::string stockPath = PathOf("Quillet Stock.QLs");
    editor.LoadStockFile(stockPath);
    editor.Stock().SetPieces(2, kStandardCurve, 17);
    SetLanguageIndex(kEnglish);
    ASSERT_TRUE(editor.FormCloseQuery());
    ASSERT_TRUE(fs::exists(stockPath));

    // Read back into a second editor, starting in Spanish.
    SetLanguageIndex(kSpanish);
    ScriptedPrompter other;
    ScriptedHost otherHost{other.log};
    FakeTemplate otherPicture;
    TEditor second(other, otherHost, otherPicture);
    second.LoadStockFile(stockPath);
    EXPECT_EQ(second.Stock().Pieces(2, kStandardCurve), 17);
    EXPECT_EQ(LanguageIndex(), kEnglish);
    EXPECT_TRUE(other.log.empty());
}

TEST_F(FilesTest, TemplateIsRememberedEvenWhenItCannotBeRead) {
    prompter.templateNames = {std::nullopt};
    editor.OpenTemplate1Click();
    EXPECT_TRUE(editor.Circuit().templatePath.empty());
    EXPECT_FALSE(editor.Circuit().modified);

    picture.loadSucceeds = false;
    prompter.templateNames = {PathOf("plan.bmp")};
    editor.OpenTemplate1Click();
    EXPECT_EQ(picture.loads.back(), PathOf("plan.bmp"));
    EXPECT_TRUE(prompter.Logged("error cannot read the picture"));
    EXPECT_EQ(editor.Circuit().templatePath, PathOf("plan.bmp"));
    EXPECT_TRUE(editor.Circuit().templateShown);
    EXPECT_TRUE(editor.Circuit().modified);
    const TWindowState s = editor.FormActualize();
    EXPECT_TRUE(s.controls.enabled[ControlId::ToolButton42]);
    EXPECT_TRUE(s.controls.pressed[ControlId::ToolButton42]);
}

TEST_F(FilesTest, OpeningACircuitWithAMissingTemplateSaysSoAndDropsIt) {
    TCircuit c(1500, 1000);
    AppendPieces(c, kStandardStraight, 1);
    c.templatePath = PathOf("gone.bmp");
    c.templateShown = true;
    ASSERT_TRUE(SaveCircuit(c, PathOf("T.QLC")));
    prompter.openNames = {PathOf("T.QLC")};
    editor.FileOpen1Execute();
    EXPECT_EQ(prompter.log.back(), "info 195" + PathOf("gone.bmp"));
    EXPECT_TRUE(editor.Circuit().templatePath.empty());
    EXPECT_FALSE(editor.Circuit().templateShown);
    EXPECT_FALSE(editor.FormActualize().controls.enabled[ControlId::ToolButton42]);
}

}  // namespace
}  // namespace quillet::test
