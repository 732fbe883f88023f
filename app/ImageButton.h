#pragma once

#include <QLabel>

// A small picture that acts as a button: a click runs it, and while the
// pointer is over it the picture has a single-line border (BorderStyle 1).
class ImageButton : public QLabel
{
    Q_OBJECT

public:
    enum Border { NoBorder = 0, FixedSingle = 1 };

    explicit ImageButton(const QString &iconName, QWidget *parent = nullptr);

    int BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(int style);

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int m_borderStyle = NoBorder;
};
