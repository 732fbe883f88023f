#include "ToolImages.h"

#include "platform/RuntimeError.h"

#include <QPainter>
#include <QPolygon>

#include <functional>
#include <map>

namespace {

const QColor Black(0, 0, 0);
const QColor White(255, 255, 255);
const QColor Grey(128, 128, 128);
const QColor LightGrey(224, 224, 224);
const QColor Navy(0, 0, 128);
const QColor DiskBlue(32, 64, 160);
const QColor BarBlue(40, 88, 200);
const QColor BarOrange(224, 96, 32);
const QColor Gold(232, 184, 0);
const QColor DarkGold(128, 96, 0);
const QColor PaleYellow(255, 232, 96);
const QColor Red(208, 0, 0);
const QColor Green(0, 160, 0);
const QColor DarkGreen(32, 144, 32);
const QColor Sky(128, 192, 255);
const QColor Brown(160, 96, 48);
const QColor DarkBrown(96, 48, 16);

void poly(QPainter &p, std::initializer_list<QPoint> points, const QColor &line,
          const QColor &fill)
{
    p.setPen(line);
    p.setBrush(fill);
    p.drawPolygon(QPolygon(QList<QPoint>(points)));
}

void fillTriangle(QPainter &p, QPoint a, QPoint b, QPoint c, const QColor &color)
{
    poly(p, {a, b, c}, color, color);
}

void line(QPainter &p, int x1, int y1, int x2, int y2, const QColor &color, int width = 1)
{
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::SquareCap));
    p.drawLine(x1, y1, x2, y2);
}

// Outline rectangle covering exactly w x h pixels.
void frame(QPainter &p, int x, int y, int w, int h, const QColor &color)
{
    p.setPen(color);
    p.setBrush(Qt::NoBrush);
    p.drawRect(x, y, w - 1, h - 1);
}

void box(QPainter &p, int x, int y, int w, int h, const QColor &fill, const QColor &outline)
{
    p.fillRect(x, y, w, h, fill);
    frame(p, x, y, w, h, outline);
}

void dots(QPainter &p, int x1, int y1, int x2, int y2, const QColor &color)
{
    p.setPen(color);
    if (y1 == y2) {
        for (int x = x1; x <= x2; x += 2)
            p.drawPoint(x, y1);
    } else {
        for (int y = y1; y <= y2; y += 2)
            p.drawPoint(x1, y);
    }
}

// Two pixels on, one off.
void dashes(QPainter &p, int x1, int y1, int x2, int y2, const QColor &color)
{
    p.setPen(color);
    if (y1 == y2) {
        for (int x = x1; x <= x2; ++x) {
            if ((x - x1) % 3 != 2)
                p.drawPoint(x, y1);
        }
    } else {
        for (int y = y1; y <= y2; ++y) {
            if ((y - y1) % 3 != 2)
                p.drawPoint(x1, y);
        }
    }
}

void floppy(QPainter &p, int x, int y, int size)
{
    box(p, x, y, size, size, DiskBlue, Black);
    const int labelW = size - 6;
    p.fillRect(x + 3, y + 1, labelW, size / 2 - 1, White);
    line(p, x + 4, y + 3, x + 2 + labelW, y + 3, Grey);
    p.fillRect(x + 4, y + size - size / 3 - 1, size - 8, size / 3, LightGrey);
    p.fillRect(x + size - 6, y + size - size / 3, 2, size / 3 - 2, DiskBlue);
}

void page(QPainter &p, int x, int y, int w, int h)
{
    box(p, x, y, w, h, White, Black);
}

void textLines(QPainter &p, int x, int y, int w, int count)
{
    for (int i = 0; i < count; ++i)
        line(p, x, y + 2 * i, x + w - 1 - (i % 2) * 2, y + 2 * i, Grey);
}

void horizontalArrow(QPainter &p, int x1, int x2, int y)
{
    line(p, x1, y, x2, y, Black);
    fillTriangle(p, {x1, y}, {x1 + 3, y - 2}, {x1 + 3, y + 2}, Black);
    fillTriangle(p, {x2, y}, {x2 - 3, y - 2}, {x2 - 3, y + 2}, Black);
}

void verticalArrow(QPainter &p, int x, int y1, int y2)
{
    line(p, x, y1, x, y2, Black);
    fillTriangle(p, {x, y1}, {x - 2, y1 + 3}, {x + 2, y1 + 3}, Black);
    fillTriangle(p, {x, y2}, {x - 2, y2 - 3}, {x + 2, y2 - 3}, Black);
}

void drawNew(QPainter &p)
{
    poly(p, {{3, 1}, {9, 1}, {12, 4}, {12, 14}, {3, 14}}, Black, White);
    poly(p, {{9, 1}, {9, 4}, {12, 4}}, Black, LightGrey);
}

