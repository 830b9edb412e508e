// Editing in the real window, as a user does it: clicks on the drawing, the
// curve buttons pressed and released with either mouse button, a measuring
// drag and an accessory dragged across the drawing.

#include <QAction>
#include <QLabel>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "QuietWindow.h"
#include "app/gui/DrawingSurface.h"
#include "app/gui/Sdimain.h"
#include "app/gui/Startup.h"
#include "model/Tracks.h"
#include "text/Languages.h"

using namespace quillet;

namespace {

struct Window : testing::QuietWindow {
    Window() : QuietWindow(false) {}
    TImageView* Image1() { return w->Surface()->Image1(); }
    // Three NINCO straights from (1000, 1000) mm: at 5 mm per pixel piece i
    // lies from x = 200 + 80 (i - 1) to 280 + 80 (i - 1) px, y 200..236 px.
    void ThreeStraights() {
        TCircuit& c = Circuit();
        c.startX = 1000;
        c.startY = 1000;
        for (int i = 0; i < 3; ++i) c.Append(kStandardStraight, 1, 1);
        c.ReLay(false);
        w->FormActualize();
    }
};

QPoint Centre(QWidget* w) { return w->rect().center(); }

}  // namespace

class EditingWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void cleanup() { SetLanguageIndex(kSpanish); }

    void aClickOnTheDrawingSelectsThePieceUnderIt() {
        Window win;
        win.ThreeStraights();
        const QImage before = win.w->Drawing();
        QTest::mouseClick(win.Image1(), Qt::LeftButton, {}, QPoint(330, 218));  // (1650, 1090) mm: piece 2
        QCOMPARE(win.Circuit().firstSelected, 2);
        QVERIFY(win.Circuit().Track(2).selected);
        // The selected piece is drawn highlighted.
        QVERIFY(win.w->Drawing() != before);
        QVERIFY(win.w->Action(ControlId::CopyTrack1)->isEnabled());

        // Shift-click widens the range; Delete from the menu takes it.
        QTest::mouseClick(win.Image1(), Qt::LeftButton, Qt::ShiftModifier, QPoint(410, 218));
        QCOMPARE(win.Circuit().lastSelected, 3);
        win.w->Action(ControlId::Delete1)->trigger();
        QCOMPARE(win.Circuit().Count(), 1);

        // A click on empty ground selects nothing and says where it was:
        // (100, 50) px = (500, 250) mm.
        QTest::mouseClick(win.Image1(), Qt::LeftButton, {}, QPoint(100, 50));
        QCOMPARE(win.Circuit().firstSelected, 0);
        QCOMPARE(win.w->Panel(0)->text(), QStringLiteral("x = 50 cm; y = 25 cm"));
        QVERIFY(!win.w->Action(ControlId::CopyTrack1)->isEnabled());
        QVERIFY(win.prompter.said.isEmpty());
    }

    void rightPressAndReleaseOnTheStandardCurveInsertsAClockwiseCurve() {
        Window win;
        win.ThreeStraights();
        QTest::mouseClick(win.Image1(), Qt::LeftButton, {}, QPoint(410, 218));  // piece 3
        QToolButton* curve = win.w->Button(ControlId::ToolButton30);
        QTest::mousePress(curve, Qt::RightButton, {}, Centre(curve));
        QVERIFY(curve->isDown());
        QCOMPARE(win.Circuit().Count(), 3);
        QTest::mouseRelease(curve, Qt::RightButton, {}, Centre(curve));
        QVERIFY(!curve->isDown());
        QCOMPARE(win.Circuit().Count(), 4);
        QCOMPARE(int(win.Circuit().Track(4).type), int(kStandardCurve));
        QCOMPARE(int(win.Circuit().Track(4).orientation), 0);
        // The left button: anticlockwise, on the inner curve button.
        QToolButton* inner = win.w->Button(ControlId::ToolButton29);
        QTest::mousePress(inner, Qt::LeftButton, {}, Centre(inner));
        QTest::mouseRelease(inner, Qt::LeftButton, {}, Centre(inner));
        QCOMPARE(win.Circuit().Count(), 5);
        QCOMPARE(int(win.Circuit().Track(5).type), int(kInnerCurve));
        QCOMPARE(int(win.Circuit().Track(5).orientation), 1);
        // A plain click on an insert button inserts at once.
        win.w->Button(ControlId::ToolButton25)->click();
        QCOMPARE(int(win.Circuit().Track(6).type), int(kHalfStraight));
        QVERIFY(win.prompter.said.isEmpty());
    }

    void aReleaseAwayFromTheButtonInsertsNothing() {
        Window win;
        win.ThreeStraights();
        QTest::mouseClick(win.Image1(), Qt::LeftButton, {}, QPoint(410, 218));
        QToolButton* curve = win.w->Button(ControlId::ToolButton30);
        QTest::mousePress(curve, Qt::LeftButton, {}, Centre(curve));
        QVERIFY(curve->isDown());
        // Off the button it shows released; back on it, pressed again.
        QTest::mouseMove(curve, QPoint(curve->width() + 30, curve->height() / 2));
        QVERIFY(!curve->isDown());
        QTest::mouseMove(curve, Centre(curve));
        QVERIFY(curve->isDown());
        QTest::mouseMove(curve, QPoint(-30, 200));
        QTest::mouseRelease(curve, Qt::LeftButton, {}, QPoint(-30, 200));
        QVERIFY(!curve->isDown());
        QCOMPARE(win.Circuit().Count(), 3);
        // A disabled button takes no press at all: on four lanes the super
        // outer curve is off.
        win.Circuit() = TCircuit(1000, 1000);
        win.Circuit().lanePairs = 2;
        win.Circuit().Append(kStandardStraight, 1, 1);
        win.Circuit().ReLay(false);
        win.w->FormActualize();
        QToolButton* superOuter = win.w->Button(ControlId::ToolButton32);
        QVERIFY(!superOuter->isEnabled());
        QTest::mousePress(superOuter, Qt::LeftButton, {}, Centre(superOuter));
        QTest::mouseRelease(superOuter, Qt::LeftButton, {}, Centre(superOuter));
        QVERIFY(!superOuter->isDown());
        QCOMPARE(win.Circuit().Count(), 1);
    }

    void aRightDragMeasuresAndLeavesThePictureAsItWas() {
        Window win;
        win.ThreeStraights();
        const QImage before = win.w->Drawing();
        QTest::mousePress(win.Image1(), Qt::RightButton, {}, QPoint(100, 100));
        QTest::mouseMove(win.Image1(), QPoint(160, 180));
        // 100 px at 5 mm per pixel: 50 cm.
        QCOMPARE(win.w->Panel(0)->text(), QStringLiteral("Distancia: 50 cm"));
        QVERIFY(win.w->Drawing() != before);
        // The line inverts what it crosses: halfway along, at (130, 140).
        QCOMPARE((win.w->Drawing().pixel(130, 140) ^ before.pixel(130, 140)) & 0xFFFFFFu, 0xFFFFFFu);
        QTest::mouseMove(win.Image1(), QPoint(100, 200));
        QTest::mouseRelease(win.Image1(), Qt::RightButton, {}, QPoint(100, 200));
        QCOMPARE(win.w->Drawing(), before);
        QCOMPARE(win.w->Panel(0)->text(), QStringLiteral("Distancia: 50 cm"));
        QVERIFY(!win.Circuit().modified);
    }

    void anAccessoryIsPlacedAndDraggedWithTheMouse() {
        Window win;
        win.ThreeStraights();
        TEditor& editor = win.w->Editor();
        editor.SetIconImage(kImageStart);
        editor.SetPlacementMode(true);
        QTest::mouseClick(win.Image1(), Qt::LeftButton, {}, QPoint(200, 100));
        TIconSlot& icon = win.Circuit().Icon(1);
        QCOMPARE(icon.kind, 2);
        QCOMPARE(icon.x, 920.0);
        QCOMPARE(icon.y, 420.0);
        QVERIFY(win.Circuit().modified);
        const QImage placed = win.w->Drawing();

        // Picked up, it leaves the picture and rides above it.
        win.Circuit().modified = false;
        QTest::mousePress(win.Image1(), Qt::LeftButton, {}, QPoint(200, 100));
        QVERIFY(icon.selected);
        QCOMPARE(win.Image1()->OverlayRect(), QRect(184, 84, 32, 32));
        QTest::mouseMove(win.Image1(), QPoint(201, 100));  // not yet a drag
        QCOMPARE(icon.x, 920.0);
        QTest::mouseMove(win.Image1(), QPoint(260, 130));
        QCOMPARE(icon.x, 920.0 + 60 * 5);
        QCOMPARE(icon.y, 420.0 + 30 * 5);
        QCOMPARE(win.Image1()->OverlayRect(), QRect(244, 114, 32, 32));
        QTest::mouseRelease(win.Image1(), Qt::LeftButton, {}, QPoint(260, 130));
        QVERIFY(win.Image1()->OverlayRect().isNull());
        QVERIFY(win.w->Drawing() != placed);
        QVERIFY(!win.Circuit().modified);
        // Delete takes the selected accessory first.
        win.w->Button(ControlId::ToolButton19)->click();
        QCOMPARE(win.Circuit().Icon(1).kind, 0);
        QCOMPARE(win.Circuit().Count(), 3);
    }
};

QTEST_MAIN(EditingWindowTest)
#include "EditingWindowTest.moc"
