// The painter-backed canvas, checked pixel by pixel on images, and its vector
// outputs (SVG, PDF) checked for what they contain.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPrinter>
#include <QSvgGenerator>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>
#include <array>
#include <chrono>
#include <functional>
#include <future>
#include <vector>

#include "render/PainterCanvas.h"

using namespace quillet;

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kRed = 0xFFFF0000;  // what the canvas colour 0x0000FF must become

QImage Blank(int w, int h, QRgb fill = kWhite) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(fill);
    return img;
}

// Compares every pixel against what the rule expects and names the first
// few that differ.
bool Matches(const QImage& img, const std::function<QRgb(int, int)>& expected, QString* why) {
    int bad = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QRgb want = expected(x, y);
            const QRgb got = img.pixel(x, y);
            if (got != want) {
                if (bad < 5) {
                    *why += QStringLiteral("(%1,%2): got %3 want %4; ")
                                .arg(x)
                                .arg(y)
                                .arg(got, 8, 16, QLatin1Char('0'))
                                .arg(want, 8, 16, QLatin1Char('0'));
                }
                ++bad;
            }
        }
    }
    return bad == 0;
}

QRect InkBounds(const QImage& img, QRgb background) {
    QRect r;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != background) r |= QRect(x, y, 1, 1);
    return r;
}

}  // namespace

class RenderTest : public QObject {
    Q_OBJECT
private slots:
    void filledPolygonMeetsItsOutlineExactly();
    void neighbouringFillsNeitherOverlapNorLeaveGaps();
    void coloursKeepTheirChannels();
    void thinPensDrawOnePixelThroughTheirPoints();
    void rectanglesAndEllipsesStayInTheirBox();
    void invertingPenRestoresWhatItCrossed();
    void whitePicturePixelsLeaveTheBackground();
    void builtInPicturesAreThere();
    void stretchedTemplateFillsTheTarget();
    void templateThatIsNoFileIsRefusedAtOnce();
    void svgOutputHoldsTheDrawing();
    void printerOutputIsAPdf();
    void fontsAreMappedAndMeasured();
};

void RenderTest::filledPolygonMeetsItsOutlineExactly() {
    // Triangles whose edges are horizontal, vertical and 45 degrees, so the
    // outline pixels are known exactly; both diagonal directions, both thin
    // pen widths.
    struct Case {
        std::array<PixelPoint, 3> pts;
        std::function<bool(int, int)> onEdge;
        std::function<bool(int, int)> inside;
    };
    const std::array<Case, 2> cases{{
        {{{{2, 2}, {22, 2}, {2, 22}}},
         [](int x, int y) {
             return (y == 2 && x >= 2 && x <= 22) || (x == 2 && y >= 2 && y <= 22) ||
                    (x + y == 24 && x >= 2 && x <= 22);
         },
         [](int x, int y) { return x > 2 && y > 2 && x + y < 24; }},
        {{{{4, 4}, {24, 4}, {24, 24}}},
         [](int x, int y) {
             return (y == 4 && x >= 4 && x <= 24) || (x == 24 && y >= 4 && y <= 24) || (x == y && x >= 4 && x <= 24);
         },
         [](int x, int y) { return y > 4 && x < 24 && y < x; }},
    }};
    for (int width : {0, 1}) {
        for (const Case& c : cases) {
            QImage img = Blank(30, 30);
            {
                PainterCanvas canvas(&img);
                canvas.setPenWidth(width);
                canvas.setBrushColour(0x0000FF);
                canvas.polygon(c.pts);
            }
            QString why;
            const bool ok = Matches(
                img, [&](int x, int y) { return c.onEdge(x, y)   ? kBlack
                                                : c.inside(x, y) ? kRed
                                                                 : kWhite; }, &why);
            QVERIFY2(ok, qPrintable(QStringLiteral("width %1: ").arg(width) + why));
        }
    }

    // A clear brush or "no colour" leaves the inside alone; a clear pen
    // leaves only the fill.
    QImage img = Blank(30, 30);
    {
        PainterCanvas canvas(&img);
        canvas.setBrushStyle(BrushStyle::Clear);
        canvas.polygon(cases[0].pts);
        canvas.setBrushColour(kNoColour);
        canvas.polygon(cases[1].pts);
    }
    QCOMPARE(img.pixel(5, 10), kWhite);
    QCOMPARE(img.pixel(20, 10), kWhite);
    QCOMPARE(img.pixel(2, 10), kBlack);
    QCOMPARE(img.pixel(24, 10), kBlack);

    img = Blank(30, 30);
    {
        PainterCanvas canvas(&img);
        canvas.setPenStyle(PenStyle::Clear);
        canvas.setBrushColour(0x0000FF);
        canvas.polygon(cases[0].pts);
    }
    QCOMPARE(img.pixel(5, 10), kRed);
    const QRect fill = InkBounds(img, kWhite);
    QVERIFY2(
        QRect(QPoint(2, 2), QPoint(22, 22)).contains(fill) && fill.width() >= 19,
        qPrintable(QStringLiteral("%1,%2 %3x%4").arg(fill.x()).arg(fill.y()).arg(fill.width()).arg(fill.height())));
}

