#include "DialogFixtures.h"

#include "tests/designer/DesignerHarness.h"
#include "tests/designer/DesignerInvariants.h"

#include "designer/ShellNames.h"

#include "platform/FakeDialogs.h"
#include "platform/Platform.h"
#include "platform/PointerConfinement.h"
#include "platform/Screen.h"
#include "platform/Units.h"

#include <QTest>

#include <memory>

// The designer opens the dialogs for its template and shows what they
// changed.
class TestOpeners : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void setObjPropNeedsOneSelectedObject_data();
    void setObjPropNeedsOneSelectedObject();
    void setObjPropReportsAFailingInit();
    void dialogsOpenedDuringADragEndItFirst_data();
    void dialogsOpenedDuringADragEndItFirst();
    void pageSetupNamesTheWindow_data();
    void pageSetupNamesTheWindow();

private:
    int modalsShown() const;

    std::unique_ptr<DesignerHarness> h;
    FakeDialogs *dialogs = nullptr;
};

void TestOpeners::initTestCase()
{
    Screen::setTwipsPerPixel(15, 15);
}

void TestOpeners::init()
{
    dialogs = &Platform::installFakes();
    h = std::make_unique<DesignerHarness>();
    QVERIFY(h->ready());
}

void TestOpeners::cleanup()
{
    h.reset();
}

int TestOpeners::modalsShown() const
{
    int n = 0;
    for (const FakeDialogs::Shown &s : dialogs->shown)
        n += s.kind == QLatin1String("Modal") ? 1 : 0;
    return n;
}

void TestOpeners::setObjPropNeedsOneSelectedObject_data()
{
    QTest::addColumn<int>("selected");
    QTest::newRow("none") << 0;
    QTest::newRow("one") << 1;
    QTest::newRow("two") << 2;
}

void TestOpeners::setObjPropNeedsOneSelectedObject()
{
    QFETCH(int, selected);
    mFrm_Bill *bill = h->open();
    h->draw(bill, 2, 1500, 750, 3000, 1200);
    h->draw(bill, 2, 4500, 750, 6000, 1200);
    if (selected == 2)
        h->drag(bill, 600, 300, 7000, 1500);
    else if (selected == 0)
        h->click(bill, 600, 3300);
    QCOMPARE(bill->mObjs().nActCount(), selected);
    dialogs->modalScripts.push_back([](QDialog &dialog) {
        tick(dialog, "ChkLock", true);
        press(dialog, "CmdOK");
        return dialog.result();
    });
    bill->SetObjProp();

    QCOMPARE(modalsShown(), selected == 1 ? 1 : 0);
    if (selected != 1)
        return;
    QCOMPARE(dialogs->shown.back().title, QStringLiteral("对象属性："));
    QVERIFY(bill->mObjs().findByID(1002)->Locked());
    // The lock shows at once in the menu and on the toolbar.
    QCOMPARE(h->shell.checked.value(QLatin1String(MenuItem::EditLock)), true);
    QCOMPARE(h->shell.buttons.value(QLatin1String(ToolbarKey::Locked)), 1);
}

void TestOpeners::setObjPropReportsAFailingInit()
{
    mFrm_Bill *bill = h->open();
    ObjDraw bare(&bill->PicPage());
    bare.setEType(ObjDraw::Line);
    bare.setNID(2);
    bill->mObjs().Add(bare, ObjDraw::KeyOf(2));
    bill->mObjs().setNCurID(2);
    QCOMPARE(bill->mObjs().nActCount(), 1);
    bill->SetObjProp();
    QCOMPARE(dialogs->messages(), QStringList{QStringLiteral("设置属性失败！")});
    QCOMPARE(modalsShown(), 0);
}

void TestOpeners::dialogsOpenedDuringADragEndItFirst_data()
{
    QTest::addColumn<bool>("pageSetup");
    QTest::newRow("properties") << false;
    QTest::newRow("page setup") << true;
}

void TestOpeners::dialogsOpenedDuringADragEndItFirst()
{
    QFETCH(bool, pageSetup);
    mFrm_Bill *bill = h->open();
    h->draw(bill, 2, 1500, 750, 3000, 1200);
    h->press(h->at(bill, 2000, 900));
    h->move(h->at(bill, 2300, 1200));
    bool confinedWhileOpen = true;
    QString leftShown;
    dialogs->modalScripts.push_back([&](QDialog &dialog) {
        confinedWhileOpen = Platform::pointer().isConfined();
        if (!pageSetup)
            leftShown = element<QLineEdit>(dialog, "TxtLeft").text();
        return int(QDialog::Rejected);
    });
    if (pageSetup)
        bill->ShowPageSetup();
    else
        bill->SetObjProp();
    h->release(h->at(bill, 2600, 1500));

    QCOMPARE(modalsShown(), 1);
    QVERIFY(!confinedWhileOpen);
    QCOMPARE(brokenInvariant(*bill), QString());
    // The dialog shows where the drag left the object.
    if (!pageSetup)
        QCOMPARE(leftShown, Units::formatMm(Units::twipsToMm(1800)));
}

void TestOpeners::pageSetupNamesTheWindow_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("title");
    QTest::newRow("OK") << "CmdOK" << "出库单";
    QTest::newRow("Cancel") << "CmdCancel" << "入库单";
}

void TestOpeners::pageSetupNamesTheWindow()
{
    QFETCH(QString, button);
    QFETCH(QString, title);
    mFrm_Bill *bill = h->open();
    bill->setCaption(QStringLiteral("入库单"));
    dialogs->modalScripts.push_back([button](QDialog &dialog) {
        element<QLineEdit>(dialog, "TxtName").setText(QStringLiteral("  出库单"));
        press(dialog, qPrintable(button));
        return dialog.result();
    });
    bill->ShowPageSetup();
    QCOMPARE(dialogs->shown.back().title, QStringLiteral("页面设置"));
    QCOMPARE(bill->Caption(), title);
    QCOMPARE(bill->windowTitle(), title);
    QCOMPARE(bill->parentWidget()->windowTitle(), title);
}

QTEST_MAIN(TestOpeners)
#include "tst_openers.moc"
