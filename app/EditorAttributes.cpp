// The commands that change attributes of the selected tracks (anchor,
// orientation, borders, crash barriers) and the place of the whole circuit
// on the work area (rotate, move, centre).

#include <algorithm>

#include "app/Editor.h"

namespace quillet {

namespace {

constexpr double kRotateStep = 22.5;  // degrees

// The selected range clamped to the chain; false when there is none.
bool SelectedRange(const TCircuit& c, int& first, int& last) {
    first = c.firstSelected;
    last = std::min(std::max(c.lastSelected, first), c.Count());
    return first >= 1 && first <= c.Count();
}

// Straights whose border may cover either half of the piece alone.
bool HasHalfBorders(int type) {
    return type == kStandardStraight || type == kChangeoverTrack || type == kStartingChicane ||
           type == kStraightChicane;
}

// One border side: its whole flag and its exit-half and entry-half flags.
struct BorderSide {
    int whole;
    int exitHalf;
    int entryHalf;
};
constexpr BorderSide kInnerSide{kInnerBorder, kInnerBorderExitHalf, kInnerBorderEntryHalf};
constexpr BorderSide kOuterSide{kOuterBorder, kOuterBorderExitHalf, kOuterBorderEntryHalf};

// none -> whole -> exit half -> entry half -> none.
void CycleBorder(TTrack& t, const BorderSide& side) {
    if (t.Border(side.whole)) {
        t.SetBorder(side.whole, false);
        t.SetBorder(side.exitHalf, true);
        t.SetBorder(side.entryHalf, false);
    } else if (t.Border(side.exitHalf)) {
        t.SetBorder(side.exitHalf, false);
        t.SetBorder(side.entryHalf, true);
    } else if (t.Border(side.entryHalf)) {
        t.SetBorder(side.entryHalf, false);
    } else {
        t.SetBorder(side.whole, true);
    }
}

void ClearSide(TTrack& t, const BorderSide& side) {
    t.SetBorder(side.whole, false);
    t.SetBorder(side.exitHalf, false);
    t.SetBorder(side.entryHalf, false);
}

// A whole border on that side of every piece of the range that takes one.
template <class Takes>
void BorderRange(TCircuit& c, int first, int last, const BorderSide& side, Takes takes) {
    for (int i = first; i <= last; ++i) {
        TTrack& t = c.Track(i);
        if (!takes(t)) continue;
        ClearSide(t, side);
        t.SetBorder(side.whole, true);
    }
}

// One piece: straights that take half borders cycle through them, the rest
// toggle the whole border. Returns whether the whole border is now on.
bool ToggleBorder(TCircuit& c, int s, const BorderSide& side) {
    TTrack& t = c.Track(s);
    if (HasHalfBorders(t.type)) {
        CycleBorder(t, side);
        t.ComputeOutline(c);
    } else {
        t.SetBorder(side.whole, !t.Border(side.whole));
    }
    c.modified = true;
    c.ReLay(false);
    return t.Border(side.whole);
}

}  // namespace

void TEditor::BordersChanged(int first, int last) {
    TCircuit& c = Circuit();
    // The strips are part of each piece's outline, and the box takes them in.
    for (int i = std::max(first, 1); i <= std::min(last, c.Count()); ++i) {
        c.Track(i).ComputeOutline(c);
    }
    c.BoundingBox();
}

// ---------------------------------------------------------------------------
// Anchor and orientation

void TEditor::ToolButton20Click() {
    TCircuit& c = Circuit();
    const int s = FirstFlaggedTrack();
    if (s == 0) return;
    // At most one piece is fixed in place.
    const bool fix = !c.Track(s).anchorMark;
    for (TTrack& t : c.Tracks()) t.anchorMark = false;
    c.Track(s).anchorMark = fix;
    c.modified = true;
}

void TEditor::ToolButton36Click() {
    TCircuit& c = Circuit();
    int first = 0;
    int last = 0;
    if (!SelectedRange(c, first, last)) return;
    KeepCircuit();
    for (int i = first; i <= last; ++i) {
        TTrack& t = c.Track(i);
        // A starting chicane's orientation says where its lanes meet, not
        // which way it turns.
        if (t.type != kStartingChicane) t.orientation = t.orientation != 0 ? 0 : 1;
    }
    c.ReLay(true);
    c.modified = true;
}

// ---------------------------------------------------------------------------
// Borders

void TEditor::ShowBorderDefaults() {
    controls_.pressed.Set(ControlId::ToolButton38, Circuit().innerBorderDefault);
    controls_.pressed.Set(ControlId::ToolButton39, Circuit().outerBorderDefault);
}

bool TEditor::ToolButton38Click() {
    TCircuit& c = Circuit();
    int first = 0;
    int last = 0;
    if (c.Count() > 0 && SelectedRange(c, first, last) && first < last) {
        KeepCircuit();
        BorderRange(c, first, last, kInnerSide, [](const TTrack& t) { return t.type != kAdaptationChicane; });
        c.modified = true;
        BordersChanged(first, last);
        return true;
    }
    const int s = FirstFlaggedTrack();
    if (s == 0) {
        // Nothing selected: the border new pieces get.
        c.innerBorderDefault = !c.innerBorderDefault;
        ShowBorderDefaults();
        return false;
    }
    controls_.pressed.Set(ControlId::ToolButton38, ToggleBorder(c, s, kInnerSide));
    return true;
}

bool TEditor::ToolButton39Click() {
    TCircuit& c = Circuit();
    // Starting straights carry their connector box on that side, and
    // adaptation chicanes take no borders.
    auto bordersOutside = [](const TTrack& t) { return t.type != kStartingStraight && t.type != kAdaptationChicane; };
    int first = 0;
    int last = 0;
    if (c.Count() > 0 && SelectedRange(c, first, last) && first < last) {
        KeepCircuit();
        BorderRange(c, first, last, kOuterSide, bordersOutside);
        c.modified = true;
        BordersChanged(first, last);
        return true;
    }
    int s = 0;
    for (int i = 1; i <= c.Count() && s == 0; ++i) {
        if (c.Track(i).selected && bordersOutside(c.Track(i))) s = i;
    }
    if (s == 0) {
        // Nothing that takes an outer border is selected: the border new
        // pieces get.
        c.outerBorderDefault = !c.outerBorderDefault;
        controls_.pressed.Set(ControlId::ToolButton39, c.outerBorderDefault);
        return false;
    }
    controls_.pressed.Set(ControlId::ToolButton39, ToggleBorder(c, s, kOuterSide));
    return true;
}

void TEditor::ToolButton65Click() {
    TCircuit& c = Circuit();
    int first = 0;
    int last = 0;
    if (c.Count() == 0 || !SelectedRange(c, first, last)) return;
    KeepCircuit();
    for (int i = first; i <= last; ++i) ClearSide(c.Track(i), kInnerSide);
    c.modified = true;
    BordersChanged(first, last);
}

void TEditor::ToolButton64Click() {
    TCircuit& c = Circuit();
    int first = 0;
    int last = 0;
    if (c.Count() == 0 || !SelectedRange(c, first, last)) return;
    KeepCircuit();
    for (int i = first; i <= last; ++i) ClearSide(c.Track(i), kOuterSide);
    c.modified = true;
    BordersChanged(first, last);
}

void TEditor::ToolButton60Click() {
    TCircuit& c = Circuit();
    if (c.Count() == 0) return;
    KeepCircuit();
    c.modified = true;
    for (TTrack& t : c.Tracks()) t.borders.fill(false);
    BordersChanged(1, c.Count());
}

// ---------------------------------------------------------------------------
// Crash barriers

void TEditor::ToolButton62Click() {
    TCircuit& c = Circuit();
    if (c.firstSelected >= 1 && c.firstSelected < c.lastSelected) {
        int first = 0;
        int last = 0;
        if (!SelectedRange(c, first, last)) return;
        KeepCircuit();
        c.modified = true;
        for (int i = first; i <= last; ++i) c.Track(i).outerBarrier = true;
        return;
    }
    const int s = FirstFlaggedTrack();
    if (s == 0) return;
    TTrack& t = c.Track(s);
    switch (t.type) {
        case kStandardCurve:
        case kInnerCurve:
        case kOuterCurve:
        case kSuperOuterCurve:
        case kCurvedChicane:
            // A curve's barrier stands on its outside only.
            KeepCircuit();
            t.outerBarrier = !t.outerBarrier;
            break;
        case kAdaptationChicane:
        case kStartingStraight:
        case kStartingChicane:
        case kSingleRacingInnerCurve:
        case kSingleRacingOuterCurve:
            return;
        default:
            // Straights: none -> outer -> inner -> both -> none.
            KeepCircuit();
            if (!t.innerBarrier && !t.outerBarrier) {
                t.outerBarrier = true;
            } else if (!t.innerBarrier) {
                t.innerBarrier = true;
                t.outerBarrier = false;
            } else if (!t.outerBarrier) {
                t.outerBarrier = true;
            } else {
                t.innerBarrier = false;
                t.outerBarrier = false;
            }
            break;
    }
    c.modified = true;
}

void TEditor::ToolButton63Click() {
    TCircuit& c = Circuit();
    int first = 0;
    int last = 0;
    if (c.lastSelected == 0 || !SelectedRange(c, first, last)) return;
    KeepCircuit();
    // The inner barriers stay.
    for (int i = first; i <= last; ++i) c.Track(i).outerBarrier = false;
    c.modified = true;
}

// ---------------------------------------------------------------------------
// Rotate, move, centre: no undo copy, so Undo goes back past them to the last
// edit of the chain. The icons go with the circuit, but the pieces may reach
// an edge that an icon beside them would cross: the icon stops there, where
// it can still be grabbed.

void TEditor::RotateLeftClick() {
    TCircuit& c = Circuit();
    if (c.Count() == 0) return;
    c.modified = true;
    c.BoundingBox();
    c.Rotate(-kRotateStep);
    c.KeepIconsOnWorkArea(WorkAreaLength(), WorkAreaWidth());
}

void TEditor::RotateRightClick() {
    TCircuit& c = Circuit();
    if (c.Count() == 0) return;
    c.modified = true;
    c.BoundingBox();
    c.Rotate(kRotateStep);
    c.KeepIconsOnWorkArea(WorkAreaLength(), WorkAreaWidth());
}

// Each move goes one grid step, or less where the box would cross the work
// area's edge; at the edge it does nothing.
void TEditor::MoveTowards(TCircuit::Edge edge) {
    TCircuit& c = Circuit();
    if (c.MoveTowards(edge, EffectiveGridStep(), WorkAreaLength(), WorkAreaWidth())) c.modified = true;
}

void TEditor::ToolButton15Click() { MoveTowards(TCircuit::Edge::Top); }
void TEditor::ToolButton14Click() { MoveTowards(TCircuit::Edge::Bottom); }
void TEditor::ToolButton16Click() { MoveTowards(TCircuit::Edge::Left); }
void TEditor::ToolButton17Click() { MoveTowards(TCircuit::Edge::Right); }

void TEditor::ToolButton43Click() {
    TCircuit& c = Circuit();
    if (c.Centre(WorkAreaLength(), WorkAreaWidth())) c.modified = true;
}

}  // namespace quillet
