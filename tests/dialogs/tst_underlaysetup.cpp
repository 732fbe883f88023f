#include "DialogFixtures.h"

#include "tests/platform/UnderlayFiles.h"

#include "dialogs/mFrm_PageSetup.h"

#include "platform/FakeDialogs.h"
#include "platform/Platform.h"
#include "platform/Units.h"

#include <QLabel>
#include <QSpinBox>
#include <QTemporaryDir>

#include <cmath>

using namespace UnderlayFiles;

namespace {

QLineEdit &box(const QDialog &dialog, const char *name)
{
    return element<QLineEdit>(dialog, name);
}

double mmIn(const QDialog &dialog, const char *name)
{
    return box(dialog, name).text().toDouble();
}

const FormUnderlay Kept{pictureAt(QSize(60, 40), 300, "PNG"), QStringLiteral("旧底图.png"), 1, 70,
                        QRectF(100, 200, 288, 192)};

} // namespace

// Page setup's 底图 and 打印偏移 groups: a file chosen is placed at its size
// on paper or over the page, a file that cannot serve changes nothing, and
// OK writes what the fields hold.
class TestUnderlaySetup : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void chosenFileIsPlaced_data();
    void chosenFileIsPlaced();
    void badFileLeavesTheTemplateAsItWas_data();
    void badFileLeavesTheTemplateAsItWas();
    void pdfPageOpacityAndPlace();
    void removeThenCancelOrOk();
    void placeMustHaveASize_data();
    void placeMustHaveASize();
    void offsetFields_data();
    void offsetFields();

private:
    QString fileWith(const QString &name, const QByteArray &bytes);
    void choose(const QDialog &dialog, const QString &path);

    FakeDialogs *m_dialogs = nullptr;
    QTemporaryDir m_dir;
};

void TestUnderlaySetup::init()
{
    m_dialogs = &Platform::installFakes();
}

QString TestUnderlaySetup::fileWith(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void TestUnderlaySetup::choose(const QDialog &dialog, const QString &path)
{
    m_dialogs->fileAnswers.push_back(path);
    press(dialog, "CmdUnderlayChoose");
}

void TestUnderlaySetup::chosenFileIsPlaced_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSizeF>("sizeMm");
    // 2846 dots at 300 dpi: 240.95 mm.
    QTest::newRow("300-dpi PNG") << "发货单.png" << pictureAt(QSize(2846, 1654), 300, "PNG")
                                 << QSizeF(2846 / 300.0 * 25.4, 1654 / 300.0 * 25.4);
    QTest::newRow("JPEG without resolution, over the page")
        << "photo.jpg" << jpegWithoutResolution(QSize(640, 480))
        << QSizeF(Units::twipsToMm(8190), Units::twipsToMm(3690));
    // Whole points: 241 mm is 683 pt.
    QTest::newRow("PDF page") << "form.pdf" << pdfPages({QSizeF(241, 140)})
                              << QSizeF(683 / 72.0 * 25.4, 397 / 72.0 * 25.4);
}

void TestUnderlaySetup::chosenFileIsPlaced()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QSizeF, sizeMm);
    BillTemplate bill;
    bill.Caption = QStringLiteral("发货单");
    bill.mObjs.page().setWidth(8190);
    bill.mObjs.page().setHeight(3690);
    mFrm_PageSetup dialog(bill);
    QCOMPARE(element<QLabel>(dialog, "LabUnderlayFile").text(), QStringLiteral("（无）"));
    QVERIFY(!box(dialog, "TxtUnderlayWidth").isEnabled());
    choose(dialog, fileWith(name, bytes));
    QCOMPARE(m_dialogs->shown.front().kind, QStringLiteral("OpenFile"));
    QVERIFY(m_dialogs->shown.front().file.filter.contains(QStringLiteral("*.Pdf")));
    QVERIFY(m_dialogs->messages().isEmpty());
    QCOMPARE(element<QLabel>(dialog, "LabUnderlayFile").text(), name);
    QCOMPARE(mmIn(dialog, "TxtUnderlayLeft"), 0.0);
    QCOMPARE(mmIn(dialog, "TxtUnderlayTop"), 0.0);
    QVERIFY2(std::abs(mmIn(dialog, "TxtUnderlayWidth") - sizeMm.width()) < 0.006,
             qPrintable(box(dialog, "TxtUnderlayWidth").text()));
    QVERIFY2(std::abs(mmIn(dialog, "TxtUnderlayHeight") - sizeMm.height()) < 0.006,
             qPrintable(box(dialog, "TxtUnderlayHeight").text()));
    QCOMPARE(element<QSpinBox>(dialog, "TxtUnderlayOpacity").value(), 50);
    press(dialog, "CmdOK");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(bill.mUnderlay.Data, bytes);
    QCOMPARE(bill.mUnderlay.FileName, name);
    QCOMPARE(bill.mUnderlay.Page, 1);
    QCOMPARE(bill.mUnderlay.Opacity, 50);
    // The size the file records (in whole dots per metre), not the rounded
    // millimetres shown.
    QVERIFY(std::abs(bill.mUnderlay.Place.width() - Units::mmToTwips(sizeMm.width())) < 0.1);
    QVERIFY(std::abs(bill.mUnderlay.Place.height() - Units::mmToTwips(sizeMm.height())) < 0.1);
}

