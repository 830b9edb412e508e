#pragma once
// The figures of the Stock Control window: for each main piece type and track
// system, how many pieces of the stock the current circuit leaves free, in
// dark red when it needs more, black when it uses the stock up exactly and
// green while pieces are left.

#include <array>
#include <cstdint>
#include <string>

#include "model/Canvas.h"
#include "model/Tracks.h"
#include "stock/TrackList.h"

namespace quillet {

inline constexpr Colour kStockShort = colour::Maroon;  // 0x000080
inline constexpr Colour kStockUsedUp = colour::Black;
inline constexpr Colour kStockLeft = colour::Green;  // 0x008000

struct TStockFigure {
    std::string text;  // "-" where the system has no such piece
    Colour colour = kStockUsedUp;
    friend bool operator==(const TStockFigure&, const TStockFigure&) = default;
};

struct TStockControlRow {
    int type = 0;
    TStockFigure ninco;
    TStockFigure scx;
};

inline constexpr int kStockControlRows = 13;

// Row types top to bottom: starting straight, the three straights, changeover
// track, the four curves, adaptation chicane, starting, curved and straight
// chicane.
inline constexpr std::array<int, kStockControlRows> kStockControlTypes = {
    kStartingStraight, kStandardStraight, kHalfStraight,   kQuarterStraight, kChangeoverTrack,
    kInnerCurve,       kStandardCurve,    kOuterCurve,     kSuperOuterCurve, kAdaptationChicane,
    kStartingChicane,  kCurvedChicane,    kStraightChicane};

std::array<TStockControlRow, kStockControlRows> StockControlFigures(const TCircuit& circuit, const TTrackList& stock);

}  // namespace quillet