void RenderTest::neighbouringFillsNeitherOverlapNorLeaveGaps() {
    // Two fills sharing an edge, in the inverting mode with a black brush: a
    // pixel painted once turns black, one painted twice turns white again.
    // Together they must cover the box they tile exactly once, and that box
    // covers the same pixels as a filled rectangle: right and bottom edge
    // excluded.
    const std::array<std::array<PixelPoint, 3>, 2> halves{{
        {{{2, 3}, {27, 3}, {27, 21}}},
        {{{27, 21}, {2, 21}, {2, 3}}},
    }};
    const std::array<std::array<PixelPoint, 4>, 2> strips{{
        {{{30, 3}, {45, 3}, {41, 21}, {30, 21}}},
        {{{45, 3}, {57, 3}, {57, 21}, {41, 21}}},
    }};
    QImage img = Blank(60, 25);
    {
        PainterCanvas canvas(&img);
        canvas.setPenStyle(PenStyle::Clear);
        canvas.setPenMode(PenMode::NotXor);
        canvas.setBrushColour(colour::Black);
        for (const auto& h : halves) canvas.polygon(h);
        for (const auto& s : strips) canvas.polygon(s);
    }
    QString why;
    const bool ok = Matches(
        img,
        [](int x, int y) {
            const bool in = y >= 3 && y < 21 && ((x >= 2 && x < 27) || (x >= 30 && x < 57));
            return in ? kBlack : kWhite;
        },
        &why);
    QVERIFY2(ok, qPrintable(why));
}

void RenderTest::coloursKeepTheirChannels() {
    QCOMPARE(ToQColor(0x0000FF), QColor(255, 0, 0));
    QCOMPARE(ToQColor(0xFF0000), QColor(0, 0, 255));
    QCOMPARE(ToQColor(0x60A060), QColor(0x60, 0xA0, 0x60));
    QCOMPARE(FromQColor(QColor(211, 165, 110)), Colour{0x6EA5D3});

    const std::array<Colour, 5> colours{0x0000FF, 0x00FF00, 0xFF0000, 0x6EA5D3, 0x7090A0};
    const std::array<QRgb, 5> rgb{0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFD3A56E, 0xFFA09070};
    QImage img = Blank(50, 10);
    {
        PainterCanvas canvas(&img);
        for (int i = 0; i < 5; ++i) {
            canvas.setBrushColour(colours[i]);
            canvas.fillRect({i * 10, 0, i * 10 + 10, 10});
        }
    }
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(img.pixel(i * 10, 0), rgb[i]);
        QCOMPARE(img.pixel(i * 10 + 9, 9), rgb[i]);
    }
}

