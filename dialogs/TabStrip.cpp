#include "TabStrip.h"

#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>

#include <algorithm>

TabStrip::TabStrip(QWidget *parent)
    : QWidget(parent)
    , m_tabs(new QTabBar(this))
    , m_client(new QWidget(this))
{
    m_tabs->setDrawBase(false);
    m_tabs->setExpanding(false);
}

int TabStrip::tabsHeight() const
{
    return m_tabs->sizeHint().height();
}

// The selected tab sits over the frame's top line, as in a tab widget.
int TabStrip::overlap() const
{
    return style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, m_tabs);
}

int TabStrip::frameMargin() const
{
    return style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this)
           + style()->pixelMetric(QStyle::PM_LayoutLeftMargin, nullptr, this);
}

QRect TabStrip::paneRect() const
{
    const int top = tabsHeight() - overlap();
    return QRect(0, top, width(), height() - top);
}

QSize TabStrip::around(const QSize &client) const
{
    const int margin = frameMargin();
    return QSize(std::max(m_tabs->sizeHint().width(), client.width() + 2 * margin),
                 tabsHeight() - overlap() + client.height() + 2 * margin);
}

QSize TabStrip::sizeHint() const
{
    return around(m_client->sizeHint());
}

QSize TabStrip::minimumSizeHint() const
{
    return around(m_client->minimumSizeHint());
}

void TabStrip::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_tabs->setGeometry(0, 0, std::min(width(), m_tabs->sizeHint().width()), tabsHeight());
    const int margin = frameMargin();
    m_client->setGeometry(paneRect().adjusted(margin, margin, -margin, -margin));
    m_tabs->raise();
}

void TabStrip::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionTabWidgetFrame option;
    option.initFrom(this);
    option.rect = paneRect();
    option.shape = m_tabs->shape();
    option.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    option.tabBarSize = m_tabs->size();
    option.tabBarRect = m_tabs->geometry();
    option.selectedTabRect = m_tabs->tabRect(m_tabs->currentIndex()).translated(m_tabs->pos());
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, option);
}
