#pragma once
// The searches of the automatic closing. They work on a simplified model of
// the chain end: a pen at its left corner (outline points 1 and 9 lie on the
// left edge) and a heading, moved piece by piece with direction tables
// instead of trigonometry. A candidate is a short sequence of closing codes;
// the searches look for the one whose pen lands nearest the entry corner of
// piece 1 with a matching heading.
//
// Three searches: the plain one (exhaustive over up to 7 pieces, pen in
// single precision), the same limited by the stock (double precision), and
// a random evolutionary one over up to 10 pieces (double precision). The
// precision is part of the answer: the exhaustive searches must give exactly
// the candidate their order of candidates gives, so the tests check the fast
// implementation against a straightforward one (tests/tools/support).
//
// Nothing here touches a circuit; see Closing.h for the command around it.

#include <array>
#include <cstdint>
#include <functional>

namespace quillet {

class TRandom;

// One byte per piece of a candidate; 0 is no piece.
enum ClosingCode : uint8_t {
    kNoPiece = 0,
    kCodeStandardStraight = 1,
    kCodeHalfStraight = 2,
    kCodeQuarterStraight = 3,
    kCodeStandardCurveLeft = 4,
    kCodeInnerCurveLeft = 5,
    kCodeOuterCurveLeft = 6,
    kCodeSuperOuterCurveLeft = 7,
    kCodeStandardCurveRight = 8,
    kCodeInnerCurveRight = 9,
    kCodeOuterCurveRight = 10,
    kCodeSuperOuterCurveRight = 11,
};
inline constexpr int kLastClosingCode = 11;

// The piece a code appends: type code and orientation (1 turns left). Type
// -1 for code 0 and unknown codes.
struct ClosingPiece {
    int type = -1;
    int orientation = 0;
};
ClosingPiece PieceOfCode(int code);

// Bit k set: code k may not be used. Code 0 is never excluded.
using ExcludedSet = uint16_t;
constexpr bool IsExcluded(ExcludedSet set, int code) {
    return code > 0 && code <= kLastClosingCode && ((set >> code) & 1u) != 0;
}

inline constexpr int kPlainSlots = 7;
inline constexpr int kRandomGenes = 10;
// Slots 1..7 of the exhaustive searches (then 0), or the 10 genes of the
// random one.
using ClosingCodes = std::array<uint8_t, kRandomGenes>;

// Number of nonzero codes.
int PieceCount(const ClosingCodes& codes);

// Direction tables hold cos and sin of k pi/16 for k = -34..34. A right-hand
// 45-degree piece from a single-precision heading just below 2 pi needs
// k = 34 (heading + pi/8 over pi/16).
inline constexpr int kMaxDirection = 34;

// The pen's constants for one width family, in the search's precision.
template <class Real>
struct PenModel {
    Real pi{};
    Real twoPi{};
    Real step{};  // pi/16
    std::array<Real, 2 * kMaxDirection + 1> cosine{};
    std::array<Real, 2 * kMaxDirection + 1> sine{};
    std::array<Real, kLastClosingCode + 1> size{};    // length of a straight, chord of a curve
    std::array<Real, kLastClosingCode + 1> offset{};  // 0 straight, -|t|/2 left, +|t|/2 right
    std::array<Real, kLastClosingCode + 1> turn{};    // 0 straight, -|t| left, +|t| right
};

// `ninco`: the family of the chain end; `width`: its width across all lanes
// (a right turn's left edge is the outer edge, width plus radius from the
// centre).
template <class Real>
PenModel<Real> MakePenModel(bool ninco, double width);

// One piece of pen movement: the heading brought into [0, 2 pi) once, the
// direction index k, the displacement and the heading after the piece. Code
// 0 (and unknown codes) only bring the heading into range.
template <class Real>
struct PenMove {
    int k = 0;
    Real dx{};
    Real dy{};
    Real heading{};
};
template <class Real>
PenMove<Real> MovePen(const PenModel<Real>& model, int code, Real heading);

// Moves the pen over one piece.
template <class Real>
void Advance(const PenModel<Real>& model, int code, Real& x, Real& y, Real& heading);

// The final heading of a candidate matches the target within 0.01 rad, also
// one or two turns apart.
template <class Real>
bool HeadingMatches(Real heading, Real target);

// What the searches start from, taken from the circuit by the command.
struct ClosingProblem {
    double startX = 0.0;  // left exit corner of the chain end
    double startY = 0.0;
    double startHeading = 0.0;
    double targetX = 0.0;  // left entry corner of piece 1
    double targetY = 0.0;
    double targetHeading = 0.0;  // piece 1's angle
    bool ninco = true;           // width family of the chain end
    double width = 180.0;        // its width across all lanes
    ExcludedSet excluded = 0;
    int toleranceCm = 1;
};

// The search stops once the squared distance is below (tolerance x 10)^2
// mm^2; a tolerance of 0 stops within 0.1 mm.
double StopThreshold(int toleranceCm);

// Stock kinds 0..6 are the catalogue types 0..6: standard, half and quarter
// straights, standard, inner, outer and super outer curves.
inline constexpr int kStockKinds = 7;
using StockCounts = std::array<int, kStockKinds>;

// Catalogue pieces one code takes on `lanePairs` lane pairs: a widened
// curve is made of the concentric two-lane curves.
StockCounts StockNeeds(int code, int lanePairs);

struct StockLimit {
    int lanePairs = 1;
    StockCounts available{};  // what is left of each kind
};

// For the window that runs the search in a worker thread. Both may be
// empty.
struct SearchControl {
    // Called with 1, 2, ... each time slot 6 changes (the progress bar's
    // steps, up to 132 with every piece allowed).
    std::function<void(int)> progress;
    // Polled between candidates; true ends the search without a result.
    std::function<bool()> cancelled;
};

struct SearchResult {
    bool cancelled = false;
    // A candidate landed nearer than the gap with a matching heading.
    bool found = false;
    ClosingCodes codes{};
    // Squared distance of the best candidate, or of the gap when none was
    // found, in mm^2 (in the search's precision).
    double best = 0.0;
    int progressSteps = 0;
};

// The exhaustive searches: every sequence of one piece, then of two, ... up
// to seven, slot 1 changing fastest. A candidate replaces the best when it is
// nearer by more than 0.01 mm^2; the search ends at the tolerance.
SearchResult PlainClosing(const ClosingProblem& problem, const SearchControl& control = {});
SearchResult StockClosing(const ClosingProblem& problem, const StockLimit& stock, const SearchControl& control = {});

// The random search redraws a candidate until its heading matches; when the
// allowed pieces cannot make the turn that never happens, so it gives up
// after this many draws of one candidate.
inline constexpr long kMaxRandomRedraws = 200000;

struct RandomResult {
    bool turnUnreachable = false;  // no candidate could be drawn
    ClosingCodes codes{};
    double fitness = 0.0;  // squared distance x number of pieces
    int generations = 0;
};

// The evolutionary search: 10 candidates of 10 codes, up to 10000
// generations, random numbers from `random`.
RandomResult RandomClosing(const ClosingProblem& problem, TRandom& random, long maxRedraws = kMaxRandomRedraws);

// Tidies the random search's codes: gaps move to the end and short
// straights merge into longer ones where those are allowed. `beep` sounds
// for each quarter-half-quarter triple made a standard straight. Returns the
// number of beeps.
int TidyRandomCodes(ClosingCodes& codes, ExcludedSet excluded, const std::function<void()>& beep = {});

}  // namespace quillet
