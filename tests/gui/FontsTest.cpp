// Without fonts the offscreen platform draws every text blank, silently.
#include <QFontDatabase>
#include <QtTest>

class FontsTest : public QObject {
    Q_OBJECT
private slots:
    void fontsAreInstalled() { QVERIFY(!QFontDatabase::families().isEmpty()); }
};

QTEST_MAIN(FontsTest)
#include "FontsTest.moc"