void RenderTest::thinPensDrawOnePixelThroughTheirPoints() {
    for (int width : {0, 1}) {
        QImage img = Blank(30, 20);
        {
            PainterCanvas canvas(&img);
            canvas.setPenWidth(width);
            canvas.line(2, 3, 12, 3);
            canvas.moveTo(20, 2);
            canvas.lineTo(20, 9);
            canvas.line(2, 10, 8, 16);
        }
        QString why;
        const bool ok = Matches(
            img,
            [](int x, int y) {
                const bool on = (y == 3 && x >= 2 && x <= 12) || (x == 20 && y >= 2 && y <= 9) ||
                                (x - 2 == y - 10 && x >= 2 && x <= 8);
                return on ? kBlack : kWhite;
            },
            &why);
        QVERIFY2(ok, qPrintable(QStringLiteral("width %1: ").arg(width) + why));
    }

    // A wider pen is centred on its points; clear and "no colour" pens draw
    // nothing; a dotted pen leaves gaps.
    QImage img = Blank(30, 20);
    {
        PainterCanvas canvas(&img);
        canvas.setPenWidth(3);
        canvas.line(5, 5, 20, 5);
        canvas.setPenWidth(1);
        canvas.setPenStyle(PenStyle::Clear);
        canvas.line(0, 12, 29, 12);
        canvas.setPenStyle(PenStyle::Solid);
        canvas.setPenColour(kNoColour);
        canvas.line(0, 13, 29, 13);
        canvas.setPenColour(colour::Black);
        canvas.setPenStyle(PenStyle::Dotted);
        canvas.line(0, 16, 29, 16);
    }
    for (int y : {4, 5, 6}) QCOMPARE(img.pixel(12, y), kBlack);
    QCOMPARE(img.pixel(12, 3), kWhite);
    QCOMPARE(img.pixel(12, 7), kWhite);
    for (int x = 0; x < 30; ++x) {
        QCOMPARE(img.pixel(x, 12), kWhite);
        QCOMPARE(img.pixel(x, 13), kWhite);
    }
    int dots = 0;
    for (int x = 0; x < 30; ++x) dots += img.pixel(x, 16) == kBlack ? 1 : 0;
    QVERIFY2(dots > 5 && dots < 25, qPrintable(QString::number(dots)));
}

void RenderTest::rectanglesAndEllipsesStayInTheirBox() {
    QImage img = Blank(30, 20);
    {
        PainterCanvas canvas(&img);
        canvas.setBrushColour(0x0000FF);
        canvas.rectangle({3, 4, 13, 10});
        canvas.setBrushColour(0xFF0000);
        canvas.fillRect({15, 4, 25, 10});
    }
    QString why;
    const bool ok = Matches(
        img,
        [](int x, int y) -> QRgb {
            if (x >= 3 && x <= 12 && y >= 4 && y <= 9) {
                return (x == 3 || x == 12 || y == 4 || y == 9) ? kBlack : kRed;
            }
            if (x >= 15 && x <= 24 && y >= 4 && y <= 9) return 0xFF0000FF;
            return kWhite;
        },
        &why);
    QVERIFY2(ok, qPrintable(why));

    // An ellipse fills its box edge to edge, symmetrically, with and without
    // an outline.
    for (bool outlined : {true, false}) {
        img = Blank(30, 20);
        {
            PainterCanvas canvas(&img);
            canvas.setPenStyle(outlined ? PenStyle::Solid : PenStyle::Clear);
            canvas.setBrushColour(0x0000FF);
            canvas.ellipse({3, 2, 23, 16});
        }
        QCOMPARE(InkBounds(img, kWhite), QRect(QPoint(3, 2), QPoint(22, 15)));
        for (int y = 2; y <= 15; ++y)
            for (int x = 3; x <= 22; ++x) {
                QCOMPARE(img.pixel(x, y), img.pixel(25 - x, y));
                QCOMPARE(img.pixel(x, y), img.pixel(x, 17 - y));
            }
        QCOMPARE(img.pixel(13, 9), kRed);
        QCOMPARE(img.pixel(3, 2), kWhite);  // corners stay outside
    }
}

