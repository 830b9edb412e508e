// Crash recovery end to end: the real program is started on a circuit, made
// to edit it (its test build, tests/gui/support/TestScript.h), and killed
// with SIGKILL once its recovery copy is on disk; started again, it offers
// the copy, and the scripted answer restores or discards it. Each run has
// its own home, data and configuration folders, on the offscreen platform.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

#include "app/Recovery.h"
#include "model/FileIO.h"
#include "model/Tracks.h"
#include "text/gui/ApplyTexts.h"

using namespace quillet;

namespace {

bool WaitFor(const std::function<bool()>& condition, int milliseconds = 20000) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > milliseconds) return false;
        QTest::qWait(50);
    }
    return true;
}

// A circuit as a file holds it; empty when it cannot be read.
std::optional<TCircuit> ReadCircuit(const QString& path) {
    const auto bytes = ReadFileBytes(StdStr(path));
    TCircuit c;
    if (!bytes || !ReadCircuitBytes(*bytes, "test", c)) return std::nullopt;
    return c;
}

}  // namespace

class RecoveryProcessTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_home;

    QString Path(const QString& name) const { return m_home.filePath(name); }
    QString RecoveryFolder() const { return Path(QStringLiteral("data/Quillet/recovery")); }
    QStringList RecoveryFiles() const {
        return QDir(RecoveryFolder()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    // Starts the program with a script (one step a line) and the arguments.
    std::unique_ptr<QProcess> Start(const QString& name, const QStringList& script, const QStringList& arguments) {
        const QString file = Path(name + QStringLiteral(".script"));
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly)) return nullptr;
        f.write(script.join(QLatin1Char('\n')).toUtf8());
        f.close();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("HOME"), m_home.path());
        env.insert(QStringLiteral("XDG_DATA_HOME"), Path(QStringLiteral("data")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), Path(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home.path());
        env.insert(QStringLiteral("QUILLET_TEST_SCRIPT"), file);
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QStringLiteral(QUILLET_PROGRAM), arguments);
        if (!p->waitForStarted(10000)) return nullptr;
        return p;
    }

    // A first session on Oval.QLC: selects every piece and inserts a
    // standard straight after them; it is killed once its copy is written.
    // Returns the process id it had.
    qint64 EditAndCrash(const QString& oval) {
        auto p =
            Start(QStringLiteral("edit"), {QStringLiteral("do SelectAll1"), QStringLiteral("do ToolButton24")}, {oval});
        if (!p) return 0;
        const qint64 pid = p->processId();
        const QString copy = RecoveryFolder() + QStringLiteral("/%1.QLC").arg(pid);
        const bool written = WaitFor([&] {
            const auto c = ReadCircuit(copy);
            return c && c->Count() == 5;
        });
        p->kill();  // SIGKILL: no save question, no clean end
        p->waitForFinished(10000);
        return written ? pid : 0;
    }

private slots:
    void initTestCase() { QVERIFY(m_home.isValid()); }

    void killedMidEditThenRestoredOrDiscarded() {
        // Four standard straights, with notes.
        TCircuit start(1500, 1000);
        for (int i = 0; i < 4; ++i) start.Append(kStandardStraight, 1, 1);
        start.ReLay(false);
        start.notes = "Club race\nSunday";
        const QString oval = Path(QStringLiteral("Oval.QLC"));
        QVERIFY(SaveCircuit(start, StdStr(oval)));

        const qint64 crashed = EditAndCrash(oval);
        QVERIFY2(crashed != 0, "no recovery copy was written before the kill");
        const QString marker = RecoveryFolder() + QStringLiteral("/%1.recovery").arg(crashed);
        const auto m = ParseMarker(ReadFileBytes(StdStr(marker)).value_or(""));
        QVERIFY(m.has_value());
        QCOMPARE(QStr(m->circuitPath), oval);
        QCOMPARE(m->title, std::string("Oval"));
        // The file itself was never touched.
        QCOMPARE(ReadCircuit(oval)->Count(), 4);

        // Started again: Yes restores the work, which is then saved.
        const QString restored = Path(QStringLiteral("Restored.QLC"));
        auto again =
            Start(QStringLiteral("restore"),
                  {QStringLiteral("yes"), QStringLiteral("save ") + restored, QStringLiteral("do FileSaveItem")}, {});
        QVERIFY(again);
        QVERIFY2(WaitFor([&] { return ReadCircuit(restored).has_value(); }), "the restored work was not saved");
        const TCircuit back = *ReadCircuit(restored);
        QCOMPARE(back.Count(), 5);
        QCOMPARE(back.notes, std::string("Club race\nSunday"));
        QCOMPARE(back.title, std::string("Restored"));
        // The crashed session's copy went when it was restored, this
        // session's own when the work was saved.
        QVERIFY2(WaitFor([&] { return RecoveryFiles().isEmpty(); }),
                 qPrintable(RecoveryFiles().join(QLatin1Char(' '))));
        again->kill();
        again->waitForFinished(10000);

        // Once more, and No: the copy is discarded and the program starts
        // with an empty circuit.
        QVERIFY(EditAndCrash(oval) != 0);
        const QString empty = Path(QStringLiteral("Empty.QLC"));
        auto declined =
            Start(QStringLiteral("decline"),
                  {QStringLiteral("no"), QStringLiteral("save ") + empty, QStringLiteral("do FileSaveItem")}, {});
        QVERIFY(declined);
        QVERIFY(WaitFor([&] { return ReadCircuit(empty).has_value(); }));
        QCOMPARE(ReadCircuit(empty)->Count(), 0);
        QVERIFY2(RecoveryFiles().isEmpty(), qPrintable(RecoveryFiles().join(QLatin1Char(' '))));
        declined->kill();
        declined->waitForFinished(10000);
    }
};

QTEST_MAIN(RecoveryProcessTest)
#include "RecoveryProcessTest.moc"
