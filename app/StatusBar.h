#pragma once

#include <QList>
#include <QStatusBar>

class QLabel;

// A status bar of keyed text panels laid side by side at their own widths
// (twips). Panels past the right edge are cut off rather than widening the
// window, so the main window can still be made narrow.
class StatusBar : public QStatusBar
{
public:
    explicit StatusBar(QWidget *parent = nullptr);

    void addPanel(const QString &key, const QString &toolTip, const QString &text,
                  float widthTwips);
    int panelCount() const { return static_cast<int>(m_panels.size()); }

    // Panels by index count from 1. Both throw RuntimeError when there is
    // no such panel.
    QLabel *panel(int index) const;
    QLabel *panel(const QString &key) const;

    QString panelText(const QString &key) const;
    void setPanelText(const QString &key, const QString &text);

    float panelWidth(int index) const;
    // Throws RuntimeError for a negative width; the panel keeps its width.
    void setPanelWidth(int index, float twips);

private:
    struct Panel
    {
        QLabel *label;
        float width;
    };

    const Panel &at(int index) const;
    void layoutPanels();

    QWidget *m_row;
    QList<Panel> m_panels;
};
