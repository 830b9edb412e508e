// The circuit's notes: the 512-character rule, saving and opening with the
// circuit, New, and the save question they take part in.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <unistd.h>

#include "ScriptedPrompter.h"
#include "tools/NotesText.h"

namespace quillet::test {
namespace {

namespace fs = std::filesystem;

std::string Repeat(std::string_view s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

TEST(NotesText, CountsCharactersNotBytes) {
    EXPECT_EQ(CharacterCount(""), 0u);
    EXPECT_EQ(CharacterCount("pista"), 5u);
    EXPECT_EQ(CharacterCount("ñandú"), 5u);  // 7 bytes
    EXPECT_EQ(std::string("ñandú").size(), 7u);
    EXPECT_EQ(CharacterCount("5 €\nÚltima"), 10u);  // € is 3 bytes, the break 1
    EXPECT_EQ(FirstCharacters("€uro", 1), "€");
    EXPECT_EQ(FirstCharacters("ñandú", 3), "ñan");
    EXPECT_EQ(FirstCharacters("ñandú", 9), "ñandú");
    EXPECT_EQ(FirstCharacters("ñandú", 0), "");
}

TEST(NotesText, TypingAndPastingStopAt512Characters) {
    // Typing one character: it fits while the notes hold 511 or fewer.
    EXPECT_EQ(FittingInsertion(511, 0, "é"), "é");
    EXPECT_EQ(FittingInsertion(512, 0, "é"), "");
    // Typed over a selected character, it replaces it: 512 - 1 + 1.
    EXPECT_EQ(FittingInsertion(512, 1, "é"), "é");
    // Pasting "ñandú" into 509 characters: room for 512 - 509 = 3 of its 5.
    EXPECT_EQ(FittingInsertion(509, 0, "ñandú"), "ñan");
    // ... over a 2-character selection: 512 - 507 = 5, all of it.
    EXPECT_EQ(FittingInsertion(509, 2, "ñandú"), "ñandú");
    // A whole page pasted into empty notes: the first 512 characters.
    const std::string page = Repeat("á", 600);
    const std::string_view taken = FittingInsertion(0, 0, page);
    EXPECT_EQ(CharacterCount(taken), 512u);
    EXPECT_EQ(taken.size(), 1024u);
    // Notes read from a file may be longer: nothing more goes in until they
    // are under the limit, and what they hold is not cut.
    EXPECT_EQ(FittingInsertion(600, 0, "x"), "");
    EXPECT_EQ(FittingInsertion(600, 100, "abcdefghijklmnop"), "abcdefghijkl");  // 512 - 500 = 12
    EXPECT_EQ(FittingInsertion(3, 7, "ab"), "ab");  // a replaced count past the end counts as all
}

class NotesTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        folder = fs::temp_directory_path() / ("quillet-notes-" + std::to_string(::getpid()) + "-" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
        editor.StartUp();
    }
    void TearDown() override {
        fs::remove_all(folder);
        EditorTest::TearDown();
    }
    std::string PathOf(const std::string& name) const { return (folder / name).string(); }
    fs::path folder;
};

TEST_F(NotesTest, NotesTravelWithTheCircuitAndGoWithNew) {
    AppendPieces(editor.Circuit(), kStandardStraight, 2);
    editor.Circuit().modified = true;
    editor.Memo1Change("Curva rápida\nÚltima: 5 €");
    EXPECT_EQ(editor.Notes(), "Curva rápida\nÚltima: 5 €");

    const std::string path = PathOf("Club.QLC");
    prompter.saveNames = {path};
    editor.FileSave1Execute();
    ASSERT_FALSE(editor.Circuit().modified);
    EXPECT_FALSE(editor.HasUnsavedWork());

    // Saved: New asks nothing and leaves no notes.
    editor.FileNew1Execute();
    EXPECT_EQ(editor.Notes(), "");
    EXPECT_EQ(prompter.log, (std::vector<std::string>{"save as Untitled"}));

    // Open gives them back, and Undo right after Open keeps them.
    editor.Memo1Change("typed into the new circuit");
    prompter.saveAnswers = {SaveAnswer::No};
    prompter.openNames = {path};
    editor.FileOpen1Execute();
    EXPECT_EQ(editor.Notes(), "Curva rápida\nÚltima: 5 €");
    editor.ToolButton44Click();
    EXPECT_EQ(editor.Notes(), "Curva rápida\nÚltima: 5 €");
}

TEST_F(NotesTest, EditingNotesLeavesTheModifiedFlagButAsksBeforeTheyAreLost) {
    editor.Memo1Change("Lane 2 is slow");
    EXPECT_FALSE(editor.Circuit().modified);
    EXPECT_TRUE(editor.NotesUnsaved());
    EXPECT_EQ(editor.FormActualize().caption, "Quillet - Untitled");

    // New asks, as it would for an unsaved chain; Cancel keeps them.
    prompter.saveAnswers = {SaveAnswer::Cancel};
    editor.FileNew1Execute();
    EXPECT_EQ(editor.Notes(), "Lane 2 is slow");
    // Closing asks too.
    prompter.saveAnswers = {SaveAnswer::Cancel};
    EXPECT_FALSE(editor.FormCloseQuery());
    // No: they go with the circuit.
    prompter.saveAnswers = {SaveAnswer::No};
    editor.FileNew1Execute();
    EXPECT_EQ(editor.Notes(), "");
    EXPECT_EQ(prompter.log, (std::vector<std::string>{"save?", "save?", "save?"}));

    // Notes put back as the file has them ask nothing.
    const std::string path = PathOf("Oval.QLC");
    editor.Memo1Change("one");
    prompter.saveAnswers = {SaveAnswer::Yes};
    prompter.saveNames = {path};
    ASSERT_TRUE(editor.FormCloseQuery());
    editor.Memo1Change("one more");
    editor.Memo1Change("one");
    EXPECT_FALSE(editor.HasUnsavedWork());
    EXPECT_TRUE(editor.FormCloseQuery());
    EXPECT_EQ(prompter.log.size(), 5u);  // save?, save as: nothing more
}

TEST_F(NotesTest, ABlankLineInsideTheNotesDoesNotEndThemInTheFile) {
    // The file ends the notes at their first empty line; such a line is
    // written as one blank, so the text after it comes back.
    editor.Memo1Change("First paragraph\n\nSecond paragraph\n");
    const std::string path = PathOf("Blank.QLC");
    prompter.saveNames = {path};
    editor.FileSave1Execute();
    prompter.openNames = {path};
    editor.FileOpen1Execute();
    EXPECT_EQ(editor.Notes(), "First paragraph\n \nSecond paragraph");
}

}  // namespace
}  // namespace quillet::test
