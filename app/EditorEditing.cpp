// The commands that add and remove pieces: the insert buttons (by click, and
// by press and release for the curves), Delete, the automatic curve borders,
// equilibrating the lanes and the single-racing loops.

#include <algorithm>
#include <vector>

#include "app/Editor.h"
#include "model/Messages.h"

namespace quillet {

namespace {

constexpr int kTextDeleteBetweenChicanes = 198;         // "You must delete first the tracks between chicanes."
constexpr int kLoopPieces = 8;                          // one single-racing end loop
constexpr int kSingleRacingKeep = 2 * kLoopPieces + 1;  // both loops and one piece between
constexpr int kTurnLeft = 1;
constexpr int kTurnRight = 0;

}  // namespace

// ---------------------------------------------------------------------------
// Inserting

void TEditor::InsertTracks(int type, std::initializer_list<int> orientations) {
    TCircuit& c = Circuit();
    // A circuit pushed far off the work area takes nothing more until it is
    // moved back; a chain without room for every piece takes none of them,
    // so a chicane never ends up half inserted.
    c.BoundingBox();
    if (!c.FitsWorkArea(WorkAreaLength(), WorkAreaWidth())) return;
    if (c.Count() + static_cast<int>(orientations.size()) > TCircuit::kMaxTracks) return;
    if (c.Count() > 0 && FirstFlaggedTrack() == 0) {
        // Nothing changes: say why, and keep the undo copy as it is.
        prompter_.Information(kTextSelectTrackBeforeInserting);
        return;
    }
    KeepCircuit();
    if (orientations.size() > 1 && c.Count() > 0) {
        // A chicane pair goes in after the selected track, never in place of
        // it: replacing one piece with the first chicane would leave it as
        // wide as the piece it replaced, tapering the wrong way.
        c.Track(FirstFlaggedTrack()).replaceMark = false;
    }
    const bool wasEmpty = c.Count() == 0;
    for (int orientation : orientations) {
        if (!c.Insert(type, orientation, &prompter_)) break;
    }
    if (wasEmpty && c.Count() == 1) {
        // The first piece is selected like every piece inserted after it,
        // so the next insert continues the chain at once.
        c.Track(1).selected = true;
        c.firstSelected = c.lastSelected = 1;
    }
    c.modified = true;
}

// Straights and chicanes turn the way the Orientation button's pressed state
// says; that button is a plain push button, never pressed, so they turn left.
void TEditor::ToolButton22Click() { InsertTracks(kStartingStraight, {kTurnLeft}); }
void TEditor::ToolButton24Click() { InsertTracks(kStandardStraight, {kTurnLeft}); }
void TEditor::ToolButton25Click() { InsertTracks(kHalfStraight, {kTurnLeft}); }
void TEditor::ToolButton26Click() { InsertTracks(kQuarterStraight, {kTurnLeft}); }
void TEditor::ToolButton27Click() { InsertTracks(kChangeoverTrack, {kTurnLeft}); }
// The lanes converge in the first piece and part in the second.
void TEditor::ToolButton28Click() { InsertTracks(kStartingChicane, {kTurnRight, kTurnLeft}); }
void TEditor::ToolButton45Click() { InsertTracks(kStraightChicane, {kTurnLeft}); }
void TEditor::ToolButton34Click() { InsertTracks(kAdaptationChicane, {kTurnLeft, kTurnLeft}); }

int TEditor::CurveButtonType(ControlId button) {
    switch (button) {
        case ControlId::ToolButton29:
            return kInnerCurve;
        case ControlId::ToolButton30:
            return kStandardCurve;
        case ControlId::ToolButton31:
            return kOuterCurve;
        case ControlId::ToolButton32:
            return kSuperOuterCurve;
        case ControlId::ToolButton46:
            return kCurvedChicane;
        default:
            return -1;
    }
}

void TEditor::CurveButtonMouseUp(ControlId button, TMouseButton released, bool over) {
    const int type = CurveButtonType(button);
    if (type < 0 || !over) return;
    if (released == TMouseButton::Left) {
        InsertTracks(type, {kTurnLeft});
    } else if (released == TMouseButton::Right) {
        InsertTracks(type, {kTurnRight});
    }
}

// ---------------------------------------------------------------------------
// Delete

void TEditor::ToolButton19Click() {
    TCircuit& c = Circuit();

    // A selected accessory goes first.
    auto icon = std::find_if(c.icons.begin(), c.icons.end(),
                             [](const TIconSlot& slot) { return slot.selected && slot.kind != 0; });
    if (icon != c.icons.end()) {
        KeepCircuit();
        *icon = TIconSlot{};
        c.modified = true;
        return;
    }

    // A single-racing circuit keeps one piece between its loops.
    if (c.singleRacing && c.Count() == kSingleRacingKeep) return;

    if (c.firstSelected >= 1 && c.firstSelected < c.lastSelected) {
        KeepCircuit();
        c.DeleteSelectedRange();
        c.ReLay(false);
        c.modified = true;
        return;
    }

    const int j = FirstFlaggedTrack();
    if (j == 0) return;
    const int type = c.Track(j).type;
    const int count = c.Count();

    if (type != kAdaptationChicane && type != kStartingChicane) {
        KeepCircuit();
        // Deleting the first piece leaves the rest where it lies: the next
        // piece starts where it starts now.
        if (j == 1 && count > 1) {
            c.startX = c.Track(2).x;
            c.startY = c.Track(2).y;
        }
        c.DeleteFirstSelected();
        c.ReLay(true);
        c.modified = true;
        SelectLastFlagged();
        return;
    }

    // These chicanes come in pairs of one type and go in pairs.
    auto sameType = [&](int i) { return i >= 1 && i <= count && c.Track(i).type == type; };
    int second = 0;  // the piece that goes first; the other is then selected
    if (sameType(j - 1)) {
        second = j;  // the pair is j - 1, j
    } else if (j == 1 && sameType(2)) {
        second = 1;  // the pair is 1, 2
    } else if (sameType(j + 1)) {
        c.Track(j).selected = false;
        c.Track(j + 1).selected = true;
        second = j + 1;  // the pair is j, j + 1
    }
    if (second == 0) {
        prompter_.Information(kTextDeleteBetweenChicanes);
        return;
    }
    KeepCircuit();
    const bool fromHead = j == 1 && second == 1;
    if (fromHead) {
        // The rest keeps its place.
        c.startX = c.Track(3 <= count ? 3 : 2).x;
        c.startY = c.Track(3 <= count ? 3 : 2).y;
    }
    c.DeleteFirstSelected();
    c.ReLay(false);
    // Deleting leaves the piece before selected, the pair's other piece;
    // after the first piece nothing is, so it is chosen here.
    if (fromHead && c.Count() >= 1) c.Track(1).selected = true;
    c.DeleteFirstSelected();
    c.ReLay(false);
    SelectLastFlagged();
    c.modified = true;
}

// ---------------------------------------------------------------------------
// Automatic borders

void TEditor::ToolButton52Click() {
    TCircuit& c = Circuit();
    const int s = FirstFlaggedTrack();
    if (s == 0) return;
    if (c.Track(s).Border(kOuterBorder)) {
        KeepCircuit();
        if (!c.RemoveAutomaticBorders()) {
            prompter_.Information(kTextSelectBorderedCurve);
            return;
        }
    } else if (!c.AddAutomaticBorders()) {
        prompter_.Information(kTextSelectCurve);
        return;
    }
    c.ReLay(false);
    c.modified = true;
}

void TEditor::ToolButton40Click() {
    TCircuit& c = Circuit();
    KeepCircuit();
    // The run starts at the first piece selected or marked for replacement.
    const auto tracks = c.Tracks();
    const auto start =
        std::find_if(tracks.begin(), tracks.end(), [](const TTrack& t) { return t.selected || t.replaceMark; });
    const bool onCurve = start != tracks.end() && IsCurve(start->type);
    const bool removed = c.RemoveAutomaticBorders();
    // A curve without its own outer border still loses its neighbours'
    // borders: that is a change to show and to save.
    if (onCurve) {
        c.ReLay(false);
        c.modified = true;
    }
    if (!removed) prompter_.Information(kTextSelectBorderedCurve);
}

// ---------------------------------------------------------------------------
// Equilibrate Lanes

void TEditor::ToolButton54Click() {
    TCircuit& c = Circuit();
    KeepCircuit();
    std::vector<uint8_t> before;
    before.reserve(static_cast<size_t>(c.Count()));
    for (const TTrack& t : c.Tracks()) before.push_back(t.type);
    c.Equilibrate();
    c.ReLay(false);
    // Changed changeovers are unsaved work.
    for (int i = 1; i <= c.Count(); ++i) {
        if (c.Track(i).type != before[static_cast<size_t>(i - 1)]) c.modified = true;
    }
}

// ---------------------------------------------------------------------------
// Single racing

bool TEditor::ToolButton59Click() {
    TCircuit& c = Circuit();
    if (c.LanePairs() != 1) return false;
    const int count = c.Count();
    auto clearFlags = [&c] {
        for (TTrack& t : c.Tracks()) t.selected = false;
    };
    auto selectLast = [&c] {
        const int last = c.Count();
        c.Track(last).selected = true;
        c.firstSelected = c.lastSelected = last;
    };

    if (!c.singleRacing) {
        // Two loops of eight; the button is offered below 285 pieces, so
        // they always fit.
        if (count == 0 || count + 2 * kLoopPieces > TCircuit::kMaxTracks) return true;
        KeepCircuit();
        c.modified = true;
        for (int pass = 0; pass < 2; ++pass) {
            // A loop at the end, then the circuit turned round so the next
            // pass loops its other end.
            clearFlags();
            selectLast();
            c.AddSingleRacingEnds(&prompter_);
            ReverseCircuit(false);
        }
        c.singleRacing = true;
    } else {
        if (count < kSingleRacingKeep) {
            // Not a chain with its loops any more: only the flag goes.
            KeepCircuit();
            c.modified = true;
            c.singleRacing = false;
            c.ReLay(false);
            return true;
        }
        KeepCircuit();
        c.modified = true;
        // The first piece after the head loop keeps its place.
        const PointD start = c.Track(kLoopPieces + 1).P(1);
        clearFlags();
        for (int pass = 0; pass < 2; ++pass) {
            for (int k = 0; k < kLoopPieces; ++k) {
                selectLast();
                c.DeleteFirstSelected();
            }
            c.Track(c.Count()).selected = false;
            std::span<TTrack> tracks = c.Tracks();
            std::reverse(tracks.begin(), tracks.end());
        }
        c.startX = start.x;
        c.startY = start.y;
        c.singleRacing = false;
    }
    // The loops' pieces cannot be selected: start with no selection.
    clearFlags();
    c.firstSelected = c.lastSelected = 0;
    c.ReLay(false);
    return true;
}

}  // namespace quillet
