// The circuit drawing painted on an image, checked at pixels whose colour
// follows from the geometry by hand; and the painter canvas's own line
// plotting, which the drawing relies on for speed.
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QtTest>
#include <climits>

#include "model/Tracks.h"
#include "render/PainterCanvas.h"

using namespace quillet;

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kGrid = 0xFF8F8F8F;
constexpr QRgb kShadow = 0xFF7F7F7F;

// A two-lane NINCO oval at 2 mm per pixel: straights from x 1000 to 1800 mm
// along y 600..780 (top) and 1263..1443 (bottom), joined by half circles of
// four standard curves about (1800, 1021.5) and (1000, 1021.5).
TCircuit Oval(int detail) {
    TCircuit c(1000, 600);
    c.scale = 2;
    c.detailLevel = detail;
    for (int side = 0; side < 2; ++side) {
        c.Append(kStandardStraight, 0, 1);
        c.Append(kStandardStraight, 0, 1);
        for (int k = 0; k < 4; ++k) c.Append(kStandardCurve, 0, 1);
    }
    c.ReLay(false);
    return c;
}

QImage Paint(const TCircuit& c) {
    QImage image(1500, 1000, QImage::Format_RGB32);  // 3000 x 2000 mm
    image.fill(Qt::red);                             // anything not painted shows
    PainterCanvas canvas(&image);
    c.Draw(canvas, CircuitDrawMode::Screen, 2000, 3000);
    canvas.end();
    return image;
}

QString Hex(QRgb c) { return QString::number(c, 16); }

}  // namespace

class DrawTest : public QObject {
    Q_OBJECT
private slots:
    void ovalAtDetailThree();
    void shadowsAppearAtDetailFour();
    void thinLinesLandOnTheNearestPixels();
    void farLinesAreClippedNotWalked();
    void transformedOrClippedPaintersKeepQtsLines();
};

void DrawTest::ovalAtDetailThree() {
    const TCircuit c = Oval(3);
    QVERIFY(c.closed);
    const QImage img = Paint(c);
    struct Probe {
        int x, y;
        QRgb want;
        const char* what;
    };
    const Probe probes[] = {
        // Top straight, between the lanes (y 690 mm -> 345).
        {650, 345, kBlack, "body between the lanes"},
        // Lane 1 at y 645 mm = 322.5 -> 322, a slot 10 mm = 5 pixels wide.
        {650, 321, kWhite, "slot"},
        {650, 322, kWhite, "slot"},
        {650, 323, kWhite, "slot"},
        // Inside the oval, off the grid lines (every 100 pixels).
        {650, 395, kWhite, "background inside"},
        {650, 515, kWhite, "background inside"},
        // A grid line above the circuit, clear of the 120 x 90 picture at (40, 40).
        {300, 50, kGrid, "grid"},
        {301, 50, kWhite, "beside the grid"},
        // The right-hand curve at 22.5 degrees: radius 331.5 (between the
        // lanes) at (1926.9, 715.2) mm -> (963, 358); the outer lane, radius
        // 376.5, at (1944.1, 673.7) -> (972, 337).
        {963, 358, kBlack, "curve body"},
        {972, 337, kWhite, "curve slot"},
        // The bottom straight: between its lanes (y 1353 mm -> 676).
        {650, 676, kBlack, "bottom body"},
        // Far right of the work area: background.
        {1450, 950, kWhite, "background outside"},
    };
    for (const Probe& p : probes) {
        QVERIFY2(img.pixel(p.x, p.y) == p.want, qPrintable(QStringLiteral("%1 at (%2, %3): %4")
                                                               .arg(QLatin1String(p.what))
                                                               .arg(p.x)
                                                               .arg(p.y)
                                                               .arg(Hex(img.pixel(p.x, p.y)))));
    }
    // The work area is covered: nothing of the red underneath is left.
    for (int y = 0; y < img.height(); y += 7) {
        for (int x = 0; x < img.width(); x += 7) QVERIFY(img.pixel(x, y) != 0xFFFF0000);
    }
}

