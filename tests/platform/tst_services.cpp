#include "platform/Element.h"
#include "platform/FakeDialogs.h"
#include "platform/MemorySettingsStore.h"
#include "platform/Platform.h"
#include "platform/PointerConfinement.h"
#include "platform/PointerShape.h"
#include "platform/QtDialogs.h"
#include "platform/QtSettingsStore.h"
#include "platform/RuntimeError.h"
#include "platform/Units.h"

#include <QTemporaryDir>
#include <QTest>

class TestServices : public QObject
{
    Q_OBJECT

private slots:
    void fakesAnswerUntilTheProgramInstallsItsOwn();
    void fakeDialogsRecordAndAnswerFromQueues();
    void fakeDefaultsNeverBlock();
    void initTestCase();
    void settingsAreKeptPerApplicationSectionAndKey();
    void roundingIsHalfToEven_data();
    void roundingIsHalfToEven();
    void int16Overflows_data();
    void int16Overflows();
    void leadingNumber_data();
    void leadingNumber();
    void millimetres_data();
    void millimetres();
    void plainNumbers_data();
    void plainNumbers();
    void filterBecomesQtsAndMatchesEveryCase();
    void pointerShapes_data();
    void pointerShapes();
    void codesKeepTheSystemsNumbers_data();
    void codesKeepTheSystemsNumbers();
};

void TestServices::fakesAnswerUntilTheProgramInstallsItsOwn()
{
    QVERIFY(dynamic_cast<FakeDialogs *>(&Platform::dialogs()) != nullptr);
    QVERIFY(dynamic_cast<MemorySettingsStore *>(&Platform::settings()) != nullptr);
    Platform::pointer().ClipCursor(QRect(0, 0, 10, 10));
    QVERIFY(Platform::pointer().isConfined());
    Platform::pointer().ReleaseCursor();
    QVERIFY(!Platform::pointer().isConfined());
}

void TestServices::fakeDialogsRecordAndAnswerFromQueues()
{
    FakeDialogs &fake = Platform::installFakes();
    fake.msgAnswers.push_back(MsgResult::No);
    fake.inputAnswers.push_back(QStringLiteral("12"));
    fake.fileAnswers.push_back(QStringLiteral("/tmp/a.bmp"));
    QCOMPARE(Platform::dialogs().MsgBox(QStringLiteral("您确认要退出系统吗？"), MsgButtons::YesNo,
                                        MsgIcon::Exclamation, QStringLiteral("T")),
             MsgResult::No);
    QCOMPARE(Platform::dialogs().InputBox(QStringLiteral("请输入单据号？"), QStringLiteral("单据号"),
                                          QStringLiteral("0")),
             QStringLiteral("12"));
    FileDialogRequest request;
    request.title = QStringLiteral("选择图形文件");
    QCOMPARE(Platform::dialogs().OpenFile(request), std::optional<QString>(QStringLiteral("/tmp/a.bmp")));
    QCOMPARE(fake.shown.size(), std::size_t(3));
    QCOMPARE(fake.messages(), QStringList{QStringLiteral("您确认要退出系统吗？")});
    QCOMPARE(fake.lastMessage()->icon, MsgIcon::Exclamation);
    QCOMPARE(fake.shown[1].defaultText, QStringLiteral("0"));
    QCOMPARE(fake.shown[2].title, QStringLiteral("选择图形文件"));

    // The font chooser carries the text colour both ways.
    FontChoice answer;
    answer.Font.Name = QStringLiteral("黑体");
    answer.Font.Size = 12;
    answer.Color = Qt::red;
    fake.fontAnswers.push_back(answer);
    FontChoice initial;
    initial.Color = Qt::blue;
    QCOMPARE(Platform::dialogs().ChooseFont(initial), std::optional<FontChoice>(answer));
    QCOMPARE(fake.shown.back().kind, QStringLiteral("Font"));
    QCOMPARE(fake.shown.back().font, initial.Font);
    QCOMPARE(fake.shown.back().color, QColor(Qt::blue));
}

void TestServices::fakeDefaultsNeverBlock()
{
    FakeDialogs &fake = Platform::installFakes();
    QCOMPARE(fake.MsgBox(QString(), MsgButtons::OK, MsgIcon::None, QString()), MsgResult::OK);
    QVERIFY(fake.InputBox(QString(), QString(), QStringLiteral("0")).isEmpty());
    QVERIFY(!fake.OpenFile({}).has_value());
    QVERIFY(!fake.ChooseColor(Qt::black).has_value());
    QVERIFY(!fake.ChooseFont({}).has_value());
}

