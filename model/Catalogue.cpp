// The fixed knowledge about the pieces the editor can lay: for each type code
// its shape, its name's text entry and its dimensions in both track systems.

#include <array>
#include <cmath>

#include "model/Tracks.h"

namespace quillet {

namespace {

constexpr double kQuarterTurn = kPi / 4.0;  // 45 degrees: dividing by 4 is exact
constexpr double kEighthTurn = kPi / 8.0;   // 22.5 degrees

struct Size {
    bool exists;
    double lengthOrArc;
    double innerRadius;
};
constexpr Size kNone{false, 0.0, 0.0};

struct CatalogueEntry {
    TrackShape shape;
    int nameEntry;
    Size ninco;
    Size scx;
    // Whether the circuit's default borders go on a new piece of this brand.
    bool nincoBorders;
    bool scxBorders;
};

// clang-format off
constexpr std::array<CatalogueEntry, kTrackTypeCount> kCatalogue{{
    // shape                        name  NINCO                                SCX                                  borders
    {TrackShape::Straight,          14, {true, 400.0, 0.0},                {true, 350.0, 0.0},                true,  false},  // 0 Standard Straight
    {TrackShape::Straight,          15, {true, 200.0, 0.0},                {true, 175.0, 0.0},                true,  false},  // 1 Half Straight
    {TrackShape::Straight,          16, {true, 100.0, 0.0},                {true, 87.5, 0.0},                 true,  false},  // 2 Quarter Straight
    {TrackShape::Curve,             17, {true, kQuarterTurn, 241.5},       {true, kQuarterTurn, 212.0},       true,  true},   // 3 Standard Curve
    {TrackShape::Curve,             18, {true, kQuarterTurn, 61.5},        {true, kQuarterTurn, 56.0},        true,  true},   // 4 Inner Curve
    {TrackShape::Curve,             19, {true, kEighthTurn, 421.5},        {true, kEighthTurn, 368.0},        true,  true},   // 5 Outer Curve
    {TrackShape::Curve,             20, {true, kEighthTurn, 601.5},        {true, kEighthTurn, 524.0},        true,  true},   // 6 Super Outer Curve
    {TrackShape::Straight,          21, {true, 400.0, 0.0},                {true, 350.0, 0.0},                true,  false},  // 7 Changeover Track
    {TrackShape::AdaptationChicane, 22, {true, 200.0, 0.0},                {true, 200.0, 0.0},                false, false},  // 8 Adaptation Chicane
    {TrackShape::StartingStraight,  23, {true, 400.0, 0.0},                {true, 350.0, 0.0},                false, false},  // 9 Starting Straight
    {TrackShape::Straight,          113, kNone,                            {true, 350.0, 0.0},                true,  true},   // 10 Starting Chicane
    {TrackShape::Straight,          114, kNone,                            {true, 350.0, 0.0},                true,  true},   // 11 Straight Chicane
    {TrackShape::Curve,             115, kNone,                            {true, kQuarterTurn, 212.0},       true,  true},   // 12 Curved Chicane
    {TrackShape::SingleRacingCurve, 193, {true, kQuarterTurn, 127.28},     kNone,                             false, false},  // 13 Single Racing Inner Curve
    {TrackShape::SingleRacingCurve, 194, {true, kQuarterTurn, 217.28},     kNone,                             false, false},  // 14 Single Racing Outer Curve
}};
// clang-format on

}  // namespace

double ReduceHeading(double h) {
    if (!std::isfinite(h)) return 0.0;
    // fmod instead of repeated subtraction: the same for headings near the
    // range, and it cannot spin on a huge value.
    if (h >= kTwoPi) h = std::fmod(h, kTwoPi);
    if (h < 0.0) {
        h = std::fmod(h, kTwoPi);
        if (h < 0.0) h += kTwoPi;
    }
    return h == 0.0 ? 0.0 : h;  // no negative zero
}

BrandData DataOf(Brand brand) {
    if (brand == Brand::Ninco) return {kNincoPairWidth, kNincoBorderWidth, 1};
    return {kScxPairWidth, kScxBorderWidth, 0};
}

Brand BrandOfWidth(double width, int lanePairs) {
    const int p = lanePairs < 1 ? 1 : lanePairs;
    return width / p == kNincoPairWidth ? Brand::Ninco : Brand::Scx;
}

TrackShape ShapeOf(int type) {
    if (!IsTrackType(type)) return TrackShape::Straight;
    return kCatalogue[static_cast<size_t>(type)].shape;
}

TrackDimensions Dimensions(int type, Brand brand) {
    if (!IsTrackType(type)) return {};
    const CatalogueEntry& e = kCatalogue[static_cast<size_t>(type)];
    const Size& s = brand == Brand::Ninco ? e.ninco : e.scx;
    return {s.exists, s.lengthOrArc, s.innerRadius};
}

bool TakesBorderDefaults(int type, Brand brand) {
    if (!IsTrackType(type)) return false;
    const CatalogueEntry& e = kCatalogue[static_cast<size_t>(type)];
    return brand == Brand::Ninco ? e.nincoBorders : e.scxBorders;
}

int NameTextEntry(int type) {
    if (!IsTrackType(type)) return -1;
    return kCatalogue[static_cast<size_t>(type)].nameEntry;
}

}  // namespace quillet
