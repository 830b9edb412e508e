#pragma once
// The lap-time estimate without the windows: the time of one lap on every
// lane for a model car described by its curve stability (the lateral
// acceleration it holds in a curve) and its engine power (its top speed).
//
// One speed runs through the whole lap: straights accelerate the car towards
// its top speed, curves set it to their cornering speed and cost a braking
// time when it comes in faster. The circuit is never changed.

#include <array>
#include <string>

namespace quillet {

class TCircuit;

inline constexpr int kLapTimeLanes = 8;

// The dialog's controls.
struct LapTimeSettings {
    int curveStability = 2;  // track bar 0..4
    int enginePower = 2;     // track bar 0..4
    bool firstLap = false;   // "First Lap": start from rest
};

struct LapTimeModel {
    double stability = 0.0;     // lateral acceleration, mm/s^2
    double topSpeed = 0.0;      // mm/s
    double acceleration = 0.0;  // mm/s^2: top speed in 1.5 s from rest
};
LapTimeModel LapTimeModelOf(const LapTimeSettings& settings);

// Seconds per lane, lanes 1..8; lanes the circuit lacks are 0.
//
// A changeover track and a curved chicane add their length (the diagonal
// over one lane spacing, the centre-line arc) at the current speed, which
// they leave as it is. From rest they add the time to cover that length
// accelerating from rest, and the car stays at rest.
std::array<double, kLapTimeLanes> EstimateLapTimes(const TCircuit& circuit, const LapTimeSettings& settings);

// Hundredths of a second in the shortest form ("12.3", not "12.30"), with
// the system's decimal separator.
std::string FormatLapTime(double seconds);

struct LapTimeLabels {
    std::array<std::string, kLapTimeLanes> lanes;  // Label7..Label14: lanes 1..8
    std::array<bool, kLapTimeLanes> enabled{};
};
LapTimeLabels LapTimeLabelsOf(const TCircuit& circuit, const LapTimeSettings& settings);

}  // namespace quillet
