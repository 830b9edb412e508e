// Shows the main window with a sample circuit and one of the circuit tools'
// or the stock's windows over it, for screenshots under Xvfb:
//   tools_showcase LANGUAGE SECONDS WINDOW
// LANGUAGE is 1 (Spanish) or 2 (English); WINDOW one of tracklist, stock,
// stockcontrol, close, progress, another (the random search's question),
// convert, dimensions, laptimes, print, or none; or closed (Close Circuit
// run with the options it offers, the circuit closed) or converted (Convert
// run to add two outer lanes), each answered as a user would and refused
// with exit status 1 when the circuit did not change as expected; or
// suggest-starter, suggest-club: Suggest Circuits searching the starter box
// (2 lanes, 2400 x 1200 mm) or the club's box (4 lanes, 5000 x 3000 mm),
// or suggest-any: the club's box with any pieces up to 60.

#include <QApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <fstream>

#include "StockBoxes.h"
#include "app/gui/Sdimain.h"
#include "app/gui/Startup.h"
#include "app/gui/Unit15.h"
#include "model/Tracks.h"
#include "stock/StockFile.h"
#include "stock/gui/StockControlForm.h"
#include "stock/gui/StockForm.h"
#include "stock/gui/TrackListForm.h"
#include "text/Languages.h"
#include "text/gui/ApplyTexts.h"
#include "tools/gui/Ampliate.h"
#include "tools/gui/CloseCircuit.h"
#include "tools/gui/CloseProgress.h"
#include "tools/gui/DimensionsForm.h"
#include "tools/gui/PrintCircuit.h"
#include "tools/gui/SuggestForm.h"
#include "tools/gui/Unit14.h"

using namespace quillet;

