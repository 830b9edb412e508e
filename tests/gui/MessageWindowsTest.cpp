// The information and yes/no windows: the whole message shows, however long
// it is, and Enter gives the default answer, whatever was answered before.

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <fstream>

#include "app/gui/Sdimain.h"
#include "app/gui/Startup.h"
#include "app/gui/Unit15.h"
#include "text/Languages.h"
#include "text/gui/ApplyTexts.h"
#include "widgets/Information.h"

using namespace quillet;

namespace {

// A file name with its folder and a reason: what a damaged circuit gives.
const QString kLong = QStringLiteral(
    "no se puede leer /tmp/qa/work/circuitos/damaged.QLC: el archivo termina antes de la línea 27, "
    "donde se esperaba el número de tramos");

// Runs `show` (which opens the window modally) and, once the window is up,
// notes whether its label has the height its text needs at its width, then
// closes it.
bool WholeTextShown(QDialog* window, const std::function<void()>& show) {
    bool whole = false;
    bool seen = false;
    QTimer::singleShot(0, window, [&] {
        auto* label = window->findChild<QLabel*>(QStringLiteral("Label1"));
        if (label != nullptr) {
            seen = true;
            whole = label->height() >= label->heightForWidth(label->width());
            if (!whole) {
                qWarning("label %dx%d needs %d", label->width(), label->height(),
                         label->heightForWidth(label->width()));
            }
        }
        window->reject();
    });
    show();
    return seen && whole;
}

}  // namespace

class MessageWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void informationShowsAWholeLongMessage() {
        TForm7 form;
        // A short one first: the window must grow for the next.
        QVERIFY(WholeTextShown(&form, [&] { form.ShowMessage(QStringLiteral("OK")); }));
        QVERIFY(WholeTextShown(&form, [&] { form.ShowProblem(kLong, QStringLiteral("Error")); }));
        QVERIFY(WholeTextShown(&form,
                               [&] { form.ShowProblem(kLong + QLatin1Char(' ') + kLong, QStringLiteral("Error")); }));
    }

    void aCircuitThatCannotBeReadIsShownAsAnErrorInBothLanguages() {
        QStandardPaths::setTestModeEnabled(true);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Cut.QLC"));
        std::ofstream(StdStr(path), std::ios::binary) << "5\r\n";
        // The window's own dialogs answer.
        auto w = StartProgram({folder.path(), folder.path(), nullptr});
        for (const int language : {kEnglish, kSpanish}) {
            SetLanguageIndex(language);
            w->ApplyLanguage();
            QString caption;
            QString text;
            QTimer::singleShot(0, w.get(), [&] {
                if (auto* form = qobject_cast<TForm7*>(QApplication::activeModalWidget())) {
                    caption = form->windowTitle();
                    text = form->findChild<QLabel*>(QStringLiteral("Label1"))->text();
                    form->reject();
                }
            });
            QVERIFY(!w->Editor().OpenCircuit(StdStr(path)));
            const QStringList lines = text.split(QLatin1Char('\n'));
            if (language == kEnglish) {
                QCOMPARE(caption, QStringLiteral("Cannot open the circuit"));
                QCOMPARE(lines.value(0), QStringLiteral("File: Cut.QLC"));
                QCOMPARE(lines.value(1), QStringLiteral("Folder: ") + folder.path());
                QVERIFY2(lines.value(2).startsWith(QStringLiteral("The file ends before line 2")), qPrintable(text));
            } else {
                QCOMPARE(caption, QStringLiteral("No se puede abrir el circuito"));
                QCOMPARE(lines.value(0), QStringLiteral("Archivo: Cut.QLC"));
                QCOMPARE(lines.value(1), QStringLiteral("Carpeta: ") + folder.path());
                QVERIFY2(lines.value(2).startsWith(QStringLiteral("El archivo termina antes de la l\u00ednea 2")),
                         qPrintable(text));
            }
            QCOMPARE(lines.size(), 3);
        }
        SetLanguageIndex(kSpanish);
    }

    void enterAnswersYesEveryTime() {
        // The closing's random search asks again and again; a mouse click on
        // No the time before must not make Enter mean No.
        TForm15 form;
        QTimer::singleShot(0, &form, [&] {
            // What a click does: focus, then the answer.
            (void)QTest::qWaitForWindowActive(&form);
            auto* no = form.findChild<QPushButton*>(QStringLiteral("Button2"));
            no->setFocus(Qt::MouseFocusReason);
            no->click();
        });
        QVERIFY(!form.Ask(QStringLiteral("?")));
        QTimer::singleShot(0, &form, [&] {
            // The key goes where the window's focus is.
            (void)QTest::qWaitForWindowActive(&form);
            QWidget* focus = form.focusWidget();
            QTest::keyClick(focus != nullptr ? focus : &form, Qt::Key_Return);
            if (form.isVisible()) form.reject();
        });
        QVERIFY(form.Ask(QStringLiteral("?")));
    }
};

QTEST_MAIN(MessageWindowsTest)
#include "MessageWindowsTest.moc"
