#pragma once
// Start-up: everything the program does before its event loop, in order, so
// that tests can start the program as a user would without running the loop
// or the opening screen.

#include <QString>
#include <QStringList>
#include <memory>

#include "app/gui/DialogPrompter.h"

namespace quillet {

class TPrompter;
class TSDIAppForm;

struct TStartOptions {
    // Where the stock file may live: beside the program, or the per-user
    // data folder (see StockFilePath).
    QString programFolder;
    QString userDataFolder;
    // Answers the editor's questions; null for the real dialogs. The busy
    // cursor, the closing search and the redraws are the window's whatever
    // answers.
    TPrompter* prompter = nullptr;
};

// Creates the main window with an empty circuit, reads the stock file and
// the language it holds, and applies the texts; the circuit is untitled in
// that language. The window is not shown yet. The recent-files list and the
// recovery copies are the window's to set up (UseRecentFiles, UseRecovery).
std::unique_ptr<TSDIAppForm> StartProgram(const TStartOptions& options);
// The same, with no prompter given, the editor asking through what
// `wrapDialogs` makes of the window's dialogs (the dialogs themselves when
// it is empty).
std::unique_ptr<TSDIAppForm> StartProgram(const TStartOptions& options, const TDialogsWrapper& wrapDialogs);

// The first argument naming a circuit file (*.QLC, any case), or empty.
QString CircuitFileArgument(const QStringList& arguments);

}  // namespace quillet
