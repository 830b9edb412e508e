#pragma once
// The Circuit Dimensions dialog without the windows: the circuit's size, the
// length of every lane and their mean, how far the open end is from the
// start, and how much of the bounding rectangle the track covers. The dialog
// only shows these texts; they are built in the current language each time
// it opens.

#include <array>
#include <string>

#include "model/Tracks.h"

namespace quillet {

inline constexpr int kMaxLanes = TCircuit::kMaxLanes;
// Lanes 1..8 at [0..7], in mm, as TCircuit::LaneLengths gives them.
using LaneLengthsMm = std::array<double, kMaxLanes>;

struct CircuitDimensions {
    int lengthCm = 0;  // bounding box, x
    int widthCm = 0;   // bounding box, y
    std::array<int, kMaxLanes> laneCm{};
    // Mean lane length in mm: whole millimetres, or lane 1's length as it is
    // with single racing on.
    double meanMm = 0.0;
    bool hasPieces = false;  // distance and angle are meaningful
    int distanceMm = 0;      // from the last exit corner to the first entry corner
    int angleDegrees = 0;    // exit heading less piece 1's angle; a full turn is 0
    int compactnessPercent = 0;
};

// From the circuit's own lane lengths.
CircuitDimensions ComputeDimensions(const TCircuit& circuit);
// From the given lane lengths (lanes beyond the circuit's are not read).
CircuitDimensions ComputeDimensions(const TCircuit& circuit, const LaneLengthsMm& laneLengths);

struct DimensionsLabels {
    std::string length;                        // Label1
    std::string width;                         // Label2
    std::array<std::string, kMaxLanes> lanes;  // Label3..Label10: lanes 1..8
    std::array<bool, kMaxLanes> laneEnabled{};
    std::string mean;                // Label11
    std::string distance;            // Label12
    std::string angle;               // Label13
    std::string compactness;         // Label14
    std::string compactnessCaption;  // GroupBox4
};

DimensionsLabels DimensionsLabelsOf(const TCircuit& circuit);
DimensionsLabels DimensionsLabelsOf(const TCircuit& circuit, const LaneLengthsMm& laneLengths);

}  // namespace quillet
