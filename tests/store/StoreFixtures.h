#pragma once

#include "tests/model/ModelFixtures.h"
#include "tests/platform/AsNobody.h"

#include "model/BillTemplate.h"
#include "model/ObjHds.h"

#include "platform/PageSurface.h"

#include "store/TemplateStore.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImage>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>


inline QByteArray bmpBytes(const QColor &color, QSize size = QSize(6, 4))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

inline std::shared_ptr<ObjDraw> addPicture(ObjDraws &objs, double left, double top,
                                           const QByteArray &bytes)
{
    auto obj = addBox(objs, ObjDraw::Picture, left, top, 900, 600);
    obj->ObjCtl()->setPicture(QImage::fromData(bytes), bytes);
    return obj;
}

// count objects in a grid, a line, a text and a picture in turn; every
// caption begins with mark, so a template read back shows which save it is.
inline void fillTemplate(BillTemplate &bill, int count, const QString &mark)
{
    const QByteArray picture = bmpBytes(Qt::darkCyan);
    for (int i = 0; i < count; ++i) {
        const double left = (i % 60) * 500 + 60;
        const double top = (i / 60) * 400 + 60;
        switch (i % 3) {
        case 0:
            addLine(bill.mObjs, left, top, left + 380, top + 280);
            break;
        case 1:
            addText(bill.mObjs, left, top, 380, 280)
                ->ObjCtl()
                ->setCaption(mark + QString::number(i));
            break;
        default:
            addPicture(bill.mObjs, left, top, picture);
            break;
        }
    }
    bill.mObjs.page().setWidth(60 * 500 + 120);
    bill.mObjs.page().setHeight((count / 60 + 1) * 400 + 120);
}

// Every stored property of an object, one "name=value" per entry, so two
// objects compare in one QCOMPARE that names the property that differs.
inline QStringList describe(ObjDraw &obj)
{
    const Element &e = *obj.ObjCtl();
    const ElementFont &f = e.Font();
    QStringList states;
    for (ObjHd &hd : *obj.Handls())
        states << QString::number(hd.nState());
    const QImage pixels = e.Picture().convertToFormat(QImage::Format_ARGB32);
    const QByteArray picture(reinterpret_cast<const char *>(pixels.constBits()),
                             pixels.sizeInBytes());
    const QVariantList values{
        obj.nID(), obj.eType(), e.Visible(),
        e.isLine() ? QStringLiteral("%1,%2,%3,%4").arg(e.x1()).arg(e.y1()).arg(e.x2()).arg(e.y2())
                   : QStringLiteral("%1,%2,%3,%4")
                         .arg(e.Left())
                         .arg(e.Top())
                         .arg(e.Width())
                         .arg(e.Height()),
        // A text's border is its selection cue, compared by the caller.
        obj.eType() == ObjDraw::Text ? QVariant() : e.BorderStyle(),
        e.isLine() ? e.BorderWidth() : 0, e.isLine() ? e.BorderColor().name() : QString(),
        QCryptographicHash::hash(picture, QCryptographicHash::Md5).toHex(), e.Caption(), e.Tag(),
        e.ToolTipText(),
        QStringLiteral("%1 %2 %3%4%5%6")
            .arg(f.Name)
            .arg(f.Size)
            .arg(f.Bold)
            .arg(f.Italic)
            .arg(f.Underline)
            .arg(f.Strikethru),
        e.ForeColor().name(), e.Alignment(), e.AutoSize(), e.Stretch(), obj.Clip(), obj.IsFix(),
        obj.DataType(), obj.IsScroll(), obj.Sumed(), obj.SumedPage(), obj.Format(), obj.Printed(),
        obj.Locked(), obj.BStyle(), obj.BWidth(), obj.FColor(), states.join(QLatin1Char(' ')),
        QStringLiteral("%1 %2 %3 %4 %5")
            .arg(obj.Barcode().type)
            .arg(obj.Barcode().moduleWidth)
            .arg(obj.Barcode().qrLevel)
            .arg(obj.Barcode().showText)
            .arg(e.BarcodeSample())};
    static const char *const names[]
        = {"nID",         "eType",     "Visible",  "geometry",  "BorderStyle",  "BorderWidth",
           "BorderColor", "picture",   "Caption",  "Tag",       "ToolTipText",  "Font",
           "ForeColor",   "Alignment", "AutoSize", "Stretch",   "Clip",         "IsFix",
           "DataType",    "IsScroll",  "Sumed",    "SumedPage", "Format",       "Printed",
           "Locked",      "BStyle",    "BWidth",   "FColor",    "handle states", "code"};
    QStringList d;
    for (int i = 0; i < values.size(); ++i)
        d << QLatin1String(names[i]) + QLatin1Char('=') + values[i].toString();
    return d;
}

// Rows of a table of the store, for one template or all of them.
inline int rowCount(const TemplateStore &store, const char *table, int fid = -1)
{
    QSqlQuery query(QSqlDatabase::database(store.connectionName()));
    query.prepare(
        QStringLiteral("SELECT COUNT(*) FROM %1%2")
            .arg(QLatin1String(table), fid < 0 ? QString() : QStringLiteral(" WHERE FID = ?")));
    if (fid >= 0)
        query.addBindValue(fid);
    if (!query.exec() || !query.next())
        return -1;
    return query.value(0).toInt();
}

inline bool execOn(const TemplateStore &store, const QString &sql)
{
    QSqlQuery query(QSqlDatabase::database(store.connectionName()));
    return query.exec(sql);
}
