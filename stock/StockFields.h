#pragma once
// The Tracks Stock dialog without the window: its five pages, the rows of
// each page with their two fields (NINCO left, SCX right), the stock value
// each field shows and sets, and the check that runs before OK stores
// anything.
//
// The dialog stores all its fields or none: a field that is empty or holds
// more than a stock count can be keeps the dialog open, names the row and
// the column at fault, and leaves the stock as it was.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "stock/TrackList.h"

namespace quillet {

enum class StockPage : uint8_t { Straights, Curves, Specials, Borders, CurveBorders };
inline constexpr int kStockPages = 5;

// Text-table entry of a page's caption: 55, 56, 57, 58, 129.
int StockPageTextEntry(StockPage page);

// The stock value behind a field: a piece count (type 0..14) or a border
// count (kind 0..11) of one brand index.
struct StockSlot {
    bool border = false;
    int brand = kNincoIndex;
    int index = 0;
    friend bool operator==(const StockSlot&, const StockSlot&) = default;
};

inline constexpr int kStockFieldCount = 47;
// Field numbers: positions in kStockFields (and in TStockFields below).
using StockFieldIndex = int;

struct StockRowDef {
    StockPage page;
    std::string_view label;  // the row's caption label, "Label1"
    int textEntry;           // its name in the text table
    // The piece the row's picture shows and, for border rows, the border
    // flag (1..6, as TTrack::Border numbers them) it shows; 0 for none.
    int pictureType;
    int pictureBorder;
    // Fields by column, -1 where the system has no such piece.
    StockFieldIndex ninco;
    StockFieldIndex scx;
};

struct StockFieldDef {
    std::string_view edit;  // object name, "Edit1"
    int row;                // index into StockRows()
    int brand;              // kNincoIndex or kScxIndex: the column
    StockSlot slot;
};

// Rows in page order, top to bottom as each page shows them.
std::span<const StockRowDef> StockRows();
// Every field in page order: rows top to bottom, NINCO before SCX.
std::span<const StockFieldDef> StockFields();

// The texts of the 47 fields, by field number.
using TStockFields = std::array<std::string, kStockFieldCount>;

// What the fields show when the dialog opens: every stock value they stand
// for, as a decimal number.
TStockFields StockFieldsOf(const TTrackList& stock);

enum class StockFieldFault : uint8_t { Empty, NotACount };

struct StockFieldProblem {
    StockFieldIndex field = 0;
    StockFieldFault fault = StockFieldFault::Empty;
    friend bool operator==(const StockFieldProblem&, const StockFieldProblem&) = default;
};

// The first field (in page order, rows top to bottom, NINCO before SCX) that
// is not a count of 0..99999; nothing when every field is one.
std::optional<StockFieldProblem> CheckStockFields(const TStockFields& fields);

// What the dialog says about it in the current language, naming the row and
// the column: "Half Straight, SCX: the field is empty. ..."
std::string StockFieldProblemText(const StockFieldProblem& problem);

// Stores every field into the stock when all of them are valid; otherwise
// changes nothing and returns false. Stock values without a field (NINCO
// starting, straight and curved chicanes and curve closing borders, SCX
// adaptation chicanes and single-racing curves) are left as they are.
bool ApplyStockFields(const TStockFields& fields, TTrackList& stock);

}  // namespace quillet
