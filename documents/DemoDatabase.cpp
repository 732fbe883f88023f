#include "DemoDatabase.h"

#include "platform/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

#include <atomic>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace DemoDatabase {

namespace {

struct Line
{
    const char *code;
    const char *item;
    const char *variant;
    const char *unit;
    int qty;
    long long priceCents;
};

struct Bill
{
    int32_t billNo;
    const char *date;
    const char *customer;
    const char *address;
    const char *contact;
    const char *phone;
    const char *warehouse;
    const char *handler;
    const char *remark;
    std::vector<Line> lines;
};

QString &configuredPath()
{
    static QString p;
    return p;
}

std::vector<Line> componentLines()
{
    static const Line parts[] = {
        {"R0603-1K", "贴片电阻", "0603 1kΩ ±1%", "盘", 0, 3500},
        {"R0603-10K", "贴片电阻", "0603 10kΩ ±1%", "盘", 0, 3500},
        {"C0805-100N", "贴片电容", "0805 100nF 50V", "盘", 0, 4280},
        {"C1206-10U", "贴片电容", "1206 10μF 25V", "盘", 0, 11650},
        {"L-4R7", "功率电感", "4.7μH 3A", "个", 0, 135},
        {"D-1N4148", "开关二极管", "1N4148 SOD-123", "盘", 0, 2890},
        {"Q-S8050", "三极管", "S8050 SOT-23", "盘", 0, 3120},
        {"U-STM32F103", "单片机", "STM32F103C8T6", "片", 0, 1260},
        {"U-AMS1117", "稳压芯片", "AMS1117-3.3", "片", 0, 95},
        {"X-8M", "无源晶振", "8MHz HC-49S", "个", 0, 48},
        {"J-USB-C", "USB插座", "Type-C 16P", "个", 0, 165},
        {"J-HDR-40", "排针", "2.54mm 1×40P", "条", 0, 60},
        {"K-TS6", "轻触开关", "6×6×5mm", "个", 0, 12},
        {"LED-0603-R", "发光二极管", "0603 红色", "盘", 0, 2450},
        {"PCB-2L", "印制电路板", "双层 100×80mm", "块", 0, 860},
    };
    std::vector<Line> lines;
    for (int i = 0; i < LongBillLines; ++i) {
        Line line = parts[i % 15];
        line.qty = (i * 7 % 19 + 1) * 10;
        lines.push_back(line);
    }
    return lines;
}

std::vector<Bill> bills()
{
    return {
        {FirstBillNo, "2024-03-05", "上海华联商贸有限公司", "上海市浦东新区张杨路500号华润时代广场12楼",
         "王丽", "021-58361234", "上海一号仓", "陈建国", "请于3月8日前送达",
         {{"P-A4-70", "复印纸", "A4 70g 500张/包", "箱", 10, 12800},
          {"B-05-BK", "中性笔", "0.5mm 黑色 12支/盒", "盒", 20, 1850},
          {"F-A4-2", "文件夹", "A4 双强力夹", "个", 50, 680},
          {"S-12", "订书机", "12号 可订20页", "台", 5, 3200},
          {"N-76", "便利贴", "76×76mm 100张", "本", 30, 320}}},
        {LongBillNo, "2024-03-12", "北京新元电子科技有限公司", "北京市海淀区中关村大街27号中关村大厦8层",
         "刘洋", "010-62581188", "北京电子料仓", "赵敏", "分两批发货", componentLines()},
        {CapitalsBillNo, "2024-04-01", "广州恒达机械设备有限公司", "广州市黄埔区科学大道18号",
         "黄志强", "020-82216677", "广州设备仓", "李娜", "设备含安装调试",
         {{"M-CK6140", "数控车床", "CK6140 主轴1500转", "台", 1, 9800000},
          {"M-TH4", "电动刀架", "四工位 LD4-6140", "套", 2, 350000},
          {"M-K11", "三爪卡盘", "K11-250", "个", 1, 300605}}},
        {1004, "2024-04-18", "杭州西溪五金店", "杭州市西湖区文二西路738号", "周杰", "0571-88012345",
         "杭州小件仓", "孙悦", "样品",
         {{"SC-M3-8", "十字螺丝", "M3×8 不锈钢", "个", 1, 10},
          {"WS-M3", "平垫片", "M3 不锈钢", "个", 1, 20}}},
    };
}

// Whoever shows the message names the file and why in the user's words.
[[noreturn]] void fail(const QString &reason, const QString &file)
{
    throw RuntimeError(RuntimeError::DemoDatabaseFailed,
                       QStringLiteral("无法建立演示数据库 %1：%2").arg(file, reason), file);
}

// SQLite's primary result codes that say why a file cannot be made.
QString reasonOf(const QSqlError &error)
{
    enum { Perm = 3, ReadOnly = 8, IoError = 10, Full = 13, CantOpen = 14 };
    QString why;
    // A failed commit comes without SQLite's code, with its text.
    const bool full = error.text().contains(QLatin1String("disk is full"));
    switch (full ? Full : error.nativeErrorCode().toInt() & 0xff) {
    case Full:
        why = QStringLiteral("磁盘空间不足");
        break;
    case Perm:
    case ReadOnly:
        why = QStringLiteral("没有写入权限");
        break;
    case CantOpen:
        why = QStringLiteral("文件无法打开或建立");
        break;
    case IoError:
        why = QStringLiteral("磁盘读写出错");
        break;
    default:
        return error.text();
    }
    return why + QStringLiteral("（") + error.text() + QStringLiteral("）");
}

void exec(QSqlQuery &query, const QString &file)
{
    if (!query.exec())
        fail(reasonOf(query.lastError()), file);
}

void fill(QSqlDatabase &db, const QString &file)
{
    QSqlQuery q(db);
    for (const char *statement : {
             "CREATE TABLE Bills (BillNo INTEGER PRIMARY KEY, BillDate TEXT NOT NULL,"
             " Customer TEXT NOT NULL, Address TEXT, Contact TEXT, Phone TEXT, Warehouse TEXT,"
             " Handler TEXT, Total REAL NOT NULL, Remark TEXT)",
             "CREATE TABLE BillLines (BillNo INTEGER NOT NULL, LineNo INTEGER NOT NULL,"
             " Code TEXT, Item TEXT NOT NULL, Variant TEXT, Unit TEXT, Qty REAL NOT NULL,"
             " Price REAL NOT NULL, Amount REAL NOT NULL, PRIMARY KEY (BillNo, LineNo))",
         }) {
        if (!q.exec(QString::fromUtf8(statement)))
            fail(reasonOf(q.lastError()), file);
    }
    QSqlQuery bill(db);
    bill.prepare(QStringLiteral("INSERT INTO Bills VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    QSqlQuery line(db);
    line.prepare(QStringLiteral("INSERT INTO BillLines VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const Bill &b : bills()) {
        long long totalCents = 0;
        int lineNo = 0;
        for (const Line &l : b.lines) {
            // Cents stay whole numbers; a REAL of n / 100 reads back as the
            // decimal it was written from.
            const long long amountCents = l.priceCents * l.qty;
            totalCents += amountCents;
            const QVariant values[] = {b.billNo, ++lineNo, QString::fromUtf8(l.code),
                                       QString::fromUtf8(l.item), QString::fromUtf8(l.variant),
                                       QString::fromUtf8(l.unit), l.qty, double(l.priceCents) / 100,
                                       double(amountCents) / 100};
            for (int i = 0; i < int(std::size(values)); ++i)
                line.bindValue(i, values[i]);
            exec(line, file);
        }
        const QVariant values[] = {b.billNo, QString::fromUtf8(b.date), QString::fromUtf8(b.customer),
                                   QString::fromUtf8(b.address), QString::fromUtf8(b.contact),
                                   QString::fromUtf8(b.phone), QString::fromUtf8(b.warehouse),
                                   QString::fromUtf8(b.handler), double(totalCents) / 100,
                                   QString::fromUtf8(b.remark)};
        for (int i = 0; i < int(std::size(values)); ++i)
            bill.bindValue(i, values[i]);
        exec(bill, file);
    }
}

// Raised whenever the tables or their contents change, so a file made by an
// earlier build is made again instead of failing the queries.
constexpr int ContentVersion = 2;

// Runs work on its own connection to path, closed and removed afterwards.
template<typename Work>
void withConnection(const QString &path, const QString &file, Work work)
{
    static std::atomic<int> serial{0};
    const QString connection = QStringLiteral("DemoDatabase-%1").arg(++serial);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        try {
            if (!db.open())
                fail(reasonOf(db.lastError()), file);
            work(db);
            db.close();
        } catch (...) {
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(connection);
            throw;
        }
    }
    QSqlDatabase::removeDatabase(connection);
}

void build(const QString &partial, const QString &file)
{
    withConnection(partial, file, [&](QSqlDatabase &db) {
        if (!db.transaction())
            fail(reasonOf(db.lastError()), file);
        fill(db, file);
        QSqlQuery version(db);
        if (!version.exec(QStringLiteral("PRAGMA user_version = %1").arg(ContentVersion)))
            fail(reasonOf(version.lastError()), file);
        if (!db.commit())
            fail(reasonOf(db.lastError()), file);
    });
}

bool isCurrent(const QString &file)
{
    if (!QFileInfo(file).isFile())
        return false;
    int version = -1;
    try {
        withConnection(file, file, [&](QSqlDatabase &db) {
            QSqlQuery query(db);
            if (query.exec(QStringLiteral("PRAGMA user_version")) && query.next())
                version = query.value(0).toInt();
        });
    } catch (const RuntimeError &) {
        return false;
    }
    return version == ContentVersion;
}

} // namespace

QString path()
{
    if (!configuredPath().isEmpty())
        return configuredPath();
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("demo.sqlite"));
}

void setPath(const QString &p)
{
    configuredPath() = p;
}

void ensure(const QString &file)
{
    if (isCurrent(file))
        return;
    const QFileInfo info(file);
    if (!QDir().mkpath(info.absolutePath()))
        fail(QStringLiteral("无法建立文件夹 %1").arg(info.absolutePath()), file);
    // As the program runs now (its effective user), not as it was started.
    if (::faccessat(AT_FDCWD, QFile::encodeName(info.absolutePath()).constData(), W_OK, AT_EACCESS)
        != 0)
        fail(QStringLiteral("文件夹 %1 不可写").arg(info.absolutePath()), file);
    const QString partial = file + QStringLiteral(".part");
    QFile::remove(partial);
    try {
        build(partial, file);
    } catch (...) {
        QFile::remove(partial);
        throw;
    }
    // The program owns this file: an outdated one is replaced whole.
    QFile::remove(file);
    if (!QFile::rename(partial, file)) {
        QFile::remove(partial);
        // Another program may have made it meanwhile.
        if (!QFileInfo(file).isFile())
            fail(QStringLiteral("无法把 %1 改名为它").arg(partial), file);
    }
}

QString headerQuery()
{
    return QStringLiteral(
        "SELECT BillNo AS \"单据号\", BillDate AS \"日期\", Customer AS \"客户\","
        " Address AS \"地址\", Contact AS \"联系人\", Phone AS \"电话\", Warehouse AS \"仓库\","
        " Handler AS \"经手人\", Total AS \"合计金额\", Remark AS \"备注\""
        " FROM Bills WHERE BillNo = :BillNo");
}

QString detailQuery()
{
    return QStringLiteral(
        "SELECT LineNo AS \"行号\", Code AS \"编码\", Item AS \"品名\", Variant AS \"规格\","
        " Unit AS \"单位\", Qty AS \"数量\", Price AS \"单价\", Amount AS \"金额\""
        " FROM BillLines WHERE BillNo = :BillNo ORDER BY LineNo");
}

DocumentType documentType()
{
    const QString file = path();
    ensure(file);
    DocumentType type;
    type.id = CategoryID;
    type.name = CategoryName;
    type.source.driver = QStringLiteral("QSQLITE");
    type.source.databaseName = file;
    type.headerQuery = headerQuery();
    type.detailQuery = detailQuery();
    return type;
}

} // namespace DemoDatabase
