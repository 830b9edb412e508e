#pragma once
// Suggest Circuits: the closed circuits a builder can lay on a table with a
// box of pieces.
//
// Every suggestion is a circuit of the editor, laid piece by piece with the
// circuit's own Insert (as the insert buttons lay them), closed as the
// status bar judges it, inside the table, flat (the outlines of pieces that
// are not neighbours in the chain do not overlap) and within the stock as the
// Track List counts it. No two suggestions are the same chain started
// elsewhere, run the other way round or mirrored.
//
// How it searches. Every piece heads a multiple of 22.5 degrees, so a
// position is a whole-numbered sum over the eight directions 0, 22.5, ...,
// 157.5 degrees (in half millimetres), and a chain closes exactly when every
// one of the eight sums is zero and it has turned 360 degrees. A circuit is
// cut where it heads 0 and where it heads 180 degrees into two halves that
// each turn 180 degrees; the curves of a half are grouped into corners (runs
// of one curve type turning one way). The second half, turned half round,
// moves the other way, so two halves whose curves move the same on every
// direction close once the straights between the corners balance on each;
// those straights are chosen depth first while the pieces are laid, the
// last one on each direction being the one that balances it, and a layout
// that leaves the table or overlaps itself is dropped as soon as it does.
// Pairs of halves go longest first, and the search stops once no pair left
// can reach the suggestions it has. A fixed amount of work bounds a search
// that would otherwise run on (many pieces, or any pieces), so the same
// request always gives the same suggestions in the same order.
//
// Nothing here touches a window; a window runs SuggestCircuits in a worker
// thread with the controls below.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/Tracks.h"

namespace quillet {

class TTrackList;

inline constexpr int kDefaultSuggestions = 12;
inline constexpr int kMaxSuggestions = 99;

struct SuggestRequest {
    int32_t tableLength = 0;  // W, along x, mm
    int32_t tableWidth = 0;   // H, along y, mm
    Brand system = Brand::Ninco;
    int lanes = 2;  // 2, 4, 6 or 8
    // 0: the stock's pieces only. Otherwise any catalogue piece of the
    // system, up to this many pieces in one suggestion (at most 300).
    int anyPieces = 0;
    int count = kDefaultSuggestions;  // 1..99
};

struct TSuggestion {
    TCircuit circuit;
    double meanLaneMm = 0.0;  // as Circuit Dimensions gives it
    int32_t lengthMm = 0;     // bounding box along x and y
    int32_t widthMm = 0;
    int curveTypes = 0;  // distinct curve types used
    int pieces = 0;
    // Any-pieces mode: what the stock lacks, by type code, in catalogue
    // pieces of the system (as the Track List's "Missing" column).
    std::vector<std::pair<int, int32_t>> missing;
};

enum class SuggestStatus {
    Found,
    LanesNotOffered,  // lanes other than 2, 4, 6 or 8
    TableNotUsable,   // a side not within 1..100000 mm
    CountNotUsable,   // how many not within 1..99, or any-pieces above 300
    NoPieces,         // the stock has no piece of the system
    TooFewCurves,     // the curves cannot turn 360 degrees
    TableTooSmall,    // not even a circle of the tightest curve fits
    NothingFits,      // no layout found that fits without overlapping
    Cancelled,        // stopped; the suggestions found so far are kept
};

// Why nothing (or not everything) came out, in the current language; empty
// for Found.
// `lanes`: those asked for; on four or more, too few curves says why the
// larger ones do not count.
std::string SuggestStatusText(SuggestStatus status, int lanes = 2);

// For the window that runs the search in a worker thread, in the manner of
// SearchControl. All three may be empty.
struct SuggestControl {
    // The fraction done, 0..1, now and then and once at the end with 1.
    std::function<void(double)> progress;
    // Polled often; true ends the search with Cancelled.
    std::function<bool()> cancelled;
    // Each layout found that, as found, is longer than the count-th longest
    // so far (or comes before there are that many), laid and checked first.
    // A later one may push it out of the final list; one only as long as
    // those already heard of is not told.
    std::function<void(const TSuggestion&)> found;
};

struct SuggestResult {
    SuggestStatus status = SuggestStatus::NothingFits;
    // In the order of RankSuggestions.
    std::vector<TSuggestion> suggestions;
    // The work done (straights tried), and whether every pair of halves that
    // could still make the list was tried to the end; false when the work
    // limit cut it short.
    long nodes = 0;
    bool complete = false;
};

SuggestResult SuggestCircuits(const SuggestRequest& request, const TTrackList& stock,
                              const SuggestControl& control = {});

// The suggestions' order: longest mean lane first, in groups. A group is
// every suggestion within 1 % of the longest one not yet placed; within it
// more curve types go first, then the longer, and among equals one of each
// arrangement of curves before a second of any. (Within 1 % of one another
// cannot be the rule: 1005, 996 and 994 mm with one, two and three curve
// types would each have to go before another.)
void RankSuggestions(std::vector<TSuggestion>& list);

// The outlines of two pieces overlap: their insides meet by more than a
// hundredth of a millimetre (touching is no overlap). Each outline is taken
// as convex parts: a straight's four corners, a starting straight's body and
// connector box, a curve's eight sections between its outline stations.
bool OutlinesOverlap(const TTrack& a, const TTrack& b);

// The first pair of pieces (1-based, first < second) that overlap without
// being neighbours in the chain; the first and the last piece are neighbours
// when the circuit is closed.
std::optional<std::pair<int, int>> FirstOverlap(const TCircuit& circuit);

// The running length of the stock's pieces of one system, in mm: each
// two-lane catalogue piece's mean lane length, times how many there are.
double StockRunningLength(const TTrackList& stock, Brand system);

}  // namespace quillet
