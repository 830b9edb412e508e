#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "StockTestSupport.h"
#include "stock/TrackList.h"
#include "stock/TrackListCsv.h"
#include "text/Languages.h"

namespace quillet {
namespace {

using test::Circuit;
using test::Piece;

// (brand, type) -> count of every non-zero piece count.
std::map<std::pair<int, int>, int> PieceCounts(const TTrackList& list) {
    std::map<std::pair<int, int>, int> m;
    for (int brand : {kScxIndex, kNincoIndex}) {
        for (int type = 0; type < kTrackTypeCount; ++type) {
            if (list.Pieces(brand, type) != 0) m[{brand, type}] = list.Pieces(brand, type);
        }
    }
    return m;
}

std::map<std::pair<int, int>, int> BorderCounts(const TTrackList& list) {
    std::map<std::pair<int, int>, int> m;
    for (int brand : {kScxIndex, kNincoIndex}) {
        for (int kind = 0; kind < kBorderKinds; ++kind) {
            if (list.Borders(brand, kind) != 0) m[{brand, kind}] = list.Borders(brand, kind);
        }
    }
    return m;
}

TTrackList Count(const TCircuit& c) {
    TTrackList list;
    list.CountTracks(c);
    return list;
}

class TrackListTest : public ::testing::Test {
protected:
    void SetUp() override { SetLanguageIndex(kSpanish); }
    void TearDown() override { SetLanguageIndex(kSpanish); }
};

TEST_F(TrackListTest, WidenedCurvesCountAsTheirConcentricTwoLaneCurves) {
    constexpr int N = kNincoIndex;
    constexpr int S = kScxIndex;
    struct Case {
        int type, lanePairs, brandFlag;
        std::map<std::pair<int, int>, int> pieces;
    };
    // The ladder of radii: a curve widened by one pair adds the next curve out;
    // outer and super outer curves cover half the arc, so they come in twos.
    // The table's gaps (an outer curve on 6 lanes, a super outer curve or a
    // curved chicane on 4 or 6) count nothing, and every curve on 8 lanes
    // counts the full set: 1 inner, 1 standard, 2 outer, 2 super outer.
    const std::map<std::pair<int, int>, int> fullNinco = {{{N, 4}, 1}, {{N, 3}, 1}, {{N, 5}, 2}, {{N, 6}, 2}};
    const std::map<std::pair<int, int>, int> fullScx = {{{S, 4}, 1}, {{S, 3}, 1}, {{S, 5}, 2}, {{S, 6}, 2}};
    const Case cases[] = {
        {kStandardCurve, 1, 1, {{{N, 3}, 1}}},
        {kStandardCurve, 2, 1, {{{N, 3}, 1}, {{N, 5}, 2}}},  // 4-lane: standard + two outer
        {kStandardCurve, 3, 1, {{{N, 3}, 1}, {{N, 5}, 2}, {{N, 6}, 2}}},
        {kStandardCurve, 4, 1, fullNinco},
        {kInnerCurve, 1, 0, {{{S, 4}, 1}}},
        {kInnerCurve, 2, 0, {{{S, 4}, 1}, {{S, 3}, 1}}},
        {kInnerCurve, 3, 0, {{{S, 4}, 1}, {{S, 3}, 1}, {{S, 5}, 2}}},
        {kInnerCurve, 4, 0, fullScx},
        {kOuterCurve, 1, 1, {{{N, 5}, 1}}},
        {kOuterCurve, 2, 1, {{{N, 5}, 1}, {{N, 6}, 1}}},
        {kOuterCurve, 3, 1, {}},
        {kOuterCurve, 4, 1, fullNinco},
        {kSuperOuterCurve, 1, 0, {{{S, 6}, 1}}},
        {kSuperOuterCurve, 2, 0, {}},
        {kSuperOuterCurve, 3, 0, {}},
        {kSuperOuterCurve, 4, 0, fullScx},
        {kCurvedChicane, 1, 0, {{{S, 12}, 1}}},
        {kCurvedChicane, 3, 0, {}},
        {kCurvedChicane, 4, 0, fullScx},
    };
    for (const Case& k : cases) {
        const TCircuit c = Circuit(k.lanePairs, {Piece{k.type, k.brandFlag}});
        EXPECT_EQ(PieceCounts(Count(c)), k.pieces) << "type " << k.type << ", " << 2 * k.lanePairs << " lanes";
    }

    // The listing names them: a 4-lane NINCO standard curve is one standard and
    // two outer curves, nothing under SCX.
    SetLanguageIndex(kEnglish);
    const std::vector<std::string> lines = Count(Circuit(2, {Piece{kStandardCurve, 1}})).ListLines(TTrackList{});
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].substr(0, 42), "NINCO Standard Curve                      ");
    EXPECT_EQ(lines[0].substr(42), "  1      -      1");
    EXPECT_EQ(lines[1].substr(0, 42), "NINCO Outer Curve                         ");
    EXPECT_EQ(lines[1].substr(42), "  2      -      2");
}

