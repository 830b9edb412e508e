#pragma once
// The undo history: one earlier state of the circuit, and Undo.
//
// What is kept. Just before a command changes the circuit it keeps a deep
// copy of the current one: the chain with every stored value of every piece
// (type, place, heading, marks, borders, barriers, surface), the settings
// saved with the circuit, the 40 icon slots, the selection, the title and
// the scale. Three things are not carried and take a new circuit's values:
// the modified flag, the rulers flag and the circuit's copy of the work
// area. The work area is the editor's own and is never undone. The modified
// flag the circuit had is kept beside the copy instead, so that the state
// comes back as saved or unsaved as it was.
//
// Which commands keep. The inserts, Delete, Orientation, Inner and Outer
// Border on a range, the border and barrier deletions, Crash Barriers,
// Delete Automatic Borders and Automatic Borders where it removes them,
// Single racing, Equilibrate Lanes, Cut and Paste, placing an icon, the
// surfaces, the work-area handle (the work area itself stays as dragged),
// Open and restoring a recovery copy (right after reading, so an Undo there
// shows nothing new), Close and Convert. Most keep once they know they will
// act; a few keep and may then change nothing (Delete Automatic Borders
// where there are none, placing an icon with every slot taken, Equilibrate
// on lanes already balanced), and the next Undo exchanges two equal states.
// These keep nothing, so Undo goes back past them to the last command that
// kept: Inner and Outer Border on one piece, adding Automatic Borders, Fix,
// selecting and reversing the circuit with the mouse, rotate, move and
// centre, dragging an icon, zoom and fit, the grid, colour-code, template
// and rulers switches, Settings, Open Template, the notes, and the refresh's
// own touches (the scale raised to the minimum, an empty circuit's start
// point).
//
// When the copy is dropped. Each keep replaces the copy before it: there is
// never more than one. New and window creation replace it with an empty
// circuit under the new name. Close and Convert keep with a mark; when they
// end up appending or converting nothing (cancelled, refused) they drop
// their copy and put back the one it replaced, so Undo still takes back the
// last real change.
//
// What Undo restores. It exchanges the current circuit and the copy, so a
// second Undo redoes. Each state takes back the modified flag it had when it
// was kept, except that a save in between marks the kept state modified: it
// no longer matches the file. Undo never makes unsaved work look saved. The
// notes stay as they were written, and the rulers as they are shown: they
// belong to the editing session, not to one state of the chain. The editor
// then lays the chain out again from its start point.
//
// Why one level. Undo is an exchange, not a pop: the same command undoes
// and, repeated, redoes, so going back and forth between two versions of a
// circuit is one key. A stack would send a second Undo further back
// instead, and a command that changed nothing would have to take its own
// entry off again. One copy also bounds the cost at one circuit of at most
// 300 pieces.

#include "model/Tracks.h"

namespace quillet {

class TUndoHistory {
public:
    // The state Undo brings back.
    TCircuit& Circuit() { return kept_; }
    const TCircuit& Circuit() const { return kept_; }

    // Forgets the kept state: `fresh` takes its place, as not modified.
    void Reset(TCircuit fresh);
    // Keeps a copy of `current` in place of the state kept before.
    void Keep(const TCircuit& current);

    // The state a keep replaced, for a command that may end up changing
    // nothing.
    struct TMark {
        TCircuit circuit;
        bool modified = false;
    };
    TMark KeepMarked(const TCircuit& current);
    // The command changed nothing after all: its copy goes and the state its
    // keep replaced comes back.
    void Drop(TMark&& mark);

    // Exchanges `current` and the kept state, keeping the notes as written.
    void Undo(TCircuit& current);
    // The current circuit was written to its file: the kept state no longer
    // matches the file.
    void CurrentSaved() { keptModified_ = true; }
    // The modified flag the kept state takes back on Undo.
    bool KeptModified() const { return keptModified_; }

private:
    TCircuit kept_;
    bool keptModified_ = false;
};

}  // namespace quillet
