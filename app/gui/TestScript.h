#pragma once
// A test hook of the real program, for end-to-end tests that start `quillet`
// as a process (crash recovery, say): when the environment variable
// QUILLET_TEST_SCRIPT names a file, its lines script the session.
//
//   yes | no        the answer to the next yes/no question (TForm15)
//   save PATH       the answer to the next circuit save dialog
//   export PATH     the answer to the next export dialog
//   do NAME         after start-up, in order: the command of the main
//                   window's control NAME (an object name such as
//                   "SelectAll1" or "ToolButton24"), as if chosen
//   # ...           a comment; blank lines are skipped
//
// Answers are taken in order by the questions of their kind; a question
// with no answer waiting shows its dialog as usual. Nothing else changes:
// without the variable the program never reads a script.

#include <QString>
#include <QStringList>
#include <optional>

#include "app/gui/DialogPrompter.h"

namespace quillet {

class TSDIAppForm;

inline constexpr char kTestScriptVariable[] = "QUILLET_TEST_SCRIPT";

struct TTestScript {
    TScriptedAnswers answers;
    QStringList commands;
};

// Reads a script; nothing (and a line on standard error) when the file
// cannot be read or a line is not understood.
std::optional<TTestScript> ReadTestScript(const QString& path);

// Runs the commands one after another from the event loop, each once the
// one before has returned.
void RunTestCommands(TSDIAppForm* window, const QStringList& commands);

}  // namespace quillet
