#include "DialogFixtures.h"

#include "dialogs/PrinterCalibrationDialog.h"

#include "print/Mod_Print.h"

#include "platform/FakeDialogs.h"
#include "platform/FakePrinters.h"
#include "platform/Platform.h"
#include "platform/PrinterCalibration.h"
#include "platform/RecordingPrintDevice.h"

#include <QComboBox>
#include <QLabel>

namespace {

QLineEdit &box(const QDialog &dialog, const char *name)
{
    return element<QLineEdit>(dialog, name);
}

QString shown(const QDialog &dialog)
{
    return element<QLabel>(dialog, "LabOffset").text();
}

} // namespace

// 打印机校准: the offset computed from the distances measured on the printed
// sheet, stored per printer, shown and reset; the sheet printed on the
// printer chosen.
class TestCalibration : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void opensOnTheDefaultPrinterWithItsOffset();
    void savesTheOffsetFromMeasuredDistances_data();
    void savesTheOffsetFromMeasuredDistances();
    void crossesThatDisagreeAskFirst_data();
    void crossesThatDisagreeAskFirst();
    void resetAndOtherPrinters();
    void printsTheSheetOnTheChosenPrinter();
    void withoutPrinterThereIsNothingToStore();

private:
    FakeDialogs *m_dialogs = nullptr;
    FakePrinters *m_printers = nullptr;
};

void TestCalibration::init()
{
    m_dialogs = &Platform::installFakes();
    auto printers = std::make_unique<FakePrinters>();
    m_printers = printers.get();
    m_printers->installed = {QStringLiteral("Laser"), QStringLiteral("Dot matrix")};
    m_printers->defaultPrinter = QStringLiteral("Dot matrix");
    Platform::setPrinters(std::move(printers));
}

void TestCalibration::cleanup()
{
    Mod_Print::setPrintDeviceFactory({});
}

void TestCalibration::opensOnTheDefaultPrinterWithItsOffset()
{
    PrinterCalibration::setOffset(QStringLiteral("Dot matrix"), QPointF(1.5, -0.8));
    PrinterCalibrationDialog dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("打印机校准"));
    const QComboBox &printers = element<QComboBox>(dialog, "CmbPrinter");
    QCOMPARE(printers.count(), 2);
    QCOMPARE(dialog.printer(), QStringLiteral("Dot matrix"));
    QCOMPARE(shown(dialog), QStringLiteral("已存偏移：左 +1.5 毫米，上 -0.8 毫米"));
    for (const char *field : {"TxtLeft", "TxtTop", "TxtRight", "TxtBottom"})
        QVERIFY(box(dialog, field).text().isEmpty());
}

void TestCalibration::savesTheOffsetFromMeasuredDistances_data()
{
    QTest::addColumn<QPointF>("before");
    QTest::addColumn<QStringList>("typed"); // left, top, right, bottom
    QTest::addColumn<QPointF>("after");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("focus");
    QTest::newRow("on the mark") << QPointF() << QStringList{"20", "20", "", ""} << QPointF()
                                 << "" << "";
    QTest::newRow("landed right and high") << QPointF() << QStringList{"21.5", "19.2", "", ""}
                                           << QPointF(-1.5, 0.8) << "" << "";
    QTest::newRow("printed with the stored offset")
        << QPointF(1.0, -0.5) << QStringList{"20.4", "19.9", "", ""} << QPointF(0.6, -0.4) << ""
        << "";
    QTest::newRow("both crosses, full width") << QPointF()
                                              << QStringList{"２１．０", "20", "１９．４", "20"}
                                              << QPointF(-0.8, 0) << "" << "";
    QTest::newRow("nothing measured") << QPointF(1, 1) << QStringList{"", "20", "", ""}
                                      << QPointF(1, 1) << "请填入量得的距离！" << "TxtLeft";
    QTest::newRow("not a distance") << QPointF(1, 1) << QStringList{"20", "4１", "", ""}
                                    << QPointF(1, 1) << "量得的距离必须在 0 到 40 毫米之间！"
                                    << "TxtTop";
    QTest::newRow("far cross not a distance") << QPointF(1, 1) << QStringList{"20", "20", "abc", ""}
                                              << QPointF(1, 1)
                                              << "量得的距离必须在 0 到 40 毫米之间！"
                                              << "TxtRight";
    QTest::newRow("beyond the limit")
        << QPointF(19, 0) << QStringList{"18", "20", "", ""} << QPointF(19, 0)
        << "算出的偏移（左 +21.0 毫米，上 +0.0 毫米）超出了 ±20 毫米。请检查量得的距离，"
           "或校准页是否放反了。"
        << "TxtLeft";
}

