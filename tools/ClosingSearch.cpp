// The closing searches. This file is compiled without floating-point
// contraction: the pen's rounding is what fixes the answers, so a fused
// multiply-add would change them.

#include "tools/ClosingSearch.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/Tracks.h"
#include "tools/ClosingSteps.h"
#include "tools/Random.h"

namespace quillet {

namespace {

using closing_steps::AllowedCodes;
using closing_steps::kImprovement;
using closing_steps::Move;
using closing_steps::ReduceOnce;
using closing_steps::Squared;
using closing_steps::Step;

constexpr double kHeadingTolerance = 0.01;  // rad
constexpr int kGenerations = 10000;
constexpr int kPopulation = 10;
constexpr int kParents = 4;
constexpr int kMutationOdds = 25;  // one gene in 25 is redrawn

struct CodeShape {
    int type;         // catalogue type of the piece
    int orientation;  // 1 turns left
};
// Codes 1..11.
constexpr std::array<CodeShape, kLastClosingCode + 1> kCodes{{
    {-1, 0},
    {kStandardStraight, 0},
    {kHalfStraight, 0},
    {kQuarterStraight, 0},
    {kStandardCurve, 1},
    {kInnerCurve, 1},
    {kOuterCurve, 1},
    {kSuperOuterCurve, 1},
    {kStandardCurve, 0},
    {kInnerCurve, 0},
    {kOuterCurve, 0},
    {kSuperOuterCurve, 0},
}};

bool IsStraightCode(int code) { return code >= kCodeStandardStraight && code <= kCodeQuarterStraight; }
bool IsLeftCode(int code) { return code >= kCodeStandardCurveLeft && code <= kCodeSuperOuterCurveLeft; }

// Stock needs of a code packed one kind per byte. A candidate needs at most
// 7 x 4 of a kind, so sums never carry from one byte into the next.
uint64_t Pack(const StockCounts& counts) {
    uint64_t packed = 0;
    for (int k = 0; k < kStockKinds; ++k) {
        const uint64_t v = static_cast<uint64_t>(std::clamp(counts[static_cast<size_t>(k)], 0, 127));
        packed |= v << (8 * k);
    }
    return packed;
}

constexpr uint64_t kHighBits = 0x0080'8080'8080'8080ULL;

// Every byte of `needs` at most the byte of `available` (both below 128):
// a byte with its high bit set stays at 128 or more after the subtraction
// exactly when nothing was missing, and never borrows from its neighbour.
bool Fits(uint64_t needs, uint64_t available) { return (((available | kHighBits) - needs) & kHighBits) == kHighBits; }

// ---------------------------------------------------------------------------
// Headings as states. A heading reached by the pen is one of few distinct
// values; what a piece does from it (direction, displacement, next heading)
// depends on that value alone, so it is worked out once per value and code.

template <class Real>
class HeadingStates {
public:
    struct Step {
        int32_t next;
        Real dx;
        Real dy;
    };

    HeadingStates(const PenModel<Real>& model, const std::vector<uint8_t>& codes, Real target)
        : model_(model), codes_(codes), target_(target) {}

    int32_t Of(Real h) {
        const auto [it, inserted] = index_.try_emplace(std::bit_cast<Bits>(h), static_cast<int32_t>(states_.size()));
        if (inserted) {
            State s;
            s.heading = h;
            // Slots left empty after the last piece still bring the heading
            // into range, once per empty slot; twice is as good as more.
            Real r = h;
            for (int z = 0; z < 3; ++z) {
                s.match[static_cast<size_t>(z)] = HeadingMatches(r, target_);
                r = ReduceOnce(model_, r);
            }
            s.next.fill(-1);
            states_.push_back(s);
        }
        return it->second;
    }

