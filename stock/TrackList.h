#pragma once
// The bill of materials: how many catalogue pieces and border pieces of each
// track system a circuit needs, and the lines of the Track List that set them
// beside the user's stock. The same table type holds the stock itself.
//
// Brand indexes in these tables are 1 = SCX and 2 = NINCO (unlike the brand
// flag of a new piece, where 1 is NINCO).

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/Tracks.h"

namespace quillet {

inline constexpr int kScxIndex = 1;
inline constexpr int kNincoIndex = 2;
inline constexpr int kBorderKinds = 12;

// Border kinds.
inline constexpr int kCurveClosingBorder = 0;
inline constexpr int kStandardStraightBorder = 1;
inline constexpr int kHalfStraightBorder = 2;
inline constexpr int kQuarterStraightBorder = 3;
inline constexpr int kStandardCurveOuterBorder = 4;
inline constexpr int kInnerCurveOuterBorder = 5;
inline constexpr int kOuterCurveOuterBorder = 6;
inline constexpr int kSuperOuterCurveOuterBorder = 7;
inline constexpr int kStandardCurveInnerBorder = 8;
inline constexpr int kInnerCurveInnerBorder = 9;
inline constexpr int kOuterCurveInnerBorder = 10;
inline constexpr int kSuperOuterCurveInnerBorder = 11;

// Text-table entry naming a border kind; -1 for an unknown kind.
int BorderKindTextEntry(int kind);

// The listing's column layout.
inline constexpr int kListNameWidth = 42;  // brand prefix and name, padded
inline constexpr int kListCountWidth = 3;  // each count, right-aligned
inline constexpr std::string_view kListColumnGap = "    ";

// One line of the Track List as data: the brand's name ("NINCO", "SCX"), the
// piece's or border's name in the current language, and the counts. Missing
// is what the stock lacks, 0 when it has enough.
struct TTrackListRow {
    std::string brand;
    std::string name;
    int32_t required = 0;
    int32_t stock = 0;
    int64_t missing = 0;
    friend bool operator==(const TTrackListRow&, const TTrackListRow&) = default;
};

class TTrackList {
public:
    // Counts of pieces (type 0..14) and border pieces (kind 0..11) per brand
    // index. Reading outside the tables gives 0; setting outside is ignored.
    int32_t Pieces(int brand, int type) const;
    void SetPieces(int brand, int type, int32_t count);
    int32_t Borders(int brand, int kind) const;
    void SetBorders(int brand, int kind, int32_t count);

    void Clear();
    bool Empty() const;

    // Recomputes both tables from the circuit: what it takes to build it from
    // two-lane catalogue pieces and border pieces.
    void CountTracks(const TCircuit& circuit);

    // The Track List lines of this (required) table against the stock, in the
    // current language: NINCO then SCX, pieces then borders, one line for each
    // count above 0.
    std::vector<std::string> ListLines(const TTrackList& stock) const;
    // The same lines as data, in the same order.
    std::vector<TTrackListRow> Rows(const TTrackList& stock) const;

    friend bool operator==(const TTrackList&, const TTrackList&) = default;

private:
    void AddPieces(int brand, int type, int32_t n);
    void AddBorders(int brand, int kind, int32_t n);

    std::array<std::array<int32_t, kTrackTypeCount>, 2> pieces_{};
    std::array<std::array<int32_t, kBorderKinds>, 2> borders_{};
};

// One listing line: `name` (brand prefix included) padded with blanks to 42
// characters, then the required, stock and missing columns.
std::string TrackListLine(std::string_view name, int64_t required, int64_t stock);

// Characters, not bytes, of a UTF-8 text: what a fixed-pitch list shows.
std::size_t Utf8Length(std::string_view text);

}  // namespace quillet