void RenderTest::invertingPenRestoresWhatItCrossed() {
    QImage original(40, 30, QImage::Format_RGB32);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) original.setPixel(x, y, x < 20 ? kWhite : qRgb(x * 6, y * 8, 90));
    QImage img = original;
    const std::array<PixelPoint, 4> guide{{{3, 25}, {15, 20}, {30, 24}, {38, 5}}};
    auto draw = [&](PainterCanvas& canvas) {
        canvas.setPenMode(PenMode::NotXor);
        canvas.setPenColour(colour::Black);
        canvas.line(2, 2, 37, 17);  // the measuring line
        canvas.setPenColour(0x0000FF);
        canvas.line(5, 1, 5, 14);  // a ruler guide
        canvas.setPenWidth(3);
        canvas.polyline(guide);
    };
    {
        PainterCanvas canvas(&img);
        draw(canvas);
    }
    QVERIFY(img != original);
    // Black inverts: white becomes black; red on white shows red.
    QCOMPARE(img.pixel(2, 2), kBlack);
    QCOMPARE(img.pixel(5, 8), kRed);
    const QRgb under = original.pixel(37, 17);
    QCOMPARE(img.pixel(37, 17), qRgb(255 - qRed(under), 255 - qGreen(under), 255 - qBlue(under)));
    {
        PainterCanvas canvas(&img);
        draw(canvas);
        // Back to copying: a line paints its own colour again.
        canvas.setPenMode(PenMode::Copy);
        canvas.setPenWidth(1);
        canvas.setPenColour(0x00FF00);
        canvas.line(25, 28, 35, 28);
    }
    QCOMPARE(img.pixel(30, 28), 0xFF00FF00u);
    for (int x = 25; x <= 35; ++x) img.setPixel(x, 28, original.pixel(x, 28));
    QVERIFY(img == original);
}

void RenderTest::whitePicturePixelsLeaveTheBackground() {
    QImage source(4, 2, QImage::Format_RGB32);
    const std::array<QRgb, 8> px{kWhite, 0xFFFF0000, kWhite, 0xFF0000FF, 0xFF00FF00, kWhite, 0xFFFEFEFE, kBlack};
    for (int i = 0; i < 8; ++i) source.setPixel(i % 4, i / 4, px[i]);
    Pictures pictures;
    pictures.setTemplate(source);

    const QRgb grey = 0xFF60A060;
    QImage img = Blank(12, 8, grey);
    {
        PainterCanvas canvas(&img, pictures);
        canvas.drawPicture(Picture::Template, 5, 3);
    }
    for (int i = 0; i < 8; ++i) {
        // Only pure white is transparent; near-white still paints.
        const QRgb want = px[i] == kWhite ? grey : px[i];
        QCOMPARE(img.pixel(5 + i % 4, 3 + i / 4), want);
    }
    QCOMPARE(InkBounds(img, grey), QRect(6, 3, 3, 2) | QRect(5, 4, 1, 1) | QRect(8, 3, 1, 2));

    // The emblem leaves the work area showing around it.
    img = Blank(200, 150, grey);
    {
        PainterCanvas canvas(&img);
        canvas.drawPicture(Picture::Drawing, 40, 40);
    }
    QCOMPARE(img.pixel(40, 40), grey);
    QCOMPARE(img.pixel(159, 129), grey);
    const QRect ink = InkBounds(img, grey);
    QVERIFY2(QRect(40, 40, 120, 90).contains(ink) && ink.width() > 100 && ink.height() > 60,
             qPrintable(QStringLiteral("%1,%2 %3x%4").arg(ink.x()).arg(ink.y()).arg(ink.width()).arg(ink.height())));
}

void RenderTest::builtInPicturesAreThere() {
    const Pictures& pictures = Pictures::builtIn();
    for (std::size_t i = 0; i + 1 < kPictureCount; ++i) {
        const auto p = static_cast<Picture>(i);
        const QImage& image = pictures.image(p);
        const QString name = Pictures::SourcePath(p);
        QVERIFY2(!image.isNull(), qPrintable(name));
        QCOMPARE(PixelSize({image.width(), image.height()}), NominalPictureSize(p));
        int opaque = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) opaque += qAlpha(image.pixel(x, y)) == 255 ? 1 : 0;
        // Something to see, but not a solid block.
        QVERIFY2(opaque > image.width() * image.height() / 5, qPrintable(name));
        QVERIFY2(opaque < image.width() * image.height(), qPrintable(name));
    }
    // A highlighted icon is told apart from the plain one at a glance.
    for (int kind = 1; kind <= kIconKinds; ++kind) {
        QVERIFY(pictures.image(AccessoryIcon(kind, true)) != pictures.image(AccessoryIcon(kind, false)));
    }
    QVERIFY(pictures.image(Picture::Template).isNull());
    QVERIFY(pictures.size(Picture::Template).empty());
}

