#include "ScrollBar.h"

#include "PixelMapping.h"

#include "platform/RuntimeError.h"
#include "platform/Screen.h"
#include "platform/Units.h"

ScrollBar::ScrollBar(Qt::Orientation orientation, QWidget *parent)
    : QScrollBar(orientation, parent)
{
    // The designer's bars offer no menu of their own.
    setContextMenuPolicy(Qt::NoContextMenu);
    setRange(0, 0);

    setSingleStep(SmallChange);
    setPageStep(LargeChange);
    const double thickX = Thickness * Screen::TwipsPerPixelX();
    const double thickY = Thickness * Screen::TwipsPerPixelY();
    m_box = orientation == Qt::Horizontal ? QRectF(0, 0, 0, thickY) : QRectF(0, 0, thickX, 0);
}

void ScrollBar::Move(double left, double top, double width, double height)
{
    if (width < 0 || height < 0)
        throw RuntimeError(RuntimeError::InvalidPropertyValue);
    m_box = QRectF(left, top, width, height);
    setGeometry(PixelMapping::toPixels(m_box));
}

void ScrollBar::setMin(double v)
{
    setMinimum(Units::toInt16(v));
}

void ScrollBar::setMax(double v)
{
    setMaximum(Units::toInt16(v));
}

void ScrollBar::setValue(double v)
{
    QScrollBar::setValue(Units::toInt16(v));
}