void DrawTest::shadowsAppearAtDetailFour() {
    // Under the top straight's inner edge (y 780 mm = 390): nothing at detail
    // 3; at detail 4 the shadow, round(15 / 2) = 8 pixels down, reaches 398.
    QCOMPARE(Paint(Oval(3)).pixel(650, 395), kWhite);
    const QImage shaded = Paint(Oval(4));
    QCOMPARE(shaded.pixel(650, 395), kShadow);
    QCOMPARE(shaded.pixel(650, 402), kWhite);
    QCOMPARE(shaded.pixel(650, 345), kBlack);  // the piece lies over its shadow
}

void DrawTest::thinLinesLandOnTheNearestPixels() {
    // A shallow line from (0, 0) to (20, 3): one pixel per column, in the
    // row nearest 3x/20 (at x = 10, 1.5, the lower end's side rounds up),
    // and nothing else; drawn backwards, the same pixels.
    for (bool backwards : {false, true}) {
        QImage img(30, 10, QImage::Format_RGB32);
        img.fill(Qt::white);
        {
            PainterCanvas canvas(&img);
            if (backwards) {
                canvas.line(20, 3, 0, 0);
            } else {
                canvas.line(0, 0, 20, 3);
            }
        }
        for (int x = 0; x < 30; ++x) {
            for (int y = 0; y < 10; ++y) {
                const bool on = x <= 20 && y == static_cast<int>(std::floor(3.0 * x / 20.0 + 0.5));
                QVERIFY2((img.pixel(x, y) == kBlack) == on,
                         qPrintable(QStringLiteral("(%1, %2) backwards %3").arg(x).arg(y).arg(backwards)));
            }
        }
    }
    // A steep one on an ARGB image, and a polygon outline through the same
    // plotting: every corner pixel is there.
    QImage img(20, 20, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    {
        PainterCanvas canvas(&img);
        canvas.setPenColour(0x0000FF);
        canvas.line(2, 1, 4, 17);
        canvas.setBrushStyle(BrushStyle::Clear);
        const std::array<PixelPoint, 3> triangle{{{10, 2}, {18, 2}, {18, 10}}};
        canvas.polygon(triangle);
    }
    int ink = 0;
    for (int y = 1; y <= 17; ++y) {
        int inRow = 0;
        for (int x = 0; x < 8; ++x) inRow += img.pixel(x, y) == 0xFFFF0000 ? 1 : 0;
        QCOMPARE(inRow, 1);
        ++ink;
    }
    QCOMPARE(ink, 17);
    for (const QPoint p : {QPoint(10, 2), QPoint(18, 2), QPoint(18, 10), QPoint(14, 6)}) {
        QCOMPARE(img.pixel(p), 0xFFFF0000);
    }
}

void DrawTest::farLinesAreClippedNotWalked() {
    // Ends far outside the image, up to the 32-bit limits: the visible part
    // is drawn, and quickly, since only the steps inside are walked.
    QImage img(40, 30, QImage::Format_RGB32);
    img.fill(Qt::white);
    QElapsedTimer timer;
    timer.start();
    {
        PainterCanvas canvas(&img);
        canvas.line(-1000000000, 5, 1000000000, 5);
        canvas.line(INT_MIN, INT_MIN, INT_MAX, INT_MAX);  // through (k, k)
        canvas.line(-5, -100, -5, 100);                   // entirely off
    }
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
    for (int x = 0; x < 40; ++x) QCOMPARE(img.pixel(x, 5), kBlack);
    for (int k = 0; k < 30; ++k) QCOMPARE(img.pixel(k, k), kBlack);
    int ink = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) ink += img.pixel(x, y) == kBlack ? 1 : 0;
    QCOMPARE(ink, 40 + 30 - 1);  // (5, 5) is on both
}

void DrawTest::transformedOrClippedPaintersKeepQtsLines() {
    // A painter that was moved or clipped by its owner: the canvas's lines
    // go where the painter puts them.
    QImage img(30, 10, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter painter(&img);
        painter.translate(5, 0);
        painter.setClipRect(QRect(0, 0, 20, 10));  // in moved coordinates: x 5 .. 24
        PainterCanvas canvas(painter);
        canvas.line(0, 2, 29, 2);
    }
    for (int x = 0; x < 30; ++x) QCOMPARE(img.pixel(x, 2), (x >= 5 && x < 25) ? kBlack : kWhite);
}

QTEST_MAIN(DrawTest)
#include "DrawTest.moc"
