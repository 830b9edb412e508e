#include "app/gui/Program.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include "app/gui/About.h"
#include "app/gui/RecentStore.h"
#include "app/gui/Sdimain.h"
#include "app/gui/Startup.h"
#include "widgets/FormSupport.h"

namespace quillet {

int RunProgram(int& argc, char* argv[], const TProgramHooks& hooks) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    // The installed desktop entry: Wayland desktops tie the window to its
    // menu entry and icon by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("quillet"));

    TStartOptions options;
    options.programFolder = QCoreApplication::applicationDirPath();
    options.userDataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const std::unique_ptr<TSDIAppForm> window = StartProgram(options, hooks.wrapDialogs);
    window->UseRecentFiles(UserSettingsFile());
    window->UseWindowPlaces(UserSettingsFile());
    window->UseRecovery(QDir(options.userDataFolder).filePath(QStringLiteral("recovery")));

    ShowMaximizedOnScreen(window.get());
    // Restored work comes first: opening another file would only ask to
    // save it straight away.
    const bool restored = window->OfferRecovery();
    const QString file = CircuitFileArgument(QCoreApplication::arguments());
    if (!restored && !file.isEmpty()) window->OpenAtStart(file);
    if (hooks.started) hooks.started(*window);
    window->AboutBox()->exec();
    return QApplication::exec();
}

}  // namespace quillet
