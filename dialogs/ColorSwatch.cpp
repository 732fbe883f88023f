#include "ColorSwatch.h"

#include <QMouseEvent>
#include <QPainter>

ColorSwatch::ColorSwatch(QWidget *parent)
    : QFrame(parent)
{
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
}

void ColorSwatch::setColor(const QColor &color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void ColorSwatch::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void ColorSwatch::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(contentsRect(), m_color);
    painter.end();
    QFrame::paintEvent(event);
}
