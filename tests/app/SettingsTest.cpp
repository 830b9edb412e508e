// The Settings dialog's rules and the editor's load and apply.

#include <gtest/gtest.h>

#include "ScriptedPrompter.h"
#include "tools/Settings.h"

namespace quillet::test {
namespace {

TEST(SettingsFields, KeyFilterAndExitChecks) {
    EXPECT_TRUE(SettingsKeyPasses(U'0'));
    EXPECT_TRUE(SettingsKeyPasses(U'9'));
    EXPECT_TRUE(SettingsKeyPasses(8));
    EXPECT_FALSE(SettingsKeyPasses(U'a'));
    EXPECT_FALSE(SettingsKeyPasses(U'-'));
    EXPECT_FALSE(SettingsKeyPasses(U' '));

    // Work area fields: above 1200 cut, 0 and empty put back, zeros dropped.
    EXPECT_EQ(AreaFieldOnExit("5000", 300), "1200");
    EXPECT_EQ(AreaFieldOnExit("1201", 300), "1200");
    EXPECT_EQ(AreaFieldOnExit("1200", 300), "1200");
    EXPECT_EQ(AreaFieldOnExit("0", 300), "300");
    EXPECT_EQ(AreaFieldOnExit("0000", 200), "200");
    EXPECT_EQ(AreaFieldOnExit("", 200), "200");
    EXPECT_EQ(AreaFieldOnExit("0042", 300), "42");

    // Grid: 0 is raised to 1 cm, empty put back.
    EXPECT_EQ(GridFieldOnExit("0", 20), "1");
    EXPECT_EQ(GridFieldOnExit("00", 20), "1");
    EXPECT_EQ(GridFieldOnExit("", 20), "20");
    EXPECT_EQ(GridFieldOnExit("05", 20), "5");

    EXPECT_EQ(SettingsFieldValue("12"), 12);
    EXPECT_FALSE(SettingsFieldValue("").has_value());
    EXPECT_FALSE(SettingsFieldValue("1a").has_value());

    EXPECT_EQ(BackgroundItemOf(0xA0A0A0), 1);
    EXPECT_EQ(BackgroundItemOf(0x7090A0), 3);
    EXPECT_EQ(BackgroundItemOf(0x123456), -1);
}

TEST_F(EditorTest, SettingsShowTheCircuitAndTheWorkArea) {
    editor.SetWorkArea(4005, 2000);
    TSettingsValues v = editor.SettingsForDialog();
    // 4005 mm = 400.5 cm, rounded to even: 400.
    EXPECT_EQ(v.lengthCm, "400");
    EXPECT_EQ(v.widthCm, "200");
    EXPECT_EQ(v.gridCm, "20");
    EXPECT_EQ(v.lanesItem, 0);
    EXPECT_TRUE(v.lanesEnabled);
    EXPECT_EQ(v.brandItem, 0);
    EXPECT_TRUE(v.brandEnabled);
    EXPECT_EQ(v.detail, 3);
    EXPECT_EQ(v.backgroundItem, 0);
    EXPECT_EQ(v.languageItem, 1);  // the fixture runs in English

    AppendPieces(editor.Circuit(), kStandardStraight, 1);
    editor.Circuit().singleRacing = true;
    editor.Circuit().startBrand = 0;
    v = editor.SettingsForDialog();
    EXPECT_FALSE(v.lanesEnabled);
    EXPECT_FALSE(v.brandEnabled);
    EXPECT_EQ(v.brandItem, 1);
}

TEST_F(EditorTest, SettingsApplyRaisesSmallWorkAreasAndZeroGrids) {
    TSettingsValues v = editor.SettingsForDialog();
    v.lengthCm = "50";   // 500 mm -> raised to 1000
    v.widthCm = "9999";  // beyond the largest work area -> 12000
    v.gridCm = "0";      // no grid of 0: 1 cm
    v.lanesItem = 2;
    v.brandItem = 1;
    v.detail = 5;
    v.colourCode = true;
    v.backgroundItem = 2;
    EXPECT_FALSE(editor.ApplySettings(v));  // the language did not change
    EXPECT_EQ(editor.WorkAreaLength(), 1000);
    EXPECT_EQ(editor.WorkAreaWidth(), 12000);
    const TCircuit& c = editor.Circuit();
    EXPECT_EQ(c.workAreaLength, 1000);
    EXPECT_EQ(c.gridStep, 10);
    EXPECT_EQ(c.lanePairs, 3);
    EXPECT_EQ(c.startBrand, 0);
    EXPECT_EQ(c.detailLevel, 5);
    EXPECT_TRUE(c.colourCodeShown);
    EXPECT_EQ(c.backgroundColour, 0x60A060);
    EXPECT_TRUE(c.modified);
}

TEST_F(EditorTest, SettingsWithAnEmptyFieldApplyNothing) {
    TSettingsValues v = editor.SettingsForDialog();
    v.lengthCm = "500";
    v.gridCm = "";
    v.detail = 1;
    EXPECT_EQ(CheckSettings(v), SettingsProblem::EmptyGrid);
    editor.ApplySettings(v);
    EXPECT_EQ(editor.WorkAreaLength(), 3000);
    EXPECT_EQ(editor.Circuit().detailLevel, 3);
    EXPECT_FALSE(editor.Circuit().modified);
    v.widthCm = "";
    EXPECT_EQ(CheckSettings(v), SettingsProblem::EmptyWidth);
}

TEST_F(EditorTest, LanesOfACircuitWithPiecesStay) {
    AppendPieces(editor.Circuit(), kStandardStraight, 1);
    TSettingsValues v = editor.SettingsForDialog();
    v.lanesItem = 3;
    editor.ApplySettings(v);
    EXPECT_EQ(editor.Circuit().lanePairs, 1);
}

TEST_F(EditorTest, LanguageSwitchRenamesOnlyAnUntitledCircuit) {
    SetLanguageIndex(kSpanish);
    editor.StartUp();
    EXPECT_EQ(editor.Circuit().title, "Sin Título");

    prompter.settings = [](TSettingsValues& v) {
        v.languageItem = 1;
        return true;
    };
    EXPECT_TRUE(editor.WorkingArea1Click());
    EXPECT_EQ(LanguageIndex(), kEnglish);
    EXPECT_EQ(editor.Circuit().title, "Untitled");
    EXPECT_EQ(editor.FormActualize().caption, "Quillet - Untitled");

    // The same language again re-applies nothing.
    EXPECT_FALSE(editor.WorkingArea1Click());

    // Cancel applies nothing at all.
    prompter.settings = [](TSettingsValues& v) {
        v.languageItem = 0;
        v.lengthCm = "800";
        return false;
    };
    EXPECT_FALSE(editor.WorkingArea1Click());
    EXPECT_EQ(LanguageIndex(), kEnglish);
    EXPECT_EQ(editor.WorkAreaLength(), 3000);

    prompter.settings = [](TSettingsValues& v) {
        v.languageItem = 0;
        return true;
    };
    EXPECT_TRUE(editor.WorkingArea1Click());
    EXPECT_EQ(editor.Circuit().title, "Sin Título");

    // A saved name, and a numbered new one, stay as they are.
    editor.Circuit().title = "Oval";
    prompter.settings = [](TSettingsValues& v) {
        v.languageItem = 1;
        return true;
    };
    EXPECT_TRUE(editor.WorkingArea1Click());
    EXPECT_EQ(editor.Circuit().title, "Oval");
}

TEST_F(EditorTest, LanguageSwitchCarriesTheNumberOfANewCircuit) {
    editor.StartUp();
    editor.FileNew1Execute();
    editor.FileNew1Execute();
    ASSERT_EQ(editor.Circuit().title, "Untitled 2");
    auto choose = [this](int item) {
        prompter.settings = [item](TSettingsValues& v) {
            v.languageItem = item;
            return true;
        };
        EXPECT_TRUE(editor.WorkingArea1Click());
    };
    choose(0);
    EXPECT_EQ(editor.FormActualize().caption, "Quillet - Sin Título 2");
    // The undo state takes the new language as well.
    editor.ToolButton44Click();
    EXPECT_EQ(editor.FormActualize().caption, "Quillet - Sin Título 2");
    choose(1);
    EXPECT_EQ(editor.Circuit().title, "Untitled 2");
    EXPECT_EQ(editor.UndoCircuit().title, "Untitled 2");

    // A name typed to look like one that is not New's stays.
    editor.Circuit().title = "Untitled 02";
    choose(0);
    EXPECT_EQ(editor.Circuit().title, "Untitled 02");
}

}  // namespace
}  // namespace quillet::test
