// Tool tips of the designer's page.

#include "mFrm_Bill.h"

#include "PageView.h"

#include "platform/Element.h"
#include "platform/LabelBarcode.h"

#include <QHelpEvent>
#include <QToolTip>

QString mFrm_Bill::toolTipAt(const QPointF &windowPixels) const
{
    if (!m_pageView->geometry().contains(windowPixels.toPoint()))
        return QString();
    const QPointF page = m_mapping.pageToTwips(windowPixels - QPointF(m_pageView->pos()));
    const Element *element = m_pageView->elementAt(page);
    if (!element || element->kind() != ElementKind::Label)
        return QString();
    const QString problem = LabelBarcode::problem(*element);
    return problem.isEmpty() ? element->ToolTipText() : problem;
}

// The page view lets the pointer through to the window, so the window
// answers for the element under it.
bool mFrm_Bill::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const QString tip = toolTipAt(help->pos());
    if (tip.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), tip, this);
    }
    return true;
}
