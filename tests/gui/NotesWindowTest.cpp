// The Notes window as a user meets it: opened over the main window without
// blocking it, typed and pasted into up to 512 characters, hidden by OK with
// the text kept, in step with the circuit through New and Open, and in the
// language chosen in Settings.

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <deque>
#include <functional>

#include "QuietWindow.h"
#include "app/gui/Mnemonics.h"
#include "app/gui/Sdimain.h"
#include "app/gui/Startup.h"
#include "model/Tracks.h"
#include "text/Languages.h"
#include "text/gui/ApplyTexts.h"
#include "tools/gui/Notes.h"

using namespace quillet;

namespace {

class Script : public quillet::testing::ToolQuestionsDeclined {
public:
    std::deque<std::optional<std::string>> openNames;
    std::deque<std::optional<std::string>> saveNames;
    std::deque<SaveAnswer> saveAnswers;
    std::function<bool(TSettingsValues&)> settings;
    QStringList log;

    void Information(int entry, const std::string& suffix) override {
        log << QStringLiteral("information %1").arg(entry) + QStr(suffix);
    }
    SaveAnswer AskSaveChanges() override {
        log << QStringLiteral("save?");
        return saveAnswers.empty() ? SaveAnswer::Cancel : Pop(saveAnswers);
    }
    std::optional<std::string> AskOpenCircuitName() override {
        return openNames.empty() ? std::nullopt : Pop(openNames);
    }
    std::optional<std::string> AskSaveCircuitName(const std::string&) override {
        return saveNames.empty() ? std::nullopt : Pop(saveNames);
    }
    std::optional<std::string> AskTemplateName() override { return std::nullopt; }
    bool AskYesNo(const std::string&) override { return false; }
    void ShowError(const std::string& message) override { log << QStr(message); }
    bool EditSettings(TSettingsValues& values) override { return settings && settings(values); }

private:
    // A question no test here expects: written down, and declined.
    void Unasked(QLatin1String what) override { log << what; }
    template <class T>
    static T Pop(std::deque<T>& q) {
        T v = q.front();
        q.pop_front();
        return v;
    }
};

// Types text key by key as a keyboard with those keys would (QTest's own
// keyClicks takes ASCII only).
void Type(QWidget* widget, const QString& text) {
    for (const QChar ch : text) {
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(ch.toUpper().unicode()), QString(ch), Qt::NoModifier);
    }
}

QString Repeated(const QString& s, int n) {
    QString out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

}  // namespace

class NotesWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void cleanup() { SetLanguageIndex(kSpanish); }

    void opensOverTheMainWindowWithoutBlockingIt() {
        QTemporaryDir folder;
        Script script;
        auto w = StartProgram({folder.path(), folder.path(), &script});
        w->show();
        TForm11* notes = w->NotesWindow();
        QVERIFY(!notes->isVisible());
        w->Button(ControlId::ToolButton55)->click();
        QVERIFY(notes->isVisible());
        QVERIFY(!notes->isModal());
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QCOMPARE(notes->windowType(), Qt::Tool);
        QCOMPARE(notes->parentWidget(), w.get());
        QCOMPARE(notes->windowTitle(), QStringLiteral("Notas"));
        QCOMPARE(notes->Button1()->text(), QStringLiteral("Aceptar"));

        // The circuit can be edited meanwhile.
        w->Editor().Circuit().Append(kStandardStraight, 1, 1);
        w->Editor().Circuit().ReLay(false);
        w->FormActualize();
        w->Action(ControlId::SelectAll1)->trigger();
        QCOMPARE(w->Editor().Circuit().lastSelected, 1);
        QVERIFY(notes->isVisible());

        // OK hides it; the menu item shows it again.
        Type(notes->Memo1(), QStringLiteral("Curva rápida"));
        notes->Button1()->click();
        QVERIFY(!notes->isVisible());
        w->Action(ControlId::Notes1)->trigger();
        QVERIFY(notes->isVisible());
        QCOMPARE(notes->Memo1()->toPlainText(), QStringLiteral("Curva rápida"));
        // So does its close box.
        notes->close();
        QVERIFY(!notes->isVisible());
        QCOMPARE(w->Editor().Notes(), std::string("Curva rápida"));
    }

    void typingReachesTheCircuitButDoesNotModifyIt() {
        QTemporaryDir folder;
        Script script;
        auto w = StartProgram({folder.path(), folder.path(), &script});
        w->Button(ControlId::ToolButton55)->click();
        TNotesMemo* memo = w->NotesWindow()->Memo1();
        Type(memo, QStringLiteral("Carril 2"));
        QTest::keyClick(memo, Qt::Key_Return);
        Type(memo, QStringLiteral("más lento"));
        QTest::keyClick(memo, Qt::Key_Return, Qt::ShiftModifier);  // a plain break too
        Type(memo, QStringLiteral("ok"));
        QCOMPARE(w->Editor().Notes(), std::string("Carril 2\nmás lento\nok"));
        QVERIFY(!w->Editor().Circuit().modified);
        QCOMPARE(w->NotesWindow()->findChild<QLabel*>(QStringLiteral("CharacterCount"))->text(),
                 QStringLiteral("21 / 512"));
        // Deleting is editing too.
        QTest::keyClick(memo, Qt::Key_Backspace);
        QCOMPARE(w->Editor().Notes(), std::string("Carril 2\nmás lento\no"));
    }

    void typingStopsAt512Characters() {
        QTemporaryDir folder;
        Script script;
        auto w = StartProgram({folder.path(), folder.path(), &script});
        w->Editor().Memo1Change(StdStr(Repeated(QStringLiteral("a"), 510)));
        w->FormActualize();
        w->Button(ControlId::ToolButton55)->click();
        TNotesMemo* memo = w->NotesWindow()->Memo1();
        memo->moveCursor(QTextCursor::End);
        // 510 + "é" + "ñ" = 512; "ü" and "x" find no room.
        Type(memo, QStringLiteral("éñüx"));
        const QString expected = Repeated(QStringLiteral("a"), 510) + QStringLiteral("éñ");
        QCOMPARE(memo->toPlainText(), expected);
        QCOMPARE(QStr(w->Editor().Notes()), expected);
        QCOMPARE(w->Editor().Notes().size(), std::size_t{514});  // bytes: two of them take two
        QTest::keyClick(memo, Qt::Key_Return);
        QCOMPARE(memo->toPlainText(), expected);
        // Typing over a selected character replaces it.
        QTest::keyClick(memo, Qt::Key_Left, Qt::ShiftModifier);
        Type(memo, QStringLiteral("ü"));
        QCOMPARE(memo->toPlainText(), Repeated(QStringLiteral("a"), 510) + QStringLiteral("éü"));
        // Room again after a deletion.
        QTest::keyClick(memo, Qt::Key_Backspace);
        Type(memo, QStringLiteral("xy"));
        QCOMPARE(memo->toPlainText(), Repeated(QStringLiteral("a"), 510) + QStringLiteral("éx"));
    }

    void pastingTakesWhatFits() {
        QTemporaryDir folder;
        Script script;
        auto w = StartProgram({folder.path(), folder.path(), &script});
        w->Editor().Memo1Change(StdStr(Repeated(QStringLiteral("b"), 505)));
        w->FormActualize();
        w->Button(ControlId::ToolButton55)->click();
        TNotesMemo* memo = w->NotesWindow()->Memo1();
        memo->moveCursor(QTextCursor::End);
        // 505 + 7 = 512: "ñandú", one line break for the CR LF, "Á".
        QGuiApplication::clipboard()->setText(QStringLiteral("ñandú\r\nÁrbol"));
        memo->paste();
        QCOMPARE(memo->toPlainText(), Repeated(QStringLiteral("b"), 505) + QStringLiteral("ñandú\nÁ"));
        QCOMPARE(QStr(w->Editor().Notes()), memo->toPlainText());
        // Full: a paste changes nothing, not even the selection it would
        // have replaced beyond what fits.
        memo->paste();
        QCOMPARE(memo->toPlainText().size(), 512);

        // A decomposed accent (e + combining acute) is one character.
        memo->selectAll();
        QGuiApplication::clipboard()->setText(QStringLiteral("Cafe\u0301"));
        memo->paste();
        QCOMPARE(memo->toPlainText(), QStringLiteral("Café"));
        QCOMPARE(w->Editor().Notes(), std::string("Café"));

        // Ctrl+V in the memo pastes text, not the tracks on the clipboard.
        TCircuit& c = w->Editor().Circuit();
        c.Append(kStandardStraight, 1, 1);
        c.ReLay(false);
        c.Track(1).selected = true;
        c.firstSelected = c.lastSelected = 1;
        w->Editor().CopyTrack1Click();
        w->show();
        w->FormActualize();
        QVERIFY(w->Action(ControlId::PasteTrack1)->isEnabled());
        w->Button(ControlId::ToolButton55)->click();
        QVERIFY(QTest::qWaitForWindowActive(w->NotesWindow()));
        memo->setFocus();
        memo->moveCursor(QTextCursor::End);
        QGuiApplication::clipboard()->setText(QStringLiteral(" con leche"));
        QTest::keyClick(memo, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(memo->toPlainText(), QStringLiteral("Café con leche"));
        QCOMPARE(w->Editor().Circuit().Count(), 1);
    }

    void newClearsAndOpenReplacesTheNotes() {
        QTemporaryDir folder;
        TCircuit saved(1500, 1000);
        saved.Append(kStandardStraight, 1, 1);
        saved.notes = "Pit lane at the left\nLane 3 timed";
        const std::string path = StdStr(folder.filePath(QStringLiteral("Club.QLC")));
        QVERIFY(SaveCircuit(saved, path));

        Script script;
        auto w = StartProgram({folder.path(), folder.path(), &script});
        w->Button(ControlId::ToolButton55)->click();
        TNotesMemo* memo = w->NotesWindow()->Memo1();
        Type(memo, QStringLiteral("draft"));

        // The unsaved notes are asked about; No drops them.
        script.saveAnswers = {SaveAnswer::No};
        script.openNames = {path};
        w->Action(ControlId::FileOpenItem)->trigger();
        QCOMPARE(script.log, QStringList{QStringLiteral("save?")});
        QCOMPARE(memo->toPlainText(), QStringLiteral("Pit lane at the left\nLane 3 timed"));

        // Saved notes need no question; New clears them.
        w->Action(ControlId::FileNewItem)->trigger();
        QCOMPARE(script.log.size(), 1);
        QCOMPARE(memo->toPlainText(), QString());
        QVERIFY(w->NotesWindow()->isVisible());
    }

    void aFileWithAnEndlessWordInItsNotesOpensThemAtOnce() {
        // Notes are kept whole from a file; a damaged one may hold a very
        // long run without a blank. Wrapping that at word boundaries took
        // time growing with the square of its length: minutes, hours.
        QTemporaryDir folder;
        TCircuit damaged(1500, 1000);
        damaged.Append(kStandardStraight, 1, 1);
        damaged.notes = "Start\n" + std::string(256 * 1024, 'n');
        const std::string path = StdStr(folder.filePath(QStringLiteral("Damaged.QLC")));
        QVERIFY(SaveCircuit(damaged, path));

        Script script;
        auto w = StartProgram({folder.path(), folder.path(), &script});
        w->Button(ControlId::ToolButton55)->click();
        TNotesMemo* memo = w->NotesWindow()->Memo1();
        QElapsedTimer clock;
        clock.start();
        script.openNames = {path};
        w->Action(ControlId::FileOpenItem)->trigger();
        QCoreApplication::processEvents();
        memo->repaint();
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed()) + QStringLiteral(" ms")));
        QCOMPARE(memo->toPlainText().size(), 6 + 256 * 1024);

        // Ordinary notes wrap between words again.
        w->Action(ControlId::FileNewItem)->trigger();
        QCOMPARE(memo->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    }

    void textsFollowTheLanguage() {
        QTemporaryDir folder;
        Script script;
        auto w = StartProgram({folder.path(), folder.path(), &script});
        script.settings = [](TSettingsValues& v) {
            v.languageItem = 1;
            return true;
        };
        w->Action(ControlId::WorkingArea1)->trigger();
        QCOMPARE(w->NotesWindow()->windowTitle(), QStringLiteral("Notes"));
        QCOMPARE(w->NotesWindow()->Button1()->text(), QStringLiteral("OK"));
        QCOMPARE(WithoutMnemonic(w->Action(ControlId::Notes1)->text()), QStringLiteral("Notes..."));
        QCOMPARE(w->Button(ControlId::ToolButton55)->toolTip(), QStringLiteral("Notes"));
    }
};

QTEST_MAIN(NotesWindowTest)
#include "NotesWindowTest.moc"
