#include "StatusBar.h"

#include "app/TwipsCoordinate.h"
#include "platform/AppSetup.h"
#include "platform/RuntimeError.h"
#include "platform/Screen.h"

#include <QFontMetrics>
#include <QLabel>
#include <QSizePolicy>

namespace {

// Errors name the status bar and the panel they arose for.
QString sourceOf(const QString &panel)
{
    return QStringLiteral("sbrMain.Panels(%1)").arg(panel);
}

} // namespace

StatusBar::StatusBar(QWidget *parent)
    : QStatusBar(parent)
    , m_row(new QWidget(this))
{
    // One family for the Chinese and the digits of a panel; it is also
    // narrow enough for the clock text to fit its panel.
    QFont panelFont = font();
    panelFont.setFamily(QString::fromLatin1(AppSetup::chineseFamily()));
    m_row->setFont(panelFont);
    m_row->setFixedHeight(QFontMetrics(panelFont).height() + 6);
    m_row->setMinimumWidth(0);
    m_row->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    addWidget(m_row, 1);
}

void StatusBar::addPanel(const QString &key, const QString &toolTip, const QString &text,
                         float widthTwips)
{
    auto *label = new QLabel(text, m_row);
    label->setObjectName(key);
    label->setToolTip(toolTip);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setIndent(1);
    m_panels.append({label, widthTwips});
    layoutPanels();
}

const StatusBar::Panel &StatusBar::at(int index) const
{
    if (index < 1 || index > m_panels.size())
        throw RuntimeError(RuntimeError::SubscriptOutOfRange, sourceOf(QString::number(index)));
    return m_panels.at(index - 1);
}

QLabel *StatusBar::panel(int index) const
{
    return at(index).label;
}

QLabel *StatusBar::panel(const QString &key) const
{
    for (const Panel &p : m_panels) {
        if (p.label->objectName() == key)
            return p.label;
    }
    throw RuntimeError(RuntimeError::SubscriptOutOfRange, sourceOf(key));
}

QString StatusBar::panelText(const QString &key) const
{
    return panel(key)->text();
}

void StatusBar::setPanelText(const QString &key, const QString &text)
{
    panel(key)->setText(text);
}

float StatusBar::panelWidth(int index) const
{
    return at(index).width;
}

void StatusBar::setPanelWidth(int index, float twips)
{
    at(index);
    if (twips < 0)
        throw RuntimeError(RuntimeError::InvalidArgument, sourceOf(QString::number(index)));
    m_panels[index - 1].width = twips;
    layoutPanels();
}

void StatusBar::layoutPanels()
{
    const double tpp = Screen::TwipsPerPixelX();
    int x = 0;
    for (const Panel &p : m_panels) {
        const int w = TwipsCoordinate::toPixels(p.width, tpp);
        p.label->setGeometry(x, 0, w, m_row->height());
        x += w;
    }
}
