#include "ScrollBar.h"

#include "ViewMapping.h"

#include "platform/RuntimeError.h"
#include "platform/Units.h"

#include <algorithm>
#include <cmath>

ScrollBar::ScrollBar(Qt::Orientation orientation, const ViewMapping &mapping, QWidget *parent)
    : QScrollBar(orientation, parent)
    , m_mapping(mapping)
{
    // The designer's bars offer no menu of their own.
    setContextMenuPolicy(Qt::NoContextMenu);
    setRange(0, 0);

    followZoom();
    const double thickX = Thickness * m_mapping.twipsPerPixelX();
    const double thickY = Thickness * m_mapping.twipsPerPixelY();
    m_box = orientation == Qt::Horizontal ? QRectF(0, 0, 0, thickY) : QRectF(0, 0, thickX, 0);
}

void ScrollBar::Move(double left, double top, double width, double height)
{
    if (width < 0 || height < 0)
        throw RuntimeError(RuntimeError::InvalidPropertyValue);
    m_box = QRectF(left, top, width, height);
    setGeometry(m_mapping.windowToPixels(m_box));
}

void ScrollBar::followZoom()
{
    setSingleStep(std::max(1, int(std::lround(m_mapping.windowToPage(SmallChange)))));
    setPageStep(std::max(1, int(std::lround(m_mapping.windowToPage(LargeChange)))));
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
