// The circuit's notes as the Notes window edits them. They are no part of the
// chain, so editing them leaves the modified flag alone; but they are part of
// the file, so the document remembers what the file holds and the editor
// asks before notes that were never saved are dropped (HasUnsavedWork).

#include <utility>

#include "app/Editor.h"

namespace quillet {

void TEditor::Memo1Change(std::string text) { document_.SetNotes(std::move(text)); }

}  // namespace quillet
