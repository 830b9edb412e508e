#include "tools/Dimensions.h"

#include <cmath>

#include "model/Numeric.h"
#include "model/Tracks.h"
#include "text/Languages.h"

namespace quillet {

namespace {

constexpr int kTextLength = 1;
constexpr int kTextWidth = 2;
constexpr int kTextLane = 5;
constexpr int kTextMean = 6;
constexpr int kTextDistance = 7;
constexpr int kTextAngle = 8;
constexpr int kTextCompactness = 225;
constexpr int kTextAreaProficiency = 226;

constexpr const char* kDegreeSign = "\u00B0";

// Two lanes per lane pair.
bool LaneExists(int lane, int lanePairs) { return lane <= 2 * lanePairs; }

}  // namespace

CircuitDimensions ComputeDimensions(const TCircuit& circuit) {
    return ComputeDimensions(circuit, circuit.LaneLengths());
}

DimensionsLabels DimensionsLabelsOf(const TCircuit& circuit) {
    return DimensionsLabelsOf(circuit, circuit.LaneLengths());
}

CircuitDimensions ComputeDimensions(const TCircuit& circuit, const LaneLengthsMm& laneLengths) {
    CircuitDimensions d;
    const int p = circuit.LanePairs();
    const TBoundingBox box = circuit.ComputeBoundingBox();
    // In doubles: a damaged box must not overflow a subtraction.
    const double length = static_cast<double>(box.right) - box.left;
    const double width = static_cast<double>(box.bottom) - box.top;
    d.lengthCm = Round(length / 10.0);
    d.widthCm = Round(width / 10.0);

    double sum = 0.0;
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        const double mm = laneLengths[static_cast<size_t>(lane - 1)];
        if (!LaneExists(lane, p)) continue;
        d.laneCm[static_cast<size_t>(lane - 1)] = Round(mm / 10.0);
        sum += mm;
    }
    d.meanMm = circuit.singleRacing ? laneLengths[0] : Round(sum / 2.0 / p);

    d.hasPieces = circuit.Count() > 0;
    if (d.hasPieces) {
        const TTrack& first = circuit.Track(1);
        const TTrack& last = circuit.Track(circuit.Count());
        const PointD a = last.ExitPoint();
        const PointD b = first.P(1);
        d.distanceMm = Round(std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y)));
        // A hand-made file may give the first piece any angle; reduced as
        // the chain reduces headings, so the difference stays within a turn
        // or two and its degrees within an int.
        double start = first.angle;
        if (!(std::fabs(start) <= kTwoPi)) start = std::isfinite(start) ? std::fmod(start, kTwoPi) : 0.0;
        int angle = Round((last.ExitHeading() - start) * 180.0 / kPi);
        if (angle == 360 || angle == -360) angle = 0;
        d.angleDegrees = angle;
    }

    // The share of the bounding rectangle that a strip of one lane pair as
    // long as the mean lane would cover.
    const double strip = circuit.startBrand == 1 ? kNincoPairWidth : kScxPairWidth;
    const double area = length * width;
    double figure = 0.0;
    if (d.meanMm != 0.0 && area != 0.0) figure = d.meanMm * strip * 100.0 / area;
    if (circuit.singleRacing) figure /= 2.0;
    d.compactnessPercent = Round(figure);
    return d;
}

DimensionsLabels DimensionsLabelsOf(const TCircuit& circuit, const LaneLengthsMm& laneLengths) {
    const CircuitDimensions d = ComputeDimensions(circuit, laneLengths);
    const int p = circuit.LanePairs();
    DimensionsLabels l;
    l.length = Text(kTextLength) + ": " + std::to_string(d.lengthCm) + " cm";
    l.width = Text(kTextWidth) + ": " + std::to_string(d.widthCm) + " cm";
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        const auto i = static_cast<size_t>(lane - 1);
        std::string& s = l.lanes[i];
        s = Text(kTextLane) + " " + std::to_string(lane) + ": ";
        if (LaneExists(lane, p)) s += std::to_string(d.laneCm[i]) + " cm";
        l.laneEnabled[i] = LaneExists(lane, p) && !(lane == 2 && circuit.singleRacing);
    }
    l.mean = Text(kTextMean) + ": " + std::to_string(Round(d.meanMm / 10.0)) + " cm";
    if (d.hasPieces) {
        l.distance = Text(kTextDistance) + " " + std::to_string(d.distanceMm) + " mm";
        l.angle = Text(kTextAngle) + " " + std::to_string(d.angleDegrees) + " " + kDegreeSign;
    } else {
        l.distance = Text(kTextDistance) + " -";
        l.angle = Text(kTextAngle) + " -";
    }
    l.compactness = Text(kTextCompactness) + std::to_string(d.compactnessPercent) + " %";
    l.compactnessCaption = Text(kTextAreaProficiency);
    return l;
}

}  // namespace quillet
