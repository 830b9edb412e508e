// Undo keeps one earlier state: a deep copy taken just before an edit. Undo
// exchanges it with the current circuit, so a second Undo redoes.

#include <utility>

#include "app/Editor.h"

namespace quillet {

void TEditor::KeepCircuit() {
    // The copy carries the chain, the settings, the icons and the selection.
    // The modified flag, the rulers flag and the circuit's copy of the work
    // area take the values of a newly created circuit; the editor's own work
    // area is never undone.
    const TCircuit fresh(0, 0);
    undo_ = current_;
    undo_.modified = fresh.modified;
    undo_.rulersShown = fresh.rulersShown;
    undo_.workAreaLength = fresh.workAreaLength;
    undo_.workAreaWidth = fresh.workAreaWidth;
    undoModified_ = current_.modified;
}

void TEditor::SwitchCircuit() {
    // Each state takes back the modified flag it had, so an Undo never makes
    // unsaved work look saved.
    const bool currentModified = current_.modified;
    std::swap(current_, undo_);
    current_.modified = undoModified_;
    undoModified_ = currentModified;
    undo_.modified = false;
}

void TEditor::ToolButton44Click() {
    // The notes and the rulers belong to the editing session, not to one
    // state of the chain: they stay as they are.
    std::string notes = std::move(current_.notes);
    SwitchCircuit();
    undo_.notes = notes;
    current_.notes = std::move(notes);
    current_.rulersShown = rulersVisible_;
    current_.ReLay(false);
}

}  // namespace quillet
