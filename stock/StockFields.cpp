#include "stock/StockFields.h"

#include "stock/StockFile.h"
#include "text/ExtraTexts.h"
#include "text/Languages.h"

namespace quillet {

namespace {

using P = StockPage;
constexpr int N = kNincoIndex;
constexpr int S = kScxIndex;

constexpr StockSlot Piece(int brand, int type) { return {false, brand, type}; }
constexpr StockSlot Border(int brand, int kind) { return {true, brand, kind}; }

// clang-format off
constexpr StockRowDef kRows[] = {
    // Straights
    {P::Straights, "Label1", 14, kStandardStraight, 0, 0, 1},
    {P::Straights, "Label4", 15, kHalfStraight, 0, 2, 3},
    {P::Straights, "Label5", 16, kQuarterStraight, 0, 4, 5},
    {P::Straights, "Label6", 21, kChangeoverTrack, 0, 6, 7},
    // Curves
    {P::Curves, "Label7", 18, kInnerCurve, 0, 8, 9},
    {P::Curves, "Label15", 17, kStandardCurve, 0, 10, 11},
    {P::Curves, "Label16", 19, kOuterCurve, 0, 12, 13},
    {P::Curves, "Label17", 20, kSuperOuterCurve, 0, 14, 15},
    // Specials
    {P::Specials, "Label10", 23, kStartingStraight, 0, 16, 17},
    {P::Specials, "Label13", 22, kAdaptationChicane, 0, 18, -1},
    {P::Specials, "Label25", 113, kStartingChicane, 0, -1, 19},
    {P::Specials, "Label26", 114, kStraightChicane, 0, -1, 20},
    {P::Specials, "Label27", 115, kCurvedChicane, 0, -1, 21},
    {P::Specials, "Label38", 193, kSingleRacingInnerCurve, 0, 22, -1},
    {P::Specials, "Label39", 194, kSingleRacingOuterCurve, 0, 23, -1},
    // Borders. A bordered side of a standard straight counts two half
    // straight borders; the SCX curve closing border is the half border of a
    // straight.
    {P::Borders, "Label21", 26, kHalfStraight, kOuterBorder, 24, 25},
    {P::Borders, "Label22", 27, kQuarterStraight, kOuterBorder, 26, 27},
    {P::Borders, "Label23", 128, kStandardStraight, kOuterBorderEntryHalf, -1, 28},
    {P::Borders, "Label18", 25, kStandardStraight, kOuterBorder, 29, 30},
    // Curve borders
    {P::CurveBorders, "Label28", 31, kInnerCurve, kInnerBorder, 31, 32},
    {P::CurveBorders, "Label31", 130, kInnerCurve, kOuterBorder, 33, 34},
    {P::CurveBorders, "Label32", 29, kStandardCurve, kInnerBorder, 35, 36},
    {P::CurveBorders, "Label33", 28, kStandardCurve, kOuterBorder, 37, 38},
    {P::CurveBorders, "Label34", 33, kOuterCurve, kInnerBorder, 39, 40},
    {P::CurveBorders, "Label35", 32, kOuterCurve, kOuterBorder, 41, 42},
    {P::CurveBorders, "Label36", 35, kSuperOuterCurve, kInnerBorder, 43, 44},
    {P::CurveBorders, "Label37", 34, kSuperOuterCurve, kOuterBorder, 45, 46},
};

constexpr StockFieldDef kFields[] = {
    {"Edit1", 0, N, Piece(N, kStandardStraight)},   {"Edit2", 0, S, Piece(S, kStandardStraight)},
    {"Edit3", 1, N, Piece(N, kHalfStraight)},       {"Edit4", 1, S, Piece(S, kHalfStraight)},
    {"Edit5", 2, N, Piece(N, kQuarterStraight)},    {"Edit6", 2, S, Piece(S, kQuarterStraight)},
    {"Edit7", 3, N, Piece(N, kChangeoverTrack)},    {"Edit8", 3, S, Piece(S, kChangeoverTrack)},
    {"Edit9", 4, N, Piece(N, kInnerCurve)},         {"Edit10", 4, S, Piece(S, kInnerCurve)},
    {"Edit15", 5, N, Piece(N, kStandardCurve)},     {"Edit16", 5, S, Piece(S, kStandardCurve)},
    {"Edit17", 6, N, Piece(N, kOuterCurve)},        {"Edit18", 6, S, Piece(S, kOuterCurve)},
    {"Edit19", 7, N, Piece(N, kSuperOuterCurve)},   {"Edit20", 7, S, Piece(S, kSuperOuterCurve)},
    {"Edit11", 8, N, Piece(N, kStartingStraight)},  {"Edit12", 8, S, Piece(S, kStartingStraight)},
    {"Edit13", 9, N, Piece(N, kAdaptationChicane)},
    {"Edit32", 10, S, Piece(S, kStartingChicane)},
    {"Edit34", 11, S, Piece(S, kStraightChicane)},
    {"Edit36", 12, S, Piece(S, kCurvedChicane)},
    {"Edit53", 13, N, Piece(N, kSingleRacingInnerCurve)},
    {"Edit55", 14, N, Piece(N, kSingleRacingOuterCurve)},
    {"Edit23", 15, N, Border(N, kHalfStraightBorder)},          {"Edit24", 15, S, Border(S, kHalfStraightBorder)},
    {"Edit25", 16, N, Border(N, kQuarterStraightBorder)},       {"Edit26", 16, S, Border(S, kQuarterStraightBorder)},
    {"Edit28", 17, S, Border(S, kCurveClosingBorder)},
    {"Edit21", 18, N, Border(N, kStandardStraightBorder)},      {"Edit22", 18, S, Border(S, kStandardStraightBorder)},
    {"Edit37", 19, N, Border(N, kInnerCurveInnerBorder)},       {"Edit38", 19, S, Border(S, kInnerCurveInnerBorder)},
    {"Edit39", 20, N, Border(N, kInnerCurveOuterBorder)},       {"Edit40", 20, S, Border(S, kInnerCurveOuterBorder)},
    {"Edit41", 21, N, Border(N, kStandardCurveInnerBorder)},    {"Edit42", 21, S, Border(S, kStandardCurveInnerBorder)},
    {"Edit43", 22, N, Border(N, kStandardCurveOuterBorder)},    {"Edit44", 22, S, Border(S, kStandardCurveOuterBorder)},
    {"Edit45", 23, N, Border(N, kOuterCurveInnerBorder)},       {"Edit46", 23, S, Border(S, kOuterCurveInnerBorder)},
    {"Edit47", 24, N, Border(N, kOuterCurveOuterBorder)},       {"Edit48", 24, S, Border(S, kOuterCurveOuterBorder)},
    {"Edit49", 25, N, Border(N, kSuperOuterCurveInnerBorder)},  {"Edit50", 25, S, Border(S, kSuperOuterCurveInnerBorder)},
    {"Edit51", 26, N, Border(N, kSuperOuterCurveOuterBorder)},  {"Edit52", 26, S, Border(S, kSuperOuterCurveOuterBorder)},
};
// clang-format on

static_assert(std::size(kFields) == kStockFieldCount);

// The rows name their fields and the fields their rows: both must agree, and
// the fields must follow the rows so that the first fault found is the
// first on the pages.
consteval bool TablesAgree() {
    int next = 0;
    for (int r = 0; r < static_cast<int>(std::size(kRows)); ++r) {
        for (const int f : {kRows[r].ninco, kRows[r].scx}) {
            if (f < 0) continue;
            if (f != next++) return false;
            if (kFields[f].row != r) return false;
        }
        if (kRows[r].ninco >= 0 && kFields[kRows[r].ninco].brand != N) return false;
        if (kRows[r].scx >= 0 && kFields[kRows[r].scx].brand != S) return false;
    }
    for (const StockFieldDef& f : kFields) {
        if (f.slot.brand != f.brand) return false;
    }
    return next == kStockFieldCount;
}
static_assert(TablesAgree(), "rows and fields name each other, in page order");

int32_t Read(const TTrackList& stock, const StockSlot& s) {
    return s.border ? stock.Borders(s.brand, s.index) : stock.Pieces(s.brand, s.index);
}

void Write(TTrackList& stock, const StockSlot& s, int32_t value) {
    if (s.border) {
        stock.SetBorders(s.brand, s.index, value);
    } else {
        stock.SetPieces(s.brand, s.index, value);
    }
}

}  // namespace

int StockPageTextEntry(StockPage page) {
    constexpr int kEntries[kStockPages] = {55, 56, 57, 58, 129};
    return kEntries[static_cast<int>(page)];
}

std::span<const StockRowDef> StockRows() { return kRows; }
std::span<const StockFieldDef> StockFields() { return kFields; }

TStockFields StockFieldsOf(const TTrackList& stock) {
    TStockFields fields;
    for (int i = 0; i < kStockFieldCount; ++i) fields[i] = std::to_string(Read(stock, kFields[i].slot));
    return fields;
}

std::optional<StockFieldProblem> CheckStockFields(const TStockFields& fields) {
    for (int i = 0; i < kStockFieldCount; ++i) {
        if (fields[i].empty()) return StockFieldProblem{i, StockFieldFault::Empty};
        if (!ParseStockCount(fields[i])) return StockFieldProblem{i, StockFieldFault::NotACount};
    }
    return std::nullopt;
}

std::string StockFieldProblemText(const StockFieldProblem& problem) {
    if (problem.field < 0 || problem.field >= kStockFieldCount) return {};
    const StockFieldDef& f = kFields[problem.field];
    const std::string row = Text(kRows[f.row].textEntry);
    const std::string column = f.brand == N ? "NINCO" : "SCX";
    if (problem.fault == StockFieldFault::Empty) return Format(Text(XText::StockFieldEmpty), row, column);
    return Format(Text(XText::StockFieldNotACount), row, column, kMaxStockCount);
}

bool ApplyStockFields(const TStockFields& fields, TTrackList& stock) {
    if (CheckStockFields(fields)) return false;
    for (int i = 0; i < kStockFieldCount; ++i) Write(stock, kFields[i].slot, *ParseStockCount(fields[i]));
    return true;
}

}  // namespace quillet
