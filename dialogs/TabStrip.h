#pragma once

#include <QWidget>

class QTabBar;

// Tabs over a framed client area, like a tab widget, except that choosing a
// tab shows nothing by itself: the owner decides which page of the client
// area shows.
class TabStrip : public QWidget
{
    Q_OBJECT

public:
    explicit TabStrip(QWidget *parent = nullptr);

    QTabBar &tabs() const { return *m_tabs; }
    // Where the pages go: inside the frame, under the tabs.
    QWidget &clientArea() const { return *m_client; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    int tabsHeight() const;
    int overlap() const;
    int frameMargin() const;
    QRect paneRect() const;
    QSize around(const QSize &client) const;

    QTabBar *m_tabs;
    QWidget *m_client;
};
