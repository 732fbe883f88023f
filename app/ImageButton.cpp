#include "ImageButton.h"

#include "platform/Icons.h"

#include <QMouseEvent>

ImageButton::ImageButton(const QString &iconName, QWidget *parent) : QLabel(parent)
{
    const QSize size = Icons::designSize(iconName);
    setPixmap(Icons::icon(iconName).pixmap(size));
    setAlignment(Qt::AlignCenter);
    // Room for the border, so the picture does not move when it shows.
    setFixedSize(size + QSize(4, 4));
    setMouseTracking(true);
    setBorderStyle(NoBorder);
}

void ImageButton::setBorderStyle(int style)
{
    m_borderStyle = style == FixedSingle ? FixedSingle : NoBorder;
    setFrameShape(m_borderStyle == FixedSingle ? QFrame::Box : QFrame::NoFrame);
}

void ImageButton::enterEvent(QEnterEvent *event)
{
    QLabel::enterEvent(event);
    setBorderStyle(FixedSingle);
}

// Leaving for another control takes the border away as the free area of
// the dialog does.
void ImageButton::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    setBorderStyle(NoBorder);
}

// The move is the picture's own: passed on, the dialog would take it for
// a move over its free area.
void ImageButton::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    if (isVisible())
        setBorderStyle(FixedSingle);
}

void ImageButton::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}