void TestServices::initTestCase()
{
    // The program's settings go to a folder of this run, not the user's.
    static QTemporaryDir config;
    QVERIFY(config.isValid());
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
}

void TestServices::settingsAreKeptPerApplicationSectionAndKey()
{
    const QString app = QStringLiteral("Kordane-格式报表Tavrel工具");
    const QString section = QStringLiteral("Settings");
    {
        QtSettingsStore store;
        QCOMPARE(store.GetSetting(app, section, "MainLeft", "1000"), QStringLiteral("1000"));
        store.SaveSetting(app, section, "MainLeft", "1200.5");
        store.SaveSetting(app, QStringLiteral("Other"), "MainLeft", "7");
    }
    // A fresh store reads what was written, each value under its own address.
    QtSettingsStore store;
    QCOMPARE(store.GetSetting(app, section, "MainLeft", "1000"), QStringLiteral("1200.5"));
    QCOMPARE(store.GetSetting(app, QStringLiteral("Other"), "MainLeft", "1"), QStringLiteral("7"));
    QCOMPARE(store.GetSetting(app, section, "MainTop", "1000"), QStringLiteral("1000"));
    QCOMPARE(store.GetSetting(QStringLiteral("another"), section, "MainLeft", "1000"),
             QStringLiteral("1000"));
}

void TestServices::roundingIsHalfToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("7.5") << 7.5 << 8;
    QTest::newRow("8.5") << 8.5 << 8;
    QTest::newRow("-2.5") << -2.5 << -2;
    QTest::newRow("2.4999") << 2.4999 << 2;
    QTest::newRow("37.5") << 37.5 << 38;
}

void TestServices::roundingIsHalfToEven()
{
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(Units::toInt32(value), expected);
    QCOMPARE(int(Units::toInt16(value)), expected);
}

void TestServices::int16Overflows_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("overflows");
    QTest::newRow("32767") << 32767.0 << false;
    QTest::newRow("32767.5") << 32767.5 << true;
    QTest::newRow("-32768") << -32768.0 << false;
    QTest::newRow("-32769") << -32769.0 << true;
}

void TestServices::int16Overflows()
{
    QFETCH(double, value);
    QFETCH(bool, overflows);
    bool threw = false;
    try {
        Units::toInt16(value);
    } catch (const RuntimeError &e) {
        threw = e.Number() == RuntimeError::Overflow;
    }
    QCOMPARE(threw, overflows);
}

void TestServices::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("hasNumber");
    QTest::newRow("plain") << "12" << 12.0 << true;
    QTest::newRow("letters after") << "12abc" << 12.0 << true;
    QTest::newRow("sign and decimals") << " -3.75x" << -3.75 << true;
    QTest::newRow("empty") << "" << 0.0 << false;
    QTest::newRow("letters") << "abc" << 0.0 << false;
    QTest::newRow("exponent") << "1e3" << 1000.0 << true;
    QTest::newRow("dot first") << ".5" << 0.5 << true;
    // What a Chinese input method types in full width reads as ASCII.
    QTest::newRow("full-width digits") << "１００２" << 1002.0 << true;
    QTest::newRow("full-width sign and point") << "－３．７５厘米" << -3.75 << true;
    QTest::newRow("full-width blank first") << "\u3000２５" << 25.0 << true;
    QTest::newRow("full-width comma ends it") << "１，５" << 1.0 << true;
    QTest::newRow("mixed widths") << "1２.５" << 12.5 << true;
    QTest::newRow("full-width letters") << "ａｂｃ" << 0.0 << false;
}

void TestServices::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(bool, hasNumber);
    QCOMPARE(Units::leadingNumber(text), value);
    QCOMPARE(Units::hasLeadingNumber(text), hasNumber);
}

void TestServices::millimetres_data()
{
    QTest::addColumn<double>("mm");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 25.0 << "25.0";
    QTest::newRow("one decimal") << 25.4 << "25.4";
    QTest::newRow("two decimals") << 6.35 << "6.35";
    QTest::newRow("rounded") << 1.23456 << "1.23";
}

void TestServices::millimetres()
{
    QFETCH(double, mm);
    QFETCH(QString, text);
    QCOMPARE(Units::formatMm(mm), text);
    QCOMPARE(Units::mmToTwips(25.4), 1440.0);
    QCOMPARE(Units::twipsToMm(1440.0), 25.4);
}

