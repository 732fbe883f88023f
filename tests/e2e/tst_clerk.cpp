// A clerk's whole session with the real program: the main window, its
// menus, toolbar and keys, the catalogue on a store in a temporary folder,
// the dialogs answered through the platform's fake, and the printed page
// read back from the PDF.

#include "tests/store/StoreFixtures.h"

#include "app/Module1.h"
#include "app/mFrm_Main.h"
#include "app/mFrm_Select.h"

#include "designer/DrawTool.h"
#include "designer/PageView.h"
#include "designer/ShellNames.h"
#include "designer/mFrm_Bill.h"

#include "print/Mod_Print.h"

#include "platform/AppSetup.h"
#include "platform/Element.h"
#include "platform/FakeDialogs.h"
#include "platform/Platform.h"
#include "platform/QtPrintDevice.h"
#include "platform/Screen.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <cmath>
#include <memory>

namespace {

struct Word
{
    double xMin, yMin;
    QString text;
};

// The words of a one-page PDF and where they start (points).
QList<Word> wordsOf(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    static const QRegularExpression wordRe(QString::fromLatin1(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">([^<]*)</word>)re"));
    QList<Word> words;
    auto it = wordRe.globalMatch(QString::fromUtf8(process.readAllStandardOutput()));
    while (it.hasNext()) {
        const auto m = it.next();
        words.append({m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3)});
    }
    return words;
}

const Word *find(const QList<Word> &words, const QString &text)
{
    for (const Word &w : words) {
        if (w.text == text)
            return &w;
    }
    return nullptr;
}

// Typing as a keyboard does, Chinese included.
void type(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
    }
}

template<typename T>
T &child(const QDialog &dialog, const char *name)
{
    T *found = dialog.findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no element %s", name);
    return *found;
}

// Every shown object as stored: deleted ones are not kept, and the
// selection (the handle states) is no part of a template.
QStringList describeAll(mFrm_Bill &bill)
{
    QStringList all;
    for (const auto &obj : bill.mObjs()) {
        if (obj->ObjCtl()->Visible())
            all << describe(*obj).filter(QRegularExpression(QStringLiteral("^(?!handle states)")));
    }
    return all;
}

} // namespace

class TestClerk : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void aDayAtTheDesigner();

private:
    QPoint at(double x, double y) const;
    void drag(double x1, double y1, double x2, double y2);
    void click(double x, double y);
    void doubleClick(double x, double y);
    void draw(const char *toolKey, double x1, double y1, double x2, double y2);
    void editInPlace(double x, double y, const QString &text);

    QTemporaryDir m_dir;
    QPointer<mFrm_Main> main;
    FakeDialogs *dialogs = nullptr;
};

void TestClerk::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    AppSetup::installFontSubstitutions();
    Screen::setTwipsPerPixel(15, 15);
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(),
             "pdftotext (poppler-utils, installed by scripts/setup) is needed");
}

QPoint TestClerk::at(double x, double y) const
{
    const QPoint local(int(std::lround(x / 15.0)), int(std::lround(y / 15.0)));
    return main->gActiveBill()->pageView().mapTo(main.data(), local);
}

void TestClerk::drag(double x1, double y1, double x2, double y2)
{
    QTest::mousePress(main->windowHandle(), Qt::LeftButton, {}, at(x1, y1));
    QTest::mouseMove(main->windowHandle(), at((x1 + x2) / 2, (y1 + y2) / 2));
    QTest::mouseMove(main->windowHandle(), at(x2, y2));
    QTest::mouseRelease(main->windowHandle(), Qt::LeftButton, {}, at(x2, y2));
}

void TestClerk::click(double x, double y)
{
    QTest::mouseClick(main->windowHandle(), Qt::LeftButton, {}, at(x, y));
}

void TestClerk::doubleClick(double x, double y)
{
    QTest::mouseDClick(main->windowHandle(), Qt::LeftButton, {}, at(x, y));
}

void TestClerk::draw(const char *toolKey, double x1, double y1, double x2, double y2)
{
    main->button(toolKey)->trigger();
    drag(x1, y1, x2, y2);
}

void TestClerk::editInPlace(double x, double y, const QString &text)
{
    doubleClick(x, y);
    QLineEdit &editor = main->gActiveBill()->TxtLab();
    QVERIFY(editor.isVisible());
    type(&editor, text);
    QTest::keyClick(&editor, Qt::Key_Return);
}

