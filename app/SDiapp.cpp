// Program body: creates the main window and runs the event loop.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Quillet"));
    window.setCentralWidget(new QLabel(QStringLiteral("Quillet"), &window));
    window.resize(800, 600);
    window.show();
    return QApplication::exec();
}
