#pragma once

#include <QImage>
#include <QWidget>

// The preview's page picture (pictMain): shows the composed page image
// scaled to its size and reports a press and the click that follows.
class PagePicture : public QWidget
{
    Q_OBJECT

public:
    explicit PagePicture(QWidget *parent = nullptr);

    void setImage(const QImage &image);
    const QImage &image() const { return m_image; }
    void Cls();

signals:
    void pressed(const QPointF &pixels);
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QImage m_image;
    bool m_pressed = false;
};