void TestServices::plainNumbers_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("trailing zero dropped") << 12.50 << "12.5";
    QTest::newRow("whole") << 400.0 << "400";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("binary fraction kept short") << 17.64 << "17.64";
    QTest::newRow("large, no exponent") << 1e20 << "100000000000000000000";
    QTest::newRow("small, no exponent") << 0.00001 << "0.00001";
}

void TestServices::plainNumbers()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(Units::plainNumber(value), text);
}

void TestServices::filterBecomesQtsAndMatchesEveryCase()
{
    const QString filter = QtDialogs::toQtFilter(
        QStringLiteral("位图文件(*.Bmp)|*.Bmp|所有图形文件|*.Bmp;*.Jpg;*.Gif;*.Ico|所有文件(*.*)|*.*"));
    const QStringList entries = filter.split(QStringLiteral(";;"));
    QCOMPARE(entries.size(), 3);
    QCOMPARE(entries[0], QStringLiteral("位图文件(*.Bmp) (*.Bmp *.bmp *.BMP)"));
    QVERIFY(entries[1].startsWith(QStringLiteral("所有图形文件 (")));
    QVERIFY(entries[1].contains(QStringLiteral("*.jpg")));
    QVERIFY(entries[1].contains(QStringLiteral("*.ICO")));
    QCOMPARE(entries[2], QStringLiteral("所有文件(*.*) (*.*)"));
}

void TestServices::pointerShapes_data()
{
    QTest::addColumn<int>("pointer");
    QTest::addColumn<int>("shape");
    QTest::newRow("default") << int(PointerShape::Default) << int(Qt::ArrowCursor);
    QTest::newRow("cross-hair") << int(PointerShape::Cross) << int(Qt::CrossCursor);
    QTest::newRow("NE-SW") << int(PointerShape::SizeNESW) << int(Qt::SizeBDiagCursor);
    QTest::newRow("N-S") << int(PointerShape::SizeNS) << int(Qt::SizeVerCursor);
    QTest::newRow("NW-SE") << int(PointerShape::SizeNWSE) << int(Qt::SizeFDiagCursor);
    QTest::newRow("W-E") << int(PointerShape::SizeWE) << int(Qt::SizeHorCursor);
    QTest::newRow("hourglass") << int(PointerShape::Hourglass) << int(Qt::WaitCursor);
    QTest::newRow("four arrows") << int(PointerShape::SizeAll) << int(Qt::SizeAllCursor);
}

void TestServices::pointerShapes()
{
    QFETCH(int, pointer);
    QFETCH(int, shape);
    QCOMPARE(int(PointerShape::cursorFor(pointer)), shape);
}

// Saved templates and the designer's events carry these numbers, so a name
// may never be renumbered.
void TestServices::codesKeepTheSystemsNumbers_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("number");
    QTest::newRow("pointer default") << int(PointerShape::Default) << 0;
    QTest::newRow("pointer cross") << int(PointerShape::Cross) << 2;
    QTest::newRow("pointer NE-SW") << int(PointerShape::SizeNESW) << 6;
    QTest::newRow("pointer N-S") << int(PointerShape::SizeNS) << 7;
    QTest::newRow("pointer NW-SE") << int(PointerShape::SizeNWSE) << 8;
    QTest::newRow("pointer W-E") << int(PointerShape::SizeWE) << 9;
    QTest::newRow("pointer hourglass") << int(PointerShape::Hourglass) << 11;
    QTest::newRow("pointer four arrows") << int(PointerShape::SizeAll) << 15;
    QTest::newRow("no border") << int(Element::NoBorder) << 0;
    QTest::newRow("fixed single") << int(Element::FixedSingle) << 1;
    QTest::newRow("transparent") << int(Element::Transparent) << 0;
    QTest::newRow("solid") << int(Element::Solid) << 1;
    QTest::newRow("dash") << int(Element::Dash) << 2;
    QTest::newRow("dot") << int(Element::Dot) << 3;
    QTest::newRow("dash-dot") << int(Element::DashDot) << 4;
    QTest::newRow("dash-dot-dot") << int(Element::DashDotDot) << 5;
    QTest::newRow("inside solid") << int(Element::InsideSolid) << 6;
    QTest::newRow("left justify") << int(Element::LeftJustify) << 0;
    QTest::newRow("right justify") << int(Element::RightJustify) << 1;
    QTest::newRow("center") << int(Element::Center) << 2;
    QTest::newRow("printer error") << int(RuntimeError::PrinterError) << 482;
}

void TestServices::codesKeepTheSystemsNumbers()
{
    QFETCH(int, code);
    QTEST(code, "number");
}

QTEST_GUILESS_MAIN(TestServices)
#include "tst_services.moc"
