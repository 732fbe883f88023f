#pragma once

#include "tests/model/ModelFixtures.h"

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
            addText(bill.mObjs, left, top, 380, 280)->ObjCtl()->setCaption(mark + QString::number(i));
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
    QStringList d;
    auto add = [&d](const char *name, const QVariant &v) {
        d << QLatin1String(name) + QLatin1Char('=') + v.toString();
    };
    add("nID", obj.nID());
    add("eType", obj.eType());
    add("Visible", e.Visible());
    if (e.isLine()) {
        add("line", QStringLiteral("%1,%2,%3,%4").arg(e.x1()).arg(e.y1()).arg(e.x2()).arg(e.y2()));
        add("BorderStyle", e.BorderStyle());
        add("BorderWidth", e.BorderWidth());
        add("BorderColor", e.BorderColor().name());
    } else {
        add("box", QStringLiteral("%1,%2,%3,%4").arg(e.Left()).arg(e.Top()).arg(e.Width()).arg(e.Height()));
    }
    if (obj.eType() == ObjDraw::Picture) {
        add("BorderStyle", e.BorderStyle());
        const QImage pixels = e.Picture().convertToFormat(QImage::Format_ARGB32);
        add("picture", QCryptographicHash::hash(QByteArray(reinterpret_cast<const char *>(pixels.constBits()),
                                                           pixels.sizeInBytes()),
                                                QCryptographicHash::Md5)
                           .toHex());
    }
    add("Caption", e.Caption());
    add("Tag", e.Tag());
    add("ToolTipText", e.ToolTipText());
    add("Font", QStringLiteral("%1 %2 %3%4%5%6")
                    .arg(e.Font().Name)
                    .arg(e.Font().Size)
                    .arg(e.Font().Bold)
                    .arg(e.Font().Italic)
                    .arg(e.Font().Underline)
                    .arg(e.Font().Strikethru));
    add("ForeColor", e.ForeColor().name());
    add("Alignment", e.Alignment());
    add("AutoSize", e.AutoSize());
    add("Stretch", e.Stretch());
    add("Clip", obj.Clip());
    add("IsFix", obj.IsFix());
    add("DataType", obj.DataType());
    add("IsScroll", obj.IsScroll());
    add("Sumed", obj.Sumed());
    add("SumedPage", obj.SumedPage());
    add("Format", obj.Format());
    add("Printed", obj.Printed());
    add("Locked", obj.Locked());
    add("BStyle", obj.BStyle());
    add("BWidth", obj.BWidth());
    add("FColor", obj.FColor());
    QStringList states;
    for (ObjHd &hd : *obj.Handls())
        states << QString::number(hd.nState());
    add("handles", states.join(QLatin1Char(' ')));
    return d;
}

// Rows of a table of the store, for one template or all of them.
inline int rowCount(const TemplateStore &store, const char *table, int fid = -1)
{
    QSqlQuery query(QSqlDatabase::database(store.connectionName()));
    query.prepare(QStringLiteral("SELECT COUNT(*) FROM %1%2")
                      .arg(QLatin1String(table),
                           fid < 0 ? QString() : QStringLiteral(" WHERE FID = ?")));
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
