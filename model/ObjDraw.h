#pragma once

#include "model/TwipRect.h"

#include "platform/BarcodeLook.h"
#include "platform/ElementKind.h"


#include <QColor>
#include <QString>

#include <cstdint>
#include <memory>

class Element;
class ElementArray;
class ObjHds;
class PageSurface;

// One drawing object of a template page: a line, a text, a picture, or the
// transient selection band. It wraps one element of the page (ObjCtl), owns
// (shares with its copies) the eight sizing handles of that element, keeps
// the print attributes and runs the single-object gestures. Coordinates are
// page twips.
class ObjDraw
{
public:
    enum Kind { SelectionBand = 0, Line = 1, Text = 2, Picture = 3 };

    // The page the object draws its band and rubber line on and loads its
    // elements and handles from. The collection sets it on its members; a
    // caller that draws a new object sets it before OnStartDraw.
    explicit ObjDraw(PageSurface *page = nullptr);

    PageSurface *page() const { return m_page; }
    void setPage(PageSurface *page) { m_page = page; }

    // Each kind keeps to its own id range (lines 1..1000, texts
    // 1001..2000, pictures 2001..4095); 0 for the band.
    static int FirstID(int eType);
    static int LastID(int eType);
    // "Obj" followed by the decimal id: the object's key in the collection.
    static QString KeyOf(int nID);
    // The element array a drawn kind lives in (images for anything but a
    // line or a text).
    static ElementKind elementKindOf(int eType);
    // A label's border is the selection cue; a blank label (spaces only)
    // keeps it while unselected, so it can still be found on the page.
    static int textBorderFor(const QString &caption, bool selected);
    // FColor holds a colour as red + green * 256 + blue * 65536.
    static QColor colorFromRgbValue(int32_t value);
    static int32_t rgbValueFromColor(const QColor &color);

    bool Clip() const { return m_clip; }
    void setClip(bool v) { m_clip = v; }
    // False also clears IsScroll, Sumed and SumedPage.
    bool IsFix() const { return m_isFix; }
    void setIsFix(bool v);
    int DataType() const { return m_dataType; }
    void setDataType(int v) { m_dataType = v; }
    // True also clears Sumed and SumedPage.
    bool IsScroll() const { return m_isScroll; }
    void setIsScroll(bool v);
    // False also clears SumedPage.
    bool Sumed() const { return m_sumed; }
    void setSumed(bool v);
    bool SumedPage() const { return m_sumedPage; }
    void setSumedPage(bool v) { m_sumedPage = v; }
    const QString &Format() const { return m_format; }
    void setFormat(const QString &v) { m_format = v; }
    bool Printed() const { return m_printed; }
    void setPrinted(bool v) { m_printed = v; }
    // A text printed as a code: its type, module width, QR level and
    // whether a linear code prints its text. The element shows it too.
    const BarcodeLook &Barcode() const { return m_barcode; }
    void setBarcode(const BarcodeLook &v);
    // Whether the object changed since it was stored.
    enum EditState { Created = 0, Saved = -1, Changed = 1 };

    // An EditState.
    int EditFlag() const { return m_editFlag; }
    void setEditFlag(int v) { m_editFlag = v; }
    int ActHdID() const { return m_actHdID; }
    void setActHdID(int v) { m_actHdID = v; }
    // Border of a picture object: style code, width in pixels, colour.
    int BStyle() const { return m_bStyle; }
    void setBStyle(int v) { m_bStyle = v; }
    int BWidth() const { return m_bWidth; }
    void setBWidth(int v) { m_bWidth = v; }
    int32_t FColor() const { return m_fColor; }
    void setFColor(int32_t v) { m_fColor = v; }
    double OldY() const { return m_oldY; }
    void setOldY(double v) { m_oldY = v; }
    double OldX() const { return m_oldX; }
    void setOldX(double v) { m_oldX = v; }
    // True turns a saved, unchanged object into a changed one.
    bool IsDraging() const { return m_isDraging; }
    void setIsDraging(bool v);
    // Changes the handle pictures; selection is left alone.
    bool Locked() const { return m_locked; }
    void setLocked(bool v);
    Element *ObjCtl() const { return m_objCtl; }
    void setObjCtl(Element *v) { m_objCtl = v; }
    // True turns a saved, unchanged object into a changed one.
    bool IsSizing() const { return m_isSizing; }
    void setIsSizing(bool v);
    bool IsDrawing() const { return m_isDrawing; }
    void setIsDrawing(bool v) { m_isDrawing = v; }
    int eType() const { return m_eType; }
    void setEType(int v) { m_eType = v; }
    int nID() const { return m_nID; }
    void setNID(int v) { m_nID = v; }
    // Always worked out from the kind: 2 for a line, 8 otherwise.
    int HdCount() const;
    void setHdCount(int v) { m_hdCount = v; }
    // Making an object current selects it.
    bool IsCurrent() const { return m_isCurrent; }
    void setIsCurrent(bool v);
    // Deselecting an object makes it not current.
    bool IsActive() const { return m_isActive; }
    void setIsActive(bool v);
    // Created empty on first read.
    const std::shared_ptr<ObjHds> &Handls();
    void setHandls(std::shared_ptr<ObjHds> v) { m_handls = std::move(v); }