void RenderTest::templateThatIsNoFileIsRefusedAtOnce() {
    // The template dialog lists every name in a folder: a named pipe picked
    // there would hold the window until some program wrote to it.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray fifo = QFile::encodeName(dir.filePath(QStringLiteral("pipe.png")));
    QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
    Pictures pictures;
    auto load = std::async(std::launch::async, [&] { return pictures.loadTemplate(QFile::decodeName(fifo)); });
    const bool waited = load.wait_for(std::chrono::seconds(5)) != std::future_status::ready;
    if (waited) {
        // A writer that comes and goes lets the stuck read end.
        const int w = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
        if (w >= 0) ::close(w);
    }
    const bool loaded = load.get();
    QVERIFY2(!waited, "loading a pipe as the template waits for a writer");
    QVERIFY(!loaded);
    QVERIFY(!pictures.loadTemplate(dir.path()));

    // A pipe with a writer that stays is refused at once as well.
    const int writer = ::open(fifo.constData(), O_RDWR | O_NONBLOCK);
    QVERIFY(writer >= 0);
    QCOMPARE(::write(writer, "BM", 2), ssize_t(2));
    auto held = std::async(std::launch::async, [&] { return pictures.loadTemplate(QFile::decodeName(fifo)); });
    const bool heldWaited = held.wait_for(std::chrono::seconds(5)) != std::future_status::ready;
    ::close(writer);
    const bool heldLoaded = held.get();
    QVERIFY2(!heldWaited, "loading a pipe held by a writer as the template waits");
    QVERIFY(!heldLoaded);
}

void RenderTest::stretchedTemplateFillsTheTarget() {
    QImage source(2, 2, QImage::Format_RGB32);
    source.setPixel(0, 0, 0xFFFF0000);
    source.setPixel(1, 0, kWhite);
    source.setPixel(0, 1, 0xFF0000FF);
    source.setPixel(1, 1, kBlack);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("template.bmp"));
    QVERIFY(source.save(path, "BMP"));

    Pictures pictures;
    QVERIFY(pictures.loadTemplate(path));
    QVERIFY(!pictures.loadTemplate(dir.filePath(QStringLiteral("missing.bmp"))));
    const QRgb grey = 0xFFA0A0A0;
    QImage img = Blank(60, 40, grey);
    {
        PainterCanvas canvas(&img, pictures);
        QCOMPARE(canvas.pictureSize(Picture::Template), (PixelSize{2, 2}));
        canvas.drawPictureStretched(Picture::Template, {10, 6, 50, 36});
    }
    QString why;
    const bool ok = Matches(
        img,
        [&](int x, int y) -> QRgb {
            if (x < 10 || x >= 50 || y < 6 || y >= 36) return grey;
            const bool right = x >= 30, lower = y >= 21;
            if (!right && !lower) return 0xFFFF0000;
            if (right && !lower) return grey;  // the white quarter
            return right ? kBlack : 0xFF0000FF;
        },
        &why);
    QVERIFY2(ok, qPrintable(why));

    pictures.clearTemplate();
    QImage before = Blank(20, 20, grey);
    img = before;
    {
        PainterCanvas canvas(&img, pictures);
        QVERIFY(canvas.pictureSize(Picture::Template).empty());
        canvas.drawPictureStretched(Picture::Template, {0, 0, 20, 20});
        canvas.drawPicture(Picture::Template, 0, 0);
    }
    QVERIFY(img == before);
}

void RenderTest::svgOutputHoldsTheDrawing() {
    QBuffer buffer;
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(100, 60));
    generator.setViewBox(QRect(0, 0, 100, 60));
    {
        PainterCanvas canvas(&generator);
        QVERIFY(canvas.isActive());
        const std::array<PixelPoint, 4> body{{{10, 10}, {60, 10}, {60, 40}, {10, 40}}};
        canvas.setBrushColour(0x0000FF);
        canvas.polygon(body);
        canvas.setPenColour(0xFF0000);
        canvas.setPenWidth(3);
        canvas.line(0, 50, 99, 50);
        canvas.setPenMode(PenMode::NotXor);  // has no meaning here and must not break anything
        canvas.line(0, 55, 99, 55);
        canvas.setFontName("Arial");
        canvas.setFontSize(10);
        canvas.setBrushStyle(BrushStyle::Clear);
        canvas.textOut(65, 10, "Quillet");
        canvas.drawPicture(Picture::StartMarker, 70, 30);
    }
    const QByteArray svg = buffer.data();
    QVERIFY(svg.contains("<svg"));
    QVERIFY(svg.contains("#ff0000"));
    QVERIFY(svg.contains("#0000ff"));
    QVERIFY(svg.contains("Quillet"));
    QVERIFY(svg.contains("<image"));

    // Read back, the fill sits where it does on an image.
    QSvgRenderer renderer(svg);
    QVERIFY(renderer.isValid());
    QImage img = Blank(100, 60);
    QPainter painter(&img);
    renderer.render(&painter);
    painter.end();
    QCOMPARE(img.pixel(35, 25), kRed);
    QCOMPARE(img.pixel(5, 25), kWhite);
    QCOMPARE(img.pixel(65, 25), kWhite);
}

