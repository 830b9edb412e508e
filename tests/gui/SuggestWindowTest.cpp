// The Suggest Circuits window: a search off the window's thread that shows
// its suggestions as thumbnails, Open through the main window and the
// editor, Cancel reaching the search, and the reason when nothing can be
// made.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>
#include <atomic>
#include <condition_variable>
#include <mutex>

#include "StockBoxes.h"
#include "QuietWindow.h"
#include "app/gui/ToolWindows.h"
#include "stock/TrackList.h"
#include "text/ExtraTexts.h"
#include "text/Globals.h"
#include "text/Languages.h"
#include "tools/Suggest.h"
#include "tools/gui/SuggestForm.h"

using namespace quillet;

namespace {

using quillet::test::ClubBox;
using quillet::test::StarterBox;
using quillet::test::TableRequest;

// Runs the window's search to its end.
bool SearchToTheEnd(TSuggestForm& form) {
    QSignalSpy ended(&form, &TSuggestForm::SearchEnded);
    QTest::mouseClick(form.SearchButton(), Qt::LeftButton);
    if (!form.Searching() && ended.count() == 1) return true;
    return ended.wait(20000) && !form.Searching();
}

// The pixels of a thumbnail that are neither the table's background nor
// what lies around the table.
int DrawnPixels(const QImage& image, QRgb background, QRgb around) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y) | 0xFF000000u;
            n += p != (background | 0xFF000000u) && p != (around | 0xFF000000u);
        }
    }
    return n;
}

}  // namespace

class SuggestWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() { SetLanguageIndex(kEnglish); }
    void cleanup() { SetLanguageIndex(kSpanish); }

    void captionsGiveCentimetresAndWhatIsMissing() {
        TSuggestion s;
        s.lengthMm = 2345;  // 234.5 cm rounds up
        s.widthMm = 1204;
        s.meanLaneMm = 8124.6;
        s.pieces = 27;
        s.missing = {{kStandardStraight, 3}, {kStandardCurve, 1}};
        QCOMPARE(SuggestionCaption(s, false), QStringLiteral("Size: 235 x 120 cm\nMean lane: 812 cm\n27 pieces"));
        QCOMPARE(SuggestionCaption(s, true),
                 QStringLiteral("Size: 235 x 120 cm\nMean lane: 812 cm\n27 pieces\n"
                                "Missing:\nStandard Straight: 3 pcs.\nStandard Curve: 1 pcs."));
        s.missing.clear();
        QVERIFY(SuggestionCaption(s, true).endsWith(QStringLiteral("\nAll in stock")));
        SetLanguageIndex(kSpanish);
        s.missing = {{kHalfStraight, 2}};
        QCOMPARE(
            SuggestionCaption(s, true),
            QString::fromUtf8("Tamaño: 235 x 120 cm\nPista media: 812 cm\n27 tramos\nFaltan:\nMedia Recta: 2 uds."));
    }

    void aThumbnailDrawsTheWholeTableInItsBox() {
        // A 2400 x 1200 mm table in 200 x 120: 12 mm a pixel, so 200 x 100
        // pixels of table with 10 rows above and below.
        TCircuit c(0, 0);
        for (int i = 0; i < 8; ++i) c.Append(kStandardCurve, 0, 1);
        c.ReLay(false);
        const PointD shift = c.CentringShift(2400, 1200);
        c.MoveBy(shift.x, shift.y);
        c.ReLay(false);
        const QColor around(0x12, 0x34, 0x56);
        const QImage picture = SuggestionPicture(c, 2400, 1200, QSize(200, 120), around);
        QCOMPARE(picture.size(), QSize(200, 120));
        QCOMPARE(picture.pixel(100, 9) | 0xFF000000u, around.rgb());
        QCOMPARE(picture.pixel(100, 110) | 0xFF000000u, around.rgb());
        QVERIFY(picture.pixel(100, 10) != around.rgb());
        QVERIFY(picture.pixel(100, 109) != around.rgb());
        // The circle of eight curves in the middle, about 880 mm across its
        // outer edge: some 73 pixels, a ring of about 17 pixels, well over
        // a thousand pixels drawn. The table's right edge is clear of it.
        const QRgb background = picture.pixel(199, 60);
        QVERIFY(background != around.rgb());
        QVERIFY(DrawnPixels(picture, background, around.rgb()) > 1000);
        QCOMPARE(picture.pixel(190, 60), background);
        // An empty circuit draws the table alone, without the work area's
        // emblem.
        const QImage empty = SuggestionPicture(TCircuit(0, 0), 2400, 1200, QSize(200, 120), around);
        QCOMPARE(DrawnPixels(empty, background, around.rgb()), 0);
    }

    void aStarterBoxGivesThumbnailsAndTheSameListEachTime() {
        TSuggestForm form;
        form.Prepare(TableRequest(2400, 1200), StarterBox());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.LengthBox()->value(), 2400);
        QCOMPARE(form.WidthBox()->value(), 1200);
        QVERIFY(form.OnlyStockButton()->isChecked());
        QVERIFY(!form.OpenButton()->isEnabled());

        QVERIFY(SearchToTheEnd(form));
        QCOMPARE(*form.LastStatus(), SuggestStatus::Found);
        const std::vector<TSuggestion> first = form.ShownSuggestions();
        QVERIFY(!first.empty());
        QVERIFY(first.size() <= 12);
        QCOMPARE(form.Grid()->count(), static_cast<int>(first.size()));
        QCOMPARE(form.Bar()->value(), form.Bar()->maximum());
        QCOMPARE(form.StatusLabel()->text(), first.size() == 1
                                                 ? QStringLiteral("1 circuit found.")
                                                 : QStringLiteral("%1 circuits found.").arg(first.size()));
        for (int i = 0; i < form.Grid()->count(); ++i) {
            const QListWidgetItem* item = form.Grid()->item(i);
            const QImage picture = item->icon().pixmap(TSuggestForm::kThumbnail).toImage();
            QCOMPARE(picture.size(), TSuggestForm::kThumbnail);
            QVERIFY2(DrawnPixels(picture, picture.pixel(90, 50), picture.pixel(0, 0)) > 100,
                     qPrintable(QStringLiteral("thumbnail %1 shows no circuit").arg(i)));
            // Only the stock: no Missing line.
            QCOMPARE(item->text().count(QLatin1Char('\n')), 2);
            QVERIFY(first[static_cast<std::size_t>(i)].circuit.closed);
        }
        // The first is within 1 % of the longest.
        for (std::size_t i = 1; i < first.size(); ++i) {
            QVERIFY(first[i].meanLaneMm <= first[0].meanLaneMm * 1.0101);
        }
        // The one chosen opens and the window closes; again, the same list.
        QVERIFY(form.OpenButton()->isEnabled());
        std::vector<TCircuit> opened;
        form.SetOpener([&](const TCircuit& c) {
            opened.push_back(c);
            return true;
        });
        form.Grid()->setCurrentRow(1 < form.Grid()->count() ? 1 : 0);
        const int chosen = form.Grid()->currentRow();
        QTest::mouseClick(form.OpenButton(), Qt::LeftButton);
        QCOMPARE(opened.size(), std::size_t{1});
        QCOMPARE(opened[0].Count(), first[static_cast<std::size_t>(chosen)].circuit.Count());
        QVERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Accepted));

        form.show();
        QVERIFY(SearchToTheEnd(form));
        const std::vector<TSuggestion> second = form.ShownSuggestions();
        QCOMPARE(second.size(), first.size());
        for (std::size_t i = 0; i < first.size(); ++i) {
            QCOMPARE(second[i].circuit.Count(), first[i].circuit.Count());
            for (int k = 1; k <= first[i].circuit.Count(); ++k) {
                QCOMPARE(second[i].circuit.Track(k).type, first[i].circuit.Track(k).type);
                QCOMPARE(second[i].circuit.Track(k).orientation, first[i].circuit.Track(k).orientation);
            }
        }
        // An opener that says no (the user stopped at the save question)
        // leaves the window open.
        form.SetOpener([](const TCircuit&) { return false; });
        QVERIFY(!form.OpenChosen());
        QVERIFY(form.isVisible());
        form.reject();
    }

    void tooFewCurvesSaysWhyInTheCurrentLanguage() {
        TTrackList stock;
        stock.SetPieces(kNincoIndex, kStandardStraight, 10);
        stock.SetPieces(kNincoIndex, kStandardCurve, 6);  // 270 degrees
        TSuggestForm form;
        form.Prepare(TableRequest(3000, 2000), stock);
        form.show();
        QVERIFY(SearchToTheEnd(form));
        QCOMPARE(*form.LastStatus(), SuggestStatus::TooFewCurves);
        QCOMPARE(form.Grid()->count(), 0);
        QVERIFY(!form.OpenButton()->isEnabled());
        QCOMPARE(form.StatusLabel()->text(),
                 QStringLiteral("There are too few curves to turn 360 degrees."));
        SetLanguageIndex(kSpanish);
        form.ApplyLanguage();
        QVERIFY(form.StatusLabel()->text().startsWith(QStringLiteral("No hay curvas suficientes para girar 360")));
        QCOMPARE(form.SearchButton()->text(), QStringLiteral("Buscar"));
    }

    void cancelStopsTheSearchAtItsNextLook() {
        // The club's box with any pieces, searched once to the end.
        SuggestRequest request = TableRequest(5000, 3000, 4);
        request.anyPieces = 300;
        const SuggestResult whole = SuggestCircuits(request, ClubBox());
        QVERIFY(whole.status == SuggestStatus::Found);

        // The same through the window: the worker is held at its eighth look
        // at Cancel until the button has been clicked, so the search cannot
        // end by itself first.
        std::mutex m;
        std::condition_variable cv;
        bool held = false;
        bool clicked = false;
        SuggestResult seen;
        TSuggestForm form;
        // Whatever fails below, the worker is let go before the window waits
        // for it.
        struct Release {
            std::mutex& m;
            std::condition_variable& cv;
            bool& clicked;
            ~Release() {
                {
                    std::lock_guard lock(m);
                    clicked = true;
                }
                cv.notify_all();
            }
        } release{m, cv, clicked};
        form.SetSearchFunction([&](const SuggestRequest& r, const TTrackList& s, const SuggestControl& c) {
            SuggestControl watched = c;
            watched.cancelled = [&, looks = 0, inner = c.cancelled]() mutable {
                if (++looks == 8) {
                    std::unique_lock lock(m);
                    held = true;
                    cv.notify_all();
                    cv.wait(lock, [&] { return clicked; });
                }
                return inner();
            };
            seen = SuggestCircuits(r, s, watched);
            return seen;
        });
        form.Prepare(TableRequest(5000, 3000, 4), ClubBox());
        form.AnyPiecesButton()->setChecked(true);
        form.AnyPiecesBox()->setValue(300);
        QCOMPARE(form.Request().anyPieces, 300);
        QCOMPARE(form.Request().lanes, 4);
        form.show();
        QSignalSpy ended(&form, &TSuggestForm::SearchEnded);
        QTest::mouseClick(form.SearchButton(), Qt::LeftButton);
        QVERIFY(form.Searching());
        QVERIFY(!form.SearchButton()->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(([&] {
                                     std::lock_guard lock(m);
                                     return held;
                                 }()),
                                 20000);
        QVERIFY(form.CancelButton()->isEnabled());
        QTest::mouseClick(form.CancelButton(), Qt::LeftButton);
        {
            std::lock_guard lock(m);
            clicked = true;
        }
        cv.notify_all();
        QVERIFY(ended.wait(20000));
        QCOMPARE(*form.LastStatus(), SuggestStatus::Cancelled);
        QCOMPARE(seen.status, SuggestStatus::Cancelled);
        // Stopped at the look after the click: no more than one polling
        // interval past the eighth look, far short of the whole search.
        QVERIFY2(seen.nodes < whole.nodes, qPrintable(QStringLiteral("%1 of %2").arg(seen.nodes).arg(whole.nodes)));
        QVERIFY(seen.nodes <= 9 * 256);
        QVERIFY(form.StatusLabel()->text().startsWith(QStringLiteral("The search was stopped")));
        QVERIFY(form.SearchButton()->isEnabled());
    }

    void openedFromTheMenuItReplacesTheCircuitAndUndoBringsItBack() {
        testing::QuietWindow window;
        TSDIAppForm* w = window.w.get();
        w->Editor().Stock() = StarterBox();
        // Something of the user's, unsaved: the save question comes first
        // (the quiet prompter answers No).
        TCircuit& c = window.Circuit();
        c.Append(kStandardStraight, 0, 1);
        c.Append(kStandardStraight, 0, 1);
        c.ReLay(false);
        c.modified = true;
        w->FormActualize();
        const QString opened = QString::fromStdString(Text(121));
        QCOMPARE(w->Panel(1)->text().trimmed(), opened.trimmed());

        bool handled = false;
        int defaultLength = 0;
        QTimer::singleShot(0, w, [&] {
            auto* form = qobject_cast<TSuggestForm*>(QApplication::activeModalWidget());
            if (form == nullptr) return;
            defaultLength = form->LengthBox()->value();
            form->LengthBox()->setValue(2400);
            form->WidthBox()->setValue(1200);
            if (SearchToTheEnd(*form) && form->Grid()->count() > 0) {
                form->Grid()->setCurrentRow(0);
                QTest::mouseClick(form->OpenButton(), Qt::LeftButton);
                handled = true;
            }
            if (form->isVisible()) form->reject();
        });
        const int workArea = w->Editor().WorkAreaLength();
        QVERIFY(w->RunCommand(QStringLiteral("SuggestCircuits1")));
        QVERIFY(handled);
        // The table asked for was the work area at first.
        QCOMPARE(defaultLength, workArea);
        QVERIFY(window.Circuit().closed);
        QVERIFY(window.Circuit().Count() > 2);
        QCOMPARE(w->Panel(1)->text().trimmed(), QString::fromStdString(Text(120)).trimmed());
        QCOMPARE(w->Editor().WorkAreaLength(), 2400);
        QCOMPARE(w->Editor().WorkAreaWidth(), 1200);

        QVERIFY(w->RunCommand(QStringLiteral("ToolButton44")));  // Undo
        QCOMPARE(window.Circuit().Count(), 2);
        QCOMPARE(w->Panel(1)->text().trimmed(), opened.trimmed());
    }
};

QTEST_MAIN(SuggestWindowTest)
#include "SuggestWindowTest.moc"