TEST_F(TrackListTest, StraightsCountPerLanePairAndSomeTypesAreAlwaysNinco) {
    constexpr int N = kNincoIndex;
    constexpr int S = kScxIndex;
    // 6 lanes: each straight piece is three two-lane pieces, under its width's
    // system. An adaptation chicane is sold by NINCO only, so it counts there
    // at either width; so do the single-racing curves, even laid SCX-wide.
    const TCircuit c = Circuit(3, {Piece{kStandardStraight, 0}, Piece{kAdaptationChicane, 0},
                                   Piece{kAdaptationChicane, 1}, Piece{kHalfStraight, 1}, Piece{kStartingChicane, 0},
                                   Piece{kSingleRacingInnerCurve, 0}, Piece{kSingleRacingOuterCurve, 1}});
    const std::map<std::pair<int, int>, int> expected = {
        {{S, kStandardStraight}, 3}, {{N, kAdaptationChicane}, 6},      {{N, kHalfStraight}, 3},
        {{S, kStartingChicane}, 3},  {{N, kSingleRacingInnerCurve}, 3}, {{N, kSingleRacingOuterCurve}, 3},
    };
    const TTrackList list = Count(c);
    EXPECT_EQ(PieceCounts(list), expected);

    // Counting again starts from zero; an empty circuit counts nothing and
    // lists nothing, not even a heading.
    TTrackList again = list;
    again.CountTracks(c);
    EXPECT_EQ(again, list);
    again.CountTracks(TCircuit{});
    EXPECT_TRUE(again.Empty());
    EXPECT_TRUE(again.ListLines(list).empty());

    // A damaged type code is skipped, not counted past the table's end.
    TCircuit damaged = Circuit(1, {Piece{kStandardStraight, 1}});
    damaged.Track(1).type = 200;
    EXPECT_TRUE(Count(damaged).Empty());
}

using Kinds = std::map<int, int>;       // border kind -> count
using PerPairs = std::array<Kinds, 4>;  // for 1..4 lane pairs

// Straight-type pieces and inner borders do not widen with the lanes: a
// border runs along one side of the whole piece.
PerPairs Same(const Kinds& k) { return {k, k, k, k}; }

