// The Close command around the searches: what it takes from the circuit,
// what it appends and the order of its steps.

#include "tools/Closing.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "model/Numeric.h"
#include "model/Tracks.h"
#include "stock/TrackList.h"
#include "text/ExtraTexts.h"
#include "text/Languages.h"
#include "tools/Random.h"

namespace quillet {

namespace {

constexpr int kTextTracksLimit = 122;       // "Tracks Limit "
constexpr int kTextNeedsOuterCurves = 207;  // "Outer or super outer curves are required."

ExcludedSet Bit(int code) { return static_cast<ExcludedSet>(1u << code); }

bool Finite(const PointD& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

void ClearSelection(TCircuit& circuit) {
    for (TTrack& t : circuit.Tracks()) {
        t.selected = false;
        t.replaceMark = false;
    }
    circuit.firstSelected = circuit.lastSelected = 0;
}

// The exhaustive search's pre-check: turns that are not a multiple of 45
// degrees need the 22.5-degree curves.
bool TurnNeedsHalfCurves(double exitHeading, double firstAngle) {
    const double m = std::fabs(exitHeading - firstAngle) / (kPi / 4.0);
    return static_cast<double>(Round(m)) != Round(10.0 * m) / 10.0;
}

}  // namespace

CloseDialogLimits CloseLimits(int lanePairs) {
    const int p = std::max(lanePairs, 1);
    return {p == 1, p < 3, p < 4};
}

CloseOptions ApplyCloseLimits(CloseOptions options, int lanePairs) {
    const CloseDialogLimits limits = CloseLimits(lanePairs);
    options.superOuterCurve = options.superOuterCurve && limits.superOuterCurve;
    options.outerCurve = options.outerCurve && limits.outerCurve;
    options.standardCurve = options.standardCurve && limits.standardCurve;
    return options;
}

bool AnyTrackIncluded(const CloseOptions& o) {
    return o.standardStraight || o.halfStraight || o.quarterStraight || o.innerCurve || o.standardCurve ||
           o.outerCurve || o.superOuterCurve;
}

ExcludedSet ExcludedSetOf(const CloseOptions& o) {
    ExcludedSet set = 0;
    if (!o.standardStraight) set |= Bit(kCodeStandardStraight);
    if (!o.halfStraight) set |= Bit(kCodeHalfStraight);
    if (!o.quarterStraight) set |= Bit(kCodeQuarterStraight);
    if (!o.standardCurve) set |= Bit(kCodeStandardCurveLeft) | Bit(kCodeStandardCurveRight);
    if (!o.innerCurve) set |= Bit(kCodeInnerCurveLeft) | Bit(kCodeInnerCurveRight);
    if (!o.outerCurve) set |= Bit(kCodeOuterCurveLeft) | Bit(kCodeOuterCurveRight);
    if (!o.superOuterCurve) set |= Bit(kCodeSuperOuterCurveLeft) | Bit(kCodeSuperOuterCurveRight);
    return set;
}

std::array<StockCounts, 2> AvailableForClosing(const TCircuit& circuit, const TTrackList& stock) {
    std::array<StockCounts, 2> left{};
    for (int family = 0; family < 2; ++family) {
        const bool ninco = family == 1;
        const int brandIndex = ninco ? kNincoIndex : kScxIndex;
        for (int kind = 0; kind < kStockKinds; ++kind) {
            const int64_t v = static_cast<int64_t>(stock.Pieces(brandIndex, kind)) - circuit.CountPieces(kind, ninco);
            left[static_cast<size_t>(family)][static_cast<size_t>(kind)] =
                static_cast<int>(std::clamp<int64_t>(v, 0, std::numeric_limits<int32_t>::max()));
        }
    }
    return left;
}

std::string CloseStatusText(CloseStatus status) {
    switch (status) {
        case CloseStatus::NeedsOuterCurves:
            return Text(kTextNeedsOuterCurves);
        case CloseStatus::TurnUnreachable:
            return Text(XText::ClosingTurnUnreachable);
        case CloseStatus::TooManyTracks:
            return Text(kTextTracksLimit);
        default:
            return {};
    }
}

std::optional<CloseStatus> CloseSingleRacing(TCircuit& circuit) {
    if (!circuit.singleRacing) return std::nullopt;
    if (circuit.Count() == 0 || IsSingleRacing(circuit.Track(circuit.Count()).type)) return CloseStatus::NothingToDo;
    // The loop goes after the last piece: that is the end the command closes.
    ClearSelection(circuit);
    circuit.Track(circuit.Count()).selected = true;
    circuit.firstSelected = circuit.lastSelected = circuit.Count();
    if (!circuit.AddSingleRacingEnds()) return CloseStatus::TooManyTracks;
    circuit.ReLay(false);
    circuit.modified = true;
    return CloseStatus::SingleRacingEnds;
}

ClosingPlan PlanClosing(const TCircuit& circuit, const CloseOptions& options, const TTrackList& stock) {
    ClosingPlan plan;
    plan.useStock = options.useStock;
    plan.advanced = options.advanced && !options.useStock;  // the dialog allows one of the two
    const int p = circuit.LanePairs();
    const int count = circuit.Count();
    const ExcludedSet excluded = ExcludedSetOf(ApplyCloseLimits(options, p));
    if (count == 0 || !AnyTrackIncluded(ApplyCloseLimits(options, p))) {
        plan.refusal = CloseStatus::NothingToDo;
        return plan;
    }
    const TTrack& first = circuit.Track(1);
    const TTrack& last = circuit.Track(count);

    // Different widths at the two ends need an adaptation chicane; a circuit
    // that starts with one needs another when the widths are equal.
    const bool firstScx = first.width / p == kScxPairWidth;
    if (first.width != last.width && first.type != kAdaptationChicane) {
        plan.chicane = true;
        plan.chicaneBrandFlag = firstScx ? 0 : 1;
    } else if (first.width == last.width && first.type == kAdaptationChicane) {
        plan.chicane = true;
        plan.chicaneBrandFlag = firstScx ? 1 : 0;
    }
    if (count + (plan.chicane ? 1 : 0) >= TCircuit::kMaxTracks) {
        plan.refusal = CloseStatus::TooManyTracks;
        return plan;
    }

    const PointD lastExit = last.ExitPoint();
    const TTrack end = plan.chicane ? TTrack::Create(circuit, kAdaptationChicane, lastExit.x, lastExit.y,
                                                     last.ExitHeading(), 1, plan.chicaneBrandFlag)
                                    : last;
    const PointD start = end.P(9);
    const PointD target = first.P(1);
    if (!Finite(start) || !Finite(target) || !std::isfinite(first.angle) || !std::isfinite(end.width)) {
        plan.refusal = CloseStatus::NothingToDo;
        return plan;
    }
    const bool ninco = end.width / p == kNincoPairWidth;
    plan.brandFlag = ninco ? 1 : 0;

    ClosingProblem& pb = plan.problem;
    pb.startX = start.x;
    pb.startY = start.y;
    pb.startHeading = end.ExitHeading();
    pb.targetX = target.x;
    pb.targetY = target.y;
    pb.targetHeading = first.angle;
    pb.ninco = ninco;
    pb.width = end.width;
    pb.excluded = excluded;
    pb.toleranceCm = std::max(options.toleranceCm, 0);

    if (!plan.useStock && !plan.advanced && IsExcluded(excluded, kCodeOuterCurveLeft) &&
        IsExcluded(excluded, kCodeSuperOuterCurveLeft) && TurnNeedsHalfCurves(last.ExitHeading(), first.angle)) {
        plan.refusal = CloseStatus::NeedsOuterCurves;
        return plan;
    }
    if (plan.useStock) {
        // The closing pieces are checked against the stock of their own width
        // family.
        plan.stock.lanePairs = p;
        plan.stock.available = AvailableForClosing(circuit, stock)[ninco ? 1 : 0];
    }
    return plan;
}

SearchResult RunExhaustiveClosing(const ClosingPlan& plan, const SearchControl& control) {
    if (plan.refusal) return {};
    return plan.useStock ? StockClosing(plan.problem, plan.stock, control) : PlainClosing(plan.problem, control);
}

CloseStatus ApplyClosing(TCircuit& circuit, const ClosingPlan& plan, const ClosingCodes& codes) {
    if (plan.refusal) return *plan.refusal;
    const int n = PieceCount(codes);
    const int total = n + (plan.chicane ? 1 : 0);
    // All or nothing: a closing cut short at the limit closes nothing.
    if (circuit.Count() + total > TCircuit::kMaxTracks) return CloseStatus::TooManyTracks;
    if (plan.chicane) circuit.Append(kAdaptationChicane, 1, plan.chicaneBrandFlag);
    for (uint8_t code : codes) {
        const ClosingPiece piece = PieceOfCode(code);
        if (piece.type >= 0) circuit.Append(piece.type, piece.orientation, plan.brandFlag);
    }
    if (n > 0) {
        ClearSelection(circuit);
        const int count = circuit.Count();
        for (int i = count - n + 1; i <= count; ++i) circuit.Track(i).selected = true;
        circuit.firstSelected = count - n + 1;
        circuit.lastSelected = count;
    }
    circuit.ReLay(false);
    if (total > 0) circuit.modified = true;
    return n > 0 ? CloseStatus::Closed : CloseStatus::NothingNearer;
}

void RemoveClosing(TCircuit& circuit, const ClosingCodes& codes) {
    const int n = PieceCount(codes);
    if (n == 0 || circuit.Count() == 0) return;
    ClearSelection(circuit);
    circuit.Track(circuit.Count()).selected = true;
    circuit.firstSelected = circuit.lastSelected = circuit.Count();
    for (int k = 0; k < n && circuit.Count() > 0; ++k) {
        if (!circuit.DeleteFirstSelected()) break;
    }
    // The piece before the removed ones carries the selection now.
    int selected = 0;
    for (int i = 1; i <= circuit.Count() && selected == 0; ++i) {
        if (circuit.Track(i).selected) selected = i;
    }
    circuit.firstSelected = circuit.lastSelected = selected;
    circuit.ReLay(false);
}

SearchResult TCloseHost::RunExhaustive(const ClosingPlan& plan) {
    SearchControl control;
    control.progress = [this](int step) { Progress(step); };
    control.cancelled = [this] { return CancelRequested(); };
    return RunExhaustiveClosing(plan, control);
}

CloseStatus CloseCircuit(TCircuit& circuit, const CloseOptions& options, const TTrackList& stock, TCloseHost& host,
                         TRandom& random) {
    if (const auto done = CloseSingleRacing(circuit)) {
        if (*done == CloseStatus::SingleRacingEnds) host.Redraw();
        const std::string text = CloseStatusText(*done);
        if (!text.empty()) host.Tell(text);
        return *done;
    }
    for (;;) {
        const ClosingPlan plan = PlanClosing(circuit, options, stock);
        if (plan.refusal) {
            const std::string text = CloseStatusText(*plan.refusal);
            if (!text.empty()) host.Tell(text);
            return *plan.refusal;
        }
        ClosingCodes codes{};
        host.SearchStarts(!plan.advanced);
        if (plan.advanced) {
            const RandomResult found = RandomClosing(plan.problem, random);
            host.SearchEnds();
            if (found.turnUnreachable) {
                host.Tell(CloseStatusText(CloseStatus::TurnUnreachable));
                return CloseStatus::TurnUnreachable;
            }
            codes = found.codes;
            TidyRandomCodes(codes, plan.problem.excluded, [&host] { host.Beep(); });
        } else {
            const SearchResult found = host.RunExhaustive(plan);
            host.SearchEnds();
            if (found.cancelled) return CloseStatus::Cancelled;
            codes = found.codes;
        }
        const CloseStatus status = ApplyClosing(circuit, plan, codes);
        if (status == CloseStatus::TooManyTracks) {
            host.Tell(CloseStatusText(status));
            return status;
        }
        host.Redraw();
        if (!plan.advanced || !host.SearchAnother()) return status;
        RemoveClosing(circuit, codes);
        host.Redraw();
    }
}

CloseStatus CloseCircuit(TCircuit& circuit, const CloseOptions& options, const TTrackList& stock, TCloseHost& host) {
    return CloseCircuit(circuit, options, stock, host, ProgramRandom());
}

}  // namespace quillet
