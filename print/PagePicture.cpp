#include "PagePicture.h"

#include <QMouseEvent>
#include <QPainter>

PagePicture::PagePicture(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PagePicture::setImage(const QImage &image)
{
    m_image = image;
    update();
}

void PagePicture::Cls()
{
    m_image = QImage();
    update();
}

void PagePicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_image.isNull())
        painter.fillRect(rect(), Qt::white);
    else
        painter.drawImage(rect(), m_image);
}

void PagePicture::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = true;
    emit pressed(event->position());
}

void PagePicture::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_pressed)
        return;
    m_pressed = false;
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}