TEST_F(TrackListTest, EveryBorderKindOnEveryLaneCount) {
    struct Case {
        int type;
        int brandFlag;
        std::vector<int> flags;  // border flags set
        PerPairs expected;
    };
    const Case cases[] = {
        // A standard straight's side: two half-straight borders.
        {kStandardStraight, 1, {kOuterBorder}, Same({{kHalfStraightBorder, 2}})},
        {kStandardStraight, 0, {kOuterBorder, kInnerBorder}, Same({{kHalfStraightBorder, 4}})},
        // A half-bordered side is one piece however many of its halves are
        // set: a half-straight border in NINCO, the closing border in SCX.
        {kStandardStraight, 1, {kOuterBorderExitHalf, kOuterBorderEntryHalf}, Same({{kHalfStraightBorder, 1}})},
        {kChangeoverTrack, 1, {kInnerBorderEntryHalf}, Same({{kHalfStraightBorder, 1}})},
        {kStartingStraight, 0, {kOuterBorderExitHalf, kInnerBorderExitHalf}, Same({{kCurveClosingBorder, 2}})},
        {kStartingChicane,
         0,
         {kOuterBorder, kInnerBorderEntryHalf},
         Same({{kHalfStraightBorder, 2}, {kCurveClosingBorder, 1}})},
        {kStraightChicane, 0, {kInnerBorder}, Same({{kHalfStraightBorder, 2}})},
        // Half and quarter straights: one border piece per full side; their
        // half flags count nothing.
        {kHalfStraight, 1, {kOuterBorder, kInnerBorder, kOuterBorderExitHalf}, Same({{kHalfStraightBorder, 2}})},
        {kQuarterStraight, 0, {kInnerBorder, kInnerBorderEntryHalf}, Same({{kQuarterStraightBorder, 1}})},
        {kQuarterStraight, 1, {kOuterBorder}, Same({{kQuarterStraightBorder, 1}})},
        // Curves: the inner border is the innermost curve's, the outer one
        // that of the outermost strip; a standard curve on 8 lanes has none.
        {kStandardCurve, 1, {kInnerBorder}, Same({{kStandardCurveInnerBorder, 1}})},
        {kStandardCurve,
         1,
         {kOuterBorder},
         {Kinds{{kStandardCurveOuterBorder, 1}}, Kinds{{kOuterCurveOuterBorder, 2}},
          Kinds{{kSuperOuterCurveOuterBorder, 4}}, Kinds{}}},
        {kCurvedChicane,
         0,
         {kInnerBorder, kOuterBorder},
         {Kinds{{kStandardCurveInnerBorder, 1}, {kStandardCurveOuterBorder, 1}},
          Kinds{{kStandardCurveInnerBorder, 1}, {kOuterCurveOuterBorder, 2}},
          Kinds{{kStandardCurveInnerBorder, 1}, {kSuperOuterCurveOuterBorder, 4}},
          Kinds{{kStandardCurveInnerBorder, 1}}}},
        {kInnerCurve, 1, {kInnerBorder}, Same({{kInnerCurveInnerBorder, 1}})},
        {kInnerCurve,
         0,
         {kOuterBorder},
         {Kinds{{kInnerCurveOuterBorder, 1}}, Kinds{{kStandardCurveOuterBorder, 1}}, Kinds{{kOuterCurveOuterBorder, 2}},
          Kinds{{kSuperOuterCurveOuterBorder, 4}}}},
        {kOuterCurve, 1, {kInnerBorder}, Same({{kOuterCurveInnerBorder, 1}})},
        {kOuterCurve,
         1,
         {kOuterBorder},
         {Kinds{{kOuterCurveOuterBorder, 1}}, Kinds{{kSuperOuterCurveOuterBorder, 2}}, Kinds{}, Kinds{}}},
        {kSuperOuterCurve,
         0,
         {kInnerBorder, kOuterBorder},
         Same({{kSuperOuterCurveInnerBorder, 1}, {kSuperOuterCurveOuterBorder, 2}})},
        // Half flags on curves, and any border on the chicane joining the
        // systems or on single-racing curves, count nothing.
        {kStandardCurve, 1, {kOuterBorderExitHalf, kInnerBorderEntryHalf}, Same({})},
        {kAdaptationChicane, 1, {kInnerBorder, kOuterBorder, kOuterBorderExitHalf}, Same({})},
        {kSingleRacingInnerCurve, 1, {kInnerBorder, kOuterBorder}, Same({})},
        {kSingleRacingOuterCurve, 1, {kInnerBorder, kOuterBorder}, Same({})},
    };
    for (const Case& k : cases) {
        for (int p = 1; p <= 4; ++p) {
            TCircuit c = Circuit(p, {Piece{k.type, k.brandFlag}});
            for (int flag : k.flags) c.Track(1).SetBorder(flag, true);
            const int brand = k.brandFlag == 1 ? kNincoIndex : kScxIndex;
            std::map<std::pair<int, int>, int> expected;
            for (const auto& [kind, n] : k.expected[static_cast<std::size_t>(p - 1)]) expected[{brand, kind}] = n;
            EXPECT_EQ(BorderCounts(Count(c)), expected) << "type " << k.type << ", " << 2 * p << " lanes";
        }
    }
}

TEST_F(TrackListTest, ListingLineOfEightStraightsWithThreeInStock) {
    const TCircuit c = Circuit(1, std::vector<Piece>(8, Piece{kStandardStraight, 1}));
    TTrackList stock;
    stock.SetPieces(kNincoIndex, kStandardStraight, 3);
    stock.SetPieces(kScxIndex, kStandardStraight, 50);  // another system's stock is not compared

    // "NINCO Standard Straight" is 23 characters, padded with 42 - 23 = 19
    // blanks; then 8, 3 and 8 - 3 = 5, each in 3 characters, 4 blanks between.
    SetLanguageIndex(kEnglish);
    EXPECT_EQ(Count(c).ListLines(stock), std::vector<std::string>{"NINCO Standard Straight" + std::string(19, ' ') +
                                                                  "  8    " + "  3    " + "  5"});
    // "NINCO Recta Standard" is 20 characters: 22 blanks.
    SetLanguageIndex(kSpanish);
    EXPECT_EQ(Count(c).ListLines(stock),
              std::vector<std::string>{"NINCO Recta Standard" + std::string(22, ' ') + "  8    " + "  3    " + "  5"});

    // Stock 0 shows "-" and the whole need as missing; stock above the need
    // shows nothing missing.
    stock.SetPieces(kNincoIndex, kStandardStraight, 0);
    EXPECT_EQ(Count(c).ListLines(stock)[0].substr(42), "  8      -      8");
    stock.SetPieces(kNincoIndex, kStandardStraight, 8);
    EXPECT_EQ(Count(c).ListLines(stock)[0].substr(42), "  8      8      -");
    stock.SetPieces(kNincoIndex, kStandardStraight, 20);
    EXPECT_EQ(Count(c).ListLines(stock)[0].substr(42), "  8     20      -");
}

