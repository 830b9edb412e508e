#pragma once
// Scripted sessions of the real program, for end-to-end tests that start it
// as a process (crash recovery, say): the test build of the program
// (TestProgram.cpp) reads the file that the environment variable
// QUILLET_TEST_SCRIPT names, one step a line:
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
// with no answer waiting shows its dialog as usual.

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <string>

#include "app/gui/ForwardingPrompter.h"

namespace quillet {

class TSDIAppForm;

inline constexpr char kTestScriptVariable[] = "QUILLET_TEST_SCRIPT";

struct TScriptedAnswers {
    std::deque<bool> yesNo;
    std::deque<std::string> saveNames;
    std::deque<std::string> exportNames;
};

struct TTestScript {
    TScriptedAnswers answers;
    QStringList commands;
};

// Reads a script; nothing (and a line on standard error) when the file
// cannot be read or a line is not understood.
std::optional<TTestScript> ReadTestScript(const QString& path);

// The real dialogs with the script's answers in front: a question with an
// answer waiting takes it, any other goes to the dialogs.
class TScriptedPrompter final : public TForwardingPrompter {
public:
    TScriptedPrompter(TPrompter& dialogs, TScriptedAnswers answers)
        : TForwardingPrompter(&dialogs), m_answers(std::move(answers)) {}

    std::optional<std::string> AskSaveCircuitName(const std::string& suggestedName) override;
    bool AskYesNo(const std::string& question) override;
    std::optional<std::string> AskExportName(ExportKind kind, const std::string& suggestedName) override;

private:
    TScriptedAnswers m_answers;
};

// Runs the commands one after another from the event loop, each once the
// one before has returned.
void RunTestCommands(TSDIAppForm* window, const QStringList& commands);

}  // namespace quillet
