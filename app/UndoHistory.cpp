// The one-level undo: keeping a copy, dropping it again, and the exchange
// that is both Undo and Redo.

#include "app/UndoHistory.h"

#include <string>
#include <utility>

namespace quillet {

void TUndoHistory::Reset(TCircuit fresh) {
    kept_ = std::move(fresh);
    keptModified_ = false;
}

void TUndoHistory::Keep(const TCircuit& current) {
    // The copy carries the chain, the settings, the icons and the selection.
    // The modified flag, the rulers flag and the circuit's copy of the work
    // area take the values of a newly created circuit; the editor's own work
    // area is never undone.
    const TCircuit fresh(0, 0);
    kept_ = current;
    kept_.modified = fresh.modified;
    kept_.rulersShown = fresh.rulersShown;
    kept_.workAreaLength = fresh.workAreaLength;
    kept_.workAreaWidth = fresh.workAreaWidth;
    keptModified_ = current.modified;
}

TUndoHistory::TMark TUndoHistory::KeepMarked(const TCircuit& current) {
    TMark mark{kept_, keptModified_};
    Keep(current);
    return mark;
}

void TUndoHistory::Drop(TMark&& mark) {
    kept_ = std::move(mark.circuit);
    keptModified_ = mark.modified;
}

void TUndoHistory::Undo(TCircuit& current) {
    // The notes belong to the editing session, not to one state of the chain.
    std::string notes = std::move(current.notes);
    // Each state takes back the modified flag it had, so an Undo never makes
    // unsaved work look saved.
    const bool currentModified = current.modified;
    std::swap(current, kept_);
    current.modified = keptModified_;
    keptModified_ = currentModified;
    kept_.modified = false;
    kept_.notes = notes;
    current.notes = std::move(notes);
}

}  // namespace quillet
