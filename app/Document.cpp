// The document's record of what is on disk: its file, and the notes that
// file holds.

#include "app/Document.h"

#include <utility>

namespace quillet {

void TDocument::SetNotes(std::string text) { circuit_.notes = std::move(text); }

void TDocument::Start(TCircuit fresh) {
    circuit_ = std::move(fresh);
    path_.clear();
    savedNotes_.clear();
}

void TDocument::Adopt(TCircuit&& loaded, std::string path, bool modified) {
    circuit_ = std::move(loaded);
    circuit_.modified = modified;
    path_ = std::move(path);
    savedNotes_ = circuit_.notes;
}

void TDocument::ExchangeFileState(TFileState& other) {
    std::swap(path_, other.path);
    std::swap(circuit_.notes, other.notes);
    std::swap(savedNotes_, other.savedNotes);
}

bool TDocument::SaveAs(const std::string& path, std::string* error) {
    if (!SaveCircuit(circuit_, path, error)) {
        circuit_.modified = true;
        return false;
    }
    savedNotes_ = circuit_.notes;
    path_ = path;
    return true;
}

}  // namespace quillet