void TestClerk::aDayAtTheDesigner()
{
    dialogs = &Platform::installFakes();
    QImage stamp(40, 30, QImage::Format_RGB32);
    stamp.fill(Qt::darkRed);
    const QString stampFile = m_dir.filePath(QStringLiteral("stamp.bmp"));
    QVERIFY(stamp.save(stampFile));
    Module1::Main();
    main = Module1::MainForm();
    main->catalogue().setPath(m_dir.filePath(QStringLiteral("templates.sqlite")));
    main->resize(1200, 900);
    QVERIFY(QTest::qWaitForWindowActive(main.data()));

    // 新建 with a name.
    dialogs->modalScripts.push_back([](QDialog &dialog) {
        auto &select = dynamic_cast<mFrm_Select &>(dialog);
        select.CmbName->setEditText(QStringLiteral("出库单"));
        select.CmdOk->click();
        return select.result();
    });
    QTest::keyClick(main.data(), Qt::Key_N, Qt::ControlModifier);
    QPointer<mFrm_Bill> bill = main->gActiveBill();
    QVERIFY(bill);
    QCOMPARE(bill->windowTitle(), QStringLiteral("出库单"));

    // A text edited in place, a line, a picture, and the texts to come.
    main->mun_DrawObj(DrawTool::Text)->trigger();
    drag(1500, 750, 4500, 1200);
    editInPlace(2000, 900, QStringLiteral("Receipt 出库"));
    draw(ToolbarKey::DrawLine, 1500, 3000, 6000, 3000);
    draw(ToolbarKey::DrawImg, 6900, 300, 7800, 1500);
    dialogs->fileAnswers.push_back(stampFile);
    doubleClick(7300, 900);
    draw(ToolbarKey::DrawText, 4800, 1800, 6300, 2250);
    draw(ToolbarKey::DrawText, 1500, 3150, 3000, 3550);
    editInPlace(2000, 3350, QStringLiteral("DELETED"));
    draw(ToolbarKey::DrawText, 3600, 3150, 5100, 3550);
    editInPlace(4000, 3350, QStringLiteral("HIDDEN"));
    QCOMPARE(bill->mObjs().Count(), 6);

    // The second text shows the page number.
    click(5500, 2000);
    dialogs->modalScripts.push_back([](QDialog &dialog) {
        child<QComboBox>(dialog, "CmbKey").setCurrentText(QStringLiteral("[页号]"));
        child<QPushButton>(dialog, "CmdOK").click();
        return dialog.result();
    });
    main->action(MenuItem::EditProp)->trigger();
    QCOMPARE(bill->ObjText()(1002).Caption(), QStringLiteral("#[页号]"));

    // Both boxes aligned on the current one's left edge and of one size.
    drag(1200, 600, 6600, 2500);
    QCOMPARE(bill->mObjs().nActCount(), 2);
    main->action(MenuItem::FormatLeft)->trigger();
    main->button(ToolbarKey::SizeAll)->trigger();
    const Element &receipt = bill->ObjText()(1001);
    const Element &pageNo = bill->ObjText()(1002);
    QCOMPARE(receipt.Left(), pageNo.Left());
    QCOMPARE(receipt.Width(), pageNo.Width());
    QCOMPARE(receipt.Height(), pageNo.Height());

    // The line locked, the picture cloned, one text deleted, one not printed.
    click(3000, 3000);
    QCOMPARE(bill->mObjs().nCurID(), 1);
    main->button(ToolbarKey::Locked)->trigger();
    QVERIFY(bill->mObjs().findByID(1)->Locked());
    click(7300, 900);
    QTest::keyClick(main.data(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(bill->mObjs().Count(), 7);
    click(2000, 3350);
    QTest::keyClick(main.data(), Qt::Key_Delete);
    QVERIFY(!bill->ObjText()(1003).Visible());
    click(4000, 3350);
    dialogs->modalScripts.push_back([](QDialog &dialog) {
        child<QCheckBox>(dialog, "ChkPrint").setChecked(true);
        child<QPushButton>(dialog, "CmdOK").click();
        return dialog.result();
    });
    main->button(ToolbarKey::Prop)->trigger();
    QVERIFY(!bill->mObjs().findByID(1004)->Printed());

    // Page setup: five scrolling rows, the default page.
    dialogs->modalScripts.push_back([](QDialog &dialog) {
        child<QLineEdit>(dialog, "TxtCount").setText(QStringLiteral("5"));
        child<QCheckBox>(dialog, "ChkDefault").setChecked(true);
        child<QPushButton>(dialog, "CmdOK").click();
        return dialog.result();
    });
    main->action(MenuItem::FilePageSetup)->trigger();
    QCOMPARE(bill->mrowcount(), int16_t(5));
    QVERIFY(bill->mChanged());

    // Saved, closed without a question, opened again from the catalogue.
    dialogs->shown.clear();
    QTest::keyClick(main.data(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(dialogs->messages(), QStringList{QStringLiteral("保存成功！")});
    const int16_t id = bill->mID();
    QVERIFY(id > 0);
    const QStringList before = describeAll(*bill);
    const QSizeF page(bill->PicPage().Width(), bill->PicPage().Height());
    main->action(MenuItem::FileClose)->trigger();
    QTRY_VERIFY(!bill);
    QCOMPARE(dialogs->messages().size(), 1);

    dialogs->modalScripts.push_back([](QDialog &dialog) {
        auto &select = dynamic_cast<mFrm_Select &>(dialog);
        select.CmbName->setCurrentIndex(select.CmbName->findText(QStringLiteral("出库单")));
        select.CmdOk->click();
        return select.result();
    });
    main->button(ToolbarKey::Open)->trigger();
    bill = main->gActiveBill();
    QVERIFY(bill);
    QCOMPARE(bill->mID(), id);
    QCOMPARE(bill->Caption(), QStringLiteral("出库单"));
    QCOMPARE(QSizeF(bill->PicPage().Width(), bill->PicPage().Height()), page);
    QCOMPARE(bill->mrowcount(), int16_t(5));
    QVERIFY(bill->mIsDefault());
    QCOMPARE(describeAll(*bill), before);

    // Preview of document 0, printed from the preview to a PDF file.
    const QString pdf = m_dir.filePath(QStringLiteral("出库单.pdf"));
    if (QtPrintDevice::hasPrinter())
        Mod_Print::setPrintDeviceFactory([pdf] { return std::make_shared<QtPrintDevice>(pdf); });
    else
        dialogs->fileAnswers.push_back(pdf);
    dialogs->inputAnswers.push_back(QStringLiteral("0"));
    dialogs->modalScripts.push_back([](QDialog &preview) {
        child<QToolButton>(preview, "cmdPrint").click();
        preview.reject();
        return preview.result();
    });
    dialogs->shown.clear();
    main->button(ToolbarKey::View)->trigger();
    Mod_Print::setPrintDeviceFactory({});
    QStringList kinds;
    for (const FakeDialogs::Shown &s : dialogs->shown)
        kinds << s.kind;
    const QStringList expectedKinds = QtPrintDevice::hasPrinter()
                                          ? QStringList{"InputBox", "Modal"}
                                          : QStringList{"InputBox", "Modal", "SaveFile"};
    QCOMPARE(kinds, expectedKinds);

    // What was designed is what prints, where it was designed.
    const QList<Word> words = wordsOf(pdf);
    QVERIFY2(!words.isEmpty(), "the PDF did not read back");
    const Element &printedText = bill->ObjText()(1001);
    const Word *title = find(words, QStringLiteral("Receipt"));
    QVERIFY(title);
    QVERIFY2(std::abs(title->xMin - printedText.Left() / 20) <= 0.5, qPrintable(QString::number(title->xMin)));
    QVERIFY2(std::abs(title->yMin - printedText.Top() / 20) <= 0.5, qPrintable(QString::number(title->yMin)));
    QVERIFY(find(words, QStringLiteral("出库")));
    const Word *number = find(words, QStringLiteral("1"));
    QVERIFY(number);
    QVERIFY(std::abs(number->xMin - bill->ObjText()(1002).Left() / 20) <= 0.5);
    QVERIFY(std::abs(number->yMin - bill->ObjText()(1002).Top() / 20) <= 0.5);
    QVERIFY(!find(words, QStringLiteral("DELETED")));
    QVERIFY(!find(words, QStringLiteral("HIDDEN")));
    QCOMPARE(words.size(), 3);
    qInfo("Receipt at (%.2f, %.2f) pt, page number at (%.2f, %.2f) pt", title->xMin, title->yMin,
          number->xMin, number->yMin);

    // The day ends: nothing changed since opening, so only the exit is asked.
    dialogs->shown.clear();
    dialogs->msgAnswers.push_back(MsgResult::Yes);
    main->action(MenuItem::FileExit)->trigger();
    QCOMPARE(dialogs->messages(), QStringList{QStringLiteral("您确认要退出系统吗？")});
    QTRY_VERIFY(!main);
}

QTEST_MAIN(TestClerk)
#include "tst_clerk.moc"
