// Program body: starts the program, shows the main window and the opening
// screen, and runs the event loop.
#include <QApplication>
#include <QStandardPaths>

#include "app/About.h"
#include "app/FormSupport.h"
#include "app/Sdimain.h"
#include "app/Startup.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillet"));

    quillet::TStartOptions options;
    options.programFolder = QCoreApplication::applicationDirPath();
    options.userDataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const std::unique_ptr<quillet::TSDIAppForm> window = quillet::StartProgram(options);
    quillet::ShowMaximizedOnScreen(window.get());
    const QString file = quillet::CircuitFileArgument(QCoreApplication::arguments());
    if (!file.isEmpty()) window->OpenAtStart(file);
    window->AboutBox()->exec();
    return QApplication::exec();
}
