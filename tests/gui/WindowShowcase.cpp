// Shows the main window with a sample circuit for a while, for screenshots
// under Xvfb (see docs/architecture.md):
//   window_showcase LANGUAGE SECONDS [about|settings|file-menu|export-dialog|selected]
//   window_showcase LANGUAGE SECONDS open FILE.QLC
// LANGUAGE is 1 (Spanish) or 2 (English); "about" shows the opening screen
// over the window as at a real start, "settings" the Settings dialog,
// "selected" the sample fitted to the window with one curve of the first
// hairpin selected, as a click leaves it, "open" that circuit file fitted to
// the window instead of the sample,
// "file-menu" the File menu open on its Recent Files (three circuits opened
// before, one of them since removed, so it is left out), "export-dialog"
// the save dialog of Export Page (PDF), one of Qt's own dialogs.

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdint>
#include <cstdio>
#include <fstream>

#include "app/gui/About.h"
#include "app/gui/Sdimain.h"
#include "app/gui/Startup.h"
#include "model/Tracks.h"
#include "stock/StockFile.h"
#include "text/Languages.h"
#include "text/gui/ApplyTexts.h"
#include "tools/gui/area.h"

using namespace quillet;

namespace {

// A club oval: a starting straight and three straights, a bordered hairpin of
// four standard curves, a back straight with a changeover, and the second
// hairpin; a lap counter and a controller beside it.
void SaveSampleCircuit(const std::string& path) {
    TCircuit c(800, 600);
    c.detailLevel = 5;
    c.rulersShown = true;
    const int straight[] = {kStartingStraight, kStandardStraight, kStandardStraight, kStandardStraight};
    const int back[] = {kStandardStraight, kChangeoverTrack, kStandardStraight, kStandardStraight};
    for (int type : straight) c.Append(type, 1, 1);
    for (int k = 0; k < 4; ++k) c.Append(kStandardCurve, 0, 1);
    for (int type : back) c.Append(type, 1, 1);
    for (int k = 0; k < 4; ++k) c.Append(kStandardCurve, 0, 1);
    for (int i = 1; i <= c.Count(); ++i) {
        if (c.Track(i).type == kStandardCurve) c.Track(i).SetBorder(kOuterBorder, true);
    }
    c.Icon(1).kind = 1;  // lap counter
    c.Icon(1).x = 1300;
    c.Icon(1).y = 380;
    c.Icon(2).kind = 3;  // controller
    c.Icon(2).x = 1600;
    c.Icon(2).y = 380;
    c.ReLay(false);
    SaveCircuit(c, path);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    QStandardPaths::setTestModeEnabled(true);
    const int language = argc > 1 ? std::atoi(argv[1]) : kSpanish;
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 5;
    const std::string extra = argc > 3 ? argv[3] : "";
    const QString opened = extra == "open" && argc > 4 ? QString::fromLocal8Bit(argv[4]) : QString();
    if (extra == "open" && !QFile::exists(opened)) {
        std::fprintf(stderr, "window_showcase: no circuit file %s\n", argc > 4 ? argv[4] : "given");
        return 2;
    }

    QTemporaryDir folder;
    std::ofstream(StdStr(folder.filePath(QLatin1String(kStockFileName))), std::ios::binary)
        << StockFileBytes(TTrackList{}, language);
    const QString circuit = folder.filePath(QStringLiteral("Club Oval.QLC"));
    SaveSampleCircuit(StdStr(circuit));

    const std::unique_ptr<TSDIAppForm> window = StartProgram({folder.path(), folder.path(), nullptr});
    window->showMaximized();
    // Xvfb has no window manager to maximise the window: fill the screen.
    window->setGeometry(window->screen()->availableGeometry());
    if (extra == "file-menu") {
        window->UseRecentFiles(folder.filePath(QStringLiteral("settings.ini")));
        for (const char* name : {"Rally Sprint.QLC", "Gone.QLC", "Hairpin Test.QLC"}) {
            const QString other = folder.filePath(QLatin1String(name));
            SaveSampleCircuit(StdStr(other));
            window->OpenAtStart(other);
        }
        QFile::remove(folder.filePath(QStringLiteral("Gone.QLC")));
    }
    window->OpenAtStart(opened.isEmpty() ? circuit : opened);
    if (extra == "open" || extra == "selected") window->ToolButton57Click();  // Fit to Window
    if (extra == "selected") {
        // A click in the middle of the second curve of the first hairpin
        // selects it alone and shows its borders on the border buttons.
        const TTrack& curve = window->Editor().Circuit().Track(6);
        int64_t x = 0;
        int64_t y = 0;
        for (int k = 1; k <= kOutlinePoints; ++k) {
            x += curve.ScreenP(k).x;
            y += curve.ScreenP(k).y;
        }
        window->Editor().Image1MouseDown(TMouseButton::Left, false, static_cast<int>(x / kOutlinePoints),
                                         static_cast<int>(y / kOutlinePoints));
        window->FormActualize();
        if (window->Editor().Circuit().firstSelected != 6) {
            std::fprintf(stderr, "window_showcase: the click missed the curve\n");
            return 1;
        }
    }
    QTimer::singleShot(seconds * 1000, &app, [&] {
        window->AboutBox()->close();
        QApplication::quit();
    });
    TForm2* settings = window->findChild<TForm2*>();
    QMenu* file = window->findChild<QMenu*>(QStringLiteral("File1"));
    QTimer::singleShot(300, window.get(), [&] {
        if (extra == "file-menu") {
            const QRect item = window->menuBar()->actionGeometry(file->menuAction());
            file->popup(window->menuBar()->mapToGlobal(item.bottomLeft()));
            // As the keyboard would: the Recent Files item, then Right.
            QTimer::singleShot(300, file, [&] {
                file->setActiveAction(window->Action(ControlId::RecentFiles1));
                QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
                QApplication::sendEvent(file, &right);
            });
        }
        if (extra == "about") window->AboutBox()->open();
        if (extra == "settings") {
            settings->Load(window->Editor().SettingsForDialog());
            settings->open();
        }
    });
    QTimer::singleShot(300, window.get(), [&] {
        if (extra == "export-dialog") window->Action(ControlId::ExportPdf1)->trigger();
    });
    QTimer::singleShot(seconds * 1000 - 10, window.get(), [&] {
        settings->close();
        window->findChild<QFileDialog*>(QStringLiteral("ExportDialog"))->reject();
    });
    return QApplication::exec();
}
