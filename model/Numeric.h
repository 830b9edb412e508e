#pragma once
// The two rounding rules every computation of the program uses:
// Round() is round-to-nearest with halves to even, Trunc() cuts toward zero.
// Both saturate instead of overflowing, so a hostile file with absurd
// coordinates can never cause undefined behaviour in a conversion.

#include <cmath>
#include <cstdint>
#include <limits>

namespace quillet {

// Nearest integral value, halves to even, independent of the FPU mode.
// trunc and the subtraction are exact, so only a true half needs the parity
// test; this is about ten times faster than v - remainder(v, 1), which the
// re-lay of a large circuit used to spend most of its time in.
inline double RoundEven(double v) {
    if (!std::isfinite(v)) return v;
    const double t = std::trunc(v);
    const double fraction = std::fabs(v - t);
    if (fraction < 0.5 || (fraction == 0.5 && std::fmod(t, 2.0) == 0.0)) return t;
    return t + std::copysign(1.0, v);
}

namespace detail {
template <typename Int>
Int SaturateToInt(double v) {
    if (std::isnan(v)) return 0;
    constexpr double lo = static_cast<double>(std::numeric_limits<Int>::min());
    constexpr double hi = static_cast<double>(std::numeric_limits<Int>::max());
    if (v <= lo) return std::numeric_limits<Int>::min();
    if (v >= hi) return std::numeric_limits<Int>::max();
    return static_cast<Int>(v);
}
}  // namespace detail

inline int32_t Round(double v) { return detail::SaturateToInt<int32_t>(RoundEven(v)); }
inline int64_t Round64(double v) { return detail::SaturateToInt<int64_t>(RoundEven(v)); }
inline int32_t Trunc(double v) { return detail::SaturateToInt<int32_t>(std::trunc(v)); }

}  // namespace quillet
