#pragma once
// The projection: what the main window shows, computed from the editor. It
// reads the editor only through its const public accessors and changes
// nothing, so the window may ask for it whenever it must show the controls
// again; the refresh (TEditor::FormActualize) first does what a refresh
// changes (the modes, the scale, the empty circuit's start point) and then
// asks for it.
//
// The rules themselves sit in the command rows (app/Commands.cpp); they read
// the facts gathered here once per projection.

#include "app/Commands.h"
#include "app/Editor.h"

namespace quillet {

struct TCommandFacts {
    const TEditor& editor;
    const TCircuit& circuit;
    int count = 0;
    bool selection = false;  // a first selected index (not 0)
    bool room = false;       // fewer pieces than the chain holds
    int lanePairs = 1;
    bool noStartingStraight = false;
    // The chicane buttons, on a selected SCX piece: a starting chicane
    // starts one; inside a chicane the straight chicane (and, on two lanes,
    // the curved one) continues it, and only chicane pieces and changeovers
    // may follow.
    bool chicaneStarts = false;
    bool insideChicane = false;
    bool curvedChicane = false;
    // Single racing may be turned on (or, when on, off).
    bool singleRacingAllowed = false;
};

TCommandFacts FactsOf(const TEditor& editor);

// The enabled and checked state of every command.
TCommandStates ProjectCommands(const TEditor& editor);

// The same per control, with what each control shows of its command, and its
// visibility, which Alt+6 and the hidden buttons make differ between a menu
// item and its tool button.
TControlStates ProjectControls(const TEditor& editor, const TCommandStates& commands);

// Everything the refresh shows, but the scroll it may ask for.
TWindowState ProjectWindow(const TEditor& editor);

}  // namespace quillet
