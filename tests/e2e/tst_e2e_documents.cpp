#include "app/DocumentTypeCatalog.h"

#include "print/FieldVocabulary.h"
#include "print/Mod_Print.h"
#include "print/PageComposer.h"
#include "print/PreviewCommand.h"
#include "print/frm_BillPreView.h"

#include "documents/DemoDatabase.h"
#include "model/BillTemplate.h"
#include "platform/AppSetup.h"
#include "platform/Element.h"
#include "platform/ElementArray.h"
#include "platform/FakeDialogs.h"
#include "platform/Platform.h"
#include "store/TemplateStore.h"

#include <QDir>
#include <QLabel>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

std::shared_ptr<ObjDraw> addText(BillTemplate &bill, double left, double top, double width,
                                 const QString &caption, const QString &tag = QString(),
                                 const QString &format = QString(), bool scroll = false,
                                 bool sumed = false, bool sumedPage = false)
{
    ElementArray &texts = bill.mObjs.page().ObjText();
    Element &e = texts.Load(texts.UBound() + 1);
    e.Move(left, top, width, 300);
    e.setVisible(true);
    auto obj = bill.mObjs.LinkCtl(e.Index(), ObjDraw::Text, &e, ObjDraw::Created);
    if (tag.isEmpty()) {
        e.setCaption(caption);
        e.setTag(caption);
        return obj;
    }
    obj->setIsFix(false);
    obj->setIsScroll(scroll);
    obj->setSumed(sumed);
    obj->setSumedPage(sumedPage);
    obj->setFormat(format);
    e.setTag(tag);
    e.setCaption(FieldVocabulary::BoundCaption(sumed, sumedPage, scroll, caption));
    return obj;
}

// A delivery note as a clerk lays it out: the customer block, ten
// pre-printed rows, the page's subtotal, the total carried so far.
void layOut(BillTemplate &bill)
{
    using namespace FieldVocabulary;
    bill.mrowcount = 10;
    bill.mRowHeight = 400;
    bill.mcolcount = 1;
    bill.mObjs.page().setWidth(11906);
    bill.mObjs.page().setHeight(8391);
    addText(bill, 4200, 400, 3600, QStringLiteral("发 货 单"));
    addText(bill, 600, 1100, 900, QStringLiteral("客户："));
    addText(bill, 1500, 1100, 5000, QStringLiteral("[客户]"), HeaderCode(QStringLiteral("客户")));
    addText(bill, 7600, 1100, 900, QStringLiteral("日期："));
    addText(bill, 8500, 1100, 2500, QStringLiteral("[日期]"), HeaderCode(QStringLiteral("日期")),
            QStringLiteral("yyyy年mm月dd日"));
    addText(bill, 600, 1500, 900, QStringLiteral("地址："));
    addText(bill, 1500, 1500, 9000, QStringLiteral("[地址]"), HeaderCode(QStringLiteral("地址")));
    const struct { double left, width; const char *title, *column, *format; } columns[] = {
        {600, 700, "行号", "行号", ""},      {1300, 2200, "品名", "品名", ""},
        {3500, 2400, "规格", "规格", ""},    {5900, 800, "单位", "单位", ""},
        {6700, 1100, "数量", "数量", "0"},   {7800, 1400, "单价", "单价", "#,##0.00"},
        {9200, 1800, "金额", "金额", "#,##0.00"}};
    for (const auto &c : columns) {
        addText(bill, c.left, 2000, c.width, QString::fromUtf8(c.title));
        addText(bill, c.left, 2450, c.width, QStringLiteral("[%1]").arg(QString::fromUtf8(c.column)),
                DetailCode(QString::fromUtf8(c.column)), QString::fromUtf8(c.format), true);
    }
    addText(bill, 7000, 6600, 2200, QStringLiteral("本页小计："));
    addText(bill, 9200, 6600, 1800, QStringLiteral("[金额]"), DetailCode(QStringLiteral("金额")),
            QStringLiteral("#,##0.00"), false, true, true);
    addText(bill, 7000, 7000, 2200, QStringLiteral("累计："));
    addText(bill, 9200, 7000, 1800, QStringLiteral("[金额]"), DetailCode(QStringLiteral("金额")),
            QStringLiteral("#,##0.00"), false, true, false);
    addText(bill, 600, 7600, 600, QStringLiteral("[页号]"), PageNo);
    addText(bill, 1200, 7600, 600, QStringLiteral("/"));
    addText(bill, 1500, 7600, 600, QStringLiteral("[总页号]"), PageCount);
}

} // namespace

