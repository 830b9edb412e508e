// The main window's two drop-down buttons (Insert Icon and the track
// surface, shown by Alt+6) and the Edit menu's track clipboard, driven as a
// user drives them: menu items, button clicks and shortcuts.

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "QuietWindow.h"
#include "app/gui/DrawingSurface.h"
#include "app/gui/Mnemonics.h"
#include "app/gui/Sdimain.h"
#include "app/gui/Startup.h"
#include "app/gui/pictures/ToolbarPictures.h"
#include "model/Tracks.h"
#include "stock/StockFile.h"
#include "text/Languages.h"
#include "text/gui/ApplyTexts.h"

#include <fstream>

using namespace quillet;

namespace {

class Script : public quillet::testing::ToolQuestionsDeclined {
public:
    QStringList log;
    void Information(int entry, const std::string& suffix) override {
        log << QStringLiteral("information %1").arg(entry) + QStr(suffix);
    }
    SaveAnswer AskSaveChanges() override { return SaveAnswer::No; }
    std::optional<std::string> AskOpenCircuitName() override { return std::nullopt; }
    std::optional<std::string> AskSaveCircuitName(const std::string&) override { return std::nullopt; }
    std::optional<std::string> AskTemplateName() override { return std::nullopt; }
    bool AskYesNo(const std::string&) override { return false; }
    void ShowError(const std::string& message) override { log << QStr(message); }
    bool EditSettings(TSettingsValues&) override { return false; }

private:
    // A question no test here expects: written down, and declined.
    void Unasked(QLatin1String what) override { log << what; }
};

// An English start, so the captions read as the English table has them.
std::unique_ptr<TSDIAppForm> StartInEnglish(QTemporaryDir& folder, Script& script) {
    std::ofstream(StdStr(folder.filePath(QLatin1String(kStockFileName))), std::ios::binary)
        << StockFileBytes(TTrackList{}, kEnglish);
    return StartProgram({folder.path(), folder.path(), &script});
}

QImage IconPixels(const QIcon& icon) { return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32); }
QImage IconPixels(const char16_t* name) { return IconPixels(ToolbarPicture(QStringView(name))); }

QStringList Names(const QMenu* menu) {
    QStringList names;
    for (const QAction* a : menu->actions()) names << a->objectName();
    return names;
}
QStringList Captions(const QMenu* menu) {
    QStringList captions;
    for (const QAction* a : menu->actions()) captions << WithoutMnemonic(a->text());
    return captions;
}

// Four NINCO standard straights, piece `selected` selected, refreshed.
void FourStraights(TSDIAppForm& w, int selected) {
    TCircuit& c = w.Editor().Circuit();
    for (int i = 0; i < 4; ++i) c.Append(kStandardStraight, 1, 1);
    c.ReLay(false);
    c.Track(selected).selected = true;
    c.firstSelected = c.lastSelected = selected;
    w.FormActualize();
}

}  // namespace

class DropDownsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void cleanup() { SetLanguageIndex(kSpanish); }

    void insertIconMenuChoosesTheKindAndStartsPlacement() {
        QTemporaryDir folder;
        Script script;
        auto w = StartInEnglish(folder, script);
        QToolButton* button = w->Button(ControlId::ToolButton23);
        QCOMPARE(button->popupMode(), QToolButton::MenuButtonPopup);
        QMenu* menu = button->menu();
        QCOMPARE(menu->objectName(), QStringLiteral("PopupMenu1"));
        QCOMPARE(Names(menu), (QStringList{QStringLiteral("asd1"), QStringLiteral("asd2"), QStringLiteral("asd3"),
                                           QStringLiteral("Helper"), QStringLiteral("PowerSource1")}));
        QCOMPARE(Captions(menu),
                 (QStringList{QStringLiteral("Controller"), QStringLiteral("Lap Counter"), QStringLiteral("Start"),
                              QStringLiteral("Assistant"), QStringLiteral("Power Source")}));
        QCOMPARE(IconPixels(button->icon()), IconPixels(u"insert-icon-lap-counter"));

        // A piece selected beforehand: choosing an icon deselects it.
        FourStraights(*w, 2);
        QVERIFY(w->Action(ControlId::CopyTrack1)->isEnabled());
        menu->actions().at(2)->trigger();  // Start
        QCOMPARE(IconPixels(button->icon()), IconPixels(u"insert-icon-start"));
        QVERIFY(w->Editor().PlacementMode());
        QCOMPARE(IconKindOfImage(w->Editor().IconImage()), 2);
        QCOMPARE(w->Surface()->Image1()->cursor().shape(), Qt::CrossCursor);
        QCOMPARE(w->Editor().Circuit().firstSelected, 0);
        QVERIFY(!w->Action(ControlId::CopyTrack1)->isEnabled());

        // The window coming back to the front (the menu closing) keeps it,
        // so the click that follows still places the icon.
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(w.get(), &activate);
        QVERIFY(w->Editor().PlacementMode());
        QCOMPARE(w->Surface()->Image1()->cursor().shape(), Qt::CrossCursor);

        // The next refresh ends placement; the button itself starts it again
        // with the same kind.
        w->Button(ControlId::ToolButton18)->click();  // Grid
        QVERIFY(!w->Editor().PlacementMode());
        QCOMPARE(w->Surface()->Image1()->cursor().shape(), Qt::ArrowCursor);
        button->click();
        QVERIFY(w->Editor().PlacementMode());
        QCOMPARE(IconKindOfImage(w->Editor().IconImage()), 2);
        QCOMPARE(w->Surface()->Image1()->cursor().shape(), Qt::CrossCursor);

        // Every item puts its own picture on the button.
        const char16_t* pictures[] = {u"insert-icon-controller", u"insert-icon-lap-counter", u"insert-icon-start",
                                      u"insert-icon-assistant", u"insert-icon-power-source"};
        for (int i = 0; i < 5; ++i) {
            menu->actions().at(i)->trigger();
            QCOMPARE(IconPixels(button->icon()), IconPixels(pictures[i]));
        }
        QVERIFY(script.log.isEmpty());
    }

    void surfaceButtonAppearsWithAltSixAndSetsTheSurface() {
        QTemporaryDir folder;
        Script script;
        auto w = StartInEnglish(folder, script);
        w->show();
        QToolButton* button = w->Button(ControlId::ToolButton33);
        QVERIFY(!w->IsShown(ControlId::ToolButton33));
        QTest::keyClick(w.get(), Qt::Key_6, Qt::AltModifier);
        QVERIFY(w->IsShown(ControlId::ToolButton33));
        QVERIFY(w->IsShown(ControlId::TiemposEstimados1));
        QMenu* menu = button->menu();
        QCOMPARE(menu->objectName(), QStringLiteral("PopupMenu2"));
        QCOMPARE(Names(menu), (QStringList{QStringLiteral("N11"), QStringLiteral("N21"), QStringLiteral("N31"),
                                           QStringLiteral("N41")}));
        QCOMPARE(Captions(menu), (QStringList{QStringLiteral("Asphalt"), QStringLiteral("Snow"), QStringLiteral("Sand"),
                                              QStringLiteral("Water")}));
        QCOMPARE(IconPixels(button->icon()), IconPixels(u"surface-asphalt"));

        // Snow with nothing selected: only the button changes.
        TCircuit& c = w->Editor().Circuit();
        for (int i = 0; i < 4; ++i) c.Append(kStandardStraight, 1, 1);
        c.ReLay(false);
        w->FormActualize();
        menu->actions().at(1)->trigger();
        QCOMPARE(IconPixels(button->icon()), IconPixels(u"surface-snow"));
        for (const TTrack& t : c.Tracks()) QCOMPARE(t.surface, kSurfaceNone);
        QVERIFY(!c.modified);

        // Then, with piece 3 selected, the button gives it snow. The refresh
        // keeps the button shown.
        c.Track(3).selected = true;
        c.firstSelected = c.lastSelected = 3;
        w->FormActualize();
        button->click();
        QCOMPARE(w->Editor().Circuit().Track(3).surface, kSurfaceSnow);
        QVERIFY(w->Editor().Circuit().modified);
        QVERIFY(w->IsShown(ControlId::ToolButton33));

        // Sand from the menu with the piece selected: the piece, not the button.
        menu->actions().at(2)->trigger();
        QCOMPARE(w->Editor().Circuit().Track(3).surface, kSurfaceSand);
        QCOMPARE(IconPixels(button->icon()), IconPixels(u"surface-snow"));

        QTest::keyClick(w.get(), Qt::Key_6, Qt::AltModifier);
        QVERIFY(!w->IsShown(ControlId::ToolButton33));
        QVERIFY(!w->IsShown(ControlId::TiemposEstimados1));
    }

    void clipboardThroughTheEditMenuAndItsShortcuts() {
        QTemporaryDir folder;
        Script script;
        auto w = StartInEnglish(folder, script);
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QCOMPARE(WithoutMnemonic(w->Action(ControlId::CutTrack1)->text()), QStringLiteral("Cut Tracks"));
        QCOMPARE(WithoutMnemonic(w->Action(ControlId::SelectAll1)->text()), QStringLiteral("Select All"));
        FourStraights(*w, 2);
        w->Editor().Circuit().Track(2).SetBorder(kOuterBorder, true);

        QTest::keyClick(w.get(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(w->Editor().ClipboardCircuit().Count(), 1);
        QTest::keyClick(w.get(), Qt::Key_V, Qt::ControlModifier);
        TCircuit& c = w->Editor().Circuit();
        QCOMPARE(c.Count(), 5);
        QCOMPARE(c.firstSelected, 3);
        QVERIFY(c.Track(3).Border(kOuterBorder));
        // 5 x 400 mm by 180 mm, with the two 50 mm outer borders beside it.
        QCOMPARE(w->Panel(2)->text(), QStringLiteral("200 x 23 cm"));

        // Select All and Cut take everything; Paste is then disabled, and
        // its shortcut does nothing.
        w->Action(ControlId::SelectAll1)->trigger();
        QTest::keyClick(w.get(), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(w->Editor().Circuit().Count(), 0);
        QCOMPARE(w->Editor().ClipboardCircuit().Count(), 5);
        QVERIFY(!w->Action(ControlId::PasteTrack1)->isEnabled());
        QVERIFY(!w->Action(ControlId::SelectAll1)->isEnabled());
        QTest::keyClick(w.get(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w->Editor().Circuit().Count(), 0);

        // Undo brings the five back.
        QTest::keyClick(w.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w->Editor().Circuit().Count(), 5);
        QVERIFY(script.log.isEmpty());
    }
};

QTEST_MAIN(DropDownsTest)
#include "DropDownsTest.moc"