void drawOpen(QPainter &p)
{
    poly(p, {{1, 3}, {5, 3}, {6, 4}, {12, 4}, {12, 13}, {1, 13}}, DarkGold, Gold);
    poly(p, {{4, 7}, {15, 7}, {12, 13}, {1, 13}}, DarkGold, PaleYellow);
}

void drawSave(QPainter &p)
{
    floppy(p, 1, 1, 14);
}

void drawSaveAs(QPainter &p)
{
    floppy(p, 0, 0, 11);
    line(p, 14, 6, 9, 11, Gold, 2);
    line(p, 15, 6, 10, 11, DarkGold);
    p.fillRect(14, 4, 2, 2, QColor(240, 128, 128));
    p.fillRect(7, 12, 2, 2, DarkBrown);
    p.fillRect(6, 14, 1, 1, Black);
}

void drawSelAll(QPainter &p)
{
    p.fillRect(4, 4, 4, 4, BarBlue);
    p.fillRect(8, 9, 4, 3, BarOrange);
    dots(p, 1, 1, 14, 1, Black);
    dots(p, 1, 14, 14, 14, Black);
    dots(p, 1, 1, 1, 14, Black);
    dots(p, 14, 1, 14, 14, Black);
}

void drawDelete(QPainter &p)
{
    line(p, 3, 3, 12, 12, Red, 3);
    line(p, 12, 3, 3, 12, Red, 3);
}

void drawCopy(QPainter &p)
{
    page(p, 1, 1, 9, 11);
    textLines(p, 3, 3, 5, 3);
    page(p, 6, 4, 9, 11);
    textLines(p, 8, 6, 5, 4);
}

void drawProp(QPainter &p)
{
    box(p, 1, 1, 14, 14, White, Black);
    p.fillRect(2, 2, 12, 3, Navy);
    p.fillRect(11, 3, 2, 1, White);
    for (int y : {7, 11}) {
        line(p, 3, y, 5, y, Grey);
        box(p, 7, y - 1, 6, 3, White, Grey);
    }
}

void drawLock(QPainter &p)
{
    p.fillRect(5, 1, 6, 2, Grey);
    p.fillRect(4, 2, 2, 5, Grey);
    p.fillRect(10, 2, 2, 5, Grey);
    box(p, 3, 7, 10, 8, Gold, DarkGold);
    p.fillRect(7, 9, 2, 4, Black);
    p.fillRect(6, 9, 4, 2, Black);
}

void drawObjSel(QPainter &p)
{
    // The mouse arrow, pixel by pixel: B outline, W fill.
    static const char *const rows[] = {
        "  B             ", "  BB            ", "  BWB           ", "  BWWB          ",
        "  BWWWB         ", "  BWWWWB        ", "  BWWWWWB       ", "  BWWWWWWB      ",
        "  BWWWWWWWB     ", "  BWWWWWBBBB    ", "  BWWBWWB       ", "  BWB BWWB      ",
        "  BB  BWWB      ", "  B    BWWB     ", "       BWWB     ", "        BB      ",
    };
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const char c = rows[y][x];
            if (c != ' ')
                p.fillRect(x, y, 1, 1, c == 'B' ? Black : White);
        }
    }
}

void drawObjLine(QPainter &p)
{
    line(p, 2, 13, 13, 2, Black, 2);
    p.fillRect(1, 12, 3, 3, BarBlue);
    p.fillRect(12, 1, 3, 3, BarBlue);
}

void drawObjText(QPainter &p)
{
    line(p, 3, 14, 7, 2, Black, 2);
    line(p, 8, 2, 12, 14, Black, 2);
    line(p, 5, 9, 10, 9, Black);
    p.fillRect(1, 14, 4, 1, Black);
    p.fillRect(11, 14, 4, 1, Black);
}

void drawObjImg(QPainter &p)
{
    box(p, 1, 2, 14, 12, Sky, Black);
    p.fillRect(10, 4, 3, 3, QColor(255, 224, 0));
    poly(p, {{2, 12}, {6, 7}, {9, 10}, {11, 8}, {13, 12}}, DarkGreen, DarkGreen);
}

// Two bars against a reference line show each alignment.
void drawLeft(QPainter &p)
{
    p.fillRect(3, 3, 11, 4, BarBlue);
    p.fillRect(3, 9, 7, 4, BarOrange);
    p.fillRect(1, 1, 1, 14, Black);
}

void drawHCenter(QPainter &p)
{
    p.fillRect(1, 3, 13, 4, BarBlue);
    p.fillRect(3, 9, 9, 4, BarOrange);
    dashes(p, 7, 0, 7, 15, Black);
}