void TestUnderlaySetup::badFileLeavesTheTemplateAsItWas_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("truncated PNG") << "scan.png" << truncatedPng()
                                   << "图片“scan.png”已损坏或不完整，读不出来。";
    QTest::newRow("PDF without pages") << "scan.pdf" << pdfWithoutPages()
                                       << "PDF 文件“scan.pdf”里没有页面。";
    QTest::newRow("password-protected PDF")
        << "scan.pdf" << passwordProtectedPdf()
        << "PDF 文件“scan.pdf”有密码保护，不能用作底图。请先去掉密码再选。";
    QTest::newRow("20000 x 20000 picture")
        << "huge.png" << hugePicture()
        << "图片“huge.png”太大（20000 × 20000 像素）：底图最多 4000 万像素，请用 300 DPI 扫描。";
    QTest::newRow("file gone") << "" << QByteArray() << "读不出文件“%1”。";
}

void TestUnderlaySetup::badFileLeavesTheTemplateAsItWas()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    BillTemplate bill;
    bill.Caption = QStringLiteral("发货单");
    bill.mUnderlay = Kept;
    mFrm_PageSetup dialog(bill);
    const QString path = name.isEmpty() ? m_dir.filePath(QStringLiteral("gone.png"))
                                        : fileWith(name, bytes);
    choose(dialog, path);
    QCOMPARE(m_dialogs->messages(), QStringList{message.arg(path)});
    QCOMPARE(m_dialogs->lastMessage()->icon, MsgIcon::Exclamation);
    QCOMPARE(m_dialogs->lastMessage()->title, QStringLiteral("页面设置"));
    QCOMPARE(element<QLabel>(dialog, "LabUnderlayFile").text(), Kept.FileName);
    QCOMPARE(box(dialog, "TxtUnderlayWidth").text(), QStringLiteral("5.08"));
    press(dialog, "CmdOK");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(bill.mUnderlay == Kept);
}

void TestUnderlaySetup::pdfPageOpacityAndPlace()
{
    BillTemplate bill;
    bill.Caption = QStringLiteral("发货单");
    mFrm_PageSetup dialog(bill);
    QVERIFY(!element<QSpinBox>(dialog, "TxtUnderlayPage").isEnabled());
    choose(dialog, fileWith(QStringLiteral("two.pdf"),
                            pdfPages({QSizeF(210, 297), QSizeF(241, 140)})));
    QSpinBox &page = element<QSpinBox>(dialog, "TxtUnderlayPage");
    QVERIFY(page.isEnabled());
    QCOMPARE(page.maximum(), 2);
    QCOMPARE(element<QLabel>(dialog, "LabUnderlayPages").text(), QStringLiteral("共 2 页"));
    box(dialog, "TxtUnderlayLeft").setText(QStringLiteral("１０"));
    box(dialog, "TxtUnderlayTop").setText(QStringLiteral("-5"));
    page.setValue(2);
    // The other page keeps its top left and takes its own size.
    QCOMPARE(box(dialog, "TxtUnderlayLeft").text(), QStringLiteral("10.0"));
    QCOMPARE(box(dialog, "TxtUnderlayTop").text(), QStringLiteral("-5.0"));
    QVERIFY(std::abs(mmIn(dialog, "TxtUnderlayWidth") - 683 / 72.0 * 25.4) < 0.006);
    element<QSpinBox>(dialog, "TxtUnderlayOpacity").setValue(30);
    box(dialog, "TxtUnderlayHeight").setText(QStringLiteral("100"));
    press(dialog, "CmdOK");
    QCOMPARE(bill.mUnderlay.Page, 2);
    QCOMPARE(bill.mUnderlay.Opacity, 30);
    QVERIFY(std::abs(bill.mUnderlay.Place.left() - Units::mmToTwips(10)) < 1e-6);
    QVERIFY(std::abs(bill.mUnderlay.Place.top() - Units::mmToTwips(-5)) < 1e-6);
    QVERIFY(std::abs(bill.mUnderlay.Place.height() - Units::mmToTwips(100)) < 1e-6);
}

