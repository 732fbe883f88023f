#pragma once

#include "model/FormUnderlay.h"
#include "model/ObjDraw.h"

#include "platform/BarcodeLook.h"
#include "platform/ElementFont.h"

#include <QColor>
#include <QImage>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

struct BillTemplate;
class ObjDraws;

// Where one object lies and whether it is shown: what moving, sizing,
// aligning, drawing, cloning and deleting change. A line's two ends, or a
// box's left, top, width and height.
struct ObjectPlace
{
    int id = 0;
    double a = 0, b = 0, c = 0, d = 0;
    bool visible = false;

    static ObjectPlace of(const ObjDraw &obj);
    // Puts the object's element there, its handles with it; a hidden
    // object leaves the selection. Metrics: ObjDraw::hdMetrics of the page.
    void applyTo(ObjDraw &obj, const ObjDraw::HdMetrics &metrics) const;
    void applyTo(ObjDraw &obj) const;
    bool samePlace(const ObjectPlace &other) const
    {
        return a == other.a && b == other.b && c == other.c && d == other.d
               && visible == other.visible;
    }
};

// Everything of one object that is saved with the template, and whether it
// is shown.
struct ObjectState
{
    ObjectPlace place;
    int eType = 0;
    // The element.
    QString caption;
    QString tag;
    QString toolTip;
    ElementFont font;
    QColor foreColor;
    int borderStyle = 0;
    int borderWidth = 0;
    QColor borderColor;
    bool autoSize = false;
    int alignment = 0;
    QImage picture;
    QByteArray pictureData;
    bool stretch = false;
    // The object.
    bool clip = false;
    bool isFix = false;
    int dataType = 0;
    bool isScroll = false;
    bool sumed = false;
    bool sumedPage = false;
    QString format;
    bool printed = false;
    BarcodeLook barcode;
    bool locked = false;
    int bStyle = 0;
    int bWidth = 0;
    int32_t fColor = 0;

    static ObjectState of(const ObjDraw &obj);
    void applyTo(ObjDraw &obj) const;
    // The fields that differ, by name ("Caption", "Left" ...).
    QStringList differences(const ObjectState &other) const;
};

// The template's own settings and its page's size.
struct PageState
{
    QString caption;
    bool isDefault = false;
    double rowHeight = 0;
    int16_t rowCount = 0;
    bool landscape = false;
    double colWidth = 0;
    int16_t colCount = 0;
    bool colFirst = false;
    FormUnderlay underlay;
    double offsetLeft = 0;
    double offsetTop = 0;
    QSizeF size;

    static PageState of(const BillTemplate &bill);
    void applyTo(BillTemplate &bill) const;
    // Sizes the page, telling it only of a change.
    static void applySize(BillTemplate &bill, const QSizeF &size);
    QStringList differences(const PageState &other) const;
    bool operator==(const PageState &other) const { return differences(other).isEmpty(); }
};

// Which objects are selected, and the current one.
struct Selection
{
    std::vector<int> ids;
    int current = 0;

    static Selection of(const ObjDraws &objs);
    // Selects the shown objects among ids, the current one current.
    void applyTo(ObjDraws &objs) const;
    bool operator==(const Selection &) const = default;
};

// A whole template as the user sees it: page, objects in their order, and
// the selection. Undo is proven by comparing two of these.
struct TemplateState
{
    PageState page;
    std::vector<ObjectState> objects;
    Selection selection;

    static TemplateState of(const BillTemplate &bill);
    // What differs, one line per field ("object 1001 Caption", "page Width").
    QStringList differences(const TemplateState &other) const;
};
