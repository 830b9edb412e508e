// The main window as a desktop program: File > Export writes the drawing as
// the screen shows it (PNG, SVG), the printed page (PDF) and the Track List
// (CSV); the recent files are listed in the File menu and survive a restart;
// Qt's own buttons and dialogs speak the chosen language. Questions are
// answered by a script; the PDF is read back with poppler.

#include <QAction>
#include <QDialogButtonBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>
#include <deque>
#include <functional>

#include "app/gui/Mnemonics.h"
#include "app/gui/QtTranslations.h"
#include "app/gui/Sdimain.h"
#include "app/gui/Startup.h"
#include "model/Tracks.h"
#include "text/Languages.h"
#include "text/gui/ApplyTexts.h"
#include "tools/ToolsTestSupport.h"

using namespace quillet;

namespace {

class Script : public TPrompter {
public:
    std::deque<std::optional<std::string>> openNames;
    std::deque<std::optional<std::string>> exportNames;
    std::function<bool(TSettingsValues&)> settings;
    QStringList suggested;
    QStringList said;  // errors, information and anything not scripted

    void Information(int entry, const std::string& suffix) override {
        said << QStringLiteral("information %1").arg(entry) + QStr(suffix);
    }
    SaveAnswer AskSaveChanges() override {
        said << QStringLiteral("save question");
        return SaveAnswer::Cancel;
    }
    std::optional<std::string> AskOpenCircuitName() override { return Pop(openNames); }
    std::optional<std::string> AskSaveCircuitName(const std::string&) override {
        said << QStringLiteral("save dialog");
        return std::nullopt;
    }
    std::optional<std::string> AskTemplateName() override { return std::nullopt; }
    bool AskYesNo(const std::string&) override {
        said << QStringLiteral("yes/no");
        return false;
    }
    void ShowError(const std::string& message) override { said << QStr(message); }
    bool EditSettings(TSettingsValues& values) override { return settings && settings(values); }
    std::optional<std::string> AskExportName(ExportKind, const std::string& suggestedName) override {
        suggested << QStr(suggestedName);
        return Pop(exportNames);
    }
    void ShowLoadError(LoadKind, const std::string&, const std::string& message) override { ShowError(message); }
    void ShowMessage(const std::string& text) override { Information(-1, text); }
    bool EditStock(TStockFields&) override { return Unasked("stock dialog", false); }
    bool EditCloseOptions(CloseOptions&, const CloseDialogLimits&) override { return Unasked("close dialog", false); }
    bool AskSearchAnother() override { return Unasked("search-another question", false); }
    std::optional<ConversionKind> AskConversion(const std::vector<ConversionKind>&) override {
        return Unasked("convert dialog", std::optional<ConversionKind>());
    }
    std::optional<PrintChoice> AskPrintChoice() override {
        return Unasked("print dialog", std::optional<PrintChoice>());
    }

private:
    // A question no test here expects: written down, and declined.
    template <class T>
    T Unasked(const char* what, T answer) {
        said << QLatin1String(what);
        return answer;
    }
    static std::optional<std::string> Pop(std::deque<std::optional<std::string>>& q) {
        if (q.empty()) return std::nullopt;
        auto v = q.front();
        q.pop_front();
        return v;
    }
};

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString Poppler(const QString& tool, const QStringList& arguments) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) return {};
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The texts of the recent-files submenu as it is when the File menu opens.
QStringList RecentEntries(TSDIAppForm& w) {
    emit w.findChild<QMenu*>(QStringLiteral("File1"))->aboutToShow();
    QStringList texts;
    for (QAction* a : w.RecentMenu()->actions()) texts << (a->isSeparator() ? QStringLiteral("--") : a->text());
    return texts;
}

QString CancelButtonText() {
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    return box.button(QDialogButtonBox::Cancel)->text();
}

}  // namespace

class DesktopWindowTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_folder;

    QString Path(const QString& name) const { return m_folder.filePath(name); }
    // The NINCO oval of the command-line tool's tests, saved as `name`.
    QString SavedOval(const QString& name) const {
        TCircuit c = test::Chain(test::Oval());
        const QString path = Path(name);
        if (!SaveCircuit(c, StdStr(path))) return {};
        return path;
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_folder.isValid());
    }
    void cleanup() {
        SetLanguageIndex(kSpanish);
        UseQtTranslations(kSpanish);
    }

    void exportsTheScreenDrawingThePrintedPageAndTheTrackList() {
        Script script;
        auto w = StartProgram({m_folder.path(), m_folder.path(), &script});
        script.openNames = {StdStr(SavedOval(QStringLiteral("Oval.QLC")))};
        w->Action(ControlId::FileOpenItem)->trigger();
        QCOMPARE(w->windowTitle(), QStringLiteral("Quillet - Oval"));

        // PNG: the window's own picture, pixel for pixel: 3000 x 2000 mm at
        // 5 mm per pixel. As in the command-line tool's tests, (500, 300)
        // is background and (240, 351) the middle of the straight's rail.
        script.exportNames = {StdStr(Path(QStringLiteral("oval.png")))};
        w->Action(ControlId::ExportPng1)->trigger();
        const QImage png(Path(QStringLiteral("oval.png")));
        QCOMPARE(png.size(), QSize(600, 400));
        QCOMPARE(png.convertToFormat(QImage::Format_RGB32), w->Drawing().convertToFormat(QImage::Format_RGB32));
        QCOMPARE(png.pixel(500, 300), qRgb(255, 255, 255));
        QCOMPARE(png.pixel(240, 351), qRgb(0, 0, 0));
        QCOMPARE(png.dotsPerMeterX(), qRound(96 / 0.0254));

        // SVG: well-formed, the work area's size, the same drawing.
        script.exportNames = {StdStr(Path(QStringLiteral("oval.svg")))};
        w->Action(ControlId::ExportSvg1)->trigger();
        const QByteArray svg = ReadAll(Path(QStringLiteral("oval.svg")));
        QXmlStreamReader xml(svg);
        QString root;
        QString viewBox;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && root.isEmpty()) {
                root = xml.name().toString();
                viewBox = xml.attributes().value(QStringLiteral("viewBox")).toString();
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(root, QStringLiteral("svg"));
        QCOMPARE(viewBox, QStringLiteral("0 0 600 400"));
        QSvgRenderer renderer(svg);
        QVERIFY(renderer.isValid());
        QImage drawn(600, 400, QImage::Format_RGB32);
        drawn.fill(Qt::red);
        QPainter painter(&drawn);
        renderer.render(&painter);
        painter.end();
        QCOMPARE(drawn.pixel(500, 300), qRgb(255, 255, 255));
        QCOMPARE(drawn.pixel(240, 351), qRgb(0, 0, 0));

        // PDF: the page as the Print command prints it, A4 lying down for a
        // work area longer than it is wide, one page, under the title line.
        script.exportNames = {StdStr(Path(QStringLiteral("oval.pdf")))};
        w->Action(ControlId::ExportPdf1)->trigger();
        const QByteArray pdf = ReadAll(Path(QStringLiteral("oval.pdf")));
        QVERIFY(pdf.startsWith("%PDF-1."));
        QVERIFY(pdf.trimmed().endsWith("%%EOF"));
        QCOMPARE(pdf.count("/Type /Page\n"), 1);
        QVERIFY(pdf.contains("/MediaBox [0 0 842.000000 595.000000]"));
        const QString info = Poppler(QStringLiteral("pdfinfo"), {Path(QStringLiteral("oval.pdf"))});
        QVERIFY2(info.simplified().contains(QStringLiteral("Pages: 1 ")), qPrintable(info));
        QVERIFY2(info.simplified().contains(QStringLiteral("Page size: 842 x 595 pts (A4)")), qPrintable(info));
        QVERIFY2(info.simplified().contains(QStringLiteral("Title: Oval ")), qPrintable(info));
        const QString text =
            Poppler(QStringLiteral("pdftotext"), {Path(QStringLiteral("oval.pdf")), QStringLiteral("-")});
        QVERIFY2(text.simplified().contains(QStringLiteral("Oval ") + w->Panel(2)->text()), qPrintable(text));

        // CSV: the Track List in the window's language.
        script.exportNames = {StdStr(Path(QStringLiteral("oval.csv")))};
        w->Action(ControlId::ExportCsv1)->trigger();
        QCOMPARE(ReadAll(Path(QStringLiteral("oval.csv"))), QByteArray("\xEF\xBB\xBF"
                                                                       "Marca,Pieza,Necesarios,En Stock,Faltan\r\n"
                                                                       "NINCO,Recta Standard,2,0,2\r\n"
                                                                       "NINCO,Curva Standard,8,0,8\r\n"));

        QCOMPARE(script.suggested, (QStringList{QStringLiteral("Oval.png"), QStringLiteral("Oval.svg"),
                                                QStringLiteral("Oval.pdf"), QStringLiteral("Oval.csv")}));
        QVERIFY2(script.said.isEmpty(), qPrintable(script.said.join(QLatin1Char('|'))));
        QVERIFY(!w->Editor().Circuit().modified);
    }

    void recentFilesSurviveARestartAndLeaveOutMissingOnes() {
        const QString settings = Path(QStringLiteral("recent.ini"));
        const QString a = SavedOval(QStringLiteral("A.QLC"));
        const QString b = SavedOval(QStringLiteral("B&B.QLC"));
        const QString c = SavedOval(QStringLiteral("C.QLC"));
        {
            Script script;
            auto w = StartProgram({m_folder.path(), m_folder.path(), &script});
            w->UseRecentFiles(settings);
            QVERIFY(!w->Action(ControlId::RecentFiles1)->isEnabled());
            QVERIFY(RecentEntries(*w).isEmpty());
            for (const QString& path : {a, b, c, a}) {
                script.openNames = {StdStr(path)};
                w->Action(ControlId::FileOpenItem)->trigger();
            }
            QCOMPARE(RecentEntries(*w),
                     (QStringList{QStringLiteral("&1 A.QLC"), QStringLiteral("&2 C.QLC"), QStringLiteral("&3 B&&B.QLC"),
                                  QStringLiteral("--"), QStringLiteral("&Vaciar la Lista")}));
            QVERIFY(w->Action(ControlId::RecentFiles1)->isEnabled());
            QCOMPARE(w->RecentMenu()->actions().at(1)->statusTip(), c);
        }

        // Another start: the same list, without the file that went away;
        // choosing an entry opens it.
        QVERIFY(QFile::remove(c));
        Script script;
        auto w = StartProgram({m_folder.path(), m_folder.path(), &script});
        w->UseRecentFiles(settings);
        QCOMPARE(RecentEntries(*w), (QStringList{QStringLiteral("&1 A.QLC"), QStringLiteral("&2 B&&B.QLC"),
                                                 QStringLiteral("--"), QStringLiteral("&Vaciar la Lista")}));
        w->RecentMenu()->actions().at(1)->trigger();
        QCOMPARE(w->windowTitle(), QStringLiteral("Quillet - B&B"));
        QCOMPARE(RecentEntries(*w).first(), QStringLiteral("&1 B&&B.QLC"));

        // Clear the List empties it for good.
        w->RecentMenu()->actions().last()->trigger();
        QVERIFY(RecentEntries(*w).isEmpty());
        QVERIFY(!w->Action(ControlId::RecentFiles1)->isEnabled());
        QVERIFY(script.said.isEmpty());
    }

    void qtOwnButtonsFollowTheLanguage() {
        Script script;
        auto w = StartProgram({m_folder.path(), m_folder.path(), &script});
        QCOMPARE(LanguageIndex(), kSpanish);
        QCOMPARE(CancelButtonText(), QStringLiteral("Cancelar"));

        script.settings = [](TSettingsValues& v) {
            v.languageItem = 1;
            return true;
        };
        w->Action(ControlId::WorkingArea1)->trigger();
        QCOMPARE(LanguageIndex(), kEnglish);
        QCOMPARE(CancelButtonText(), QStringLiteral("Cancel"));
        QCOMPARE(WithoutMnemonic(w->Action(ControlId::ExportPdf1)->text()), QStringLiteral("Export Page (PDF)..."));

        script.settings = [](TSettingsValues& v) {
            v.languageItem = 0;
            return true;
        };
        w->Action(ControlId::WorkingArea1)->trigger();
        QCOMPARE(CancelButtonText(), QStringLiteral("Cancelar"));
        QCOMPARE(WithoutMnemonic(w->Action(ControlId::ExportPdf1)->text()), QStringLiteral("Exportar Página (PDF)..."));
    }
};

QTEST_MAIN(DesktopWindowTest)
#include "DesktopWindowTest.moc"
