// The picture files of the Export commands and the command-line tool carry
// the circuit's title: whatever it holds, an SVG must stay a document XML
// readers take, and the PDF's document information must name it.

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include "app/Editor.h"
#include "app/Prompter.h"
#include "model/Tracks.h"
#include "render/PictureExport.h"
#include "render/Pictures.h"

using namespace quillet;

namespace {

TCircuit Oval(const std::string& title) {
    TCircuit c(1000, 600);
    for (int half = 0; half < 2; ++half) {
        c.Append(kStandardStraight, 0, 1);
        for (int k = 0; k < 4; ++k) c.Append(kStandardCurve, 0, 1);
    }
    c.title = title;
    return c;
}

// Reads the document to its end; the texts of the elements named `name`.
QStringList XmlTexts(const QByteArray& xml, const QString& name, QString* error) {
    QStringList texts;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == name) {
            texts << reader.readElementText(QXmlStreamReader::IncludeChildElements);
        }
    }
    *error =
        reader.hasError() ? reader.errorString() + QStringLiteral(" at line %1").arg(reader.lineNumber()) : QString();
    return texts;
}

// The title in the PDF's document information, as poppler's pdfinfo reads it.
QString PdfTitle(const QByteArray& pdf, const QString& folder) {
    const QString path = folder + QStringLiteral("/picture.pdf");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size()) return QStringLiteral("(not written)");
    file.close();
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return QStringLiteral("(pdfinfo failed)");
    for (const QByteArray& line : p.readAllStandardOutput().split('\n')) {
        if (line.startsWith("Title:")) return QString::fromUtf8(line.mid(6)).trimmed();
    }
    return QStringLiteral("(no title)");
}

}  // namespace

class PictureExportTest : public QObject {
    Q_OBJECT

private slots:
    void titlesOfAnyTextKeepEveryFormatReadable_data();
    void titlesOfAnyTextKeepEveryFormatReadable();
};

void PictureExportTest::titlesOfAnyTextKeepEveryFormatReadable_data() {
    QTest::addColumn<QByteArray>("title");
    QTest::addColumn<QString>("shown");
    QTest::newRow("ampersand") << QByteArray("Tom & Jerry") << QStringLiteral("Tom & Jerry");
    QTest::newRow("markup and quotes") << QByteArray("<b>\"Big\" 'O'</b>") << QStringLiteral("<b>\"Big\" 'O'</b>");
    // Controls other than tab, LF and CR cannot be in an XML document at all.
    QTest::newRow("controls") << QByteArray("Bell\x07 Esc\x1b\x01 tab\tend") << QStringLiteral("Bell Esc tab\tend");
    // U+FFFE and U+FFFF neither; a character beyond the BMP stays whole.
    QTest::newRow("noncharacters") << QByteArray(
                                          "a\xEF\xBF\xBE"
                                          "b\xEF\xBF\xBF"
                                          "c \xF0\x9F\x8F\x81")
                                   << QString::fromUtf8("abc \xF0\x9F\x8F\x81");
}

void PictureExportTest::titlesOfAnyTextKeepEveryFormatReadable() {
    QFETCH(QByteArray, title);
    QFETCH(QString, shown);
    Pictures pictures;
    const TCircuit circuit = Oval(title.toStdString());
    TSilentPrompter prompter;
    TQuietHost host;
    TNoTemplate noTemplate;
    TEditor editor(prompter, host, noTemplate);
    editor.Circuit() = circuit;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());

    for (const bool page : {false, true}) {
        const QByteArray where = page ? "print page" : "work area";
        auto render = [&](PictureFormat format, QByteArray& bytes) {
            return page ? RenderPrintPage(format, circuit, 1500, 1000, QPageLayout::Landscape, pictures, bytes)
                        : RenderWorkArea(format, editor, pictures, bytes);
        };
        QByteArray svg;
        QVERIFY2(render(PictureFormat::Svg, svg), where.constData());
        QString error;
        const QStringList titles = XmlTexts(svg, QStringLiteral("title"), &error);
        QVERIFY2(error.isEmpty(), qPrintable(QString::fromLatin1(where) + QStringLiteral(": ") + error));
        QCOMPARE(titles, QStringList{shown});
        // The description too, and on the page the title is drawn as text.
        QCOMPARE(XmlTexts(svg, QStringLiteral("desc"), &error).size(), 1);
        if (page) {
            const QStringList drawn = XmlTexts(svg, QStringLiteral("text"), &error);
            // A tab splits the drawn text in two.
            QVERIFY2(drawn.join(QString()).contains(QString(shown).remove(u'\t')),
                     qPrintable(drawn.join(QStringLiteral("|"))));
        }

        QByteArray png;
        QVERIFY2(render(PictureFormat::Png, png), where.constData());
        QVERIFY(!QImage::fromData(png, "PNG").isNull());

        QByteArray pdf;
        QVERIFY2(render(PictureFormat::Pdf, pdf), where.constData());
        QVERIFY(pdf.startsWith("%PDF-"));
        QCOMPARE(PdfTitle(pdf, dir.path()), shown.trimmed());
    }
}

QTEST_MAIN(PictureExportTest)
#include "PictureExportTest.moc"
