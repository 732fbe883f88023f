#include "FixHandle.h"

#include "ViewMapping.h"

#include <QPainter>

FixHandle::FixHandle(const ViewMapping &mapping, QWidget *parent)
    : QWidget(parent)
    , m_mapping(mapping)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void FixHandle::setWidth(double v)
{
    m_box.setWidth(v);
    place();
}

void FixHandle::setHeight(double v)
{
    m_box.setHeight(v);
    place();
}

void FixHandle::Move(double left, double top)
{
    m_box.moveTo(left, top);
    place();
}

void FixHandle::place()
{
    setGeometry(m_mapping.windowToPixels(m_box));
}

void FixHandle::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0, 0, 0));
}
