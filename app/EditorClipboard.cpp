// Select All and Select None, Copy, Cut and Paste Tracks. The clipboard is a
// third circuit, private to the program: it holds copies of the copied pieces
// without their places, and a paste puts them after the selection for the
// chain to lay out.

#include <string>
#include <vector>

#include "app/Editor.h"

namespace quillet {

namespace {

constexpr int kTextTracksLimit = 122;          // "Tracks Limit " (the limit follows)
constexpr int kTextWideIncompatibility = 237;  // "Wide incompatibility"
constexpr int kSingleRacingLoop = 8;           // pieces of one end loop

// What a piece on the clipboard keeps: its kind and shape, its borders and
// barriers and its width. Not its place, heading, marks or surface, nor its
// outline, which the chain computes where the piece is pasted.
TTrack ClipboardPiece(const TTrack& t) {
    TTrack c;
    c.type = t.type;
    c.orientation = t.orientation;
    c.width = t.width;
    c.lengthOrArc = t.lengthOrArc;
    c.innerRadius = t.innerRadius;
    c.borders = t.borders;
    c.borderWidth = t.borderWidth;
    c.innerBarrier = t.innerBarrier;
    c.outerBarrier = t.outerBarrier;
    return c;
}

bool ValidRange(const TCircuit& c) {
    return c.firstSelected >= 1 && c.firstSelected <= c.lastSelected && c.lastSelected <= c.Count();
}

// The brand flag that recreates piece 1 when the file is read back.
uint8_t StartBrandOf(const TCircuit& c) { return c.Track(1).IsNincoWidth(c) ? 1 : 0; }

}  // namespace

void TEditor::SelectAll1Click() {
    TCircuit& c = Circuit();
    const int count = c.Count();
    if (count == 0) return;
    // The two single-racing end loops are no part of the run the user edits.
    const bool skipLoops = c.singleRacing && count > 2 * kSingleRacingLoop;
    const int first = skipLoops ? kSingleRacingLoop + 1 : 1;
    const int last = skipLoops ? count - kSingleRacingLoop : count;
    for (int i = 1; i <= count; ++i) {
        TTrack& t = c.Track(i);
        t.selected = i >= first && i <= last;
        if (t.selected) t.replaceMark = false;
    }
    c.firstSelected = first;
    c.lastSelected = last;
}

void TEditor::SelectNone1Click() {
    TCircuit& c = Circuit();
    for (TTrack& t : c.Tracks()) {
        t.selected = false;
        // The mark says which selected track the next insert replaces.
        t.replaceMark = false;
    }
    for (TIconSlot& icon : c.icons) icon.selected = false;
    c.firstSelected = 0;
    c.lastSelected = 0;
}

void TEditor::CopyTrack1Click() {
    const TCircuit& c = Circuit();
    if (!ValidRange(c)) return;
    std::vector<TTrack> pieces;
    pieces.reserve(static_cast<size_t>(c.lastSelected - c.firstSelected + 1));
    for (int i = c.firstSelected; i <= c.lastSelected; ++i) pieces.push_back(ClipboardPiece(c.Track(i)));
    clipboard_ = TCircuit(0, 0);
    clipboard_.startX = c.startX;
    clipboard_.startY = c.startY;
    clipboard_.InsertRun(0, pieces);
}

void TEditor::CutTrack1Click() {
    TCircuit& c = Circuit();
    if (!ValidRange(c)) return;
    // The pieces either side of the run must join once it is gone: cutting
    // an adaptation chicane alone would put the two families edge to edge,
    // which the file would read back as one family.
    if (c.firstSelected > 1 && c.lastSelected < c.Count() &&
        c.Track(c.firstSelected - 1).ExitWidth() != c.Track(c.lastSelected + 1).EntryWidth(c)) {
        prompter_.Information(kTextWideIncompatibility);
        return;
    }
    // The undo copy first, so that Undo gives back the modified flag the
    // circuit had before the cut.
    KeepCircuit();
    c.modified = true;
    CopyTrack1Click();
    // No chicane pairing here, unlike Delete: the run goes exactly as
    // selected, so that pasting it back restores the chain.
    c.EraseRun(c.firstSelected, c.lastSelected);
    c.firstSelected = 0;
    c.lastSelected = 0;
    for (TTrack& t : c.Tracks()) {
        t.selected = false;
        t.replaceMark = false;
    }
    // Piece 1 may now be of the other family (the cut run held an adaptation
    // chicane): the file recreates piece 1 from the start brand.
    if (c.Count() > 0) c.startBrand = StartBrandOf(c);
    c.ReLay(false);
}

void TEditor::PasteTrack1Click() {
    TCircuit& c = Circuit();
    const int n = clipboard_.Count();
    // Paste needs a selection to put the run after; an empty circuit has
    // none, so nothing is ever pasted into one (Paste is disabled there).
    if (n == 0 || !ValidRange(c)) return;
    const int after = c.lastSelected;

    // The run must join its neighbours edge to edge. Comparing the widths
    // where the pieces meet (not only the stored ones) keeps an adaptation
    // chicane at either end of the run from joining the wrong family, which
    // the file could not give back: it rebuilds every piece from the width
    // of the one before.
    bool joins = c.Track(after).ExitWidth() == clipboard_.Track(1).EntryWidth(c);
    if (after < c.Count()) joins = joins && clipboard_.Track(n).ExitWidth() == c.Track(after + 1).EntryWidth(c);
    if (!joins) {
        prompter_.Information(kTextWideIncompatibility);
        return;
    }
    if (c.Count() + n > TCircuit::kMaxTracks) {
        prompter_.Information(kTextTracksLimit, std::to_string(TCircuit::kMaxTracks));
        return;
    }

    KeepCircuit();
    c.modified = true;
    c.InsertRun(after, clipboard_.Tracks());
    // The pasted run stays selected, so a second paste goes after it.
    for (TTrack& t : c.Tracks()) {
        t.selected = false;
        t.replaceMark = false;
    }
    c.firstSelected = after + 1;
    c.lastSelected = after + n;
    for (int i = c.firstSelected; i <= c.lastSelected; ++i) c.Track(i).selected = true;
    c.ReLay(false);
}

}  // namespace quillet