void TestCalibration::savesTheOffsetFromMeasuredDistances()
{
    QFETCH(QPointF, before);
    QFETCH(QStringList, typed);
    QFETCH(QPointF, after);
    QFETCH(QString, warning);
    QFETCH(QString, focus);
    PrinterCalibration::setOffset(QStringLiteral("Laser"), before);
    PrinterCalibrationDialog dialog;
    element<QComboBox>(dialog, "CmbPrinter").setCurrentText(QStringLiteral("Laser"));
    QVERIFY(showActive(dialog));
    const char *fields[] = {"TxtLeft", "TxtTop", "TxtRight", "TxtBottom"};
    for (int i = 0; i < 4; ++i) {
        if (!typed[i].isEmpty())
            typeInto(box(dialog, fields[i]), typed[i]);
    }
    press(dialog, "CmdSave");
    QCOMPARE(m_dialogs->messages(), warning.isEmpty() ? QStringList() : QStringList{warning});
    QCOMPARE(PrinterCalibration::offset(QStringLiteral("Laser")), after);
    QCOMPARE(shown(dialog), QStringLiteral("已存偏移：") + PrinterCalibration::describe(after));
    if (!focus.isEmpty()) {
        QCOMPARE(m_dialogs->lastMessage()->icon, MsgIcon::Exclamation);
        QCOMPARE(m_dialogs->lastMessage()->title, QStringLiteral("打印机校准"));
        QCOMPARE(dialog.focusWidget(), &box(dialog, qPrintable(focus)));
    }
    QCOMPARE(PrinterCalibration::offset(QStringLiteral("Dot matrix")), QPointF());
}

void TestCalibration::crossesThatDisagreeAskFirst_data()
{
    QTest::addColumn<MsgResult>("answer");
    QTest::addColumn<QPointF>("after");
    QTest::newRow("no") << MsgResult::No << QPointF(0.5, 0.5);
    QTest::newRow("yes") << MsgResult::Yes << QPointF(-2.5, 0);
}

void TestCalibration::crossesThatDisagreeAskFirst()
{
    QFETCH(MsgResult, answer);
    QFETCH(QPointF, after);
    PrinterCalibration::setOffset(QStringLiteral("Dot matrix"), QPointF(0.5, 0.5));
    PrinterCalibrationDialog dialog;
    // Printed with +0.5 / +0.5; the crosses say 0.5 and 5.5 mm to the right.
    box(dialog, "TxtLeft").setText(QStringLiteral("20.5"));
    box(dialog, "TxtTop").setText(QStringLiteral("20.5"));
    box(dialog, "TxtRight").setText(QStringLiteral("14.5"));
    m_dialogs->msgAnswers.push_back(answer);
    press(dialog, "CmdSave");
    QCOMPARE(m_dialogs->messages(),
             QStringList{QStringLiteral("两个十字量得的偏移相差 5.0 毫米：纸张大小或打印缩放可能不对"
                                        "（应按实际大小打印）。仍然保存吗？")});
    QCOMPARE(m_dialogs->lastMessage()->buttons, MsgButtons::YesNo);
    QCOMPARE(PrinterCalibration::offset(QStringLiteral("Dot matrix")), after);
}

void TestCalibration::resetAndOtherPrinters()
{
    PrinterCalibration::setOffset(QStringLiteral("Laser"), QPointF(-3, 4));
    PrinterCalibration::setOffset(QStringLiteral("Dot matrix"), QPointF(2, 2));
    PrinterCalibrationDialog dialog;
    QCOMPARE(shown(dialog), QStringLiteral("已存偏移：左 +2.0 毫米，上 +2.0 毫米"));
    element<QComboBox>(dialog, "CmbPrinter").setCurrentText(QStringLiteral("Laser"));
    QCOMPARE(shown(dialog), QStringLiteral("已存偏移：左 -3.0 毫米，上 +4.0 毫米"));
    press(dialog, "CmdReset");
    QCOMPARE(shown(dialog), QStringLiteral("已存偏移：左 +0.0 毫米，上 +0.0 毫米"));
    QCOMPARE(PrinterCalibration::offset(QStringLiteral("Laser")), QPointF());
    QCOMPARE(PrinterCalibration::offset(QStringLiteral("Dot matrix")), QPointF(2, 2));
    QVERIFY(m_dialogs->messages().isEmpty());
}

void TestCalibration::printsTheSheetOnTheChosenPrinter()
{
    auto device = std::make_shared<RecordingPrintDevice>();
    device->printer = QStringLiteral("Laser");
    Mod_Print::setPrintDeviceFactory([device] { return device; });
    PrinterCalibrationDialog dialog;
    element<QComboBox>(dialog, "CmbPrinter").setCurrentText(QStringLiteral("Laser"));
    press(dialog, "CmdPrint");
    QCOMPARE(device->job.printerName, QStringLiteral("Laser"));
    QCOMPARE(device->job.title, QStringLiteral("打印机校准页"));
    QCOMPARE(device->completed.size(), std::size_t(1));
    QVERIFY(m_dialogs->messages().isEmpty());
}

void TestCalibration::withoutPrinterThereIsNothingToStore()
{
    m_printers->installed.clear();
    m_printers->defaultPrinter.clear();
    PrinterCalibrationDialog dialog;
    QVERIFY(!element<QComboBox>(dialog, "CmbPrinter").isEnabled());
    QVERIFY(!element<QPushButton>(dialog, "CmdSave").isEnabled());
    QVERIFY(!element<QPushButton>(dialog, "CmdReset").isEnabled());
    QVERIFY(element<QPushButton>(dialog, "CmdPrint").isEnabled());
    QCOMPARE(shown(dialog), QStringLiteral("没有安装打印机：校准页打印到 PDF 文件，不存偏移。"));
}

QTEST_MAIN(TestCalibration)
#include "tst_calibration.moc"