    Step Next(int32_t s, size_t c) {
        if (states_[static_cast<size_t>(s)].next[c] < 0) {
            const PenMove<Real> move = Move(model_, codes_[c], states_[static_cast<size_t>(s)].heading);
            const int32_t n = Of(move.heading);  // may grow the table
            State& st = states_[static_cast<size_t>(s)];
            st.next[c] = n;
            st.dx[c] = move.dx;
            st.dy[c] = move.dy;
        }
        const State& st = states_[static_cast<size_t>(s)];
        return {st.next[c], st.dx[c], st.dy[c]};
    }

    // Whether a candidate ending in state s, with `emptySlots` slots after
    // its last piece, matches the target heading.
    bool Matches(int32_t s, int emptySlots) const {
        return states_[static_cast<size_t>(s)].match[static_cast<size_t>(std::min(emptySlots, 2))];
    }

private:
    using Bits = std::conditional_t<sizeof(Real) == 4, uint32_t, uint64_t>;
    struct State {
        Real heading{};
        std::array<bool, 3> match{};
        std::array<int32_t, kLastClosingCode> next{};
        std::array<Real, kLastClosingCode> dx{};
        std::array<Real, kLastClosingCode> dy{};
    };

    const PenModel<Real>& model_;
    const std::vector<uint8_t>& codes_;
    Real target_;
    std::vector<State> states_;
    std::unordered_map<Bits, int32_t> index_;
};

// ---------------------------------------------------------------------------
// The exhaustive search, fast.
//
// The candidates come in the order of a counter whose slot 1 changes
// fastest, while the pen moves from slot 1 to slot 7. So the pen positions
// after slots 1..4 are computed once for all their combinations (a table in
// candidate order), and for each combination of slots 5..7 only the few
// distinct headings of that table are moved on. A candidate then costs a
// look-up, and the additions of slots 5..7 when its heading matches; the
// additions happen in the same order as piece by piece, so every rounding is
// the same.

constexpr int kPrefixSlots = 4;

template <class Real>
struct PrefixTable {
    std::vector<Real> x;
    std::vector<Real> y;
    std::vector<int32_t> state;
    std::vector<uint64_t> needs;
};

template <class Real>
struct Outcome {
    bool match = false;
    std::array<Real, kPlainSlots - kPrefixSlots> dx{};
    std::array<Real, kPlainSlots - kPrefixSlots> dy{};
};

template <class Real>
struct Best {
    Real distance;
    Real stop;
    int length = 0;     // pieces of the best candidate, 0: none
    int64_t index = 0;  // its place among the candidates of that length

