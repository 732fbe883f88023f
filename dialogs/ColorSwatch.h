#pragma once

#include <QColor>
#include <QFrame>

// A colour shown as a filled box; a double click asks for another one.
class ColorSwatch : public QFrame
{
    Q_OBJECT

public:
    explicit ColorSwatch(QWidget *parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor &color);

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_color = Qt::black;
};
