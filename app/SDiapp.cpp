// Program body: starts the program, shows the main window and the opening
// screen, and runs the event loop.
#include <QApplication>
#include <QStandardPaths>

#include "app/About.h"
#include "app/Sdimain.h"
#include "app/Startup.h"

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
    window->showMaximized();
    const QString file = quillet::CircuitFileArgument(QCoreApplication::arguments());
    if (!file.isEmpty()) window->OpenAtStart(file);
    window->AboutBox()->exec();
    return QApplication::exec();
}
