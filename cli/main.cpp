// quillet-cli: the editor's core on .QLC files, from a script, with no
// display.

#include <QGuiApplication>
#include <QtGlobal>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "text/ExtraTexts.h"
#include "text/Globals.h"
#include "text/Languages.h"

namespace {

using namespace quillet;
using namespace quillet::cli;

XText HelpOf(Command command) {
    switch (command) {
        case Command::Report:
            return XText::CliHelpReport;
        case Command::LapTimes:
            return XText::CliHelpLapTimes;
        case Command::Render:
            return XText::CliHelpRender;
        case Command::Close:
            return XText::CliHelpClose;
        case Command::Equilibrate:
            return XText::CliHelpEquilibrate;
        case Command::Convert:
            return XText::CliHelpConvert;
        case Command::Suggest:
            return XText::CliHelpSuggest;
        case Command::None:
            break;
    }
    return XText::CliHelp;
}

// Qt's own notes (a missing runtime folder, font fallbacks) would mix with
// the tool's output on standard error; only its serious messages pass.
void QtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qUtf8Printable(message));
}

Outcome Run(const Invocation& inv, int argc, char** argv) {
    switch (inv.command) {
        case Command::Report:
            return RunReport(inv);
        case Command::LapTimes:
            return RunLapTimes(inv);
        case Command::Close:
            return RunClose(inv);
        case Command::Equilibrate:
            return RunEquilibrate(inv);
        case Command::Convert:
            return RunConvert(inv);
        case Command::Suggest:
            return RunSuggest(inv);
        case Command::Render: {
            // Pictures need QtGui's fonts and painters, which need an
            // application object; without a display it runs offscreen.
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
            qInstallMessageHandler(QtMessages);
            QGuiApplication app(argc, argv);
            return RunRender(inv);
        }
        case Command::None:
            break;
    }
    return Failed(Text(XText::CliNoCommand));
}

void Write(std::FILE* stream, const std::string& text) {
    if (!text.empty()) std::fwrite(text.data(), 1, text.size(), stream);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);

    const Parsed parsed = ParseArguments(args);
    Outcome outcome;
    if (parsed.invocation.version) {
        outcome.out = std::string("quillet-cli ") + ProgramVersion() + "\n";
    } else if (parsed.invocation.help) {
        outcome.out = Text(HelpOf(parsed.invocation.command)) + "\n";
    } else if (!parsed.error.empty()) {
        outcome = Failed(parsed.error);
    } else {
        outcome = Run(parsed.invocation, argc, argv);
    }
    Write(stdout, outcome.out);
    Write(stderr, outcome.err);
    if (std::fflush(stdout) != 0 && outcome.status == kExitDone) return kExitFailed;
    return outcome.status;
}
