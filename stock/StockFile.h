#pragma once
// The stock file: the interface language and the user's stock, 55 lines of
// whole numbers ending CR LF:
//   1        language index (1 Spanish, 2 English)
//   2..16    SCX pieces, types 0..14
//   17..31   NINCO pieces, types 0..14
//   32..43   SCX borders, kinds 0..11
//   44..55   NINCO borders, kinds 0..11
//
// The file is the user's only record of their collection, so a damaged one is
// read as far as it goes, never silently replaced: a copy of it is kept before
// the program writes the stock again.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "stock/TrackList.h"

namespace quillet {

inline constexpr char kStockFileName[] = "Quillet Stock.QLs";
inline constexpr int kStockFileLines = 55;
// Five digits, as the stock dialog's fields take. A negative count means
// nothing a collection can hold, so it is damage like any other.
inline constexpr int32_t kMaxStockCount = 99999;

// A count as the file or a stock field holds it: a whole number 0..99999.
std::optional<int32_t> ParseStockCount(std::string_view text);

enum class StockFault : uint8_t {
    None,
    EndsEarly,           // fewer than 55 lines
    NotANumber,          // a line that is not a whole number
    CountOutOfRange,     // a count outside 0..99999
    LanguageOutOfRange,  // line 1 neither 1 nor 2
    UnexpectedText,      // something after line 55
};

struct TStockReadResult {
    StockFault fault = StockFault::None;  // the first fault found
    int line = 0;                         // its line, 1-based
    std::vector<int> zeroedLines;         // every count line not read, so read as 0
    bool Damaged() const { return fault != StockFault::None; }
    friend bool operator==(const TStockReadResult&, const TStockReadResult&) = default;
};

// Reads stock file bytes into `stock`, replacing it: each count that is valid
// is taken, every other count is 0. A whole number on line 1 goes through
// SetLanguageIndex (which keeps the index within 1..2); anything else there
// leaves the language as it was. Lines may end CR LF, CR or LF.
TStockReadResult LoadStock(TTrackList& stock, std::string_view bytes);

// The file's bytes for the stock and the given language (1 or 2).
std::string StockFileBytes(const TTrackList& stock, int language);
// ... with the current language.
std::string SaveStock(const TTrackList& stock);

// The fault as the user reads it, in the current language ("stock file
// damaged at line 12: not a whole number"); empty when there is none.
std::string StockFaultText(const TStockReadResult& result);

// Where the stock file lives. The program's folder, as a portable install
// keeps it beside the program, when the file is already there; else the
// per-user data folder when the file is there; else the program's folder when
// it can be written to; else the per-user folder (created on the first save).
// Either folder may be empty (unknown).
std::string StockFilePath(const std::string& programFolder, const std::string& userDataFolder);

// The stock file on disk, from start-up to the last save.
//
//   TTrackList stock;
//   SetLanguageIndex(kSpanish);
//   TStockFile file(StockFilePath(programFolder, userDataFolder));
//   if (std::string m = file.Load(stock); !m.empty()) tell the user m;
//   ...
//   if (std::string m; !file.Save(stock, &m)) tell the user m;
class TStockFile {
public:
    explicit TStockFile(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }

    // Reads the file into the stock and the language. A missing file changes
    // nothing. A damaged one is read as far as it goes and a copy of it is
    // kept beside it; a file that cannot be read at all is left alone and
    // never overwritten. Returns what the user must be told, in the language
    // just read; empty when all is well.
    std::string Load(TTrackList& stock);

    // Writes the stock and the current language atomically: on failure the
    // old file is intact. Refuses (false, with `message`) while a damaged
    // file has no copy yet and no copy can be made, or when the file could
    // not be read at start.
    bool Save(const TTrackList& stock, std::string* message = nullptr);

    // What the last Load found, and the copy of the damaged file it kept
    // (empty when none).
    const TStockReadResult& LastRead() const { return lastRead_; }
    const std::string& DamagedCopy() const { return damagedCopy_; }

private:
    // Keeps the damaged bytes in a new file beside the stock file; false, with
    // the cause, when no copy could be made.
    bool KeepDamagedCopy(std::string* cause);

    std::string path_;
    TStockReadResult lastRead_;
    std::string damagedBytes_;  // read from a damaged file, until a copy holds them
    bool copyPending_ = false;
    bool unreadable_ = false;  // the file exists but could not be read
    std::string damagedCopy_;
};

}  // namespace quillet
