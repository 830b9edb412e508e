#include "stock/TrackList.h"

#include <algorithm>

#include "text/Languages.h"

namespace quillet {

namespace {

// Entry 130, not 30, names the inner curve's outer border: in Spanish entry 30
// repeats the outer curve's inner border (entry 33), so the Spanish list would
// show two different border kinds under one name. Both read "Inner Curve Outer
// Border" in English.
constexpr std::array<int, kBorderKinds> kBorderTextEntries = {128, 25, 26, 27, 28, 130, 32, 34, 29, 31, 33, 35};

// A curve on more than one lane pair is bought as concentric two-lane curves.
// Per widened curve type and lane pairs 2, 3 and 4: how many standard, inner,
// outer and super outer curves it takes.
struct CurveSet {
    int32_t standard, inner, outer, superOuter;
};
constexpr CurveSet kNone{0, 0, 0, 0};
constexpr CurveSet kFullSet{1, 1, 2, 2};

CurveSet CurveSetOf(int type, int lanePairs) {
    const int column = std::min(lanePairs, 4) - 2;  // 0..2
    switch (type) {
        case kStandardCurve: {
            constexpr CurveSet sets[] = {{1, 0, 2, 0}, {1, 0, 2, 2}, kFullSet};
            return sets[column];
        }
        case kInnerCurve: {
            constexpr CurveSet sets[] = {{1, 1, 0, 0}, {1, 1, 2, 0}, kFullSet};
            return sets[column];
        }
        case kOuterCurve: {
            constexpr CurveSet sets[] = {{0, 0, 1, 1}, kNone, kFullSet};
            return sets[column];
        }
        default:  // super outer curve, curved chicane
            return column == 2 ? kFullSet : kNone;
    }
}

bool ValidBrand(int brand) { return brand == kScxIndex || brand == kNincoIndex; }

std::string RightAligned(std::string text) {
    if (text.size() < kListCountWidth) text.insert(0, kListCountWidth - text.size(), ' ');
    return text;
}

}  // namespace

int BorderKindTextEntry(int kind) {
    if (kind < 0 || kind >= kBorderKinds) return -1;
    return kBorderTextEntries[static_cast<std::size_t>(kind)];
}

int32_t TTrackList::Pieces(int brand, int type) const {
    if (!ValidBrand(brand) || !IsTrackType(type)) return 0;
    return pieces_[static_cast<std::size_t>(brand - 1)][static_cast<std::size_t>(type)];
}

void TTrackList::SetPieces(int brand, int type, int32_t count) {
    if (!ValidBrand(brand) || !IsTrackType(type)) return;
    pieces_[static_cast<std::size_t>(brand - 1)][static_cast<std::size_t>(type)] = count;
}

int32_t TTrackList::Borders(int brand, int kind) const {
    if (!ValidBrand(brand) || kind < 0 || kind >= kBorderKinds) return 0;
    return borders_[static_cast<std::size_t>(brand - 1)][static_cast<std::size_t>(kind)];
}

void TTrackList::SetBorders(int brand, int kind, int32_t count) {
    if (!ValidBrand(brand) || kind < 0 || kind >= kBorderKinds) return;
    borders_[static_cast<std::size_t>(brand - 1)][static_cast<std::size_t>(kind)] = count;
}

void TTrackList::AddPieces(int brand, int type, int32_t n) { SetPieces(brand, type, Pieces(brand, type) + n); }

void TTrackList::AddBorders(int brand, int kind, int32_t n) { SetBorders(brand, kind, Borders(brand, kind) + n); }

void TTrackList::Clear() { *this = TTrackList{}; }

bool TTrackList::Empty() const { return *this == TTrackList{}; }

void TTrackList::CountTracks(const TCircuit& circuit) {
    Clear();
    const int p = circuit.LanePairs();
    // Damaged lane pairs above 4 count as the widest circuit the catalogue
    // knows for curves and their borders; straights still count per pair.
    const int curvePairs = std::min(p, 4);

    for (const TTrack& t : circuit.Tracks()) {
        const int type = t.type;
        const bool ninco = t.width / p == kNincoPairWidth || IsSingleRacing(type);
        const int brand = ninco ? kNincoIndex : kScxIndex;

        switch (type) {
            case kAdaptationChicane:
                // The chicane joins the two systems; it is sold by NINCO only.
                AddPieces(kNincoIndex, type, p);
                break;
            case kStandardCurve:
            case kInnerCurve:
            case kOuterCurve:
            case kSuperOuterCurve:
            case kCurvedChicane:
                if (curvePairs == 1) {
                    AddPieces(brand, type, 1);
                } else {
                    const CurveSet set = CurveSetOf(type, curvePairs);
                    AddPieces(brand, kStandardCurve, set.standard);
                    AddPieces(brand, kInnerCurve, set.inner);
                    AddPieces(brand, kOuterCurve, set.outer);
                    AddPieces(brand, kSuperOuterCurve, set.superOuter);
                }
                break;
            default:
                // Straights, changeovers, starting pieces, straight chicanes and
                // single-racing curves: one catalogue piece per lane pair.
                AddPieces(brand, type, p);  // ignores unknown type codes
                break;
        }

        const bool inner = t.Border(kInnerBorder);
        const bool outer = t.Border(kOuterBorder);
        const bool outerHalf = t.Border(kOuterBorderExitHalf) || t.Border(kOuterBorderEntryHalf);
        const bool innerHalf = t.Border(kInnerBorderExitHalf) || t.Border(kInnerBorderEntryHalf);
        auto border = [&](bool on, int kind, int32_t n) {
            if (on && n > 0) AddBorders(brand, kind, n);
        };
        switch (type) {
            case kStandardStraight:
            case kChangeoverTrack:
            case kStartingStraight:
            case kStartingChicane:
            case kStraightChicane: {
                // A standard straight's side takes two half-straight borders.
                // A half-length side is a half-straight border in NINCO and the
                // closing border in SCX.
                const int halfPiece = ninco ? kHalfStraightBorder : kCurveClosingBorder;
                border(outer, kHalfStraightBorder, 2);
                border(inner, kHalfStraightBorder, 2);
                border(outerHalf, halfPiece, 1);
                border(innerHalf, halfPiece, 1);
                break;
            }
            case kHalfStraight:
                border(outer, kHalfStraightBorder, 1);
                border(inner, kHalfStraightBorder, 1);
                break;
            case kQuarterStraight:
                border(outer, kQuarterStraightBorder, 1);
                border(inner, kQuarterStraightBorder, 1);
                break;
            case kStandardCurve:
            case kCurvedChicane: {
                border(inner, kStandardCurveInnerBorder, 1);
                constexpr int kinds[] = {kStandardCurveOuterBorder, kOuterCurveOuterBorder, kSuperOuterCurveOuterBorder,
                                         kSuperOuterCurveOuterBorder};
                constexpr int32_t counts[] = {1, 2, 4, 0};
                border(outer, kinds[curvePairs - 1], counts[curvePairs - 1]);
                break;
            }
            case kInnerCurve: {
                border(inner, kInnerCurveInnerBorder, 1);
                constexpr int kinds[] = {kInnerCurveOuterBorder, kStandardCurveOuterBorder, kOuterCurveOuterBorder,
                                         kSuperOuterCurveOuterBorder};
                constexpr int32_t counts[] = {1, 1, 2, 4};
                border(outer, kinds[curvePairs - 1], counts[curvePairs - 1]);
                break;
            }
            case kOuterCurve: {
                border(inner, kOuterCurveInnerBorder, 1);
                constexpr int kinds[] = {kOuterCurveOuterBorder, kSuperOuterCurveOuterBorder,
                                         kSuperOuterCurveOuterBorder, kSuperOuterCurveOuterBorder};
                constexpr int32_t counts[] = {1, 2, 0, 0};
                border(outer, kinds[curvePairs - 1], counts[curvePairs - 1]);
                break;
            }
            case kSuperOuterCurve:
                border(inner, kSuperOuterCurveInnerBorder, 1);
                border(outer, kSuperOuterCurveOuterBorder, 2);
                break;
            default:  // adaptation chicane, single-racing curves: no borders
                break;
        }
    }
}

std::size_t Utf8Length(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string TrackListLine(std::string_view name, int64_t required, int64_t stock) {
    std::string line(name);
    const std::size_t length = Utf8Length(name);
    if (length < kListNameWidth) line.append(kListNameWidth - length, ' ');
    line += RightAligned(std::to_string(required));
    line += kListColumnGap;
    line += RightAligned(stock == 0 ? "-" : std::to_string(stock));
    line += kListColumnGap;
    line += RightAligned(stock < required ? std::to_string(required - stock) : "-");
    return line;
}

std::vector<TTrackListRow> TTrackList::Rows(const TTrackList& stock) const {
    std::vector<TTrackListRow> rows;
    auto add = [&rows](int brand, int entry, int32_t required, int32_t inStock) {
        if (required <= 0) return;
        const int64_t missing = static_cast<int64_t>(required) - inStock;
        rows.push_back(
            {brand == kNincoIndex ? "NINCO" : "SCX", Text(entry), required, inStock, std::max<int64_t>(missing, 0)});
    };
    for (const int brand : {kNincoIndex, kScxIndex}) {
        for (int type = 0; type < kTrackTypeCount; ++type) {
            add(brand, NameTextEntry(type), Pieces(brand, type), stock.Pieces(brand, type));
        }
        for (int kind = 0; kind < kBorderKinds; ++kind) {
            add(brand, BorderKindTextEntry(kind), Borders(brand, kind), stock.Borders(brand, kind));
        }
    }
    return rows;
}

std::vector<std::string> TTrackList::ListLines(const TTrackList& stock) const {
    std::vector<std::string> lines;
    for (const TTrackListRow& row : Rows(stock)) {
        lines.push_back(TrackListLine(row.brand + " " + row.name, row.required, row.stock));
    }
    return lines;
}

}  // namespace quillet
