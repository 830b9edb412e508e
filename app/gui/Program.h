#pragma once
// The program's body, from the application object to the end of its event
// loop: the program runs it as it is, a test build of the program with its
// own prompter and a step once start-up is over.

#include <functional>

#include "app/gui/Startup.h"

namespace quillet {

struct TProgramHooks {
    // Makes, from the window's real dialogs, the prompter the editor asks
    // instead; empty for the dialogs themselves (StartProgram).
    TDialogsWrapper wrapDialogs;
    // Runs once the window is shown, any recovered work offered and the
    // circuit on the command line opened, before the opening screen.
    std::function<void(TSDIAppForm& window)> started;
};

// Starts the program, shows the main window, offers what a session that did
// not end cleanly left behind, opens a circuit named on the command line,
// shows the opening screen and runs the event loop; returns its exit code.
int RunProgram(int& argc, char* argv[], const TProgramHooks& hooks = {});

}  // namespace quillet
