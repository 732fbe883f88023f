#include "platform/Icons.h"
#include "platform/RuntimeError.h"

#include <QPixmap>
#include <QTest>

#include <functional>

namespace {

const QStringList toolbarNames{"New",     "Open",    "Save",    "SaveAs",  "SelAll",
                               "Delete",  "Copy",    "Prop",    "Lock",    "ObjSel",
                               "ObjLine", "ObjText", "ObjImg",  "Left",    "HCenter",
                               "Right",   "Top",     "VCenter", "Bottom",  "Width",
                               "Height",  "SizeAll", "PageSetup", "PreView", "Exit",
                               "ZoomOut", "ZoomIn",  "Grid",    "Undo",    "Redo"};
const QStringList previewNames{"PageFirst", "PagePrevious", "PageNext", "PageLast", "Print",
                               "PrintSetup", "Underlay", "Close"};
const QStringList pageNames{"Portrait", "Landscape"};

int errorNumber(const std::function<void()> &call)
{
    try {
        call();
    } catch (const RuntimeError &e) {
        return e.Number();
    }
    return 0;
}

} // namespace

class tst_Icons : public QObject
{
    Q_OBJECT

private slots:
    void resourceHoldsEveryPicture();
    void rendersCrispAtOneAndTwoTimes_data();
    void rendersCrispAtOneAndTwoTimes();
    void unknownNamesAreRejected_data();
    void unknownNamesAreRejected();
    void emptySizeIsRejected();
};

void tst_Icons::resourceHoldsEveryPicture()
{
    // Nothing initialises the resource here: the accessor must do it itself.
    QStringList expected = toolbarNames + previewNames + pageNames;
    expected.sort();
    QCOMPARE(Icons::names(), expected);
}

void tst_Icons::rendersCrispAtOneAndTwoTimes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("designSize");
    for (const QString &name : toolbarNames + previewNames)
        QTest::newRow(qPrintable(name)) << name << QSize(16, 16);
    for (const QString &name : pageNames)
        QTest::newRow(qPrintable(name)) << name << QSize(32, 32);
}

void tst_Icons::rendersCrispAtOneAndTwoTimes()
{
    QFETCH(QString, name);
    QFETCH(QSize, designSize);
    QCOMPARE(Icons::designSize(name), designSize);
    const QIcon icon = Icons::icon(name);
    const QList<QSize> sizes = icon.availableSizes();
    QVERIFY(sizes.contains(designSize));
    QVERIFY(sizes.contains(designSize * 2));
    for (int scale : {1, 2}) {
        const QImage image = icon.pixmap(designSize * scale).toImage();
        QCOMPARE(image.size(), designSize * scale);
        const int area = image.width() * image.height();
        int drawn = 0;
        int clear = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const int alpha = qAlpha(image.pixel(x, y));
                drawn += alpha >= 128 ? 1 : 0;
                clear += alpha == 0 ? 1 : 0;
            }
        }
        // A picture on a transparent ground, neither empty nor a filled square.
        QVERIFY2(drawn >= area / 16, qPrintable(QString::number(drawn) + " drawn pixels"));
        QVERIFY2(clear >= area / 16, qPrintable(QString::number(clear) + " clear pixels"));
    }
}

void tst_Icons::unknownNamesAreRejected_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("empty") << QString();
    QTest::newRow("unknown") << QStringLiteral("Nothing");
    QTest::newRow("wrong case") << QStringLiteral("new");
    QTest::newRow("file name") << QStringLiteral("New.svg");
    // A name is not a path into the resource.
    QTest::newRow("relative path") << QStringLiteral("../icons/New");
    QTest::newRow("sub folder") << QStringLiteral("icons/New");
}

void tst_Icons::unknownNamesAreRejected()
{
    QFETCH(QString, name);
    const int outOfRange = RuntimeError::SubscriptOutOfRange;
    QCOMPARE(errorNumber([&] { Icons::icon(name); }), outOfRange);
    QCOMPARE(errorNumber([&] { Icons::image(name, QSize(16, 16)); }), outOfRange);
    QCOMPARE(errorNumber([&] { Icons::designSize(name); }), outOfRange);
}

void tst_Icons::emptySizeIsRejected()
{
    const int invalid = RuntimeError::InvalidArgument;
    QCOMPARE(errorNumber([] { Icons::image(QStringLiteral("New"), QSize(0, 16)); }), invalid);
    QCOMPARE(errorNumber([] { Icons::image(QStringLiteral("New"), QSize()); }), invalid);
    QCOMPARE(Icons::image(QStringLiteral("New"), QSize(48, 24)).size(), QSize(48, 24));
}

QTEST_MAIN(tst_Icons)
#include "tst_icons.moc"
