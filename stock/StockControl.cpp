#include "stock/StockControl.h"

namespace quillet {

namespace {

TStockFigure Figure(int64_t left) {
    return {std::to_string(left), left < 0 ? kStockShort : left == 0 ? kStockUsedUp : kStockLeft};
}

const TStockFigure kNoFigure{"-", kStockUsedUp};

}  // namespace

std::array<TStockControlRow, kStockControlRows> StockControlFigures(const TCircuit& circuit, const TTrackList& stock) {
    std::array<TStockControlRow, kStockControlRows> rows;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int type = kStockControlTypes[i];
        TStockControlRow& row = rows[i];
        row.type = type;
        const int64_t nincoUsed = circuit.CountPieces(type, true);
        const int64_t scxUsed = circuit.CountPieces(type, false);
        switch (type) {
            case kAdaptationChicane:
                // Adaptation chicanes are stocked under NINCO only, whichever
                // width they are laid at.
                row.ninco = Figure(int64_t{stock.Pieces(kNincoIndex, type)} - (nincoUsed + scxUsed));
                row.scx = kNoFigure;
                break;
            case kStartingChicane:
            case kCurvedChicane:
            case kStraightChicane:
                row.ninco = kNoFigure;
                row.scx = Figure(int64_t{stock.Pieces(kScxIndex, type)} - scxUsed);
                break;
            default:
                row.ninco = Figure(int64_t{stock.Pieces(kNincoIndex, type)} - nincoUsed);
                row.scx = Figure(int64_t{stock.Pieces(kScxIndex, type)} - scxUsed);
                break;
        }
    }
    return rows;
}

}  // namespace quillet
