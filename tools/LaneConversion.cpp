// Lane conversion: widening or narrowing every piece by one lane pair, and
// for the inner lanes walking the curves one rung up or down the ladder of
// catalogue radii (inner, standard, outer, super outer, one lane pair apart).

#include "tools/LaneConversion.h"

#include <algorithm>

#include "model/Tracks.h"

namespace quillet {

namespace {

constexpr int kMaxLanePairs = 4;

// Refusals.
constexpr int kTextTwoWidths = 159;
constexpr int kTextSuperOuterCurves = 160;
constexpr int kTextCurvedChicanes = 161;
constexpr int kTextOuterCurves = 162;
constexpr int kTextInnerCurves = 163;
constexpr int kTextTracksLimit = 122;

bool HasScxCurvedChicane(const TCircuit& c) {
    const int p = c.LanePairs();
    return std::any_of(c.Tracks().begin(), c.Tracks().end(), [p](const TTrack& t) {
        return t.type == kCurvedChicane && BrandOfWidth(t.width, p) == Brand::Scx;
    });
}

// The piece takes a new type with the dimensions of its own track system.
// The system is read from the width before it changes: with the new width
// and the old lane pairs a NINCO piece would read as SCX.
void Retype(TTrack& t, int type, Brand brand) {
    t.type = static_cast<uint8_t>(type);
    const TrackDimensions dims = Dimensions(type, brand);
    if (!dims.exists) return;
    t.lengthOrArc = dims.lengthOrArc;
    t.innerRadius = dims.innerRadius;
}

void Widen(TCircuit& c, int from, int to) {
    for (TTrack& t : c.Tracks()) t.width = t.width * to / from;
}

void ClearSelection(TCircuit& c) {
    for (TTrack& t : c.Tracks()) {
        t.selected = false;
        t.replaceMark = false;
    }
    c.firstSelected = c.lastSelected = 0;
}

void Select(TCircuit& c, int i) {
    ClearSelection(c);
    c.Track(i).selected = true;
    c.firstSelected = c.lastSelected = i;
}

// After pieces were inserted or deleted the selection range follows the
// piece that carries the selection.
void SettleSelection(TCircuit& c) {
    int selected = 0;
    for (int i = 1; i <= c.Count() && selected == 0; ++i) {
        if (c.Track(i).selected) selected = i;
    }
    c.firstSelected = c.lastSelected = selected;
}

void Finish(TCircuit& c, int lanePairs) {
    c.lanePairs = static_cast<uint8_t>(lanePairs);
    c.ReLay(true);
    // A converted circuit differs from the saved one, whatever changed.
    c.modified = true;
}

ConversionResult AddOuterLanes(TCircuit& c) {
    const int p = c.LanePairs();
    if (c.ContainsType(kSuperOuterCurve)) return {false, kTextSuperOuterCurves};
    if (c.ContainsType(kAdaptationChicane)) return {false, kTextTwoWidths};
    if (HasScxCurvedChicane(c)) return {false, kTextCurvedChicanes};
    Widen(c, p, p + 1);
    Finish(c, p + 1);
    return {true, 0};
}

ConversionResult DeleteOuterLanes(TCircuit& c) {
    const int p = c.LanePairs();
    Widen(c, p, p - 1);
    Finish(c, p - 1);
    return {true, 0};
}

ConversionResult AddInnerLanes(TCircuit& c) {
    const int p = c.LanePairs();
    if (c.ContainsType(kInnerCurve)) return {false, kTextInnerCurves};
    if (c.ContainsType(kAdaptationChicane)) return {false, kTextTwoWidths};
    if (HasScxCurvedChicane(c)) return {false, kTextCurvedChicanes};
    if (!OuterCurvesPaired(c)) return {false, kTextOuterCurves};
    for (int i = 1; i <= c.Count(); ++i) {
        TTrack& t = c.Track(i);
        const Brand brand = BrandOfWidth(t.width, p);
        t.width = t.width * (p + 1) / p;
        switch (t.type) {
            case kStandardCurve:
                Retype(t, kInnerCurve, brand);
                break;
            case kSuperOuterCurve:
                Retype(t, kOuterCurve, brand);
                break;
            case kOuterCurve:
                // Two 22.5-degree outer curves become one 45-degree standard
                // curve: the first takes the new type, the second goes.
                Retype(t, kStandardCurve, brand);
                Select(c, i + 1);
                c.DeleteFirstSelected();
                break;
            default:
                break;
        }
    }
    SettleSelection(c);
    Finish(c, p + 1);
    return {true, 0};
}

ConversionResult DeleteInnerLanes(TCircuit& c) {
    const int p = c.LanePairs();
    // A super outer curve has no larger catalogue curve to become; keeping
    // its type while it narrows would silently change the circuit's shape.
    if (c.ContainsType(kSuperOuterCurve)) return {false, kTextSuperOuterCurves};
    const auto standard =
        std::count_if(c.Tracks().begin(), c.Tracks().end(), [](const TTrack& t) { return t.type == kStandardCurve; });
    if (c.Count() + standard > TCircuit::kMaxTracks) return {false, kTextTracksLimit};

    // Each 45-degree standard curve becomes two 22.5-degree outer curves:
    // first a second standard curve goes in after it.
    for (int i = 1; i <= c.Count(); ++i) {
        if (c.Track(i).type != kStandardCurve) continue;
        Select(c, i);
        c.Insert(kStandardCurve, c.Track(i).orientation, nullptr);
        ++i;  // go on after the inserted one
    }
    for (TTrack& t : c.Tracks()) {
        const Brand brand = BrandOfWidth(t.width, p);
        t.width = t.width * (p - 1) / p;
        switch (t.type) {
            case kStandardCurve:
                Retype(t, kOuterCurve, brand);
                break;
            case kInnerCurve:
                Retype(t, kStandardCurve, brand);
                break;
            case kOuterCurve:
                Retype(t, kSuperOuterCurve, brand);
                break;
            default:
                break;
        }
    }
    SettleSelection(c);
    Finish(c, p - 1);
    return {true, 0};
}

}  // namespace

std::vector<ConversionKind> ConversionChoices(int lanePairs) {
    std::vector<ConversionKind> choices;
    if (lanePairs < kMaxLanePairs) {
        choices.push_back(ConversionKind::AddOuterLanes);
        choices.push_back(ConversionKind::AddInnerLanes);
    }
    if (lanePairs > 1) {
        choices.push_back(ConversionKind::DeleteOuterLanes);
        choices.push_back(ConversionKind::DeleteInnerLanes);
    }
    return choices;
}

int ConversionTextEntry(ConversionKind kind) {
    switch (kind) {
        case ConversionKind::AddOuterLanes:
            return 155;
        case ConversionKind::AddInnerLanes:
            return 156;
        case ConversionKind::DeleteOuterLanes:
            return 157;
        case ConversionKind::DeleteInnerLanes:
            return 158;
    }
    return -1;
}

bool OuterCurvesPaired(const TCircuit& circuit) {
    const int n = circuit.Count();
    for (int i = 1; i <= n; ++i) {
        const TTrack& t = circuit.Track(i);
        if (t.type != kOuterCurve) continue;
        if (i == n) return false;
        const TTrack& next = circuit.Track(i + 1);
        // An S-bend of two outer curves is no standard curve.
        if (next.type != kOuterCurve || next.orientation != t.orientation) return false;
        ++i;  // both curves of the pair are passed
    }
    return true;
}

ConversionResult ConvertLanes(TCircuit& circuit, ConversionKind kind) {
    if (circuit.singleRacing) return {};
    const std::vector<ConversionKind> offered = ConversionChoices(circuit.LanePairs());
    if (std::find(offered.begin(), offered.end(), kind) == offered.end()) return {};
    switch (kind) {
        case ConversionKind::AddOuterLanes:
            return AddOuterLanes(circuit);
        case ConversionKind::AddInnerLanes:
            return AddInnerLanes(circuit);
        case ConversionKind::DeleteOuterLanes:
            return DeleteOuterLanes(circuit);
        case ConversionKind::DeleteInnerLanes:
            return DeleteInnerLanes(circuit);
    }
    return {};
}

}  // namespace quillet
