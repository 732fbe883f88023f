#pragma once

#include <QRectF>
#include <QWidget>

class ViewMapping;

// A page-size handle (PicFixHd): a small square child of the designer
// window placed in twips. It only paints; the window routes the pointer
// events that land on it.
class FixHandle : public QWidget
{
public:
    // Element indexes of PicFixHd: the design-time template, then the
    // handles at the middle of the page's right edge, the middle of its
    // bottom edge and its bottom-right corner.
    enum Index { Template = 0, RightEdge = 1, BottomEdge = 2, Corner = 3 };

    // Placed in window twips by the window's mapping.
    FixHandle(const ViewMapping &mapping, QWidget *parent);

    double Left() const { return m_box.left(); }
    double Top() const { return m_box.top(); }
    double Width() const { return m_box.width(); }
    double Height() const { return m_box.height(); }
    void setWidth(double v);
    void setHeight(double v);
    // Size unchanged.
    void Move(double left, double top);

    bool Visible() const { return !isHidden(); }
    void ZOrder() { raise(); }

    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int v) { m_mousePointer = v; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void place();

    const ViewMapping &m_mapping;
    QRectF m_box;
    int m_mousePointer = 0;
};