    // Drawing a new object (kind set beforehand) with the left button.
    // OnStartDraw throws RuntimeError::ObjectLimitReached, before loading
    // anything, when the kind's id range is used up.
    void OnStartDraw(int Button, int Shift, double X, double Y);
    void OnDrawing(int Button, int Shift, double X, double Y);
    void OnEndDraw(int Button, int Shift, double X, double Y);
    // Moving the object; with bLim it stays within 0..LimX, 0..LimY (a zero
    // limit is no limit). OnDraging always returns false.
    void OnStartDrag(double X, double Y);
    bool OnDraging(double X, double Y, bool bLim, double LimX, double LimY);
    void OnEndDrag(double X, double Y);
    // Sizing through the handle HdID; X, Y of OnSizing are page twips.
    void OnStartSize(int HdID, int Button, int Shift, double X, double Y);
    void OnSizing(int Button, int Shift, double X, double Y);
    void OnEndSize(int Button, int Shift, double X, double Y);
    // Hit tests: the band (normalised) touches the object; the point lies
    // on or near it. Hidden objects are never hit.
    bool CheckRange(double x1, double y1, double x2, double y2);
    bool CheckPoint(double X, double Y);
    // Places the handles around the element.
    void MoveHd();
    // Loads the eight PicHD elements 8*nID-7 .. 8*nID as handles (hidden),
    // or takes them up again when they are loaded.
    void LoadHd();

    // Handle placement metrics read once for many MoveHd calls: handles are
    // placed as the screen shows them at 100 %; a view at another zoom keeps
    // their pictures as many pixels off the object's outline.
    struct HdMetrics
    {
        double hw = 0;
        double hh = 0;
        int px = 0;
        int py = 0;
    };
    static HdMetrics hdMetrics(const PageSurface &page);
    void MoveHd(const HdMetrics &metrics);
    // Moves the object by (dx, dy) as a drag by that much does, held by the
    // page the same way (0 limits are no limits), with its handles placed
    // and left shown or hidden as they were. A saved object that moved is
    // changed. Whether it moved.
    bool NudgeBy(double dx, double dy, double LimX, double LimY, const HdMetrics &metrics);

    // Deselects the object, skipping the work when nothing would change.
    void deselect();
    // After a failure inside a gesture: the object is no longer drawn,
    // dragged or sized, a line hidden while it was sized shows again, and
    // the handles show as the selection says.
    void abandonGesture();

    // The object's element; throws RuntimeError (object not set) for an
    // object that has none.
    Element &requireCtl() const;

private:
    PageSurface &requirePage() const;

    ElementArray &arrayForKind() const;
    void SetHdState(int state);
    void ShowHd(bool v);
    void updateTextBorder();
    // The element shows the code; a bound one as a sample.
    void showBarcode();
    void GetCtlRect(const Element &element, TwipRect &r);
    void SetCtlRect(Element &element, TwipRect &r);
    void XorBand(const TwipRect &r);
    // The drag's move of the element by (dx, dy), with the page's limits
    // when bLim; whether anything changed.
    bool moveBy(double dx, double dy, bool bLim, double LimX, double LimY);

    PageSurface *m_page = nullptr;
    bool m_clip = true;
    bool m_isFix = true;
    int m_dataType = 0;
    bool m_isScroll = false;
    bool m_sumed = false;
    bool m_sumedPage = false;
    QString m_format;
    bool m_printed = true;
    BarcodeLook m_barcode;
    int m_editFlag = Created;

    int m_actHdID = 0;
    int m_bStyle; // Element::Solid, set in the constructor
    int m_bWidth = 1;
    int32_t m_fColor = 0;
    double m_oldY = 0;
    double m_oldX = 0;
    bool m_isDraging = false;
    bool m_locked = false;
    Element *m_objCtl = nullptr;
    bool m_isSizing = false;
    bool m_isDrawing = false;
    int m_eType = SelectionBand;
    int m_nID = 0;
    int m_hdCount = 0;
    bool m_isCurrent = false;
    bool m_isActive = false;
    std::shared_ptr<ObjHds> m_handls;

    // Scratch rectangle of the gestures and hit tests.
    TwipRect mRect;
    // How a line runs, as bits: right to left (x2 < x1), upwards (y2 < y1).
    enum LineDirection { RunsLeftward = 1, RunsUpward = 2 };
    int16_t mLineDir = 0;
    // A line's size gesture moved its end at least once.
    bool m_sizeMoved = false;
};
