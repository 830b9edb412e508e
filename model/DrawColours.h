#pragma once
// The colours pieces and circuits are drawn in, and the two colours worked
// out from the background (shadows and grid). Shared by TrackDraw.cpp and
// CircuitDraw.cpp.

#include <algorithm>

#include "model/Canvas.h"
#include "model/Tracks.h"

namespace quillet::palette {

inline constexpr Colour kSelection = 0xFF0000;     // pen and fill of a selected piece
inline constexpr Colour kOuterBarrier = 0x0000C0;  // detail 3 and above
inline constexpr Colour kInnerBarrier = 0x0000B0;
inline constexpr Colour kGreen = 0x008000;       // SCX borders, chicane markers at detail 4
inline constexpr Colour kRed = 0x0000FF;         // kerb stripes, hatching, insertion mark
inline constexpr Colour kScxBody = 0x404040;     // also SCX marker outlines
inline constexpr Colour kNincoBody = 0x000000;
inline constexpr Colour kScxStartLine = 0x00FFFF;
inline constexpr Colour kWhite = 0xFFFFFF;       // NINCO start line, slots, joints
inline constexpr Colour kStartingChicaneOutline = 0x808080;
inline constexpr Colour kLightShadow = 0x7F7F7F;  // on white, over a template, on paper
inline constexpr Colour kLightGrid = 0x8F8F8F;

// Surfaces 1..3 (sand, snow, water); anything else keeps the normal colours.
constexpr bool HasSurfaceColour(int surface) { return surface >= 1 && surface <= 3; }
constexpr Colour SurfaceColour(int surface) {
    switch (surface) {
        case 1: return 0x6EA5D3;  // sand
        case 2: return 0xD9D9D9;  // snow
        case 3: return 0xF1CE8B;  // water
        default: return kNoColour;
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

}  // namespace quillet::palette