class TestE2eDocuments : public QObject
{
    Q_OBJECT

private slots:
    void previewOfTheLongDemonstrationDocument();
};

// A stored template previewed for document 1002: 45 lines on ten rows are
// five pages; page 2 shows lines 11 to 20 with their subtotal.
void TestE2eDocuments::previewOfTheLongDemonstrationDocument()
{
    AppSetup::installFontSubstitutions();
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    DemoDatabase::setPath(dir.filePath(QStringLiteral("demo.sqlite")));
    FakeDialogs &dialogs = Platform::installFakes();
    TemplateStore store(dir.filePath(QStringLiteral("templates.sqlite")));
    DocumentTypeCatalog::publish(store);
    {
        BillTemplate designed;
        layOut(designed);
        designed.Caption = QStringLiteral("发货单");
        QCOMPARE(store.save(designed), SaveResult::Saved);
    }
    BillTemplate bill;
    store.load(store.templates(0).front().id, bill);

    dialogs.inputAnswers = {QStringLiteral("1002")};
    QString firstLabel, label, subtotal, total;
    QStringList lines;
    dialogs.modalScripts.push_back([&](QDialog &dialog) {
        auto &form = dynamic_cast<frm_BillPreView &>(dialog);
        form.resize(1000, 640);
        form.show();
        if (!QTest::qWaitForWindowExposed(&form))
            return 0;
        firstLabel = form.labPage->text();
        QTest::mouseClick(form.cmdPageDown, Qt::LeftButton);
        label = form.labPage->text();
        QTest::qWait(50);
        const QString shots = qEnvironmentVariable("TAVREL_SCREENSHOT_DIR", dir.path());
        form.grab().save(QDir(shots).filePath(QStringLiteral("preview-1002-page2.png")));
        const PageContext context = Mod_Print::Context(form.mCurPage);
        for (const auto &obj : bill.mObjs) {
            const QString tag = obj->ObjCtl()->Tag();
            if (tag == FieldVocabulary::DetailCode(QStringLiteral("金额")) && obj->SumedPage())
                subtotal = PageComposer::PrintedText(*obj, bill, context);
            else if (tag == FieldVocabulary::DetailCode(QStringLiteral("金额")) && obj->Sumed())
                total = PageComposer::PrintedText(*obj, bill, context);
            else if (tag == FieldVocabulary::DetailCode(QStringLiteral("行号")))
                for (int k = 0; k < 10; ++k)
                    lines << PageComposer::PrintedText(*obj, bill, context, k);
        }
        return 0;
    });
    PreviewCommand::PreView(bill);
    QVERIFY2(dialogs.messages().isEmpty(), qPrintable(dialogs.messages().join(QLatin1Char('\n'))));
    QCOMPARE(firstLabel, QStringLiteral("第 1 页/共 5 页"));
    QCOMPARE(label, QStringLiteral("第 2 页/共 5 页"));
    QCOMPARE(lines, QStringList({"11", "12", "13", "14", "15", "16", "17", "18", "19", "20"}));

    // What SQLite sums for the same lines, formatted by hand.
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
    db.setDatabaseName(DemoDatabase::path());
    QVERIFY(db.open());
    QSqlQuery q(db);
    QVERIFY(q.exec(QStringLiteral("SELECT printf('%.2f', TOTAL(CASE WHEN LineNo BETWEEN 11 AND 20"
                                  " THEN Amount END)), printf('%.2f', TOTAL(CASE WHEN LineNo <= 20"
                                  " THEN Amount END)) FROM BillLines WHERE BillNo = 1002")));
    QVERIFY(q.next());
    const auto grouped = [](QString s) {
        for (int at = int(s.indexOf(QLatin1Char('.'))) - 3; at > 0; at -= 3)
            s.insert(at, QLatin1Char(','));
        return s;
    };
    QCOMPARE(subtotal, grouped(q.value(0).toString()));
    QCOMPARE(total, grouped(q.value(1).toString()));
    q = QSqlQuery();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
}

QTEST_MAIN(TestE2eDocuments)
#include "tst_e2e_documents.moc"