TEST_F(TrackListTest, ListingPadsCharactersNotBytesAndWideNumbersWidenTheirColumn) {
    // "NINCO Chicane de Adaptación": 27 characters in 28 bytes (ó is two), so
    // 42 - 27 = 15 blanks and the counts start at character 43 like every line.
    const TCircuit chicane = Circuit(1, {Piece{kAdaptationChicane, 0}});
    EXPECT_EQ(
        Count(chicane).ListLines(TTrackList{}),
        std::vector<std::string>{"NINCO Chicane de Adaptación" + std::string(15, ' ') + "  1    " + "  -    " + "  1"});
    EXPECT_EQ(Utf8Length("Chicane de Adaptación"), 21u);

    // 250 straights on 8 lanes need 250 x 4 = 1000 pieces: four characters,
    // the column widens instead of cutting a digit. "SCX Standard Straight" is
    // 21 characters: 21 blanks.
    const TCircuit big = Circuit(4, std::vector<Piece>(250, Piece{kStandardStraight, 0}));
    TTrackList stock;
    SetLanguageIndex(kEnglish);
    EXPECT_EQ(Count(big).ListLines(stock), std::vector<std::string>{"SCX Standard Straight" + std::string(21, ' ') +
                                                                    "1000    " + "  -    " + "1000"});
    stock.SetPieces(kScxIndex, kStandardStraight, 12345);
    EXPECT_EQ(Count(big).ListLines(stock)[0].substr(42),
              "1000    "
              "12345    "
              "  -");
    stock.SetPieces(kScxIndex, kStandardStraight, 1);
    EXPECT_EQ(Count(big).ListLines(stock)[0].substr(42),
              "1000    "
              "  1    "
              "999");  // 1000 - 1

    // A name longer than the column is kept whole, the counts follow it.
    EXPECT_EQ(TrackListLine(std::string(45, 'x'), 2, 0), std::string(45, 'x') + "  2      -      2");
}

TEST_F(TrackListTest, ListingOrderIsNincoThenScxPiecesThenBorders) {
    // Start SCX: an SCX straight with an outer border, an adaptation chicane
    // (counted NINCO), then NINCO-wide pieces after it.
    TCircuit c = Circuit(1, {Piece{kStandardStraight, 0}, Piece{kAdaptationChicane, 0}, Piece{kInnerCurve, 1},
                             Piece{kStandardStraight, 1}});
    c.Track(1).SetBorder(kOuterBorder, true);
    c.Track(3).SetBorder(kOuterBorder, true);
    c.Track(3).SetBorder(kInnerBorder, true);

    TTrackList stock;
    stock.SetBorders(kNincoIndex, kInnerCurveOuterBorder, 4);
    SetLanguageIndex(kEnglish);
    const std::vector<std::string> english = Count(c).ListLines(stock);
    std::vector<std::string> names;
    for (const std::string& line : english) names.push_back(line.substr(0, line.find_last_not_of(' ', 41) + 1));
    EXPECT_EQ(names,
              (std::vector<std::string>{"NINCO Standard Straight", "NINCO Inner Curve", "NINCO Adaptation Chicane",
                                        "NINCO Inner Curve Outer Border", "NINCO Inner Curve Inner Border",
                                        "SCX Standard Straight", "SCX Half Straight Border"}));
    EXPECT_EQ(english[3].substr(42), "  1      4      -");
    EXPECT_EQ(english[6].substr(42), "  2      -      2");

    // In Spanish the inner curve's outer border keeps its own name instead of
    // repeating the outer curve's inner border's.
    SetLanguageIndex(kSpanish);
    const std::vector<std::string> spanish = Count(c).ListLines(stock);
    ASSERT_EQ(spanish.size(), english.size());
    EXPECT_EQ(spanish[3].substr(0, 42), "NINCO Borde Externo de Curva Interior     ");
    EXPECT_EQ(spanish[4].substr(0, 42), "NINCO Borde Interno de Curva Interior     ");
}

