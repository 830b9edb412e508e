// The information and yes/no windows: the whole message shows, however long
// it is, and Enter gives the default answer, whatever was answered before.

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "app/Information.h"
#include "app/Unit15.h"

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
        QVERIFY(WholeTextShown(&form, [&] { form.ShowProblem(kLong); }));
        QVERIFY(WholeTextShown(&form, [&] { form.ShowProblem(kLong + QLatin1Char(' ') + kLong); }));
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
