#include "tools/LapTimes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "model/Numeric.h"
#include "model/Tracks.h"
#include "text/Globals.h"
#include "text/Languages.h"

namespace quillet {

namespace {

constexpr int kTextLane = 5;
constexpr std::array<double, 5> kStability{8000.0, 10000.0, 12000.0, 14000.0, 16000.0};
constexpr std::array<double, 5> kTopSpeed{3000.0, 3500.0, 4000.0, 4500.0, 5000.0};
constexpr double kSecondsToTopSpeed = 1.5;
constexpr double kBraking = 0.045;

using Times = std::array<double, kLapTimeLanes>;

// Seconds for a distance at the current speed, the speed unchanged.
double AtCurrentSpeed(double distance, double speed, const LapTimeModel& m) {
    if (speed > 0.0) return distance / speed;
    return std::sqrt(2.0 * distance / m.acceleration);
}

// After a changeover track lanes run on the other lane of their pair.
void AddPerLane(Times& total, const Times& t, int lanes, bool swapped) {
    for (int j = 0; j < lanes; ++j) {
        const int from = swapped ? (j ^ 1) : j;
        total[static_cast<size_t>(j)] += t[static_cast<size_t>(from)];
    }
}

}  // namespace

LapTimeModel LapTimeModelOf(const LapTimeSettings& settings) {
    LapTimeModel m;
    m.stability = kStability[static_cast<size_t>(std::clamp(settings.curveStability, 0, 4))];
    m.topSpeed = kTopSpeed[static_cast<size_t>(std::clamp(settings.enginePower, 0, 4))];
    m.acceleration = m.topSpeed / kSecondsToTopSpeed;
    return m;
}

std::array<double, kLapTimeLanes> EstimateLapTimes(const TCircuit& circuit, const LapTimeSettings& settings) {
    const LapTimeModel m = LapTimeModelOf(settings);
    const double s = m.stability;
    const double vmax = m.topSpeed;
    const double a = m.acceleration;
    // Eight lanes at most, whatever a damaged lane-pair count says.
    const int D = 2 * std::min(circuit.LanePairs(), kLapTimeLanes / 2);
    Times T{};
    double C = 0.0;  // one speed for all lanes
    // Without "First Lap" a first pass only brings the car up to the speed it
    // has at the end of a lap.
    const int passes = settings.firstLap ? 1 : 2;
    for (int pass = 0; pass < passes; ++pass) {
        T.fill(0.0);
        bool swapped = false;
        for (const TTrack& piece : circuit.Tracks()) {
            const double W = piece.width;
            const double R = piece.innerRadius;
            const double theta = piece.lengthOrArc;
            Times t{};
            switch (piece.type) {
                case kStandardStraight:
                case kHalfStraight:
                case kQuarterStraight:
                case kAdaptationChicane:
                case kStartingStraight:
                case kStartingChicane:
                case kStraightChicane: {
                    const double L = std::max(piece.lengthOrArc, 0.0);
                    // The lanes run one after the other through the one speed.
                    for (int j = 0; j < D; ++j) {
                        if (C == vmax) {
                            T[static_cast<size_t>(j)] += L / vmax;
                        } else {
                            const double v = std::sqrt(C * C + 2.0 * a * L);
                            T[static_cast<size_t>(j)] += (v - C) / a;
                            C = std::min(v, vmax);
                        }
                    }
                    break;
                }
                case kStandardCurve:
                case kInnerCurve:
                case kOuterCurve:
                case kSuperOuterCurve:
                    // Lanes are numbered from the right-hand edge.
                    for (int j = 1; j <= D; ++j) {
                        const double fromRight = (2 * j - 1) * W / D / 2.0;
                        const double r = std::max(piece.TurnsLeft() ? R + W - fromRight : R + fromRight, 0.0);
                        const double v = std::sqrt(r * s);
                        double time = std::sqrt(r) * theta / std::sqrt(s);
                        if (v < C) time += (C - v) * kBraking / vmax;
                        C = v;
                        t[static_cast<size_t>(j - 1)] = time;
                    }
                    AddPerLane(T, t, D, swapped);
                    break;
                case kChangeoverTrack: {
                    swapped = !swapped;
                    const double d = std::sqrt((W / D) * (W / D) + piece.lengthOrArc * piece.lengthOrArc);
                    const double time = AtCurrentSpeed(d, C, m);
                    for (int j = 0; j < D; ++j) T[static_cast<size_t>(j)] += time;
                    break;
                }
                case kCurvedChicane:
                    // Both lanes close together on the centre line; lanes 3
                    // and up get nothing here.
                    t[0] = t[1] = AtCurrentSpeed(std::max((W / 2.0 + R) * theta, 0.0), C, m);
                    AddPerLane(T, t, 2, swapped);
                    break;
                case kSingleRacingInnerCurve:
                case kSingleRacingOuterCurve: {
                    const double r = std::max(R + W / 4.0, 0.0);
                    T[0] += std::sqrt(r) * theta / std::sqrt(s);
                    C = std::sqrt(r * s);
                    break;
                }
                default:
                    break;
            }
        }
        if (circuit.singleRacing) {
            T[0] += T[1];
            T[1] = 0.0;
        }
    }
    return T;
}

std::string FormatLapTime(double seconds) {
    // Whole hundredths first, so that the text never shows a binary fraction.
    const int64_t hundredths = Round64(seconds * 100.0);
    const bool negative = hundredths < 0;
    const uint64_t h = negative ? static_cast<uint64_t>(-(hundredths + 1)) + 1 : static_cast<uint64_t>(hundredths);
    std::string text = (negative ? "-" : "") + std::to_string(h / 100);
    const uint64_t cents = h % 100;
    if (cents != 0) {
        text += DecimalSeparator();
        text += static_cast<char>('0' + cents / 10);
        if (cents % 10 != 0) text += static_cast<char>('0' + cents % 10);
    }
    return text;
}

LapTimeLabels LapTimeLabelsOf(const TCircuit& circuit, const LapTimeSettings& settings) {
    const std::array<double, kLapTimeLanes> T = EstimateLapTimes(circuit, settings);
    const int p = circuit.LanePairs();
    LapTimeLabels l;
    for (int lane = 1; lane <= kLapTimeLanes; ++lane) {
        const auto i = static_cast<size_t>(lane - 1);
        const bool exists = lane <= 2 * p;
        const bool shown = exists && !(lane == 2 && circuit.singleRacing);
        l.enabled[i] = shown;
        l.lanes[i] = Text(kTextLane) + " " + std::to_string(lane) + ": ";
        if (shown) l.lanes[i] += FormatLapTime(T[i]) + " s";
    }
    return l;
}

}  // namespace quillet
