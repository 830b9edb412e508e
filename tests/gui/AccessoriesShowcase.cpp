// Shows the main window with a circuit carrying every accessory icon and
// every track surface, the surface button shown (Alt+6) and the Notes window
// open, for screenshots under Xvfb (see docs/architecture.md):
//   accessories_showcase LANGUAGE DETAIL SECONDS
// LANGUAGE is 1 (Spanish) or 2 (English), DETAIL the drawing's detail 1..5.

#include <QApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <fstream>

#include "app/gui/Sdimain.h"
#include "app/gui/Startup.h"
#include "model/Tracks.h"
#include "stock/StockFile.h"
#include "text/Languages.h"
#include "text/gui/ApplyTexts.h"
#include "tools/gui/Notes.h"

using namespace quillet;

namespace {

// A bordered oval: the main straight on asphalt, the first hairpin on sand,
// the back straight on snow with a water splash in its middle, the second
// hairpin on asphalt; one icon of each kind around it.
void SaveSampleCircuit(const std::string& path, int detail) {
    TCircuit c(800, 600);
    c.detailLevel = detail;
    c.scale = 4;
    c.outerBorderDefault = true;
    const int straight[] = {kStartingStraight, kStandardStraight, kStandardStraight, kStandardStraight};
    // Everything turns clockwise, so the outer borders lie outside the oval.
    for (int type : straight) c.Append(type, 0, 1);
    for (int k = 0; k < 4; ++k) c.Append(kStandardCurve, 0, 1);
    for (int k = 0; k < 4; ++k) c.Append(kStandardStraight, 0, 1);
    for (int k = 0; k < 4; ++k) c.Append(kStandardCurve, 0, 1);
    for (int i = 1; i <= c.Count(); ++i) {
        TTrack& t = c.Track(i);
        if (t.type == kStandardCurve) t.SetBorder(kOuterBorder, true);
        if (i >= 5 && i <= 8) t.surface = kSurfaceSand;
        if (i >= 9 && i <= 12) t.surface = kSurfaceSnow;
        if (i == 10 || i == 11) t.surface = kSurfaceWater;
    }
    struct Placed {
        int kind;
        double x, y;
    };
    const Placed icons[] = {
        {1, 1150, 380},  // lap counter over the main straight
        {2, 880, 380},   // start beside the starting straight
        {3, 1450, 380},  // controller
        {4, 2400, 950},  // assistant inside the first hairpin
        {5, 1750, 380},  // power source
    };
    int slot = 1;
    for (const Placed& p : icons) {
        c.Icon(slot).kind = p.kind;
        c.Icon(slot).x = p.x;
        c.Icon(slot).y = p.y;
        ++slot;
    }
    c.ReLay(false);
    c.notes =
        "Club oval, two NINCO lanes.\n"
        "Sand on the first hairpin, snow and a water splash on the back straight.\n"
        "Marshal (assistant) at the hairpin; power from the pit wall.";
    SaveCircuit(c, path);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    QStandardPaths::setTestModeEnabled(true);
    const int language = argc > 1 ? std::atoi(argv[1]) : kSpanish;
    const int detail = argc > 2 ? std::atoi(argv[2]) : 3;
    const int seconds = argc > 3 ? std::atoi(argv[3]) : 5;

    QTemporaryDir folder;
    std::ofstream(StdStr(folder.filePath(QLatin1String(kStockFileName))), std::ios::binary)
        << StockFileBytes(TTrackList{}, language);
    const QString circuit = folder.filePath(QStringLiteral("Club Oval.QLC"));
    SaveSampleCircuit(StdStr(circuit), detail);

    const std::unique_ptr<TSDIAppForm> window = StartProgram({folder.path(), folder.path(), nullptr});
    window->showMaximized();
    // Xvfb has no window manager to maximise the window: fill the screen.
    window->setGeometry(window->screen()->availableGeometry());
    window->OpenAtStart(circuit);
    QTimer::singleShot(300, window.get(), [&] {
        // The surface button and the lap-times item, as Alt+6 shows them,
        // with snow chosen on it.
        window->Editor().FormKeyDownAlt6();
        window->N21Click();
        window->Button(ControlId::ToolButton55)->click();
        // Beside the drawing, where it hides none of it.
        window->NotesWindow()->move(window->width() - window->NotesWindow()->width() - 40, 120);
    });
    QTimer::singleShot(seconds * 1000, &app, [&] {
        window->NotesWindow()->close();
        QApplication::quit();
    });
    return QApplication::exec();
}
