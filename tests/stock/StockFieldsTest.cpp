// The Tracks Stock dialog's table: which stock value each of the 47 fields
// shows and sets, page by page, and the check that keeps OK from storing
// part of the fields.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <tuple>

#include "stock/StockFields.h"
#include "text/Languages.h"

namespace quillet {
namespace {

using Slot = std::tuple<bool, int, int>;  // border, brand index, type or kind

Slot SlotOf(const StockFieldDef& f) { return {f.slot.border, f.slot.brand, f.slot.index}; }

TEST(StockFields, EveryFieldShowsItsOwnStockValue) {
    // The dialog's table, field by field: name, then border or piece, brand
    // index and border kind or piece type.
    constexpr int N = kNincoIndex;
    constexpr int S = kScxIndex;
    const std::map<std::string, Slot> expected = {
        {"Edit1", {false, N, 0}},   {"Edit2", {false, S, 0}},   {"Edit3", {false, N, 1}},   {"Edit4", {false, S, 1}},
        {"Edit5", {false, N, 2}},   {"Edit6", {false, S, 2}},   {"Edit7", {false, N, 7}},   {"Edit8", {false, S, 7}},
        {"Edit9", {false, N, 4}},   {"Edit10", {false, S, 4}},  {"Edit15", {false, N, 3}},  {"Edit16", {false, S, 3}},
        {"Edit17", {false, N, 5}},  {"Edit18", {false, S, 5}},  {"Edit19", {false, N, 6}},  {"Edit20", {false, S, 6}},
        {"Edit11", {false, N, 9}},  {"Edit12", {false, S, 9}},  {"Edit13", {false, N, 8}},  {"Edit32", {false, S, 10}},
        {"Edit34", {false, S, 11}}, {"Edit36", {false, S, 12}}, {"Edit53", {false, N, 13}}, {"Edit55", {false, N, 14}},
        {"Edit23", {true, N, 2}},   {"Edit24", {true, S, 2}},   {"Edit25", {true, N, 3}},   {"Edit26", {true, S, 3}},
        {"Edit28", {true, S, 0}},   {"Edit21", {true, N, 1}},   {"Edit22", {true, S, 1}},   {"Edit37", {true, N, 9}},
        {"Edit38", {true, S, 9}},   {"Edit39", {true, N, 5}},   {"Edit40", {true, S, 5}},   {"Edit41", {true, N, 8}},
        {"Edit42", {true, S, 8}},   {"Edit43", {true, N, 4}},   {"Edit44", {true, S, 4}},   {"Edit45", {true, N, 10}},
        {"Edit46", {true, S, 10}},  {"Edit47", {true, N, 6}},   {"Edit48", {true, S, 6}},   {"Edit49", {true, N, 11}},
        {"Edit50", {true, S, 11}},  {"Edit51", {true, N, 7}},   {"Edit52", {true, S, 7}},
    };
    std::map<std::string, Slot> actual;
    for (const StockFieldDef& f : StockFields()) actual[std::string(f.edit)] = SlotOf(f);
    EXPECT_EQ(actual, expected);

    // The seven stock values no field reaches stay as they are: NINCO
    // starting, straight and curved chicanes and curve closing borders, SCX
    // adaptation chicanes and both single-racing curves.
    TTrackList stock;
    int32_t n = 1;
    for (const int brand : {S, N}) {
        for (int type = 0; type < kTrackTypeCount; ++type) stock.SetPieces(brand, type, n++);
        for (int kind = 0; kind < kBorderKinds; ++kind) stock.SetBorders(brand, kind, n++);
    }
    const TStockFields shown = StockFieldsOf(stock);
    TStockFields zero;
    zero.fill("0");
    TTrackList stored = stock;
    ASSERT_TRUE(ApplyStockFields(zero, stored));
    TTrackList untouched;
    untouched.SetPieces(N, 10, stock.Pieces(N, 10));
    untouched.SetPieces(N, 11, stock.Pieces(N, 11));
    untouched.SetPieces(N, 12, stock.Pieces(N, 12));
    untouched.SetBorders(N, 0, stock.Borders(N, 0));
    untouched.SetPieces(S, 8, stock.Pieces(S, 8));
    untouched.SetPieces(S, 13, stock.Pieces(S, 13));
    untouched.SetPieces(S, 14, stock.Pieces(S, 14));
    EXPECT_EQ(stored, untouched);
    // And what was shown goes back as it was.
    ASSERT_TRUE(ApplyStockFields(shown, stored));
    EXPECT_EQ(stored, stock);
}

TEST(StockFields, PagesHoldTheirRowsInOrder) {
    std::map<StockPage, std::vector<int>> entries;
    for (const StockRowDef& r : StockRows()) entries[r.page].push_back(r.textEntry);
    EXPECT_EQ(entries[StockPage::Straights], (std::vector<int>{14, 15, 16, 21}));
    EXPECT_EQ(entries[StockPage::Curves], (std::vector<int>{18, 17, 19, 20}));
    EXPECT_EQ(entries[StockPage::Specials], (std::vector<int>{23, 22, 113, 114, 115, 193, 194}));
    EXPECT_EQ(entries[StockPage::Borders], (std::vector<int>{26, 27, 128, 25}));
    EXPECT_EQ(entries[StockPage::CurveBorders], (std::vector<int>{31, 130, 29, 28, 33, 32, 35, 34}));
    EXPECT_EQ(StockPageTextEntry(StockPage::CurveBorders), 129);
    // The labels are the ones the text table fills.
    std::set<std::string> labels;
    for (const StockRowDef& r : StockRows()) labels.insert(std::string(r.label));
    EXPECT_EQ(labels.size(), StockRows().size());
    EXPECT_EQ(labels.count("Label31"), 1u);  // entry 130, the inner curve's outer border
}

TEST(StockFields, TheFirstFieldThatIsNotACountStopsEverything) {
    SetLanguageIndex(kEnglish);
    TStockFields fields;
    fields.fill("4");
    EXPECT_FALSE(CheckStockFields(fields).has_value());

    // Field 5 (Edit6, SCX quarter straights) empty and field 40 (Edit46)
    // too large: the one met first on the pages is reported.
    fields[40] = "123456";
    fields[5] = "";
    const auto problem = CheckStockFields(fields);
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(*problem, (StockFieldProblem{5, StockFieldFault::Empty}));
    EXPECT_EQ(StockFieldProblemText(*problem),
              "Quarter Straight, SCX: the field is empty. Enter how many pieces you have, 0 if none.");
    TTrackList stock;
    stock.SetPieces(kNincoIndex, kStandardStraight, 9);
    const TTrackList before = stock;
    EXPECT_FALSE(ApplyStockFields(fields, stock));
    EXPECT_EQ(stock, before);

    fields[5] = "0";
    EXPECT_EQ(CheckStockFields(fields), (StockFieldProblem{40, StockFieldFault::NotACount}));
    EXPECT_EQ(StockFieldProblemText({40, StockFieldFault::NotACount}),
              "Outer Curve Inner Border, SCX: enter a count from 0 to 99999.");
    // The largest count passes; leading zeros are only zeros.
    fields[40] = "99999";
    fields[0] = "007";
    ASSERT_TRUE(ApplyStockFields(fields, stock));
    EXPECT_EQ(stock.Pieces(kNincoIndex, kStandardStraight), 7);
    EXPECT_EQ(stock.Borders(kScxIndex, kOuterCurveInnerBorder), 99999);

    SetLanguageIndex(kSpanish);
    EXPECT_EQ(StockFieldProblemText({18, StockFieldFault::Empty}),
              "Chicane de Adaptación, NINCO: el campo está vacío. Escriba cuántas piezas tiene, 0 si ninguna.");
}

}  // namespace
}  // namespace quillet