namespace {

using quillet::test::ClubBox;
using quillet::test::StarterBox;

// A club circuit on four lanes: a starting straight and straights, a
// bordered hairpin, a back straight with a changeover, and the second
// hairpin missing its last curve, so that it waits to be closed.
void SaveSampleCircuit(const std::string& path) {
    TCircuit c(700, 700);
    c.detailLevel = 5;
    c.lanePairs = 2;
    const int straight[] = {kStartingStraight, kStandardStraight, kStandardStraight, kHalfStraight};
    const int back[] = {kStandardStraight, kChangeoverTrack, kStandardStraight, kHalfStraight};
    for (int type : straight) c.Append(type, 1, 1);
    for (int k = 0; k < 4; ++k) c.Append(kStandardCurve, 0, 1);
    for (int type : back) c.Append(type, 1, 1);
    for (int k = 0; k < 3; ++k) c.Append(kStandardCurve, 0, 1);
    for (int i = 1; i <= c.Count(); ++i) {
        if (c.Track(i).type == kStandardCurve) c.Track(i).SetBorder(kOuterBorder, true);
    }
    c.ReLay(false);
    SaveCircuit(c, path);
}

TTrackList SampleStock() {
    TTrackList s;
    s.SetPieces(kNincoIndex, kStartingStraight, 2);
    s.SetPieces(kNincoIndex, kStandardStraight, 8);
    s.SetPieces(kNincoIndex, kHalfStraight, 4);
    s.SetPieces(kNincoIndex, kChangeoverTrack, 2);
    s.SetPieces(kNincoIndex, kStandardCurve, 6);
    s.SetPieces(kNincoIndex, kOuterCurve, 16);
    s.SetPieces(kScxIndex, kStandardStraight, 12);
    s.SetPieces(kScxIndex, kStandardCurve, 8);
    s.SetPieces(kScxIndex, kStartingChicane, 1);
    s.SetBorders(kNincoIndex, kOuterCurveOuterBorder, 10);
    return s;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    QStandardPaths::setTestModeEnabled(true);
    const int language = argc > 1 ? std::atoi(argv[1]) : kSpanish;
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 5;
    const std::string which = argc > 3 ? argv[3] : "tracklist";

    QTemporaryDir folder;
    std::ofstream(StdStr(folder.filePath(QLatin1String(kStockFileName))), std::ios::binary)
        << StockFileBytes(SampleStock(), language);
    const QString circuit = folder.filePath(QStringLiteral("Club.QLC"));
    SaveSampleCircuit(StdStr(circuit));

    const std::unique_ptr<TSDIAppForm> window = StartProgram({folder.path(), folder.path(), nullptr});
    window->showMaximized();
    // Xvfb has no window manager to maximise the window: fill the screen.
    window->setGeometry(window->screen()->availableGeometry());
    window->OpenAtStart(circuit);
    window->Editor().SetWorkArea(4000, 2600);
    window->FormActualize();
    const TToolWindows& tools = window->Tools();
    TEditor& editor = window->Editor();

    QTimer::singleShot(1200, window.get(), [&] {
        if (which == "tracklist") {
            tools.trackList->SetLines(editor.TrackListLines());
            tools.trackList->open();
        } else if (which == "stock") {
            tools.stock->Load(StockFieldsOf(editor.Stock()));
            tools.stock->Pages()->setCurrentIndex(language == kEnglish ? 4 : 1);
            tools.stock->open();
        } else if (which == "stockcontrol") {
            window->StockControl1Click();
            const QRect screen = window->screen()->availableGeometry();
            tools.stockControl->move(screen.right() - tools.stockControl->width() - 40, 120);
        } else if (which == "close") {
            tools.closeOptions->Load(editor.CloseOptionsKept(), CloseLimits(editor.Circuit().LanePairs()));
            tools.closeOptions->open();
        } else if (which == "progress") {
            tools.closeProgress->Bar()->setValue(57);
            tools.closeProgress->adjustSize();
            tools.closeProgress->show();
        } else if (which == "another") {
            QTimer::singleShot(0, window.get(),
                               [&] { window->findChild<TForm15*>()->Ask(QStr(Text(206)), QStr(Text(205))); });
        } else if (which == "convert") {
            tools.convert->Offer(ConversionChoices(editor.Circuit().LanePairs()));
            tools.convert->open();
        } else if (which == "dimensions") {
            tools.dimensions->Fill(editor.Circuit());
            tools.dimensions->adjustSize();
            tools.dimensions->open();
        } else if (which == "laptimes") {
            tools.lapTimes->SetCircuit(&editor.Circuit());
            tools.lapTimes->open();
        } else if (which == "print") {
            QTimer::singleShot(0, tools.print, [&] { tools.print->Ask(); });
        } else if (which == "suggest-starter" || which == "suggest-club" || which == "suggest-any") {
            const bool starter = which == "suggest-starter";
            editor.Stock() = starter ? StarterBox() : ClubBox();
            SuggestRequest defaults;
            defaults.tableLength = starter ? 2400 : 5000;
            defaults.tableWidth = starter ? 1200 : 3000;
            defaults.lanes = starter ? 2 : 4;
            tools.suggest->Prepare(defaults, editor.Stock());
            tools.suggest->open();
            if (which == "suggest-any") tools.suggest->AnyPiecesButton()->setChecked(true);
            tools.suggest->SearchButton()->click();
        } else if (which == "closed" || which == "converted") {
            const bool closing = which == "closed";
            // OK in the command's dialog as soon as it is up.
            auto* answer = new QTimer(window.get());
            QObject::connect(answer, &QTimer::timeout, window.get(), [&, answer, closing] {
                QWidget* modal = QApplication::activeModalWidget();
                if (closing && modal == tools.closeOptions) {
                    answer->stop();
                    tools.closeOptions->OkButton()->click();
                } else if (!closing && modal == tools.convert) {
                    answer->stop();
                    tools.convert->Item(ConversionKind::AddOuterLanes)->click();
                    tools.convert->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
                }
            });
            answer->start(20);
            window->Action(closing ? ControlId::Close1 : ControlId::Convert1)->trigger();
            const bool done = closing ? editor.Circuit().closed : editor.Circuit().LanePairs() == 3;
            if (!done) {
                std::fprintf(stderr, "tools_showcase: %s left the circuit as it was\n", which.c_str());
                QApplication::exit(1);
            }
        }
    });
    QTimer::singleShot(seconds * 1000, &app, [] { QApplication::exit(0); });
    return QApplication::exec();
}
