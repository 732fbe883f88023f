#pragma once

#include <QWidget>

#include <optional>

// A ruler along the top or the left of the designer's page, in millimetres
// from the page's top-left corner, with a mark where the pointer is. It
// only paints; the designer window tells it where the page lies.
class Ruler : public QWidget
{
public:
    // Across the ruler, in pixels.
    static constexpr int Thickness = 20;

    Ruler(Qt::Orientation orientation, QWidget *parent);

    Qt::Orientation orientation() const { return m_orientation; }
    // Where the page starts along the ruler (pixels), the pixels one
    // millimetre spans and the page's length in millimetres.
    void setPage(int start, double pixelsPerMm, double lengthMm);
    int pageStart() const { return m_start; }
    double pixelsPerMm() const { return m_pixelsPerMm; }
    // The pointer along the ruler (pixels), or none.
    void setPointer(std::optional<int> at);
    std::optional<int> pointer() const { return m_pointer; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int along(double mm) const;
    QRect strip(int at) const;

    Qt::Orientation m_orientation;
    int m_start = 0;
    double m_pixelsPerMm = 1;
    double m_lengthMm = 0;
    std::optional<int> m_pointer;
};
