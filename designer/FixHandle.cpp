#include "FixHandle.h"

#include "PixelMapping.h"

#include <QPainter>

FixHandle::FixHandle(QWidget *parent)
    : QWidget(parent)
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
    setGeometry(PixelMapping::toPixels(m_box));
}

void FixHandle::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0, 0, 0));
}
