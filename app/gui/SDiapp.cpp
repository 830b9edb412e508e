// Program body: starts the program, shows the main window, offers what a
// session that did not end cleanly left behind, opens a circuit named on the
// command line, shows the opening screen and runs the event loop.
#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <optional>

#include "app/gui/About.h"
#include "widgets/FormSupport.h"
#include "app/gui/RecentStore.h"
#include "app/gui/Sdimain.h"
#include "app/gui/Startup.h"
#include "app/gui/TestScript.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    // The installed desktop entry: Wayland desktops tie the window to its
    // menu entry and icon by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("quillet"));

    quillet::TStartOptions options;
    options.programFolder = QCoreApplication::applicationDirPath();
    options.userDataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const std::unique_ptr<quillet::TSDIAppForm> window = quillet::StartProgram(options);
    window->UseRecentFiles(quillet::UserSettingsFile());
    window->UseWindowPlaces(quillet::UserSettingsFile());
    window->UseRecovery(QDir(options.userDataFolder).filePath(QStringLiteral("recovery")));

    // End-to-end tests script the session (app/TestScript.h).
    std::optional<quillet::TTestScript> script;
    if (qEnvironmentVariableIsSet(quillet::kTestScriptVariable)) {
        script = quillet::ReadTestScript(qEnvironmentVariable(quillet::kTestScriptVariable));
        if (!script) return 2;
        window->OwnPrompter()->UseScript(&script->answers);
    }

    quillet::ShowMaximizedOnScreen(window.get());
    // Restored work comes first: opening another file would only ask to
    // save it straight away.
    const bool restored = window->OfferRecovery();
    const QString file = quillet::CircuitFileArgument(QCoreApplication::arguments());
    if (!restored && !file.isEmpty()) window->OpenAtStart(file);
    if (script) quillet::RunTestCommands(window.get(), script->commands);
    window->AboutBox()->exec();
    return QApplication::exec();
}
