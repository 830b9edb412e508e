#pragma once
// Internal to the closing searches: not part of the tools' interface. The
// pen's single steps, shared by the fast search in ClosingSearch.cpp and the
// straightforward reference the tests check it against, so both round in
// exactly the same way. Everything here is inline; a file that includes it
// must be compiled with -ffp-contract=off like ClosingSearch.cpp, or a fused
// multiply-add may change the pen's roundings and with them the answers.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/ClosingSearch.h"

namespace quillet::closing_steps {

inline constexpr double kImprovement = 0.01;  // mm^2 a candidate must gain

// The codes a slot may take, in the order it takes them.
inline std::vector<uint8_t> AllowedCodes(ExcludedSet excluded) {
    std::vector<uint8_t> codes;
    for (int c = 1; c <= kLastClosingCode; ++c) {
        if (!IsExcluded(excluded, c)) codes.push_back(static_cast<uint8_t>(c));
    }
    return codes;
}

template <class Real>
inline Real Squared(Real x, Real y, Real tx, Real ty) {
    const Real dx = x - tx;
    const Real dy = y - ty;
    return dx * dx + dy * dy;
}

template <class Real>
inline Real ReduceOnce(const PenModel<Real>& model, Real h) {
    if (h >= model.twoPi) return h - model.twoPi;
    if (h < Real(0)) return h + model.twoPi;
    return h;
}

// The pen over one piece. The direction index of a straight is
// Round(heading / pi x 16) and that of a curve Round((heading -+ |t|/2) /
// (pi/16)). Both are written (heading + offset) / step here: pi/16 is pi
// scaled by a power of two, so dividing by it rounds exactly as dividing by
// pi and multiplying by 16 does. lrint rounds halves to even in the rounding
// mode the program always runs in, as Round does, and is what keeps the
// straightforward search fast enough to check the fast one against.
template <class Real>
inline PenMove<Real> Move(const PenModel<Real>& model, int code, Real heading) {
    PenMove<Real> move;
    const Real h = ReduceOnce(model, heading);
    move.heading = h;
    if (code < 1 || code > kLastClosingCode) return move;
    const auto c = static_cast<size_t>(code);
    // The reduced heading keeps k within -2..34; the clamp only guards the
    // tables against headings that are not numbers.
    const long k = std::lrint((h + model.offset[c]) / model.step);
    move.k = static_cast<int>(std::clamp<long>(k, -kMaxDirection, kMaxDirection));
    const auto i = static_cast<size_t>(move.k + kMaxDirection);
    move.dx = model.cosine[i] * model.size[c];
    move.dy = model.sine[i] * model.size[c];
    move.heading = h + model.turn[c];
    return move;
}

template <class Real>
inline void Step(const PenModel<Real>& model, int code, Real& x, Real& y, Real& heading) {
    const PenMove<Real> move = Move(model, code, heading);
    heading = move.heading;
    if (code < 1 || code > kLastClosingCode) return;
    x += move.dx;
    y += move.dy;
}

}  // namespace quillet::closing_steps
