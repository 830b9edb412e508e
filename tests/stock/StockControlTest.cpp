#include <gtest/gtest.h>

#include <vector>

#include "StockTestSupport.h"
#include "stock/StockControl.h"

namespace quillet {
namespace {

using test::Circuit;
using test::Piece;

const TStockFigure kDash{"-", 0};
TStockFigure Red(const char* t) { return {t, 0x000080}; }
TStockFigure Black(const char* t) { return {t, 0}; }
TStockFigure Green(const char* t) { return {t, 0x008000}; }

const TStockControlRow& Row(const std::array<TStockControlRow, kStockControlRows>& rows, int type) {
    for (const TStockControlRow& r : rows) {
        if (r.type == type) return r;
    }
    static const TStockControlRow none{-1, {}, {}};
    return none;
}

TEST(StockControl, EmptyCircuitShowsTheWholeStockAndDashesWhereASystemHasNoSuchPiece) {
    TTrackList stock;
    stock.SetPieces(kNincoIndex, kStandardStraight, 5);
    stock.SetPieces(kNincoIndex, kAdaptationChicane, 2);
    stock.SetPieces(kScxIndex, kStartingChicane, 3);
    stock.SetPieces(kScxIndex, kStraightChicane, 1);
    stock.SetPieces(kNincoIndex, kStraightChicane, 9);  // NINCO makes none: never shown
    const auto rows = StockControlFigures(TCircuit{}, stock);

    std::vector<int> types;
    for (const TStockControlRow& r : rows) types.push_back(r.type);
    EXPECT_EQ(types, (std::vector<int>{9, 0, 1, 2, 7, 4, 3, 5, 6, 8, 10, 12, 11}));

    EXPECT_EQ(Row(rows, kStandardStraight).ninco, Green("5"));
    EXPECT_EQ(Row(rows, kStandardStraight).scx, Black("0"));
    EXPECT_EQ(Row(rows, kStartingStraight).ninco, Black("0"));
    EXPECT_EQ(Row(rows, kAdaptationChicane).ninco, Green("2"));
    EXPECT_EQ(Row(rows, kAdaptationChicane).scx, kDash);
    EXPECT_EQ(Row(rows, kStartingChicane).ninco, kDash);
    EXPECT_EQ(Row(rows, kStartingChicane).scx, Green("3"));
    EXPECT_EQ(Row(rows, kCurvedChicane).ninco, kDash);
    EXPECT_EQ(Row(rows, kCurvedChicane).scx, Black("0"));
    EXPECT_EQ(Row(rows, kStraightChicane).ninco, kDash);
    EXPECT_EQ(Row(rows, kStraightChicane).scx, Green("1"));
}

TEST(StockControl, LessEqualAndMoreThanTheCircuitUses) {
    // Three NINCO standard straights against 2, 3 and 5 in stock: 2 - 3 = -1,
    // 3 - 3 = 0, 5 - 3 = 2. The SCX column does not see NINCO pieces.
    const TCircuit c = Circuit(1, std::vector<Piece>(3, Piece{kStandardStraight, 1}));
    TTrackList stock;
    stock.SetPieces(kScxIndex, kStandardStraight, 4);
    const std::pair<int, TStockFigure> cases[] = {{2, Red("-1")}, {3, Black("0")}, {5, Green("2")}};
    for (const auto& [inStock, figure] : cases) {
        stock.SetPieces(kNincoIndex, kStandardStraight, inStock);
        const auto rows = StockControlFigures(c, stock);
        EXPECT_EQ(Row(rows, kStandardStraight).ninco, figure) << inStock;
        EXPECT_EQ(Row(rows, kStandardStraight).scx, Green("4"));
    }

    // A 4-lane NINCO standard curve uses one standard and two outer curves:
    // 1 - 1 = 0 and 1 - 2 = -1.
    TTrackList curves;
    curves.SetPieces(kNincoIndex, kStandardCurve, 1);
    curves.SetPieces(kNincoIndex, kOuterCurve, 1);
    const auto rows = StockControlFigures(Circuit(2, {Piece{kStandardCurve, 1}}), curves);
    EXPECT_EQ(Row(rows, kStandardCurve).ninco, Black("0"));
    EXPECT_EQ(Row(rows, kOuterCurve).ninco, Red("-1"));
    EXPECT_EQ(Row(rows, kInnerCurve).ninco, Black("0"));
}

TEST(StockControl, AdaptationChicanesAtEitherWidthUseTheOneNincoStock) {
    TTrackList stock;
    stock.SetPieces(kNincoIndex, kAdaptationChicane, 2);
    stock.SetPieces(kScxIndex, kAdaptationChicane, 10);  // the stock dialog never sets it; ignored
    struct Case {
        int lanePairs;
        std::vector<Piece> pieces;
        TStockFigure figure;
    };
    const Case cases[] = {
        {1, {{kAdaptationChicane, 0}}, Green("1")},                                                   // 2 - 1
        {1, {{kAdaptationChicane, 1}}, Green("1")},                                                   // 2 - 1
        {1, {{kAdaptationChicane, 0}, {kAdaptationChicane, 1}}, Black("0")},                          // 2 - (1 + 1)
        {1, {{kAdaptationChicane, 0}, {kAdaptationChicane, 1}, {kAdaptationChicane, 0}}, Red("-1")},  // 2 - (2 + 1)
        {2, {{kAdaptationChicane, 0}, {kAdaptationChicane, 1}}, Red("-2")},  // one per lane pair: 2 - (2 + 2)
    };
    for (const Case& k : cases) {
        const auto rows = StockControlFigures(Circuit(k.lanePairs, k.pieces), stock);
        EXPECT_EQ(Row(rows, kAdaptationChicane).ninco, k.figure) << k.pieces.size() << " on " << k.lanePairs;
        EXPECT_EQ(Row(rows, kAdaptationChicane).scx, kDash);
    }
}

}  // namespace
}  // namespace quillet