void TestUnderlaySetup::removeThenCancelOrOk()
{
    BillTemplate bill;
    bill.Caption = QStringLiteral("发货单");
    bill.mUnderlay = Kept;
    {
        mFrm_PageSetup dialog(bill);
        QCOMPARE(element<QSpinBox>(dialog, "TxtUnderlayOpacity").value(), 70);
        press(dialog, "CmdUnderlayRemove");
        QCOMPARE(element<QLabel>(dialog, "LabUnderlayFile").text(), QStringLiteral("（无）"));
        QVERIFY(!box(dialog, "TxtUnderlayLeft").isEnabled());
        QVERIFY(!element<QPushButton>(dialog, "CmdUnderlayRemove").isEnabled());
        press(dialog, "CmdCancel");
    }
    QVERIFY(bill.mUnderlay == Kept);
    mFrm_PageSetup dialog(bill);
    press(dialog, "CmdUnderlayRemove");
    press(dialog, "CmdOK");
    QVERIFY(bill.mUnderlay.isEmpty());
}

void TestUnderlaySetup::placeMustHaveASize_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("warning");
    QTest::newRow("width") << "TxtUnderlayWidth" << "底图的宽必须大于 0！";
    QTest::newRow("height") << "TxtUnderlayHeight" << "底图的高必须大于 0！";
}

void TestUnderlaySetup::placeMustHaveASize()
{
    QFETCH(QString, field);
    QFETCH(QString, warning);
    BillTemplate bill;
    bill.Caption = QStringLiteral("发货单");
    bill.mUnderlay = Kept;
    mFrm_PageSetup dialog(bill);
    box(dialog, qPrintable(field)).setText(QStringLiteral("0"));
    press(dialog, "CmdOK");
    QCOMPARE(m_dialogs->messages(), QStringList{warning});
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(dialog.focusWidget(), &box(dialog, qPrintable(field)));
    QVERIFY(bill.mUnderlay == Kept);
}

void TestUnderlaySetup::offsetFields_data()
{
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("top");
    QTest::addColumn<QPointF>("written"); // mm
    QTest::addColumn<QString>("warning");
    QTest::newRow("untouched") << "" << "" << QPointF(1.5, -0.8) << "";
    QTest::newRow("typed in full width") << "２．５" << "－１" << QPointF(2.5, -1) << "";
    QTest::newRow("tenths") << "0.04" << "-0.06" << QPointF(0, -0.1) << "";
    QTest::newRow("the limit") << "-20" << "20" << QPointF(-20, 20) << "";
    QTest::newRow("past the limit") << "20.1" << "" << QPointF(1.5, -0.8)
                                    << "打印偏移必须在 -20 到 20 毫米之间！";
}

void TestUnderlaySetup::offsetFields()
{
    QFETCH(QString, left);
    QFETCH(QString, top);
    QFETCH(QPointF, written);
    QFETCH(QString, warning);
    BillTemplate bill;
    bill.Caption = QStringLiteral("发货单");
    bill.mOffsetLeft = Units::mmToTwips(1.5);
    bill.mOffsetTop = Units::mmToTwips(-0.8);
    mFrm_PageSetup dialog(bill);
    QCOMPARE(box(dialog, "TxtOffsetLeft").text(), QStringLiteral("1.5"));
    QCOMPARE(box(dialog, "TxtOffsetTop").text(), QStringLiteral("-0.8"));
    if (!left.isEmpty())
        box(dialog, "TxtOffsetLeft").setText(left);
    if (!top.isEmpty())
        box(dialog, "TxtOffsetTop").setText(top);
    press(dialog, "CmdOK");
    QCOMPARE(m_dialogs->messages(), warning.isEmpty() ? QStringList() : QStringList{warning});
    QCOMPARE(dialog.result(), int(warning.isEmpty() ? QDialog::Accepted : QDialog::Rejected));
    QCOMPARE(bill.mOffsetLeft, Units::mmToTwips(written.x()));
    QCOMPARE(bill.mOffsetTop, Units::mmToTwips(written.y()));
}

QTEST_MAIN(TestUnderlaySetup)
#include "tst_underlaysetup.moc"
