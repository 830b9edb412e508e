#pragma once
// The Close command without the windows: it appends pieces at the end of an
// open chain so that its exit meets the entry of piece 1.
//
// The editor keeps the undo copy and shows the dialogs; everything else is
// here, in steps it can drive:
//
//   KeepCircuit();
//   if (auto done = CloseSingleRacing(circuit)) { refresh; return; }
//   dialog: CloseLimits(lanePairs) enables the curve boxes, the options
//           come back as CloseOptions;
//   CloseCircuit(circuit, options, stock, host);   // the rest, or:
//
//   plan = PlanClosing(circuit, options, stock);          // UI thread
//   result = RunExhaustiveClosing(plan, control);         // any thread
//   ApplyClosing(circuit, plan, result.codes);            // UI thread
//
// The plan holds no reference to the circuit, so a window may run the
// exhaustive search in a worker thread, with progress and cancelling.

#include <array>
#include <optional>
#include <string>

#include "tools/ClosingSearch.h"

namespace quillet {

class TCircuit;
class TTrackList;
class TRandom;

// The options dialog ("Close Circuit").
struct CloseOptions {
    // "Include Tracks"
    bool standardStraight = true;
    bool halfStraight = true;
    bool quarterStraight = true;
    bool innerCurve = true;
    bool standardCurve = true;
    bool outerCurve = true;
    bool superOuterCurve = true;
    int toleranceCm = 1;    // "Closing Tolerance in cm", 0..5
    bool useStock = false;  // "Use Stock"
    bool advanced = false;  // "Advanced closing": the random search
};

// Curve boxes the dialog enables: wider circuits have no catalogue curve to
// build the outer lanes of the larger curves. A disabled box is unchecked.
struct CloseDialogLimits {
    bool superOuterCurve = true;  // 1 lane pair only
    bool outerCurve = true;       // below 3 lane pairs
    bool standardCurve = true;    // below 4 lane pairs
};
CloseDialogLimits CloseLimits(int lanePairs);
// The options with the boxes the lane pairs disable unchecked.
CloseOptions ApplyCloseLimits(CloseOptions options, int lanePairs);
// "OK" is enabled while at least one of the seven boxes is checked.
bool AnyTrackIncluded(const CloseOptions& options);
// The codes the unchecked boxes exclude.
ExcludedSet ExcludedSetOf(const CloseOptions& options);

// What is left of the stock after the circuit's own pieces, never below 0:
// [0] SCX width, [1] NINCO width, kinds as in StockCounts.
std::array<StockCounts, 2> AvailableForClosing(const TCircuit& circuit, const TTrackList& stock);

enum class CloseStatus {
    Closed,            // closing pieces appended (the chain may still be open)
    NothingNearer,     // no candidate got nearer: nothing appended but a needed adaptation chicane
    SingleRacingEnds,  // single racing: the end loop was added instead
    NothingToDo,       // empty chain, end loop already there, or nothing usable
    NeedsOuterCurves,  // the turn is not a multiple of 45 degrees (text 207)
    TurnUnreachable,   // the random search cannot make the turn
    TooManyTracks,     // the pieces would pass the limit of 300 (text 122)
    Cancelled,         // the search was cancelled; nothing appended
};

// What the information window says, in the current language; empty when
// nothing is said.
std::string CloseStatusText(CloseStatus status);

// With single racing on, the command only adds the end loop after the last
// piece when it is missing: returns what it did. Nothing (and the circuit
// untouched) when single racing is off, so the dialog comes next.
std::optional<CloseStatus> CloseSingleRacing(TCircuit& circuit);

// Everything a search needs, taken from the circuit.
struct ClosingPlan {
    // Set when the command stops before searching; the status says why.
    std::optional<CloseStatus> refusal;
    // Widths of the first and last piece differ: an adaptation chicane goes
    // first. The searches start from its exit.
    bool chicane = false;
    int chicaneBrandFlag = 1;
    // Brand flag of the closing pieces: the width family of the chain end.
    int brandFlag = 1;
    bool useStock = false;
    bool advanced = false;
    ClosingProblem problem;
    StockLimit stock;  // the chain end's width family
};
ClosingPlan PlanClosing(const TCircuit& circuit, const CloseOptions& options, const TTrackList& stock);

// The plain or the stock closing of the plan. Touches no circuit.
SearchResult RunExhaustiveClosing(const ClosingPlan& plan, const SearchControl& control = {});

// Appends the plan's adaptation chicane and the pieces of the nonzero codes,
// selects the closing pieces and re-lays. The circuit must be the one the
// plan was made from, unchanged since. Nothing is appended when it would
// pass 300 pieces (TooManyTracks) or when the plan was refused.
CloseStatus ApplyClosing(TCircuit& circuit, const ClosingPlan& plan, const ClosingCodes& codes);

// Takes the closing pieces of `codes` off the end again (the random search's
// "search another solution"); an adaptation chicane stays.
void RemoveClosing(TCircuit& circuit, const ClosingCodes& codes);

// What the command asks of the windows. Every call has a harmless default.
class TCloseHost {
public:
    virtual ~TCloseHost() = default;
    // Around each search: the busy cursor, and for the exhaustive ones the
    // progress window ("Closing in progress", bar 0..132).
    virtual void SearchStarts(bool /*exhaustive*/) {}
    virtual void SearchEnds() {}
    virtual void Progress(int /*step*/) {}
    // Polled between candidates of the exhaustive searches.
    virtual bool CancelRequested() { return false; }
    // Runs the plain or the stock closing of the plan. By default here and
    // now, reporting through Progress and CancelRequested; a window may run
    // it elsewhere (a worker thread) and wait for it.
    virtual SearchResult RunExhaustive(const ClosingPlan& plan);
    // The circuit changed: refresh the drawing.
    virtual void Redraw() {}
    // The system beep, once per merged quarter-half-quarter straight.
    virtual void Beep() {}
    // "Random Search": "Do you wish to search another solution?"; true for
    // "Yes".
    virtual bool SearchAnother() { return false; }
    // A message for the information window.
    virtual void Tell(const std::string& /*text*/) {}
};

// The command after the dialog: single racing, planning, the search chosen
// by the options, appending, and the random search's repeat loop.
CloseStatus CloseCircuit(TCircuit& circuit, const CloseOptions& options, const TTrackList& stock, TCloseHost& host,
                         TRandom& random);
CloseStatus CloseCircuit(TCircuit& circuit, const CloseOptions& options, const TTrackList& stock, TCloseHost& host);

}  // namespace quillet