void RenderTest::printerOutputIsAPdf() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("circuit.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setDocName(QStringLiteral("Circuit"));
    {
        PainterCanvas canvas(&printer);
        QVERIFY(canvas.isActive());
        canvas.setBrushColour(colour::White);
        canvas.fillRect({0, 0, 4000, 3000});
        const std::array<PixelPoint, 3> tri{{{100, 100}, {2000, 200}, {600, 1800}}};
        canvas.setBrushColour(0x404040);
        canvas.setPenWidth(8);
        canvas.polygon(tri);
        canvas.setFontName("Arial");
        canvas.setFontSize(14);
        canvas.setBrushStyle(BrushStyle::Clear);
        canvas.textOut(0, 3010, "Circuit  30 x 20 cm");
        QVERIFY(canvas.textWidth("Circuit") > 100);  // 14 points at printer resolution
        canvas.drawPicture(Picture::Drawing, 40, 40);
        canvas.end();
        QVERIFY(!canvas.isActive());
    }
    QFile pdf(path);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray data = pdf.readAll();
    QVERIFY(data.startsWith("%PDF"));
    QVERIFY(data.size() > 1000);
    QVERIFY(data.contains("%%EOF"));
}

void RenderTest::fontsAreMappedAndMeasured() {
    QImage img = Blank(120, 60);
    PainterCanvas canvas(&img);

    FontState arial;
    arial.setName("Arial");
    arial.size = 14;
    QCOMPARE(FontFamiliesFor("arial").first(), QStringLiteral("Liberation Sans"));
    QCOMPARE(QFontInfo(canvas.qfont(arial)).family(), QStringLiteral("Liberation Sans"));
    FontState sans;
    sans.setName("MS Sans Serif");
    QVERIFY(QFontDatabase::families().contains(QFontInfo(canvas.qfont(sans)).family()));

    canvas.setFontName("MS Sans Serif");
    canvas.setFontHeight(13);
    const int h = canvas.textHeight("8");
    QVERIFY2(h >= 11 && h <= 13, qPrintable(QString::number(h)));
    const int one = canvas.textWidth("Quillet");
    QVERIFY(one > 0);
    QVERIFY(canvas.textWidth("Quillet Quillet") > one);
    canvas.setFontStyle(FontStyle::Bold);
    QVERIFY(canvas.textWidth("Quillet") >= one);
    canvas.setFontStyle(FontStyle::None);

    // Text sits below and right of its point; a clear brush leaves the
    // background, a solid one paints the cell behind the text.
    canvas.setFontName("Arial");
    canvas.setFontHeight(20);
    canvas.setFontColour(colour::Black);
    canvas.setBrushStyle(BrushStyle::Clear);
    canvas.textOut(10, 10, "H");
    canvas.setBrushColour(0x00FFFF);
    canvas.textOut(60, 10, "H");
    const int w = canvas.textWidth("H");
    canvas.end();

    const QRect ink = InkBounds(img.copy(0, 0, 55, 60), kWhite);
    QVERIFY(!ink.isEmpty());
    QVERIFY2(ink.left() >= 10 && ink.top() >= 10 && ink.bottom() < 30 && ink.right() < 10 + w,
             qPrintable(QStringLiteral("%1,%2 %3x%4").arg(ink.x()).arg(ink.y()).arg(ink.width()).arg(ink.height())));
    QCOMPARE(img.pixel(60, 10), 0xFFFFFF00u);
    QCOMPARE(img.pixel(60 + w - 1, 10), 0xFFFFFF00u);
    QCOMPARE(img.pixel(60 + w, 10), kWhite);
}

QTEST_MAIN(RenderTest)
#include "RenderTest.moc"