    // True when the search may stop.
    bool Consider(Real x, Real y, Real tx, Real ty, int n, int64_t i) {
        const Real d = Squared(x, y, tx, ty);
        if (distance - d > Real(kImprovement)) {
            distance = d;
            length = n;
            index = i;
            return distance < stop;
        }
        return false;
    }
};

int64_t Power(int64_t base, int e) {
    int64_t r = 1;
    for (int i = 0; i < e; ++i) r *= base;
    return r;
}

template <class Real, bool kStock>
SearchResult Exhaustive(const ClosingProblem& problem, const StockLimit* stock, const SearchControl& control) {
    SearchResult result;
    const PenModel<Real> model = MakePenModel<Real>(problem.ninco, problem.width);
    const std::vector<uint8_t> codes = AllowedCodes(problem.excluded);
    const Real tx = static_cast<Real>(problem.targetX);
    const Real ty = static_cast<Real>(problem.targetY);
    const Real th = static_cast<Real>(problem.targetHeading);
    const Real x0 = static_cast<Real>(problem.startX);
    const Real y0 = static_cast<Real>(problem.startY);
    const Real h0 = static_cast<Real>(problem.startHeading);

    Best<Real> best{Squared(x0, y0, tx, ty), static_cast<Real>(StopThreshold(problem.toleranceCm))};
    result.best = best.distance;
    if (codes.empty()) return result;
    const int A = static_cast<int>(codes.size());
    const bool onlyFirst = best.distance < best.stop;

    uint64_t available = 0;
    std::vector<uint64_t> needs(codes.size(), 0);
    if constexpr (kStock) {
        StockCounts left = stock->available;
        for (int& v : left) v = std::max(v, 0);
        available = Pack(left);
        for (size_t c = 0; c < codes.size(); ++c) needs[c] = Pack(StockNeeds(codes[c], stock->lanePairs));
    }

    HeadingStates<Real> states(model, codes, th);
    std::array<PrefixTable<Real>, kPrefixSlots + 1> prefix;
    prefix[0] = {{x0}, {y0}, {states.Of(h0)}, {0}};
    for (int m = 1; m <= kPrefixSlots; ++m) {
        const PrefixTable<Real>& before = prefix[static_cast<size_t>(m - 1)];
        PrefixTable<Real>& t = prefix[static_cast<size_t>(m)];
        const size_t lower = before.x.size();
        const size_t size = lower * static_cast<size_t>(A);
        t.x.resize(size);
        t.y.resize(size);
        t.state.resize(size);
        t.needs.resize(size);
        // Slot m is the most significant digit of the index.
        for (size_t i = 0; i < size; ++i) {
            const size_t j = i % lower;
            const size_t d = i / lower;
            const auto step = states.Next(before.state[j], d);
            t.x[i] = before.x[j] + step.dx;
            t.y[i] = before.y[j] + step.dy;
            t.state[i] = step.next;
            t.needs[i] = before.needs[j] + needs[d];
        }
    }

    auto cancelled = [&control] { return control.cancelled && control.cancelled(); };
    auto finish = [&](bool wasCancelled) {
        result.cancelled = wasCancelled;
        if (wasCancelled) return result;
        result.best = best.distance;
        if (best.length > 0) {
            result.found = true;
            int64_t c = best.index;
            for (int s = 0; s < best.length; ++s) {
                result.codes[static_cast<size_t>(s)] = codes[static_cast<size_t>(c % A)];
                c /= A;
            }
        }
        return result;
    };

    // Candidates of up to four pieces straight from the tables.
    for (int n = 1; n <= kPrefixSlots; ++n) {
        if (cancelled()) return finish(true);
        const PrefixTable<Real>& t = prefix[static_cast<size_t>(n)];
        const int emptySlots = kPlainSlots - n;
        for (size_t i = 0; i < t.x.size(); ++i) {
            const bool usable = states.Matches(t.state[i], emptySlots) && (!kStock || Fits(t.needs[i], available));
            if (usable && best.Consider(t.x[i], t.y[i], tx, ty, n, static_cast<int64_t>(i))) return finish(false);
            // A gap already within the tolerance ends the search after the
            // first candidate.
            if (onlyFirst) return finish(false);
        }
    }

    // Five to seven pieces: slots 5..n over the table of slots 1..4.
    const PrefixTable<Real>& t = prefix[kPrefixSlots];
    const size_t tableSize = t.x.size();
    std::vector<int32_t> distinct;
    std::vector<int32_t> slotOf(tableSize);
    {
        std::unordered_map<int32_t, int32_t> seen;
        for (size_t i = 0; i < tableSize; ++i) {
            const auto [it, inserted] = seen.try_emplace(t.state[i], static_cast<int32_t>(distinct.size()));
            if (inserted) distinct.push_back(t.state[i]);
            slotOf[i] = it->second;
        }
    }
    std::vector<Outcome<Real>> outcome(distinct.size());
    std::array<size_t, kPlainSlots - kPrefixSlots> digit{};

    for (int n = kPrefixSlots + 1; n <= kPlainSlots; ++n) {
        const int L = n - kPrefixSlots;
        const int emptySlots = kPlainSlots - n;
        const int64_t suffixes = Power(A, L);
        for (int64_t u = 0; u < suffixes; ++u) {
            // Slot 6 changes with every A-th combination of slots 5..n.
            if (n >= 6 && u % A == 0) {
                ++result.progressSteps;
                if (control.progress) control.progress(result.progressSteps);
            }
            if (cancelled()) return finish(true);
            uint64_t suffixNeeds = 0;
            int64_t v = u;
            for (int j = 0; j < L; ++j) {
                digit[static_cast<size_t>(j)] = static_cast<size_t>(v % A);
                v /= A;
                suffixNeeds += needs[digit[static_cast<size_t>(j)]];
            }
            bool any = false;
            for (size_t q = 0; q < distinct.size(); ++q) {
                Outcome<Real>& o = outcome[q];
                int32_t s = distinct[q];
                for (int j = 0; j < L; ++j) {
                    const auto step = states.Next(s, digit[static_cast<size_t>(j)]);
                    o.dx[static_cast<size_t>(j)] = step.dx;
                    o.dy[static_cast<size_t>(j)] = step.dy;
                    s = step.next;
                }
                o.match = states.Matches(s, emptySlots);
                any = any || o.match;
            }
            if (!any) continue;
            const int64_t base = u * static_cast<int64_t>(tableSize);
            for (size_t i = 0; i < tableSize; ++i) {
                const Outcome<Real>& o = outcome[static_cast<size_t>(slotOf[i])];
                if (!o.match) continue;
                if constexpr (kStock) {
                    if (!Fits(t.needs[i] + suffixNeeds, available)) continue;
                }
                Real x = t.x[i];
                Real y = t.y[i];
                for (int j = 0; j < L; ++j) {
                    x += o.dx[static_cast<size_t>(j)];
                    y += o.dy[static_cast<size_t>(j)];
                }
                if (best.Consider(x, y, tx, ty, n, base + static_cast<int64_t>(i))) return finish(false);
            }
        }
    }
    return finish(false);
}

}  // namespace

// ---------------------------------------------------------------------------

ClosingPiece PieceOfCode(int code) {
    if (code < 1 || code > kLastClosingCode) return {};
    const CodeShape& s = kCodes[static_cast<size_t>(code)];
    return {s.type, s.orientation};
}

int PieceCount(const ClosingCodes& codes) {
    return static_cast<int>(std::count_if(codes.begin(), codes.end(), [](uint8_t c) { return c != 0; }));
}

template <class Real>
PenModel<Real> MakePenModel(bool ninco, double width) {
    PenModel<Real> m;
    m.pi = static_cast<Real>(kPi);
    m.twoPi = static_cast<Real>(kTwoPi);
    m.step = static_cast<Real>(kPi / 16.0);
    for (int k = -kMaxDirection; k <= kMaxDirection; ++k) {
        m.cosine[static_cast<size_t>(k + kMaxDirection)] = static_cast<Real>(std::cos(k * kPi / 16.0));
        m.sine[static_cast<size_t>(k + kMaxDirection)] = static_cast<Real>(std::sin(k * kPi / 16.0));
    }
    const Brand brand = ninco ? Brand::Ninco : Brand::Scx;
    for (int code = 1; code <= kLastClosingCode; ++code) {
        const CodeShape& s = kCodes[static_cast<size_t>(code)];
        const TrackDimensions dims = Dimensions(s.type, brand);
        const auto c = static_cast<size_t>(code);
        if (IsStraightCode(code)) {
            m.size[c] = static_cast<Real>(dims.lengthOrArc);
            continue;
        }
        const double t = dims.lengthOrArc;
        // Turning left the pen runs on the inner edge; turning right on the
        // outer one, a whole width further out.
        const double r = IsLeftCode(code) ? dims.innerRadius : width + dims.innerRadius;
        m.size[c] = static_cast<Real>(2.0 * r * std::sin(t / 2.0));
        m.offset[c] = static_cast<Real>(IsLeftCode(code) ? -t / 2.0 : t / 2.0);
        m.turn[c] = static_cast<Real>(IsLeftCode(code) ? -t : t);
    }
    return m;
}

template <class Real>
PenMove<Real> MovePen(const PenModel<Real>& model, int code, Real heading) {
    return Move(model, code, heading);
}

template <class Real>
void Advance(const PenModel<Real>& model, int code, Real& x, Real& y, Real& heading) {
    Step(model, code, x, y, heading);
}

template <class Real>
bool HeadingMatches(Real heading, Real target) {
    const Real d = std::fabs(heading - target);
    const Real tol = static_cast<Real>(kHeadingTolerance);
    return d < tol || std::fabs(d - static_cast<Real>(kTwoPi)) < tol ||
           std::fabs(d - static_cast<Real>(2.0 * kTwoPi)) < tol;
}

template PenModel<float> MakePenModel<float>(bool, double);
template PenModel<double> MakePenModel<double>(bool, double);
template PenMove<float> MovePen<float>(const PenModel<float>&, int, float);
template PenMove<double> MovePen<double>(const PenModel<double>&, int, double);
template void Advance<float>(const PenModel<float>&, int, float&, float&, float&);
template void Advance<double>(const PenModel<double>&, int, double&, double&, double&);
template bool HeadingMatches<float>(float, float);
template bool HeadingMatches<double>(double, double);

double StopThreshold(int toleranceCm) {
    if (toleranceCm <= 0) return 0.01;
    const double mm = toleranceCm * 10.0;
    return mm * mm;
}

StockCounts StockNeeds(int code, int lanePairs) {
    StockCounts n{};
    const int p = std::clamp(lanePairs, 1, 4);
    auto add = [&n](int type, int count) { n[static_cast<size_t>(type)] += count; };
    switch (code) {
        case kCodeStandardStraight:
        case kCodeHalfStraight:
        case kCodeQuarterStraight:
            add(kCodes[static_cast<size_t>(code)].type, p);
            break;
        case kCodeStandardCurveLeft:
        case kCodeStandardCurveRight:
            if (p <= 3) add(kStandardCurve, 1);
            if (p == 2 || p == 3) add(kOuterCurve, 2);
            if (p == 3) add(kSuperOuterCurve, 2);
            break;
        case kCodeInnerCurveLeft:
        case kCodeInnerCurveRight:
            add(kInnerCurve, 1);
            if (p >= 2) add(kStandardCurve, 1);
            if (p >= 3) add(kOuterCurve, 2);
            if (p >= 4) add(kSuperOuterCurve, 2);
            break;
        case kCodeOuterCurveLeft:
        case kCodeOuterCurveRight:
            if (p <= 2) add(kOuterCurve, 1);
            if (p == 2) add(kSuperOuterCurve, 1);
            break;
        case kCodeSuperOuterCurveLeft:
        case kCodeSuperOuterCurveRight:
            if (p == 1) add(kSuperOuterCurve, 1);
            break;
        default:
            break;
    }
    return n;
}

SearchResult PlainClosing(const ClosingProblem& problem, const SearchControl& control) {
    return Exhaustive<float, false>(problem, nullptr, control);
}

SearchResult StockClosing(const ClosingProblem& problem, const StockLimit& stock, const SearchControl& control) {
    return Exhaustive<double, true>(problem, &stock, control);
}

// ---------------------------------------------------------------------------
// The random search.

RandomResult RandomClosing(const ClosingProblem& problem, TRandom& random, long maxRedraws) {
    RandomResult result;
    const PenModel<double> model = MakePenModel<double>(problem.ninco, problem.width);
    const double stop = StopThreshold(problem.toleranceCm);

    struct Candidate {
        ClosingCodes genes{};
        double fitness = 0.0;
    };
    std::array<Candidate, kPopulation> pop{};

    auto randomCode = [&] {
        int r = random.Below(kLastClosingCode + 1);
        while (IsExcluded(problem.excluded, r)) r = (r + 1) % (kLastClosingCode + 1);
        return static_cast<uint8_t>(r);
    };
    // Heading match and fitness: squared distance times the number of pieces.
    auto evaluate = [&](Candidate& c) {
        double x = problem.startX;
        double y = problem.startY;
        double h = problem.startHeading;
        for (uint8_t g : c.genes) Step(model, g, x, y, h);
        if (!HeadingMatches(h, problem.targetHeading)) return false;
        c.fitness = Squared(x, y, problem.targetX, problem.targetY) * PieceCount(c.genes);
        return true;
    };
    auto draw = [&](Candidate& c) {
        for (long n = 0; n < maxRedraws; ++n) {
            for (uint8_t& g : c.genes) g = randomCode();
            if (evaluate(c)) return true;
        }
        return false;
    };

    for (Candidate& c : pop) {
        if (!draw(c)) {
            result.turnUnreachable = true;
            return result;
        }
    }
    constexpr std::array<std::pair<int, int>, kPopulation - kParents> kPairs{
        {{0, 1}, {0, 2}, {0, 3}, {1, 2}, {1, 3}, {2, 3}}};
    for (int gen = 0; gen < kGenerations; ++gen) {
        if (pop[0].fitness < stop) break;
        ++result.generations;
        for (int p = 0; p < kParents; ++p) {
            int m = p;
            for (int q = p + 1; q < kPopulation; ++q) {
                if (pop[static_cast<size_t>(q)].fitness < pop[static_cast<size_t>(m)].fitness) m = q;
            }
            std::swap(pop[static_cast<size_t>(p)], pop[static_cast<size_t>(m)]);
        }
        for (size_t c = 0; c < kPairs.size(); ++c) {
            const Candidate& a = pop[static_cast<size_t>(kPairs[c].first)];
            const Candidate& b = pop[static_cast<size_t>(kPairs[c].second)];
            Candidate& child = pop[kParents + c];
            for (size_t g = 0; g < kRandomGenes; ++g) child.genes[g] = random.Below(2) == 1 ? a.genes[g] : b.genes[g];
        }
        for (size_t c = kParents; c < kPopulation; ++c) {
            for (uint8_t& g : pop[c].genes) {
                if (random.Below(kMutationOdds) == 1) g = randomCode();
            }
        }
        bool stuck = false;
        for (size_t c = kParents; c < kPopulation && !stuck; ++c) {
            // Parents matched, so the turn can be made; a child that cannot be
            // redrawn within the bound only ends the search early.
            if (!evaluate(pop[c]) && !draw(pop[c])) stuck = true;
        }
        if (stuck) {
            // The children are unusable: candidate 1 must be one of the parents.
            break;
        }
    }
    result.codes = pop[0].genes;
    result.fitness = pop[0].fitness;
    return result;
}

int TidyRandomCodes(ClosingCodes& codes, ExcludedSet excluded, const std::function<void()>& beep) {
    // One pass: each 0 met pulls the codes after it one place forward.
    auto closeGaps = [&codes] {
        for (size_t i = 0; i < codes.size(); ++i) {
            if (codes[i] != 0) continue;
            for (size_t j = i; j + 1 < codes.size(); ++j) codes[j] = codes[j + 1];
            codes.back() = 0;
        }
    };
    // Two neighbours of one length become one of twice the length, where
    // that length is allowed.
    auto mergePairs = [&codes, &excluded](int from, int to) {
        if (IsExcluded(excluded, to)) return;
        for (size_t i = 0; i + 1 < codes.size(); ++i) {
            if (codes[i] == from && codes[i + 1] == from) {
                codes[i] = to;
                codes[i + 1] = 0;
            }
        }
    };
    int beeps = 0;
    closeGaps();
    mergePairs(kCodeQuarterStraight, kCodeHalfStraight);
    closeGaps();
    mergePairs(kCodeHalfStraight, kCodeStandardStraight);
    closeGaps();
    if (!IsExcluded(excluded, kCodeStandardStraight)) {
        for (size_t i = 0; i + 2 < codes.size(); ++i) {
            if (codes[i] == kCodeQuarterStraight && codes[i + 1] == kCodeHalfStraight &&
                codes[i + 2] == kCodeQuarterStraight) {
                codes[i] = kCodeStandardStraight;
                codes[i + 1] = 0;
                codes[i + 2] = 0;
                ++beeps;
                if (beep) beep();
            }
        }
    }
    return beeps;
}

}  // namespace quillet