void drawRight(QPainter &p)
{
    p.fillRect(2, 3, 11, 4, BarBlue);
    p.fillRect(6, 9, 7, 4, BarOrange);
    p.fillRect(14, 1, 1, 14, Black);
}

void drawTop(QPainter &p)
{
    p.fillRect(3, 3, 4, 11, BarBlue);
    p.fillRect(9, 3, 4, 7, BarOrange);
    p.fillRect(1, 1, 14, 1, Black);
}

void drawVCenter(QPainter &p)
{
    p.fillRect(3, 1, 4, 13, BarBlue);
    p.fillRect(9, 3, 4, 9, BarOrange);
    dashes(p, 0, 7, 15, 7, Black);
}

void drawBottom(QPainter &p)
{
    p.fillRect(3, 2, 4, 11, BarBlue);
    p.fillRect(9, 6, 4, 7, BarOrange);
    p.fillRect(1, 14, 14, 1, Black);
}

void drawWidth(QPainter &p)
{
    horizontalArrow(p, 1, 14, 2);
    p.fillRect(2, 6, 12, 3, BarBlue);
    p.fillRect(2, 11, 12, 3, BarOrange);
}

void drawHeight(QPainter &p)
{
    verticalArrow(p, 2, 1, 14);
    p.fillRect(6, 2, 3, 12, BarBlue);
    p.fillRect(11, 2, 3, 12, BarOrange);
}

void drawSizeAll(QPainter &p)
{
    horizontalArrow(p, 1, 14, 2);
    box(p, 1, 7, 6, 6, BarBlue, Navy);
    box(p, 9, 7, 6, 6, BarOrange, DarkBrown);
}

void drawPageSetup(QPainter &p)
{
    page(p, 2, 1, 12, 14);
    dots(p, 4, 3, 11, 3, BarBlue);
    dots(p, 4, 12, 11, 12, BarBlue);
    dots(p, 4, 3, 4, 12, BarBlue);
    dots(p, 11, 3, 11, 12, BarBlue);
    textLines(p, 6, 5, 4, 3);
}

void drawPreView(QPainter &p)
{
    page(p, 1, 1, 9, 12);
    textLines(p, 3, 3, 5, 4);
    p.setPen(QPen(Black, 1));
    p.setBrush(QColor(192, 240, 255));
    p.drawEllipse(6, 5, 6, 6);
    line(p, 12, 11, 14, 13, DarkBrown, 2);
}

void drawExit(QPainter &p)
{
    p.fillRect(2, 1, 8, 14, DarkBrown);
    p.fillRect(3, 2, 6, 13, Black);
    poly(p, {{3, 2}, {6, 4}, {6, 15}, {3, 14}}, DarkBrown, Brown);
    p.fillRect(8, 7, 4, 2, Green);
    fillTriangle(p, {12, 4}, {15, 7}, {12, 11}, Green);
}

using Painter = std::function<void(QPainter &)>;

const std::map<QString, Painter> &painters()
{
    static const std::map<QString, Painter> table = {
        {"New", drawNew},         {"Open", drawOpen},         {"Save", drawSave},
        {"SaveAs", drawSaveAs},   {"SelAll", drawSelAll},     {"Delete", drawDelete},
        {"Copy", drawCopy},       {"Prop", drawProp},         {"Lock", drawLock},
        {"ObjSel", drawObjSel},   {"ObjLine", drawObjLine},   {"ObjText", drawObjText},
        {"ObjImg", drawObjImg},   {"Left", drawLeft},         {"HCenter", drawHCenter},
        {"Right", drawRight},     {"Top", drawTop},           {"VCenter", drawVCenter},
        {"Bottom", drawBottom},   {"Width", drawWidth},       {"Height", drawHeight},
        {"SizeAll", drawSizeAll}, {"PageSetup", drawPageSetup}, {"PreView", drawPreView},
        {"Exit", drawExit},
    };
    return table;
}

} // namespace

namespace ToolImages {

QStringList keys()
{
    return {"New",     "Open",    "Save",   "SaveAs", "SelAll",    "Delete",  "Copy",
            "Prop",    "Lock",    "ObjSel", "ObjLine", "ObjText",  "ObjImg",  "Left",
            "HCenter", "Right",   "Top",    "VCenter", "Bottom",   "Width",   "Height",
            "SizeAll", "PageSetup", "PreView", "Exit"};
}

QImage draw(const QString &key)
{
    const auto it = painters().find(key);
    if (it == painters().end())
        throw RuntimeError(RuntimeError::SubscriptOutOfRange, QStringLiteral("ImgLst1(%1)").arg(key));
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(QColor(192, 192, 192));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    it->second(p);
    return image;
}

} // namespace ToolImages
