// Undo and the undo copy, as the commands use them; what is kept and when is
// the undo history's to say (UndoHistory.h).

#include "app/Editor.h"

namespace quillet {

void TEditor::KeepCircuit() { history_.Keep(Circuit()); }

void TEditor::ToolButton44Click() {
    history_.Undo(Circuit());
    // The rulers belong to the editing session too: they stay as shown.
    Circuit().rulersShown = RulersVisible();
    Circuit().ReLay(false);
}

}  // namespace quillet