TEST_F(TrackListTest, CsvHoldsOneRowPerListLineWithPlainCounts) {
    // The circuit of the listing-order test: the rows come in the same order,
    // the brand in a column of its own, and the counts as numbers (0 where
    // the list shows "-"), so a spreadsheet can add them up. The table starts
    // with UTF-8's byte-order mark and is headed with the Track List window's
    // words ("En Stock").
    TCircuit c = Circuit(1, {Piece{kStandardStraight, 0}, Piece{kAdaptationChicane, 0}, Piece{kInnerCurve, 1},
                             Piece{kStandardStraight, 1}});
    c.Track(1).SetBorder(kOuterBorder, true);
    c.Track(3).SetBorder(kOuterBorder, true);
    c.Track(3).SetBorder(kInnerBorder, true);
    TTrackList stock;
    stock.SetBorders(kNincoIndex, kInnerCurveOuterBorder, 4);
    stock.SetPieces(kNincoIndex, kStandardStraight, 1);

    SetLanguageIndex(kEnglish);
    EXPECT_EQ(TrackListCsv(Count(c).Rows(stock), '.'),
              "\xEF\xBB\xBF"
              "Brand,Piece,Required,In Stock,Missing\r\n"
              "NINCO,Standard Straight,1,1,0\r\n"
              "NINCO,Inner Curve,1,0,1\r\n"
              "NINCO,Adaptation Chicane,1,0,1\r\n"
              "NINCO,Inner Curve Outer Border,1,4,0\r\n"
              "NINCO,Inner Curve Inner Border,1,0,1\r\n"
              "SCX,Standard Straight,1,0,1\r\n"
              "SCX,Half Straight Border,2,0,2\r\n");
    SetLanguageIndex(kSpanish);
    // Where decimals take a comma, a spreadsheet splits columns at ';'.
    EXPECT_EQ(TrackListCsv(Count(c).Rows(stock), ','),
              "\xEF\xBB\xBF"
              "Marca;Pieza;Necesarios;En Stock;Faltan\r\n"
              "NINCO;Recta Standard;1;1;0\r\n"
              "NINCO;Curva Interior;1;0;1\r\n"
              "NINCO;Chicane de Adaptaci\xC3\xB3n;1;0;1\r\n"
              "NINCO;Borde Externo de Curva Interior;1;4;0\r\n"
              "NINCO;Borde Interno de Curva Interior;1;0;1\r\n"
              "SCX;Recta Standard;1;0;1\r\n"
              "SCX;Borde de Media Recta;2;0;2\r\n");

    // An empty circuit: the heading alone.
    EXPECT_EQ(TrackListCsv(Count(TCircuit{}).Rows(stock), '.'),
              "\xEF\xBB\xBFMarca,Pieza,Necesarios,En Stock,Faltan\r\n");
}

TEST_F(TrackListTest, CsvQuotesFieldsThatWouldSplitARowOrAColumn) {
    EXPECT_EQ(CsvSeparator(','), ';');
    EXPECT_EQ(CsvSeparator('.'), ',');
    // With commas between fields a comma is quoted, a semicolon is not.
    EXPECT_EQ(CsvField("Curva, 45\xC2\xB0", ','), "\"Curva, 45\xC2\xB0\"");
    EXPECT_EQ(CsvField("a;b", ','), "a;b");
    // With semicolons the other way round.
    EXPECT_EQ(CsvField("a;b", ';'), "\"a;b\"");
    EXPECT_EQ(CsvField("Curva, 45\xC2\xB0", ';'), "Curva, 45\xC2\xB0");
    // Quotes and line ends whatever the separator.
    for (const char separator : {',', ';'}) {
        EXPECT_EQ(CsvField("12\" \"x\"", separator), "\"12\"\" \"\"x\"\"\"");
        EXPECT_EQ(CsvField("a\nb", separator), "\"a\nb\"");
        EXPECT_EQ(CsvField("a\rb", separator), "\"a\rb\"");
        EXPECT_EQ(CsvField("plain", separator), "plain");
    }
}

}  // namespace
}  // namespace quillet
