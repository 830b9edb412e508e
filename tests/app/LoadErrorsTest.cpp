// A failed load as the error window words it: the file's name, its folder
// and the reason each on a line of its own, starting with a capital, in
// either language.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/LoadErrors.h"
#include "model/Tracks.h"
#include "text/ExtraTexts.h"
#include "text/Languages.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;

class LoadErrorsTest : public ::testing::Test {
protected:
    void TearDown() override { SetLanguageIndex(kSpanish); }
};

TEST_F(LoadErrorsTest, NameFolderAndReasonStandOnLinesOfTheirOwn) {
    SetLanguageIndex(kEnglish);
    EXPECT_EQ(LoadErrorText("/home/ana/circuits/Broken.QLC",
                            "cannot read /home/ana/circuits/Broken.QLC: line 12: expected a whole number"),
              "File: Broken.QLC\nFolder: /home/ana/circuits\nLine 12: expected a whole number");
    EXPECT_EQ(LoadErrorText("/nowhere/a.QLC", "cannot open file /nowhere/a.QLC: no such file or folder"),
              "File: a.QLC\nFolder: /nowhere\nNo such file or folder");
    // A picture the reader could not take says so in words of its own.
    EXPECT_EQ(LoadErrorText("/p/plan.bmp", "cannot read the picture /p/plan.bmp"),
              "File: plan.bmp\nFolder: /p\nIt is not a picture that can be read");
    // A message that does not start by naming the file is kept whole.
    EXPECT_EQ(LoadErrorText("/p/stock.dat", "stock file damaged at line 3"),
              "File: stock.dat\nFolder: /p\nStock file damaged at line 3");
    // No folder: no folder line.
    EXPECT_EQ(LoadErrorText("a.QLC", "cannot read a.QLC: the file ends before line 2"),
              "File: a.QLC\nThe file ends before line 2");
    EXPECT_EQ(LoadErrorCaption(LoadKind::Circuit), "Cannot open the circuit");

    SetLanguageIndex(kSpanish);
    EXPECT_EQ(LoadErrorText("/home/ana/circuitos/Roto.QLC",
                            "no se puede leer /home/ana/circuitos/Roto.QLC: línea 12: se esperaba un número entero"),
              "Archivo: Roto.QLC\nCarpeta: /home/ana/circuitos\nLínea 12: se esperaba un número entero");
    EXPECT_EQ(
        LoadErrorText("/nada/a.QLC", "no se puede abrir el archivo /nada/a.QLC: no existe el archivo o la carpeta"),
        "Archivo: a.QLC\nCarpeta: /nada\nNo existe el archivo o la carpeta");
    EXPECT_EQ(LoadErrorCaption(LoadKind::Circuit), "No se puede abrir el circuito");
    EXPECT_EQ(LoadErrorCaption(LoadKind::Stock), "No se puede leer el archivo de stock");
    EXPECT_EQ(LoadErrorCaption(LoadKind::Template), "No se puede abrir la plantilla");
}

TEST_F(LoadErrorsTest, WhatTheReaderSaysIsWordedForTheWindow) {
    // The reader's own messages, for a file that is not there and for one
    // cut short after its version line.
    const fs::path folder = fs::temp_directory_path() / ("quillet-load-errors-" + std::to_string(getpid()));
    fs::create_directories(folder);
    const std::string missing = (folder / "Missing.QLC").string();
    const std::string cut = (folder / "Cut.QLC").string();
    std::ofstream(cut, std::ios::binary) << "5\r\n";
    SetLanguageIndex(kEnglish);
    TCircuit circuit;
    TReadProblem problem;
    ASSERT_FALSE(LoadCircuit(missing, circuit, nullptr, &problem));
    EXPECT_EQ(LoadErrorText(missing, problem.message),
              "File: Missing.QLC\nFolder: " + folder.string() + "\nNo such file or folder");
    ASSERT_FALSE(LoadCircuit(cut, circuit, nullptr, &problem));
    const std::string text = LoadErrorText(cut, problem.message);
    const std::string head = "File: Cut.QLC\nFolder: " + folder.string() + "\nThe file ends before line 2";
    EXPECT_EQ(text.substr(0, head.size()), head) << text;
    fs::remove_all(folder);
}

TEST_F(LoadErrorsTest, FirstLetterBecomesACapital) {
    EXPECT_EQ(WithCapital("line 3"), "Line 3");
    EXPECT_EQ(WithCapital("él"), "Él");
    EXPECT_EQ(WithCapital("ñu"), "Ñu");
    EXPECT_EQ(WithCapital("Ya"), "Ya");
    EXPECT_EQ(WithCapital("3 x"), "3 x");
    EXPECT_EQ(WithCapital(""), "");
}

}  // namespace
}  // namespace quillet
