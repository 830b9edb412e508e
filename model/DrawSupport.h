#pragma once
// What TrackDraw.cpp and CircuitDraw.cpp share: the colours pieces and
// circuits are drawn in, the two colours worked out from the background
// (shadows and grid), and pixel arithmetic that a damaged circuit cannot
// overflow.

#include <algorithm>
#include <cstdint>
#include <limits>

#include "model/Canvas.h"
#include "model/Numeric.h"
#include "model/Tracks.h"

namespace quillet {

namespace pixels {

// Coordinates come from millimetres divided by the scale and saturate at
// the ends of the 32-bit range; moving such a point must not overflow.
constexpr std::int32_t Saturate(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}
constexpr std::int32_t Add(std::int32_t a, std::int64_t b) { return Saturate(a + b); }
constexpr PixelPoint Moved(PixelPoint p, std::int64_t dx, std::int64_t dy) { return {Add(p.x, dx), Add(p.y, dy)}; }
inline PixelPoint Middle(PixelPoint a, PixelPoint b) {
    return {Round((static_cast<double>(a.x) + b.x) / 2.0), Round((static_cast<double>(a.y) + b.y) / 2.0)};
}

// A pen width, an offset or a radius in pixels. The program's scales keep
// them to a few dozen pixels; a damaged scale must not make one so large
// that drawing it takes forever.
constexpr int kMaxLength = 4096;
inline int Length(double mm, double mmPerPixel) { return std::clamp(Round(mm / mmPerPixel), 0, kMaxLength); }

}  // namespace pixels

namespace palette {

inline constexpr Colour kSelection = 0xFF0000;     // pen and fill of a selected piece
inline constexpr Colour kOuterBarrier = 0x0000C0;  // detail 3 and above
inline constexpr Colour kInnerBarrier = 0x0000B0;
inline constexpr Colour kGreen = 0x008000;    // SCX borders, chicane markers at detail 4
inline constexpr Colour kRed = 0x0000FF;      // kerb stripes, hatching, insertion mark
inline constexpr Colour kScxBody = 0x404040;  // also SCX marker outlines
inline constexpr Colour kNincoBody = 0x000000;
inline constexpr Colour kScxStartLine = 0x00FFFF;
inline constexpr Colour kWhite = 0xFFFFFF;  // NINCO start line, slots, joints
inline constexpr Colour kStartingChicaneOutline = 0x808080;
inline constexpr Colour kLightShadow = 0x7F7F7F;  // on white, over a template, on paper
inline constexpr Colour kLightGrid = 0x8F8F8F;

// Surfaces 1..3 (sand, snow, water); anything else keeps the normal colours.
constexpr bool HasSurfaceColour(int surface) { return surface >= 1 && surface <= 3; }
constexpr Colour SurfaceColour(int surface) {
    switch (surface) {
        case 1:
            return 0x6EA5D3;  // sand
        case 2:
            return 0xD9D9D9;  // snow
        case 3:
            return 0xF1CE8B;  // water
        default:
            return kNoColour;
    }
}

// Each channel darker by `by`, stopping at 0: a damaged background colour
// must not wrap round into a bright one.
constexpr Colour Darker(Colour c, int by) {
    const auto down = [by](int v) { return static_cast<Colour>(std::max(v - by, 0)); };
    return down(RedOf(c)) | (down(GreenOf(c)) << 8) | (down(BlueOf(c)) << 16);
}

// Shadows are mid grey where the background is white, a template lies under
// the circuit or the drawing goes to paper; otherwise a darker background.
inline Colour ShadowColour(const TCircuit& circuit, bool printing) {
    const auto background = static_cast<Colour>(circuit.backgroundColour) & 0xFFFFFF;
    if (background == kWhite || circuit.templateShown || printing) return kLightShadow;
    return Darker(background, 0x50);
}

}  // namespace palette

}  // namespace quillet
