// The straightforward exhaustive searches. Compiled without floating-point
// contraction, like ClosingSearch.cpp: the comparison holds only if both
// round every step of the pen the same way.

#include "ClosingReference.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/ClosingSteps.h"

namespace quillet {

namespace {

using closing_steps::AllowedCodes;
using closing_steps::kImprovement;
using closing_steps::Squared;
using closing_steps::Step;

// The counter of slots, slot 1 changing fastest, and the pen moved over
// every slot of every candidate.
template <class Real, bool kStock>
SearchResult Straightforward(const ClosingProblem& problem, const StockLimit* stock, const SearchControl& control) {
    SearchResult result;
    const PenModel<Real> model = MakePenModel<Real>(problem.ninco, problem.width);
    const std::vector<uint8_t> codes = AllowedCodes(problem.excluded);
    const Real tx = static_cast<Real>(problem.targetX);
    const Real ty = static_cast<Real>(problem.targetY);
    const Real th = static_cast<Real>(problem.targetHeading);
    const Real x0 = static_cast<Real>(problem.startX);
    const Real y0 = static_cast<Real>(problem.startY);
    const Real h0 = static_cast<Real>(problem.startHeading);
    Real best = Squared(x0, y0, tx, ty);
    const Real stop = static_cast<Real>(StopThreshold(problem.toleranceCm));
    result.best = best;
    if (codes.empty()) return result;

    std::array<uint8_t, kPlainSlots> slot{};
    auto nextCode = [&problem](int c) {
        do {
            ++c;
        } while (c <= kLastClosingCode && IsExcluded(problem.excluded, c));
        return c;
    };
    for (;;) {
        int j = 0;
        for (;;) {
            const int c = nextCode(slot[static_cast<size_t>(j)]);
            if (c <= kLastClosingCode) {
                slot[static_cast<size_t>(j)] = static_cast<uint8_t>(c);
                break;
            }
            slot[static_cast<size_t>(j)] = codes.front();
            if (++j == kPlainSlots) return result;  // every candidate tried
        }
        if (j >= 5) {  // slot 6 moved on or wrapped
            ++result.progressSteps;
            if (control.progress) control.progress(result.progressSteps);
        }
        if (control.cancelled && control.cancelled()) {
            result.cancelled = true;
            result.found = false;
            result.codes = {};
            return result;
        }
        bool allowed = true;
        if constexpr (kStock) {
            StockCounts need{};
            for (uint8_t c : slot) {
                const StockCounts n = StockNeeds(c, stock->lanePairs);
                for (int k = 0; k < kStockKinds; ++k) need[static_cast<size_t>(k)] += n[static_cast<size_t>(k)];
            }
            for (int k = 0; k < kStockKinds; ++k) {
                if (need[static_cast<size_t>(k)] > std::max(stock->available[static_cast<size_t>(k)], 0))
                    allowed = false;
            }
        }
        if (allowed) {
            Real x = x0;
            Real y = y0;
            Real h = h0;
            for (uint8_t c : slot) Step(model, c, x, y, h);
            if (HeadingMatches(h, th)) {
                const Real d = Squared(x, y, tx, ty);
                if (best - d > Real(kImprovement)) {
                    best = d;
                    result.best = best;
                    result.found = true;
                    result.codes = {};
                    std::copy(slot.begin(), slot.end(), result.codes.begin());
                }
            }
        }
        if (best < stop) return result;
    }
}

}  // namespace

SearchResult PlainClosingStraightforward(const ClosingProblem& problem, const SearchControl& control) {
    return Straightforward<float, false>(problem, nullptr, control);
}

SearchResult StockClosingStraightforward(const ClosingProblem& problem, const StockLimit& stock,
                                         const SearchControl& control) {
    return Straightforward<double, true>(problem, &stock, control);
}

}  // namespace quillet
