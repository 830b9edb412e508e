// The main window from the keyboard alone: every menu and item has a letter
// of its own in either language, Alt+letter and F10 open the menus, and the
// Delete key takes the selected pieces unless a text field has the focus.

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <set>

#include "QuietWindow.h"
#include "app/gui/DrawingSurface.h"
#include "app/gui/Mnemonics.h"
#include "app/gui/Sdimain.h"
#include "app/gui/Startup.h"
#include "model/Tracks.h"
#include "text/Languages.h"

using namespace quillet;

namespace {

struct Window : testing::QuietWindow {
    Window() : QuietWindow(true) {}
    // Three straights, the second one selected.
    void ThreeStraightsSecondSelected() {
        TCircuit& c = Circuit();
        c.startX = 1000;
        c.startY = 1000;
        for (int i = 0; i < 3; ++i) c.Append(kStandardStraight, 1, 1);
        c.ReLay(false);
        w->FormActualize();
        // (1650, 1090) mm at 5 mm per pixel: piece 2.
        QTest::mouseClick(w->Surface()->Image1(), Qt::LeftButton, {}, QPoint(330, 218));
        QCOMPARE(c.firstSelected, 2);
    }
};

// Where a menu's items share a letter or one has none: "menu: item".
void CheckLevel(const QString& where, const QList<QAction*>& actions, QStringList& faults) {
    std::set<char16_t> seen;
    QStringList captions;
    for (QAction* a : actions) captions << a->text();
    const QString level = QStringLiteral(" among ") + captions.join(QLatin1Char('|'));
    for (QAction* a : actions) {
        if (a->isSeparator() || a->text().isEmpty()) continue;
        const QChar letter = MnemonicOf(a->text());
        if (letter.isNull()) {
            faults << where + QStringLiteral(": no letter in ") + a->text() + level;
        } else if (!seen.insert(letter.unicode()).second) {
            faults << where + QStringLiteral(": second ") + letter + QStringLiteral(" in ") + a->text() + level;
        }
        if (QMenu* sub = a->menu())
            CheckLevel(where + QLatin1Char('/') + WithoutMnemonic(a->text()), sub->actions(), faults);
    }
}

}  // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void cleanup() { SetLanguageIndex(kSpanish); }

    void captionsKeepTheirTextAroundTheMnemonic() {
        QCOMPARE(WithMnemonics({QStringLiteral("Archivo"), QStringLiteral("Edición"), QStringLiteral("Ayuda")}),
                 (QStringList{QStringLiteral("&Archivo"), QStringLiteral("&Edición"), QStringLiteral("A&yuda")}));
        // A word's first letter first, then the first free letter; a literal
        // ampersand stays doubled and is never the mark.
        QCOMPARE(WithMnemonics({QStringLiteral("Save"), QStringLiteral("Save As..."), QStringLiteral("Setup"),
                                QStringLiteral("R&&D"), QStringLiteral("&&")}),
                 (QStringList{QStringLiteral("&Save"), QStringLiteral("Save &As..."), QStringLiteral("S&etup"),
                              QStringLiteral("&R&&D"), QStringLiteral("&&")}));
        // A letter already marked stays while it is free; numbers too.
        QCOMPARE(WithMnemonics({QStringLiteral("&1 a.QLC"), QStringLiteral("&2 b.QLC"), QStringLiteral("Borrar")}),
                 (QStringList{QStringLiteral("&1 a.QLC"), QStringLiteral("&2 b.QLC"), QStringLiteral("&Borrar")}));
        QCOMPARE(WithMnemonics({QStringLiteral("&Open"), QStringLiteral("&Other")}),
                 (QStringList{QStringLiteral("&Open"), QStringLiteral("O&ther")}));
        QCOMPARE(WithoutMnemonic(QStringLiteral("Save &As && Go")), QStringLiteral("Save As & Go"));
        QCOMPARE(MnemonicOf(QStringLiteral("Save &As")), QChar(u'a'));
        QVERIFY(MnemonicOf(QStringLiteral("R&&D")).isNull());
    }

    void everyMenuHasALetterOfItsOwnInBothLanguages() {
        Window win;
        for (const int language : {kSpanish, kEnglish, kSpanish}) {
            SetLanguageIndex(language);
            win.w->ApplyLanguage();
            // The File menu fills its recent files as it opens.
            win.w->FillRecentMenu();
            QStringList faults;
            CheckLevel(QStringLiteral("bar"), win.w->menuBar()->actions(), faults);
            for (const char* popup : {"PopupMenu1", "PopupMenu2"}) {
                auto* menu = win.w->findChild<QMenu*>(QLatin1String(popup));
                QVERIFY(menu != nullptr);
                CheckLevel(QLatin1String(popup), menu->actions(), faults);
            }
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        }
        // The texts themselves are the table's.
        SetLanguageIndex(kEnglish);
        win.w->ApplyLanguage();
        auto* file = win.w->findChild<QMenu*>(QStringLiteral("File1"));
        QCOMPARE(WithoutMnemonic(file->title()), QStringLiteral("File"));
        QCOMPARE(file->title(), QStringLiteral("&File"));
    }

    void altLetterOpensTheMenuInBothLanguages() {
        Window win;
        for (const int language : {kSpanish, kEnglish}) {
            SetLanguageIndex(language);
            win.w->ApplyLanguage();
            for (const char* name : {"Edit1", "File1"}) {
                auto* menu = win.w->findChild<QMenu*>(QLatin1String(name));
                QVERIFY(menu != nullptr);
                const QChar letter = MnemonicOf(menu->title());
                QVERIFY2(!letter.isNull(), qPrintable(menu->title()));
                QVERIFY(!menu->isVisible());
                win.w->activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(win.w.get()));
                QTest::keyClick(win.w.get(), static_cast<Qt::Key>(letter.toUpper().unicode()), Qt::AltModifier);
                QTRY_VERIFY2(menu->isVisible(), qPrintable(menu->title()));
                // Escape closes the menu, a second one leaves the bar.
                QTest::keyClick(menu, Qt::Key_Escape);
                QTRY_VERIFY(!menu->isVisible());
                QTest::keyClick(win.w->menuBar(), Qt::Key_Escape);
            }
        }
    }

    void f10OpensTheFirstMenu() {
        Window win;
        auto* file = win.w->findChild<QMenu*>(QStringLiteral("File1"));
        win.w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(win.w.get()));
        QTest::keyClick(win.w.get(), Qt::Key_F10);
        QTRY_VERIFY(file->isVisible());
        file->close();
    }

    void deleteKeyTakesTheSelectedPieceOutsideTextFields() {
        Window win;
        win.ThreeStraightsSecondSelected();
        // A text field of the window keeps Delete for its own text.
        auto* field = new QLineEdit(QStringLiteral("abc"), win.w.get());
        field->move(10, 10);
        field->show();
        field->setFocus();
        field->setCursorPosition(0);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(field));
        QTest::keyClick(field, Qt::Key_Delete);
        QCOMPARE(field->text(), QStringLiteral("bc"));
        QCOMPARE(win.Circuit().Count(), 3);
        QCOMPARE(win.Circuit().firstSelected, 2);
        delete field;

        // Elsewhere it deletes the selection, as Ctrl+Del does.
        win.w->Surface()->Image1()->setFocus();
        QTest::keyClick(win.w.get(), Qt::Key_Delete);
        QCOMPARE(win.Circuit().Count(), 2);
        QTest::mouseClick(win.w->Surface()->Image1(), Qt::LeftButton, {}, QPoint(250, 218));  // piece 1
        QCOMPARE(win.Circuit().firstSelected, 1);
        QTest::keyClick(win.w.get(), Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(win.Circuit().Count(), 1);
        QVERIFY(win.prompter.said.isEmpty());
    }
};

QTEST_MAIN(KeyboardTest)
#include "KeyboardTest.moc"
