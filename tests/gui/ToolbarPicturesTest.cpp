// The toolbar pictures are compiled in, one per control, each 16 x 16 with a
// transparent background and something drawn on it.
#include "app/gui/pictures/ToolbarPictures.h"

#include <QDir>
#include <QImage>
#include <QSet>
#include <QtTest>

namespace {

// Every picture the main window and its menus use, by file name.
const char* const kPictures[] = {
    "file-new",
    "file-open",
    "file-save",
    "file-print",
    "file-export-png",
    "file-export-svg",
    "file-export-pdf",
    "file-recent",
    "edit-undo",
    "edit-delete",
    "copy-circuit",
    "options",
    "track-list",
    "dimensions",
    "stock-control",
    "stock",
    "close-circuit",
    "equilibrate-lanes",
    "convert-lanes",
    "notes",
    "lap-times",
    "suggest-circuits",
    "insert-icon-controller",
    "insert-icon-lap-counter",
    "insert-icon-start",
    "insert-icon-assistant",
    "insert-icon-power-source",
    "zoom-out",
    "zoom-in",
    "fit-to-window",
    "grid",
    "rotate-left",
    "rotate-right",
    "move-up",
    "move-down",
    "move-left",
    "move-right",
    "center",
    "show-color-code",
    "show-template",
    "single-racing",
    "insert-starting-straight",
    "insert-standard-straight",
    "insert-half-straight",
    "insert-quarter-straight",
    "insert-changeover",
    "insert-starting-chicane",
    "insert-chicane-straight",
    "insert-inner-curve",
    "insert-standard-curve",
    "insert-outer-curve",
    "insert-super-outer-curve",
    "insert-curved-chicane",
    "insert-adaptation-chicane",
    "fix",
    "orientation",
    "inner-border",
    "outer-border",
    "delete-inner-borders",
    "delete-outer-borders",
    "delete-all-borders",
    "automatic-borders",
    "delete-automatic-borders",
    "crash-barriers",
    "delete-crash-barriers",
    "surface-asphalt",
    "surface-snow",
    "surface-sand",
    "surface-water",
};

}  // namespace

class ToolbarPicturesTest : public QObject {
    Q_OBJECT
private slots:
    void everyPictureIsThere_data() {
        QTest::addColumn<QString>("name");
        for (const char* name : kPictures) QTest::newRow(name) << QString::fromLatin1(name);
    }

    void everyPictureIsThere() {
        QFETCH(QString, name);
        QVERIFY(!quillet::ToolbarPicture(name).isNull());
        const QImage image(quillet::ToolbarPicturePath(name));
        QCOMPARE(image.size(), QSize(16, 16));
        QVERIFY(image.hasAlphaChannel());
        int drawn = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (qAlpha(image.pixel(x, y)) > 0) ++drawn;
        QVERIFY2(drawn >= 12, qPrintable(name + QStringLiteral(": almost empty")));
    }

    void noPictureIsLeftOver() {
        quillet::InitToolbarPictures();
        QSet<QString> expected;
        for (const char* name : kPictures) expected.insert(QString::fromLatin1(name) + QStringLiteral(".png"));
        const QStringList present = QDir(QStringLiteral(":/toolbar")).entryList(QDir::Files);
        QCOMPARE(QSet<QString>(present.begin(), present.end()), expected);
    }

    void unknownNameGivesNullIcon() { QVERIFY(quillet::ToolbarPicture(u"no-such-picture").isNull()); }

    void windowIconHasBothSizes() {
        const QIcon icon = quillet::WindowIcon();
        QVERIFY(!icon.isNull());
        const QList<QSize> sizes = icon.availableSizes();
        QVERIFY(sizes.contains(QSize(16, 16)));
        QVERIFY(sizes.contains(QSize(48, 48)));
        QCOMPARE(QImage(QStringLiteral(":/icons/quillet-48.png")).size(), QSize(48, 48));
    }
};

QTEST_MAIN(ToolbarPicturesTest)
#include "ToolbarPicturesTest.moc"
