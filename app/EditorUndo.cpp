// Undo and the undo copy, as the commands use them; what is kept and when is
// the undo history's to say (UndoHistory.h).

#include "app/Editor.h"

namespace quillet {

void TEditor::KeepCircuit() {
    history_.Keep(Circuit());
    undoFile_.reset();
}

void TEditor::ToolButton44Click() {
    history_.Undo(Circuit());
    // A circuit a suggestion replaced comes back with its file and notes, so
    // saving it over its file does not write it without its notes.
    if (undoFile_) document_.ExchangeFileState(*undoFile_);
    // The rulers belong to the editing session too: they stay as shown.
    Circuit().rulersShown = RulersVisible();
    Circuit().ReLay(false);
}

}  // namespace quillet
