#pragma once
// The document: the circuit being edited, the file it belongs to, and
// whether the user's work in it is on disk.
//
// Unsaved work is of two kinds. The modified flag says the chain or a
// setting saved with it changed since the file was written or read; it is
// the circuit's own field, which the commands, the tools and the file layer
// set and clear as they change or write the circuit. The notes are no part
// of the chain, so editing them leaves the flag alone; but they are part of
// the file, so the document remembers what the file holds and counts notes
// that differ from it as unsaved too. No save question is skipped while
// either kind is there.

#include <string>

#include "model/Tracks.h"

namespace quillet {

class TDocument {
public:
    TCircuit& Circuit() { return circuit_; }
    const TCircuit& Circuit() const { return circuit_; }
    // The file the circuit was last opened from or saved to; empty for a new
    // one.
    const std::string& Path() const { return path_; }

    bool Modified() const { return circuit_.modified; }
    const std::string& Notes() const { return circuit_.notes; }
    // The Notes window's text after the user changed it; not a modification.
    void SetNotes(std::string text);
    // The notes differ from what the file holds (or, for a new circuit, are
    // not empty).
    bool NotesUnsaved() const { return circuit_.notes != savedNotes_; }
    // A save question is due before the circuit is dropped.
    bool HasUnsavedWork() const { return Modified() || NotesUnsaved(); }

    // A new circuit, of no file (window creation, New).
    void Start(TCircuit fresh);
    // A circuit read whole becomes the document, as belonging to the file at
    // `path` (empty: to none) and holding that file's notes. `modified`: it
    // differs from that file (a recovery copy, never saved).
    void Adopt(TCircuit&& loaded, std::string path, bool modified);
    // Writes the circuit to `path`. Written, it belongs to that file, takes
    // the file's title and holds no unsaved work. A failure leaves it
    // modified whatever it was, as the work is not on disk, and `error` says
    // why; the file it belonged to stays its file.
    bool SaveAs(const std::string& path, std::string* error);

    // The file side of the document: the file, the notes and what that file
    // holds of them. A command that puts a circuit of no file in place of
    // one that has a file keeps it, so Undo can give the file back with its
    // circuit.
    struct TFileState {
        std::string path;
        std::string notes;
        std::string savedNotes;
    };
    TFileState FileState() const { return {path_, circuit_.notes, savedNotes_}; }
    // Puts `other` in place of the document's file side and hands back the
    // one it had, so doing it twice is no change.
    void ExchangeFileState(TFileState& other);

private:
    TCircuit circuit_;
    std::string path_;
    // The notes as the file last saved or opened holds them.
    std::string savedNotes_;
};

}  // namespace quillet
