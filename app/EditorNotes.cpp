// The circuit's notes as the Notes window edits them. They are no part of the
// chain, so editing them leaves the modified flag alone; but they are part of
// the file, so the editor remembers what the file holds and asks before
// notes that were never saved are dropped (HasUnsavedWork).

#include <utility>

#include "app/Editor.h"

namespace quillet {

void TEditor::Memo1Change(std::string text) { current_.notes = std::move(text); }

}  // namespace quillet
