// Printing through Qt's printing support, into PDF files: the drawing fills
// the page and leaves the screen as it was, the Track List comes out as
// lines under its title and heading, and the Print dialog sends either to
// the printer it sets up. The pages are read back with poppler's pdftotext
// and pdftoppm. Set QUILLET_KEEP_PRINTS to a folder to keep the PDF files.

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <fstream>

#include "app/gui/Sdimain.h"
#include "app/gui/Startup.h"
#include "app/gui/ToolWindows.h"
#include "model/Tracks.h"
#include "stock/StockFile.h"
#include "text/Languages.h"
#include "text/gui/ApplyTexts.h"
#include "tools/gui/PrintCircuit.h"

using namespace quillet;

namespace {

// The club oval: a straight, four right-hand standard curves, a straight and
// four more, NINCO width.
TCircuit Oval() {
    TCircuit c(1000, 600);
    for (int half = 0; half < 2; ++half) {
        c.Append(kStandardStraight, 0, 1);
        for (int k = 0; k < 4; ++k) c.Append(kStandardCurve, 0, 1);
    }
    c.title = "Club";
    c.ReLay(false);
    return c;
}

// Runs a poppler tool; empty when it is not installed or fails.
QByteArray Poppler(const QString& tool, const QStringList& arguments) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) return {};
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
    return p.readAllStandardOutput();
}

bool HavePoppler() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty();
}

QStringList TextLines(const QString& pdf) {
    const QByteArray text = Poppler(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QStringList lines;
    for (const QString& line : QString::fromUtf8(text).split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty()) lines << line.trimmed();
    }
    return lines;
}

// Page 1 as a picture at `dpi`.
QImage PageImage(const QString& pdf, int dpi, const QString& folder) {
    const QString stem = folder + QStringLiteral("/page");
    Poppler(QStringLiteral("pdftoppm"),
            {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
             QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"), pdf, stem});
    for (const QString& name : {stem + QStringLiteral("-1.png"), stem + QStringLiteral("-01.png")}) {
        QImage image(name);
        if (!image.isNull()) return image;
    }
    return {};
}

// The box of the pixels darker than light grey.
QRect InkBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 200) box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

}  // namespace

class PrintTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_folder;

    QString Output(const QString& name) {
        const QByteArray keep = qgetenv("QUILLET_KEEP_PRINTS");
        return (keep.isEmpty() ? m_folder.path() : QString::fromLocal8Bit(keep)) + QLatin1Char('/') + name;
    }
    static void ToPdf(QPrinter& printer, const QString& file) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Portrait);
    }
    std::unique_ptr<TSDIAppForm> Start(int language) {
        std::ofstream(StdStr(m_folder.filePath(QLatin1String(kStockFileName))), std::ios::binary)
            << StockFileBytes(TTrackList{}, language);
        auto w = StartProgram({m_folder.path(), m_folder.path(), nullptr});
        w->Editor().Circuit() = Oval();
        w->FormActualize();
        return w;
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void cleanup() { SetLanguageIndex(kSpanish); }

    void drawingFillsThePageAndLeavesTheScreenAlone() {
        auto w = Start(kEnglish);
        const QImage screenBefore = w->Drawing();
        const double scaleBefore = w->Editor().Circuit().scale;
        QPrinter pdf(QPrinter::HighResolution);
        const QString file = Output(QStringLiteral("drawing.pdf"));
        ToPdf(pdf, file);
        {
            // Standing as the user chose it.
            TQtPrinter printer(pdf, [] { return true; });
            QVERIFY(w->Editor().PrintDrawing(printer));
        }
        QCOMPARE(w->Editor().Circuit().scale, scaleBefore);
        w->FormActualize();
        QCOMPARE(w->Drawing(), screenBefore);
        QVERIFY(QFileInfo(file).size() > 0);

        if (!HavePoppler()) QSKIP("poppler-utils are not installed");
        // The title line under the drawing: the title and the circuit's
        // size as the status bar shows it.
        const QString title = (QStringLiteral("Club ") + w->Panel(2)->text()).simplified();
        bool titled = false;
        for (const QString& line : TextLines(file)) titled = titled || line.simplified() == title;
        QVERIFY2(titled, qPrintable(TextLines(file).join(QLatin1Char('|'))));
        // 3000 x 2000 mm on an A4 page standing up: the width decides, so
        // the work area (its grid and border) spans the printable width and
        // two thirds of that down.
        const QImage page = PageImage(file, 50, m_folder.path());
        QVERIFY(!page.isNull());
        const QRect printable = pdf.pageLayout().paintRectPixels(50);
        const QRect ink = InkBox(page);
        // (A hairline on the edge of the printable area may show in the
        // pixel beside it at this resolution.)
        const QString box = QStringLiteral("ink %1 + %2, printable %3 + %4")
                                .arg(ink.x())
                                .arg(ink.width())
                                .arg(printable.x())
                                .arg(printable.width());
        QVERIFY2(ink.left() >= printable.left() - 1 && ink.left() <= printable.left() + 1, qPrintable(box));
        QVERIFY2(ink.right() >= printable.right() - 1 && ink.right() <= printable.right() + 1, qPrintable(box));
        const int workAreaHeight = printable.width() * 2 / 3;
        QVERIFY(ink.height() > workAreaHeight);  // the title goes under it
        QVERIFY(ink.height() < workAreaHeight + 30);
    }

    void trackListPrintsAsLinesUnderTitleAndHeading() {
        auto w = Start(kSpanish);
        w->Editor().Stock().SetPieces(kNincoIndex, kStandardCurve, 3);
        QPrinter pdf(QPrinter::HighResolution);
        const QString file = Output(QStringLiteral("track-list.pdf"));
        ToPdf(pdf, file);
        {
            TQtPrinter printer(pdf);
            QVERIFY(w->Editor().PrintTrackList(printer));
        }
        if (!HavePoppler()) QSKIP("poppler-utils are not installed");
        // Blanks as pdftotext lays the fixed-pitch columns out may differ:
        // compare word by word.
        auto words = [](const QString& s) { return s.simplified(); };
        QStringList printed;
        for (const QString& l : TextLines(file)) printed << words(l);
        QCOMPARE(
            printed,
            (QStringList{QStringLiteral("Club"), QStringLiteral("Tipo de Tramo Necesarios En Stock Faltan"),
                         QStringLiteral("NINCO Recta Standard 2 - 2"), QStringLiteral("NINCO Curva Standard 8 3 5")}));

        // A page too small for the list goes on to a second one.
        QPrinter small(QPrinter::HighResolution);
        const QString smallFile = Output(QStringLiteral("track-list-small.pdf"));
        ToPdf(small, smallFile);
        small.setPageSize(QPageSize(QSizeF(120, 30), QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
        {
            TQtPrinter printer(small);
            QVERIFY(w->Editor().PrintTrackList(printer));
        }
        const QByteArray info = Poppler(QStringLiteral("pdfinfo"), {smallFile});
        if (!info.isEmpty()) QVERIFY(info.contains("Pages:           2") || info.contains("Pages:           3"));
    }

    // A wide work area lies on the page and a tall one stands, unless the
    // user turned the page in the printer setup; an icon keeps its size
    // against the circuit.
    void drawingTurnsThePageAndKeepsIconsInProportion() {
        if (!HavePoppler()) QSKIP("poppler-utils are not installed");
        auto w = Start(kEnglish);
        w->Editor().SetWorkArea(3000, 2000);
        QPrinter pdf(QPrinter::HighResolution);
        auto print = [&](const QString& name, bool icon) {
            w->Editor().Circuit().icons[0] = icon ? TIconSlot{1, 2200.0, 1200.0, false} : TIconSlot{};
            const QString file = Output(name);
            ToPdf(pdf, file);
            TQtPrinter printer(pdf);
            if (!w->Editor().PrintDrawing(printer)) return QImage();
            return PageImage(file, 50, m_folder.path());
        };
        const QImage bare = print(QStringLiteral("wide.pdf"), false);
        QCOMPARE(pdf.pageLayout().orientation(), QPageLayout::Landscape);
        const QImage withIcon = print(QStringLiteral("wide-icon.pdf"), true);
        QVERIFY(!bare.isNull());
        QCOMPARE(withIcon.size(), bare.size());
        QVERIFY(bare.width() > bare.height());
        // The icon is what differs. On screen a 32-pixel icon covers 32
        // times the screen's millimetres per pixel; on paper the 3000 mm
        // span the printable width (the width decides, 3000 / 2000 being
        // wider than the page).
        QRect icon;
        for (int y = 0; y < bare.height(); ++y) {
            for (int x = 0; x < bare.width(); ++x) {
                if (bare.pixel(x, y) != withIcon.pixel(x, y)) icon |= QRect(x, y, 1, 1);
            }
        }
        const double iconMm = 32 * w->Editor().Circuit().scale;
        const double expected = iconMm * pdf.pageLayout().paintRectPixels(50).width() / 3000.0;
        const QString sizes =
            QStringLiteral("icon %1 x %2, expected about %3").arg(icon.width()).arg(icon.height()).arg(expected);
        QVERIFY2(icon.width() >= expected * 0.6 && icon.width() <= expected + 2, qPrintable(sizes));
        QVERIFY2(icon.height() >= expected * 0.6 && icon.height() <= expected + 2, qPrintable(sizes));
        // Its corner 2200 mm across, 1200 mm down.
        const QRect printable = pdf.pageLayout().paintRectPixels(50);
        QVERIFY2(std::abs(icon.left() - (printable.left() + 2200.0 * printable.width() / 3000.0)) < expected * 0.3,
                 qPrintable(sizes));

        w->Editor().SetWorkArea(2000, 3000);
        print(QStringLiteral("tall.pdf"), false);
        QCOMPARE(pdf.pageLayout().orientation(), QPageLayout::Portrait);

        // Through the Print dialog: a setup that was cancelled, or that left
        // the orientation alone, chose nothing; one that turned it did.
        TForm10* form = w->Tools().print;
        form->Printer().setPageOrientation(QPageLayout::Landscape);
        form->SetupDone(QPageLayout::Portrait, false);
        QVERIFY(!form->OrientationChosen());
        form->SetupDone(QPageLayout::Landscape, true);
        QVERIFY(!form->OrientationChosen());
        form->SetupDone(QPageLayout::Portrait, true);
        QVERIFY(form->OrientationChosen());
        const QString file = Output(QStringLiteral("tall-lying.pdf"));
        ToPdf(form->Printer(), file);
        form->Printer().setPageOrientation(QPageLayout::Landscape);
        QTimer::singleShot(0, form, [&] {
            form->Item(PrintChoice::Drawing)->click();
            form->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
            if (form->isVisible()) form->reject();
        });
        w->Button(ControlId::ToolButton53)->click();
        QCOMPARE(form->Printer().pageLayout().orientation(), QPageLayout::Landscape);
        const QImage lying = PageImage(file, 50, m_folder.path());
        QVERIFY(!lying.isNull());
        QVERIFY(lying.width() > lying.height());
    }

    // One printer for every print, as the Print dialog keeps it: whatever
    // the drawing left set must not reach the next document. The list's
    // text is black, and the second drawing matches the first.
    void everyPrintStartsFromACleanPage() {
        if (!HavePoppler()) QSKIP("poppler-utils are not installed");
        auto w = Start(kEnglish);
        QPrinter pdf(QPrinter::HighResolution);
        QImage drawings[2];
        for (int round = 0; round < 2; ++round) {
            const QString drawing = Output(QStringLiteral("sequence-drawing-%1.pdf").arg(round));
            ToPdf(pdf, drawing);
            {
                TQtPrinter printer(pdf);
                QVERIFY(w->Editor().PrintDrawing(printer));
            }
            drawings[round] = PageImage(drawing, 50, m_folder.path());
            QVERIFY(!drawings[round].isNull());

            const QString list = Output(QStringLiteral("sequence-list-%1.pdf").arg(round));
            ToPdf(pdf, list);
            {
                TQtPrinter printer(pdf);
                QVERIFY(w->Editor().PrintTrackList(printer));
            }
            QVERIFY(TextLines(list).contains(QStringLiteral("Club")));
            // The title, heading and two lines of 10-point text: well over a
            // hundred dark pixels at 100 dpi, none when drawn in white.
            const QImage page = PageImage(list, 100, m_folder.path());
            QVERIFY(!page.isNull());
            int dark = 0;
            for (int y = 0; y < page.height(); ++y) {
                for (int x = 0; x < page.width(); ++x) dark += qGray(page.pixel(x, y)) < 100 ? 1 : 0;
            }
            QVERIFY2(dark > 100, qPrintable(QStringLiteral("round %1: %2 dark pixels").arg(round).arg(dark)));
        }
        QCOMPARE(drawings[1], drawings[0]);
    }

    void printDialogSendsTheChoiceToItsPrinter() {
        auto w = Start(kSpanish);
        TForm10* form = w->Tools().print;
        const QString file = Output(QStringLiteral("from-dialog.pdf"));
        QFile::remove(file);

        // No destination yet: OK waits for one.
        form->Printer().setOutputFormat(QPrinter::PdfFormat);
        form->Printer().setOutputFileName(QString());
        QStringList seen;
        bool okWithoutPrinter = true;
        QTimer::singleShot(0, form, [&] {
            seen << form->windowTitle() << form->Item(PrintChoice::Drawing)->text()
                 << form->Item(PrintChoice::TrackList)->text() << form->PrinterName()->text();
            okWithoutPrinter = form->findChild<QPushButton*>(QStringLiteral("Button1"))->isEnabled();
            form->reject();
        });
        w->Action(ControlId::Print1)->trigger();
        QVERIFY(!okWithoutPrinter);
        QCOMPARE(seen,
                 (QStringList{QStringLiteral("Imprimir"), QStringLiteral("Circuito"), QStringLiteral("Lista de Tramos"),
                              QStringLiteral("Elija una impresora, o un archivo donde imprimir, con Configurar.")}));
        QVERIFY(!QFile::exists(file));

        // A file to print to: the Track List goes there.
        ToPdf(form->Printer(), file);
        QString shownPrinter;
        QTimer::singleShot(0, form, [&] {
            shownPrinter = form->PrinterName()->text();
            form->Item(PrintChoice::TrackList)->click();
            form->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
            if (form->isVisible()) form->reject();
        });
        w->Button(ControlId::ToolButton53)->click();
        QCOMPARE(shownPrinter, QStringLiteral("Imprimir en el archivo from-dialog.pdf"));
        QVERIFY(QFileInfo(file).size() > 0);
        if (HavePoppler()) QVERIFY(TextLines(file).contains(QStringLiteral("Club")));

        // In English, from the menu again; Cancel prints nothing.
        SetLanguageIndex(kEnglish);
        w->ApplyLanguage();
        QFile::remove(file);
        seen.clear();
        QTimer::singleShot(0, form, [&] {
            seen << form->windowTitle() << form->Item(PrintChoice::Drawing)->text()
                 << form->Item(PrintChoice::TrackList)->text() << form->PrinterName()->text()
                 << form->findChild<QPushButton*>(QStringLiteral("Button3"))->text();
            form->findChild<QPushButton*>(QStringLiteral("Button2"))->click();
            if (form->isVisible()) form->reject();
        });
        w->Action(ControlId::Print1)->trigger();
        QCOMPARE(seen, (QStringList{QStringLiteral("Print"), QStringLiteral("Circuit"), QStringLiteral("Track List"),
                                    QStringLiteral("Print to the file from-dialog.pdf"), QStringLiteral("Setup...")}));
        QVERIFY(!QFile::exists(file));
    }
};

QTEST_MAIN(PrintTest)
#include "PrintTest.moc"
