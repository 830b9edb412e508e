// The information window: whatever the message, all of it shows, however
// long it is and whatever was shown before it.

#include <QLabel>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "app/Information.h"

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

class InformationWindowTest : public QObject {
    Q_OBJECT

private slots:
    void informationShowsAWholeLongMessage() {
        TForm7 form;
        // A short one first: the window must grow for the next.
        QVERIFY(WholeTextShown(&form, [&] { form.ShowMessage(QStringLiteral("OK")); }));
        QVERIFY(WholeTextShown(&form, [&] { form.ShowProblem(kLong); }));
        QVERIFY(WholeTextShown(&form, [&] { form.ShowProblem(kLong + QLatin1Char(' ') + kLong); }));
    }
};

QTEST_MAIN(InformationWindowTest)
#include "InformationWindowTest.moc"
