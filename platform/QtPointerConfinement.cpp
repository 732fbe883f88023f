#include "QtPointerConfinement.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>

void QtPointerConfinement::ClipCursor(const QRect &screenRect)
{
    if (!m_rect && QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(this);
    m_rect = screenRect;
}

void QtPointerConfinement::ReleaseCursor()
{
    if (m_rect && QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
    m_rect.reset();
}

bool QtPointerConfinement::eventFilter(QObject *watched, QEvent *event)
{
    if (m_rect && event->type() == QEvent::MouseMove) {
        const QPoint pos = QCursor::pos();
        const QPoint inside(std::clamp(pos.x(), m_rect->left(), m_rect->right()),
                            std::clamp(pos.y(), m_rect->top(), m_rect->bottom()));
        if (inside != pos)
            QCursor::setPos(inside);
    }
    return QObject::eventFilter(watched, event);
}
