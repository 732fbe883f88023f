#pragma once

// The page both store benchmarks save and load: 3000 objects (1000 lines,
// 1000 texts, 1000 pictures sharing one small image) in a grid.

#include "model/BillTemplate.h"
#include "model/ObjDraw.h"

#include "platform/Element.h"
#include "platform/PageSurface.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

namespace StoreBenchPage {

inline constexpr int Columns = 60;
inline constexpr double CellWidth = 500;
inline constexpr double CellHeight = 400;

inline QByteArray smallPicture()
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(QColor(200, 120, 40));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

inline void fill(BillTemplate &bill)
{
    const QByteArray bytes = smallPicture();
    const QImage picture = QImage::fromData(bytes);
    PageSurface &page = bill.mObjs.page();
    int next[4] = {0, ObjDraw::FirstID(1), ObjDraw::FirstID(2), ObjDraw::FirstID(3)};
    for (int i = 0; i < 3000; ++i) {
        const int kind = 1 + i % 3;
        const double left = (i % Columns) * CellWidth + 60;
        const double top = (i / Columns) * CellHeight + 60;
        const int id = next[kind]++;
        Element *element = nullptr;
        if (kind == ObjDraw::Line) {
            element = &page.ObjLine().Load(id);
            element->setLine(left, top, left + CellWidth - 120, top + CellHeight - 120);
        } else if (kind == ObjDraw::Text) {
            element = &page.ObjText().Load(id);
            element->Move(left, top, CellWidth - 120, CellHeight - 120);
            element->setCaption(QStringLiteral("文字%1").arg(id));
        } else {
            element = &page.ObjImg().Load(id);
            element->Move(left, top, CellWidth - 120, CellHeight - 120);
            element->setPicture(picture, bytes);
            element->setStretch(true);
            element->setBorderStyle(1);
            element->setTag(QStringLiteral("/图片/logo.bmp"));
        }
        element->setVisible(true);
        bill.mObjs.LinkCtl(id, kind, element, 0);
    }
    page.setWidth(Columns * CellWidth + 120);
    page.setHeight(50 * CellHeight + 120);
}

} // namespace StoreBenchPage
