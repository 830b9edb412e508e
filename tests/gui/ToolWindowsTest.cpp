// The windows of the circuit tools and the stock as a user meets them: each
// opened from its menu item over a known circuit, in Spanish and in English,
// with the real dialogs. A modal dialog is handled by a script that waits for
// it, looks at it, works its controls and closes it, so none ever waits for
// a person.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QSlider>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <deque>
#include <fstream>
#include <functional>
#include <thread>

#include "app/gui/DrawingSurface.h"
#include "app/gui/Sdimain.h"
#include "app/gui/Startup.h"
#include "app/gui/ToolWindows.h"
#include "app/gui/Unit15.h"
#include "model/Tracks.h"
#include "stock/StockFile.h"
#include "stock/gui/StockControlForm.h"
#include "stock/gui/StockForm.h"
#include "stock/gui/TrackListForm.h"
#include "text/Globals.h"
#include "text/Languages.h"
#include "text/gui/ApplyTexts.h"
#include "tools/gui/Ampliate.h"
#include "tools/gui/CloseCircuit.h"
#include "tools/gui/CloseProgress.h"
#include "tools/gui/DimensionsForm.h"
#include "tools/gui/PrintCircuit.h"
#include "tools/gui/Unit14.h"

using namespace quillet;

namespace {

// Waits for each modal window in turn and hands it to the next handler; a
// window the handler leaves open is closed after it (unless it is to close
// by itself), and a window nobody expected is noted and closed.
class Modals : public QObject {
public:
    using Handler = std::function<void(QWidget*)>;
    Modals() { QTimer::singleShot(0, this, &Modals::Poll); }
    void Then(Handler h) { m_queue.push_back({std::move(h), false}); }
    // A window that closes by itself once its work is done (the progress
    // window): only looked at.
    void ThenLeave(Handler h) { m_queue.push_back({std::move(h), true}); }
    bool AllSeen() const { return m_queue.empty(); }
    QStringList unexpected;

private:
    void Poll() {
        // Polling goes on inside the nested loops the handlers start.
        QTimer::singleShot(5, this, &Modals::Poll);
        QPointer<QWidget> w = QApplication::activeModalWidget();
        if (w == nullptr || !w->isVisible() || m_active.contains(w.data())) return;
        if (m_queue.empty()) {
            unexpected << w->objectName();
            Close(w);
            return;
        }
        Expected next = std::move(m_queue.front());
        m_queue.pop_front();
        m_active.push_back(w.data());
        next.handler(w.data());
        m_active.removeOne(w.data());
        if (w != nullptr && w->isVisible()) {
            if (next.leave) {
                // Not the next handler's, until it hides.
                m_active.push_back(w.data());
                w->installEventFilter(this);
            } else {
                Close(w);
            }
        }
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide) {
            m_active.removeOne(static_cast<QWidget*>(watched));
            watched->removeEventFilter(this);
        }
        return QObject::eventFilter(watched, event);
    }
    static void Close(QWidget* w) {
        if (auto* d = qobject_cast<QDialog*>(w)) {
            d->reject();
        } else {
            w->close();
        }
    }
    struct Expected {
        Handler handler;
        bool leave = false;
    };
    std::deque<Expected> m_queue;
    QList<QWidget*> m_active;
};

template <class T>
T* Child(QWidget* w, const char* name) {
    T* c = w->findChild<T*>(QLatin1String(name));
    if (c == nullptr) qWarning("no %s in %s", name, qPrintable(w->objectName()));
    return c;
}

QString LabelText(QWidget* w, const char* name) {
    QLabel* l = Child<QLabel>(w, name);
    return l != nullptr ? l->text() : QStringLiteral("<none>");
}

// Pieces of one width appended and laid out.
TCircuit Chain(std::initializer_list<int> types, int lanePairs = 1, int brandFlag = 1, int orientation = 0) {
    TCircuit c(1000, 800);
    c.lanePairs = static_cast<uint8_t>(lanePairs);
    for (const int t : types) c.Append(t, orientation, brandFlag);
    c.title = "Club";
    c.ReLay(false);
    return c;
}

// The NINCO oval (a straight, four right-hand curves, a straight, four
// more) missing its last straight.
TCircuit OpenOval(int lanePairs = 1) {
    const int S = kStandardStraight;
    const int C = kStandardCurve;
    return Chain({C, C, C, C, S, C, C, C, C}, lanePairs);
}

}  // namespace

class ToolWindowsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_folder;

    // The program as started by a user, with the given stock and language,
    // showing `circuit`.
    std::unique_ptr<TSDIAppForm> Start(const TCircuit& circuit, const TTrackList& stock = {}, int language = kSpanish) {
        m_folder = std::make_unique<QTemporaryDir>();
        std::ofstream(StdStr(m_folder->filePath(QLatin1String(kStockFileName))), std::ios::binary)
            << StockFileBytes(stock, language);
        auto w = StartProgram({m_folder->path(), m_folder->path(), nullptr});
        w->Editor().Circuit() = circuit;
        w->FormActualize();
        return w;
    }
    std::string StockFileOnDisk() const {
        std::ifstream in(StdStr(m_folder->filePath(QLatin1String(kStockFileName))), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void English(TSDIAppForm& w) {
        SetLanguageIndex(kEnglish);
        w.ApplyLanguage();
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void cleanup() { SetLanguageIndex(kSpanish); }

    void everyTextOfTheTableFindsItsControl() {
        auto w = Start(TCircuit(1000, 1000));
        const TToolWindows& t = w->Tools();
        const std::pair<QWidget*, const char*> forms[] = {
            {t.stock, "TForm1"},         {t.trackList, "TForm3"}, {t.dimensions, "TForm4"}, {t.closeOptions, "TForm5"},
            {t.closeProgress, "TForm6"}, {t.print, "TForm10"},    {t.convert, "TForm12"},   {t.lapTimes, "TForm14"},
        };
        for (const auto& [form, name] : forms) {
            QCOMPARE(form->objectName(), QLatin1String(name));
            QCOMPARE(ApplyWindowTexts(form, name), 0);
        }
    }

    void trackListShowsTheBillOfMaterialsUnderItsHeadings() {
        // Three NINCO standard straights and two standard curves with an
        // outer border each; five straights in stock.
        TCircuit c = Chain({kStandardStraight, kStandardStraight, kStandardStraight, kStandardCurve, kStandardCurve});
        c.Track(4).SetBorder(kOuterBorder, true);
        c.Track(5).SetBorder(kOuterBorder, true);
        TTrackList stock;
        stock.SetPieces(kNincoIndex, kStandardStraight, 5);
        auto w = Start(c, stock);

        // Name padded to 42 characters, then 3, 5 and "-" right-aligned in
        // three with four blanks between.
        auto line = [](const char* name, const char* counts) {
            QString s = QString::fromUtf8(name);
            return s.leftJustified(42, QLatin1Char(' ')) + QLatin1String(counts);
        };
        QStringList seen;
        QStringList headings;
        QList<int> headingX;
        bool fixedPitch = false;
        Modals modals;
        auto look = [&](QWidget* d) {
            auto* list = Child<QListWidget>(d, "ListBox1");
            seen.clear();
            for (int i = 0; i < list->count(); ++i) seen << list->item(i)->text();
            fixedPitch = QFontInfo(list->font()).fixedPitch();
            headings = {d->windowTitle()};
            headingX.clear();
            for (const char* name : {"Label1", "Label2", "Label3", "Label4"}) {
                QLabel* l = Child<QLabel>(d, name);
                headings << l->text();
                headingX << l->x() << l->x() + l->width();
            }
            Child<QPushButton>(d, "Button1")->click();
        };
        modals.Then(look);
        w->Action(ControlId::TracksList1)->trigger();
        QVERIFY(modals.AllSeen());
        QVERIFY(fixedPitch);
        QCOMPARE(headings,
                 (QStringList{QStringLiteral("Lista de Tramos"), QStringLiteral("Tipo de tramo"),
                              QStringLiteral("Necesarios"), QStringLiteral("En Stock"), QStringLiteral("Faltan")}));
        QCOMPARE(seen, (QStringList{line("NINCO Recta Standard", "  3      5      -"),
                                    line("NINCO Curva Standard", "  2      -      2"),
                                    line("NINCO Borde Externo de Curva Standard", "  2      -      2")}));
        // The headings stand left to right without touching.
        for (int i = 1; i + 1 < headingX.size(); i += 2) QVERIFY(headingX[i] < headingX[i + 1]);

        // In English, from the toolbar button.
        English(*w);
        modals.Then(look);
        w->Button(ControlId::ToolButton47)->click();
        QVERIFY(modals.AllSeen());
        QCOMPARE(headings,
                 (QStringList{QStringLiteral("Track List"), QStringLiteral("Track Type"), QStringLiteral("Required"),
                              QStringLiteral("In Stock"), QStringLiteral("Default")}));
        QCOMPARE(seen.first(), line("NINCO Standard Straight", "  3      5      -"));
        QCOMPARE(seen.last(), line("NINCO Standard Curve Outer Border", "  2      -      2"));
        for (int i = 1; i + 1 < headingX.size(); i += 2) QVERIFY(headingX[i] < headingX[i + 1]);

        // An empty circuit: an empty list.
        w->Editor().Circuit() = TCircuit(1000, 1000);
        modals.Then(look);
        w->Action(ControlId::TracksList1)->trigger();
        QVERIFY(seen.isEmpty());
        QVERIFY(modals.unexpected.isEmpty());
    }

    void stockDialogStoresOnlyWhenEveryFieldHoldsACount() {
        TTrackList stock;
        stock.SetPieces(kNincoIndex, kStandardStraight, 5);
        stock.SetBorders(kScxIndex, kCurveClosingBorder, 2);
        auto w = Start(Chain({kStandardStraight}), stock);
        w->StockControl1Click();  // open, to see it follow the stock
        TForm1* form = w->Tools().stock;

        Modals modals;
        QStringList told;
        modals.Then([&](QWidget* d) {
            QCOMPARE(d, static_cast<QWidget*>(form));
            QCOMPARE(d->windowTitle(), QStringLiteral("Stock de Tramos"));
            QTabWidget* pages = form->Pages();
            QCOMPARE(pages->count(), 5);
            QCOMPARE(pages->tabText(0), QStringLiteral("Rectas"));
            QCOMPARE(pages->tabText(4), QStringLiteral("Bordes de Curva"));
            QCOMPARE(LabelText(d, "Label1"), QStringLiteral("Recta Standard"));
            QCOMPARE(LabelText(d, "Label38"), QStringLiteral("Curva Interior Single Racing"));
            // The stored values, each in its field.
            QCOMPARE(Child<QLineEdit>(d, "Edit1")->text(), QStringLiteral("5"));
            QCOMPARE(Child<QLineEdit>(d, "Edit2")->text(), QStringLiteral("0"));
            QCOMPARE(Child<QLineEdit>(d, "Edit28")->text(), QStringLiteral("2"));
            QCOMPARE(d->findChildren<QLineEdit*>().size(), kStockFieldCount);

            // Digits only, typed or pasted.
            QLineEdit* edit3 = Child<QLineEdit>(d, "Edit3");
            edit3->clear();
            QTest::keyClicks(edit3, QStringLiteral("1x2-"));
            QCOMPARE(edit3->text(), QStringLiteral("12"));
            QGuiApplication::clipboard()->setText(QStringLiteral("3a"));
            edit3->paste();
            QCOMPARE(edit3->text(), QStringLiteral("12"));
            QGuiApplication::clipboard()->setText(QStringLiteral("34"));
            edit3->paste();
            QCOMPARE(edit3->text(), QStringLiteral("1234"));

            // An emptied field on the last page: OK says which and stays.
            pages->setCurrentIndex(0);
            Child<QLineEdit>(d, "Edit52")->clear();
            modals.Then([&](QWidget* message) {
                told << message->windowTitle() << LabelText(message, "Label1");
                Child<QPushButton>(message, "Button1")->click();
            });
            Child<QPushButton>(d, "Button4")->click();
            QVERIFY(d->isVisible());
            QCOMPARE(pages->currentIndex(), 4);
            QCOMPARE(d->focusWidget(), Child<QLineEdit>(d, "Edit52"));

            // Filled in: OK closes.
            Child<QLineEdit>(d, "Edit52")->setText(QStringLiteral("7"));
            Child<QPushButton>(d, "Button4")->click();
            QVERIFY(!d->isVisible());
        });
        // Nothing stored while the dialog was open with the empty field.
        w->Action(ControlId::Stock1)->trigger();
        QVERIFY(modals.AllSeen());
        QCOMPARE(told, (QStringList{QStringLiteral("Información"),
                                    QStringLiteral("Borde Externo de Curva Superexterior, SCX: el campo está vacío. "
                                                   "Escriba cuántas piezas tiene, 0 si ninguna.")}));
        TTrackList expected = stock;
        expected.SetPieces(kNincoIndex, kHalfStraight, 1234);
        expected.SetBorders(kScxIndex, kSuperOuterCurveOuterBorder, 7);
        QCOMPARE(QStr(StockFileBytes(w->Editor().Stock(), kSpanish)), QStr(StockFileBytes(expected, kSpanish)));
        QCOMPARE(StockFileOnDisk(), StockFileBytes(expected, kSpanish));
        // The Stock Control window followed: 5 straights less the one used.
        QCOMPARE(w->Tools().stockControl->Figure(2, true)->text(), QStringLiteral("4"));

        // Typed and cancelled: the next opening shows the stored values.
        modals.Then([&](QWidget* d) {
            Child<QLineEdit>(d, "Edit1")->setText(QStringLiteral("99"));
            Child<QPushButton>(d, "Button2")->click();
        });
        w->Button(ControlId::ToolButton50)->click();
        English(*w);
        QString shown;
        QString title;
        modals.Then([&](QWidget* d) {
            shown = Child<QLineEdit>(d, "Edit1")->text();
            title = d->windowTitle() + QLatin1Char('|') + form->Pages()->tabText(0) + QLatin1Char('|') +
                    LabelText(d, "Label31") + QLatin1Char('|') + Child<QPushButton>(d, "Button2")->text();
        });
        w->Action(ControlId::Stock1)->trigger();
        QCOMPARE(shown, QStringLiteral("5"));
        QCOMPARE(title, QStringLiteral("Tracks Stock|Straigths|Inner Curve Outer Border|Cancel"));
        QVERIFY(w->Editor().Stock() == expected);
        QVERIFY(modals.unexpected.isEmpty());
    }

    // Stock Control opens at the right of the drawing, clear of the menus
    // and toolbars, then where the user last put it, kept on the screen.
    void stockControlOpensClearOfTheBarsAndWhereItWasLeft() {
        const QString places =
            QDir(QDir::tempPath())
                .filePath(QStringLiteral("quillet-places-%1.ini").arg(QCoreApplication::applicationPid()));
        QFile::remove(places);
        auto open = [&](auto& w) {
            w->UseWindowPlaces(places);
            w->setGeometry(0, 0, 760, 560);
            w->show();
            QVERIFY(QTest::qWaitForWindowExposed(w.get()));
            w->Action(ControlId::StockControl1)->trigger();
            QVERIFY(w->Tools().stockControl->isVisible());
        };
        auto global = [](const QWidget* widget) { return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()); };

        auto w = Start(TCircuit(1000, 1000));
        open(w);
        TForm8* form = w->Tools().stockControl;
        const QRect frame = form->frameGeometry();
        QVERIFY(!frame.intersects(global(w->menuBar())));
        const QList<QToolBar*> bars = w->findChildren<QToolBar*>();
        QCOMPARE(bars.size(), 2);
        for (const QToolBar* bar : bars) {
            QVERIFY2(!frame.intersects(global(bar)), qPrintable(QStringLiteral("%1,%2").arg(frame.x()).arg(frame.y())));
        }
        const QRect drawing = global(w->Surface()->viewport());
        // Its top-right corner inside the drawing's, at its right.
        const QString where = QStringLiteral("frame %1,%2 %3x%4, drawing %5,%6 %7x%8")
                                  .arg(frame.x())
                                  .arg(frame.y())
                                  .arg(frame.width())
                                  .arg(frame.height())
                                  .arg(drawing.x())
                                  .arg(drawing.y())
                                  .arg(drawing.width())
                                  .arg(drawing.height());
        QVERIFY2(frame.top() >= drawing.top() && frame.right() <= drawing.right(), qPrintable(where));
        QVERIFY2(frame.left() >= drawing.left() && frame.right() > drawing.center().x(), qPrintable(where));

        // Put elsewhere and closed: the next run opens it there.
        form->move(120, 100);
        form->close();
        w.reset();
        auto again = Start(TCircuit(1000, 1000));
        open(again);
        QCOMPARE(again->Tools().stockControl->pos(), QPoint(120, 100));
        again.reset();

        // A place off the screen (another monitor once, say) comes back on.
        {
            QSettings settings(places, QSettings::IniFormat);
            settings.setValue(QStringLiteral("Windows/StockControl"), QPoint(5000, -300));
        }
        auto third = Start(TCircuit(1000, 1000));
        open(third);
        const QRect screen = third->screen()->availableGeometry();
        QVERIFY2(
            screen.contains(third->Tools().stockControl->frameGeometry()),
            qPrintable(
                QStringLiteral("%1,%2").arg(third->Tools().stockControl->x()).arg(third->Tools().stockControl->y())));
        third.reset();
        QFile::remove(places);
    }

    void stockControlFollowsEveryRefresh() {
        // Two NINCO standard straights and a NINCO adaptation chicane into
        // SCX width, then an SCX standard curve.
        TCircuit c = Chain({kStandardStraight, kStandardStraight});
        c.Append(kAdaptationChicane, 1, 0);
        c.Append(kStandardCurve, 0, 0);
        c.ReLay(false);
        TTrackList stock;
        stock.SetPieces(kNincoIndex, kStandardStraight, 2);   // used up: 0, black
        stock.SetPieces(kNincoIndex, kAdaptationChicane, 3);  // 3 - 1 = 2, green
        stock.SetPieces(kScxIndex, kStandardCurve, 0);        // 0 - 1 = -1, dark red
        stock.SetPieces(kNincoIndex, kStartingStraight, 1);   // 1, green
        auto w = Start(c, stock);
        TForm8* form = w->Tools().stockControl;
        QVERIFY(!form->isVisible());
        w->Action(ControlId::StockControl1)->trigger();
        QVERIFY(form->isVisible());
        // A tool window of the main window, not above every window.
        QVERIFY(!form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(form->windowFlags() & Qt::WindowType_Mask, Qt::Tool);
        QCOMPARE(form->parentWidget(), w.get());
        QCOMPARE(form->windowTitle(), QStringLiteral("Control de Stock"));

        auto colour = [form](int row, bool ninco) {
            return form->Figure(row, ninco)->palette().color(QPalette::WindowText);
        };
        // Row 1 starting straight, 2 standard straight, 7 standard curve,
        // 10 adaptation chicane, 11..13 the SCX-only chicanes.
        QCOMPARE(form->Figure(1, true)->text(), QStringLiteral("1"));
        QCOMPARE(colour(1, true), QColor(0, 0x80, 0));
        QCOMPARE(form->Figure(2, true)->text(), QStringLiteral("0"));
        QCOMPARE(colour(2, true), QColor(0, 0, 0));
        QCOMPARE(form->Figure(7, false)->text(), QStringLiteral("-1"));
        QCOMPARE(colour(7, false), QColor(0x80, 0, 0));
        QCOMPARE(form->Figure(10, true)->text(), QStringLiteral("2"));
        QCOMPARE(form->Figure(10, false)->text(), QStringLiteral("-"));
        QCOMPARE(form->Figure(11, true)->text(), QStringLiteral("-"));
        QCOMPARE(form->Figure(13, false)->text(), QStringLiteral("0"));
        QCOMPARE(form->findChild<QLabel*>(QStringLiteral("Label28")), form->Figure(13, false));

        // An edit and the refresh that ends it: one straight more is short.
        w->Editor().Circuit().Track(2).selected = true;
        w->Editor().Circuit().firstSelected = w->Editor().Circuit().lastSelected = 2;
        w->Editor().Circuit().Insert(kStandardStraight, 0, nullptr);
        w->Editor().Circuit().ReLay(false);
        w->FormActualize();
        QCOMPARE(form->Figure(2, true)->text(), QStringLiteral("-1"));
        QCOMPARE(colour(2, true), QColor(0x80, 0, 0));

        English(*w);
        QCOMPARE(form->windowTitle(), QStringLiteral("Stock Control"));
        // Closed, it is no longer refreshed; shown again, it is.
        form->close();
        w->Editor().Stock().SetPieces(kNincoIndex, kStandardStraight, 9);
        w->FormActualize();
        QCOMPARE(form->Figure(2, true)->text(), QStringLiteral("-1"));
        w->Button(ControlId::ToolButton51)->click();
        QCOMPARE(form->Figure(2, true)->text(), QStringLiteral("6"));
    }

    void closeCircuitDialogAndCommand() {
        auto w = Start(OpenOval());
        TForm5* form = w->Tools().closeOptions;
        Modals modals;
        modals.Then([&](QWidget* d) {
            QCOMPARE(d, static_cast<QWidget*>(form));
            QCOMPARE(d->windowTitle(), QStringLiteral("Cerrar Circuito"));
            QCOMPARE(form->TrackBox(1)->text(), QStringLiteral("Recta Standard"));
            QCOMPARE(form->TrackBox(7)->text(), QStringLiteral("Curva Superexterior"));
            QCOMPARE(form->AdvancedBox()->text(), QStringLiteral("Búsqueda Aleatoria"));
            QCOMPARE(form->OkButton()->text(), QStringLiteral("Aceptar"));
            // Two lanes: every box offered and checked, tolerance 1 cm.
            for (int n = 1; n <= 7; ++n) QVERIFY(form->TrackBox(n)->isEnabled() && form->TrackBox(n)->isChecked());
            QCOMPARE(form->ToleranceBar()->value(), 1);
            // Nothing checked: no OK.
            for (int n = 1; n <= 7; ++n) form->TrackBox(n)->click();
            QVERIFY(!form->OkButton()->isEnabled());
            form->TrackBox(3)->click();
            QVERIFY(form->OkButton()->isEnabled());
            // The stock and the random search exclude each other.
            form->UseStockBox()->click();
            QVERIFY(!form->AdvancedBox()->isEnabled());
            form->UseStockBox()->click();
            QVERIFY(form->AdvancedBox()->isEnabled());
            form->AdvancedBox()->click();
            QVERIFY(!form->UseStockBox()->isEnabled());
            form->ToleranceBar()->setValue(4);
            Child<QPushButton>(d, "Button1")->click();  // Cancel
        });
        w->Action(ControlId::Close1)->trigger();
        QCOMPARE(w->Editor().Circuit().Count(), 9);

        // Cancel put everything back; OK closes the oval with one straight.
        modals.Then([&](QWidget*) {
            for (int n = 1; n <= 7; ++n) QVERIFY(form->TrackBox(n)->isChecked());
            QVERIFY(!form->AdvancedBox()->isChecked() && form->UseStockBox()->isEnabled());
            QCOMPARE(form->ToleranceBar()->value(), 1);
            form->OkButton()->click();
        });
        w->Action(ControlId::Close1)->trigger();
        QVERIFY(modals.AllSeen());
        QCOMPARE(w->Editor().Circuit().Count(), 10);
        QCOMPARE(w->Editor().Circuit().Track(10).type, kStandardStraight);
        QVERIFY(w->Editor().Circuit().closed);
        QCOMPARE(w->Panel(1)->text(), QStringLiteral("Circuito cerrado "));
        QVERIFY(!w->Tools().closeProgress->isVisible());
        w->Action(ControlId::Undo1)->trigger();
        QCOMPARE(w->Editor().Circuit().Count(), 9);

        // The random search asks, under its caption, whether to go on, over
        // a window already showing the pieces it appended, and with the busy
        // cursor of the search gone.
        English(*w);
        w->FormActualize();
        const QString lengthsBefore = w->Panel(3)->text();
        QStringList asked;
        QString lengthsAtQuestion;
        QString lengthsOfTheEditor;
        bool busyAtQuestion = true;
        modals.Then([&](QWidget*) {
            QCOMPARE(form->windowTitle(), QStringLiteral("Close Circuit"));
            form->AdvancedBox()->click();
            form->OkButton()->click();
        });
        modals.Then([&](QWidget* q) {
            lengthsAtQuestion = w->Panel(3)->text();
            lengthsOfTheEditor = QStr(w->Editor().LaneLengthsPanelText());
            busyAtQuestion = QApplication::overrideCursor() != nullptr;
            asked << q->windowTitle() << LabelText(q, "Label1") << Child<QPushButton>(q, "Button1")->text()
                  << Child<QPushButton>(q, "Button2")->text();
            Child<QPushButton>(q, "Button2")->click();  // No
        });
        w->Button(ControlId::ToolButton6)->click();
        QCOMPARE(asked, (QStringList{QStringLiteral("Random Search"),
                                     QStringLiteral("Do you wish to search another solution?"), QStringLiteral("Yes"),
                                     QStringLiteral("No")}));
        QCOMPARE(lengthsAtQuestion, lengthsOfTheEditor);
        QVERIFY(lengthsAtQuestion != lengthsBefore);
        QVERIFY(!busyAtQuestion);
        QVERIFY(w->Editor().Circuit().Count() > 9);
        QVERIFY(w->Editor().CloseOptionsKept().advanced);

        // Eight lanes: the three larger curves unchecked and greyed.
        w->Editor().Circuit() = OpenOval(4);
        modals.Then([&](QWidget*) {
            for (int n : {5, 6, 7}) QVERIFY(!form->TrackBox(n)->isEnabled() && !form->TrackBox(n)->isChecked());
            for (int n : {1, 2, 3, 4}) QVERIFY(form->TrackBox(n)->isEnabled());
        });
        w->Action(ControlId::Close1)->trigger();
        QVERIFY(modals.AllSeen());
        QVERIFY(modals.unexpected.isEmpty());
    }

    void progressWindowShowsTheSearchAndCancelsIt() {
        auto w = Start(TCircuit(1000, 1000));
        TForm6* form = w->Tools().closeProgress;
        form->SetShowDelay(0);
        QCOMPARE(form->windowTitle(), QStringLiteral("Cierre en proceso"));
        QCOMPARE(LabelText(form, "Label1"), QStringLiteral("Intentando cerrar el circuito. Espere, por favor..."));
        QCOMPARE(form->Bar()->maximum(), 132);

        // A search that steps on until it is told to stop.
        auto slow = [](const SearchControl& control) {
            SearchResult r;
            for (int step = 1; step <= 132; ++step) {
                if (control.cancelled()) {
                    r.cancelled = true;
                    return r;
                }
                control.progress(step);
                r.progressSteps = step;
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            r.found = true;
            return r;
        };
        int barSeen = 0;
        bool mainWindowFree = false;
        Modals modals;
        modals.Then([&](QWidget* d) {
            QCOMPARE(d, static_cast<QWidget*>(form));
            // The bar moves while the window's thread is free: the main
            // window still paints.
            QTRY_VERIFY(form->Bar()->value() >= 3);
            barSeen = form->Bar()->value();
            w->update();
            mainWindowFree = true;
            form->CancelButton()->click();
        });
        const SearchResult cancelled = form->Run(slow);
        QVERIFY(modals.AllSeen());
        QVERIFY(mainWindowFree);
        QVERIFY(cancelled.cancelled);
        QVERIFY(cancelled.progressSteps >= barSeen);
        QVERIFY(cancelled.progressSteps < 132);
        QVERIFY(!form->isVisible());

        // Left alone, it runs to the end and the bar shows the last step.
        modals.ThenLeave([](QWidget*) {});
        const SearchResult done = form->Run(slow);
        QVERIFY(!done.cancelled);
        QCOMPARE(done.progressSteps, 132);
        QCOMPARE(form->Bar()->value(), 132);

        // The real search of a plan, through the worker.
        TCircuit open = OpenOval();
        const ClosingPlan plan = PlanClosing(open, CloseOptions{}, TTrackList{});
        modals.ThenLeave([](QWidget*) {});
        const SearchResult found =
            form->Run([&plan](const SearchControl& control) { return RunExhaustiveClosing(plan, control); });
        QVERIFY(found.found);
        QCOMPARE(PieceCount(found.codes), 1);
        QCOMPARE(int(found.codes[0]), int(kCodeStandardStraight));

        English(*w);
        QCOMPARE(form->windowTitle(), QStringLiteral("Closing in progress"));
        QCOMPARE(LabelText(form, "Label1"), QStringLiteral("Trying to close the Circuit. Please wait..."));
        QCOMPARE(form->CancelButton()->text(), QStringLiteral("Cancel"));
    }

    void convertOffersByLaneCountAndRefusesWithTheReason() {
        // Two lanes with an inner curve: adding inner lanes is refused.
        auto w = Start(Chain({kStandardStraight, kInnerCurve, kStandardStraight}));
        TForm12* form = w->Tools().convert;
        QStringList shown;
        QStringList told;
        Modals modals;
        auto offered = [&](QWidget* d) {
            shown = {d->windowTitle(), Child<QGroupBox>(d, "RadioGroup1")->title()};
            for (const auto kind : {ConversionKind::AddOuterLanes, ConversionKind::AddInnerLanes,
                                    ConversionKind::DeleteOuterLanes, ConversionKind::DeleteInnerLanes}) {
                QRadioButton* item = form->Item(kind);
                if (item->isVisible()) shown << item->text() + (item->isChecked() ? QStringLiteral(" *") : QString());
            }
        };
        modals.Then([&](QWidget* d) {
            offered(d);
            form->Item(ConversionKind::AddInnerLanes)->click();
            Child<QPushButton>(d, "Button1")->click();
        });
        modals.Then([&](QWidget* message) {
            told << LabelText(message, "Label1");
            Child<QPushButton>(message, "Button1")->click();
        });
        const std::string before = CircuitFileBytes(w->Editor().Circuit(), "Club", '.');
        w->Action(ControlId::Convert1)->trigger();
        QVERIFY(modals.AllSeen());
        QCOMPARE(shown, (QStringList{QStringLiteral("Convertir"), QStringLiteral("Tipo de Conversión"),
                                     QStringLiteral("Añadir 2 Carriles Exteriores *"),
                                     QStringLiteral("Añadir 2 Carriles Interiores")}));
        QCOMPARE(told, QStringList{QStringLiteral("Conversión imposible: existen curvas interiores.")});
        QCOMPARE(CircuitFileBytes(w->Editor().Circuit(), "Club", '.'), before);

        // Two outer lanes: four lanes, and the next opening offers all four.
        modals.Then([&](QWidget* d) { Child<QPushButton>(d, "Button1")->click(); });
        w->Action(ControlId::Convert1)->trigger();
        QCOMPARE(w->Editor().Circuit().LanePairs(), 2);
        English(*w);
        modals.Then([&](QWidget* d) { offered(d); });
        w->Action(ControlId::Convert1)->trigger();
        QCOMPARE(shown, (QStringList{QStringLiteral("Convert"), QStringLiteral("Convertion Type"),
                                     QStringLiteral("Add 2 Outer Lanes *"), QStringLiteral("Add 2 Inner Lanes"),
                                     QStringLiteral("Delete 2 Outer Lanes"), QStringLiteral("Delete 2 Inner Lanes")}));
        // Eight lanes: only the two deletions.
        w->Editor().Circuit() = Chain({kStandardStraight}, 4);
        modals.Then([&](QWidget* d) { offered(d); });
        w->Button(ControlId::ToolButton58)->click();
        QCOMPARE(shown.mid(2),
                 (QStringList{QStringLiteral("Delete 2 Outer Lanes *"), QStringLiteral("Delete 2 Inner Lanes")}));
        QVERIFY(modals.unexpected.isEmpty());
    }

    void dialogsFitTheirContentAndCaption() {
        // Four lanes offer the four conversions; two lanes two (the additions)
        // and eight lanes two (the deletions). Each opening sizes the dialog
        // afresh, so after four or eight lanes the two-lane one is no taller
        // (nor wider) than what it holds.
        auto w = Start(Chain({kStandardStraight}, 2));
        Modals modals;
        QSize size;
        QSize hint;
        auto measure = [&](QWidget* d) {
            size = d->size();
            hint = d->sizeHint();
        };
        QSize twoChoices;
        for (const int before : {2, 4}) {
            w->Editor().Circuit() = Chain({kStandardStraight}, before);
            modals.Then(measure);
            w->Action(ControlId::Convert1)->trigger();
            QVERIFY(modals.AllSeen());
            const QSize fourOrEight = size;
            w->Editor().Circuit() = Chain({kStandardStraight}, 1);
            modals.Then(measure);
            w->Action(ControlId::Convert1)->trigger();
            QVERIFY(modals.AllSeen());
            QCOMPARE(size.height(), hint.height());
            if (before == 2) QVERIFY(size.height() < fourOrEight.height());
            if (twoChoices.isValid()) QCOMPARE(size, twoChoices);
            twoChoices = size;
        }

        // Every dialog with a caption is at least as wide as the title bar
        // needs for it: its text in the title font plus 120 px for the icon
        // and the buttons, in both languages ("Control de Stock", "Búsqueda
        // Aleatoria" were cut in the middle).
        const QFontMetrics title(QApplication::font("QMdiSubWindowTitle"));
        const TToolWindows& t = w->Tools();
        TForm15 question(w.get());
        for (const bool english : {false, true}) {
            if (english) English(*w);
            for (QWidget* d : std::initializer_list<QWidget*>{t.stock, t.trackList, t.dimensions, t.closeOptions,
                                                              t.stockControl, t.print, t.convert, t.lapTimes}) {
                d->show();
                QVERIFY2(!d->windowTitle().isEmpty(), qPrintable(d->objectName()));
                QVERIFY2(d->width() >= title.horizontalAdvance(d->windowTitle()) + 120,
                         qPrintable(d->objectName() + QLatin1Char(' ') + d->windowTitle()));
                d->hide();
            }
            QString caption;
            modals.Then([&](QWidget* d) {
                caption = d->windowTitle();
                size = d->size();
            });
            question.Ask(QStr(Text(206)), QStr(Text(205)));  // as the random search asks
            QVERIFY(modals.AllSeen());
            QCOMPARE(caption, english ? QStringLiteral("Random Search") : QStringLiteral("Búsqueda Aleatoria"));
            QVERIFY2(size.width() >= title.horizontalAdvance(caption) + 120, qPrintable(caption));
        }
        QVERIFY(modals.unexpected.isEmpty());
    }

    void dimensionsOfAStraightRun() {
        // Four NINCO standard straights: 1600 x 180 mm, both lanes 1600 mm,
        // the end 1600 mm from the start at 0 degrees, and the strip fills
        // its rectangle: 1600 x 180 x 100 / (1600 x 180) = 100 %.
        auto w = Start(Chain({kStandardStraight, kStandardStraight, kStandardStraight, kStandardStraight}));
        QStringList shown;
        QList<bool> enabled;
        Modals modals;
        auto look = [&](QWidget* d) {
            shown = {d->windowTitle()};
            for (const char* name :
                 {"Label1", "Label2", "Label3", "Label4", "Label5", "Label11", "Label12", "Label13", "Label14"}) {
                shown << LabelText(d, name);
            }
            shown << Child<QGroupBox>(d, "GroupBox4")->title();
            enabled.clear();
            for (int n = 3; n <= 10; ++n)
                enabled << Child<QLabel>(d, QStringLiteral("Label%1").arg(n).toLatin1().constData())->isEnabled();
        };
        modals.Then(look);
        w->Action(ControlId::CircuitDimensions1)->trigger();
        QCOMPARE(shown, (QStringList{QStringLiteral("Dimensiones del circuito"), QStringLiteral("Longitud: 160 cm"),
                                     QStringLiteral("Ancho: 18 cm"), QStringLiteral("Pista 1: 160 cm"),
                                     QStringLiteral("Pista 2: 160 cm"), QStringLiteral("Pista 3: "),
                                     QStringLiteral("Recorrido Medio: 160 cm"), QStringLiteral("Distancia: 1600 mm"),
                                     QStringLiteral("Ángulo: 0 °"), QStringLiteral("Compacidad: 100 %"),
                                     QStringLiteral("Aprovechamiento del Espacio")}));
        QCOMPARE(enabled, (QList<bool>{true, true, false, false, false, false, false, false}));
        English(*w);
        modals.Then(look);
        w->Button(ControlId::ToolButton4)->click();
        QCOMPARE(shown.mid(0, 3), (QStringList{QStringLiteral("Circuit Dimensions"), QStringLiteral("Lenght: 160 cm"),
                                               QStringLiteral("Width: 18 cm")}));
        QCOMPARE(shown.mid(7), (QStringList{QStringLiteral("Distance: 1600 mm"), QStringLiteral("Angle: 0 °"),
                                            QStringLiteral("Compactness: 100 %"), QStringLiteral("Area Proficiency")}));
        QVERIFY(modals.unexpected.isEmpty());
    }

    void lapTimesFollowTheTrackBars() {
        // One NINCO standard straight, L = 400 mm; top speed 4000 mm/s,
        // a = 4000 / 1.5. The lanes run in turn through one speed C.
        // First lap, from rest: lane 1 sqrt(2 a L) / a = 1460.59 / 2666.67
        // = 0.548 s, C = 1460.59; lane 2 (sqrt(C^2 + 2aL) - C) / a
        // = (2065.59 - 1460.59) / 2666.67 = 0.227 s.
        // Two passes: C = 2065.59 after the first; lane 1
        // (2529.82 - 2065.59) / a = 0.174 s; lane 2 (2921.02 - 2529.82) / a
        // = 0.147 s.
        // Engine power 4 (5000 mm/s, a = 3333.33), first lap: lane 1
        // sqrt(2 a L) / a = 1632.99 / 3333.33 = 0.490 s.
        auto w = Start(Chain({kStandardStraight}));
        // The command sits behind Alt+6.
        QVERIFY(!w->IsShown(ControlId::TiemposEstimados1));
        QTest::keyClick(w.get(), Qt::Key_6, Qt::AltModifier);
        QVERIFY(w->IsShown(ControlId::TiemposEstimados1));
        TForm14* form = w->Tools().lapTimes;
        QStringList texts;
        Modals modals;
        modals.Then([&](QWidget* d) {
            texts << d->windowTitle() << form->Lane(1)->text() << form->Lane(2)->text();
            QVERIFY(!form->Lane(3)->isEnabled());
            QCOMPARE(form->StabilityBar()->value(), 2);
            QCOMPARE(form->PowerBar()->value(), 2);
            form->FirstLapBox()->click();
            texts << form->Lane(1)->text() << form->Lane(2)->text();
            form->PowerBar()->setValue(4);
            texts << form->Lane(1)->text();
        });
        w->Action(ControlId::TiemposEstimados1)->trigger();
        // Times are written with the system's decimal separator.
        auto t = [](const char* text) {
            return QString::fromUtf8(text).replace(QLatin1Char('.'), QLatin1Char(DecimalSeparator()));
        };
        QCOMPARE(texts, (QStringList{QStringLiteral("Tiempos de Vuelta..."), t("Pista 1: 0.17 s"), t("Pista 2: 0.15 s"),
                                     t("Pista 1: 0.55 s"), t("Pista 2: 0.23 s"), t("Pista 1: 0.49 s")}));
        // The settings stay for the next opening, in English now.
        English(*w);
        texts.clear();
        modals.Then([&](QWidget* d) {
            texts << d->windowTitle() << Child<QCheckBox>(d, "CheckBox1")->text() << form->Lane(1)->text()
                  << LabelText(d, "Label16");
        });
        w->Action(ControlId::TiemposEstimados1)->trigger();
        QCOMPARE(texts, (QStringList{QStringLiteral("Lap Times..."), QStringLiteral("First Lap"), t("Lane 1: 0.49 s"),
                                     QStringLiteral("Model Engine Power")}));
        QVERIFY(modals.unexpected.isEmpty());
    }
};

QTEST_MAIN(ToolWindowsTest)
#include "ToolWindowsTest.moc"
