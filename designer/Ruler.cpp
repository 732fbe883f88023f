#include "Ruler.h"

#include "RulerScale.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace {

const QColor Frame(160, 160, 160);
const QColor Beyond(214, 214, 214);
const QColor Page(250, 250, 250);
const QColor Ink(40, 40, 40);
const QColor PointerMark(200, 30, 30);

} // namespace

Ruler::Ruler(Qt::Orientation orientation, QWidget *parent)
    : QWidget(parent)
    , m_orientation(orientation)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    QFont small = font();
    small.setPixelSize(9);
    setFont(small);
}

void Ruler::setPage(int start, double pixelsPerMm, double lengthMm)
{
    if (start == m_start && pixelsPerMm == m_pixelsPerMm && lengthMm == m_lengthMm)
        return;
    m_start = start;
    m_pixelsPerMm = pixelsPerMm;
    m_lengthMm = lengthMm;
    update();
}

QRect Ruler::strip(int at) const
{
    return m_orientation == Qt::Horizontal ? QRect(at - 1, 0, 3, height())
                                           : QRect(0, at - 1, width(), 3);
}

void Ruler::setPointer(std::optional<int> at)
{
    if (at == m_pointer)
        return;
    if (m_pointer)
        update(strip(*m_pointer));
    m_pointer = at;
    if (m_pointer)
        update(strip(*m_pointer));
}

int Ruler::along(double mm) const
{
    return m_start + int(std::lround(mm * m_pixelsPerMm));
}

void Ruler::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const bool horizontal = m_orientation == Qt::Horizontal;
    const int across = horizontal ? height() : width();
    // A span along the ruler, from `from` to `to` across it.
    const auto span = [&](int at, int from, int to) {
        if (horizontal)
            painter.drawLine(at, from, at, to);
        else
            painter.drawLine(from, at, to, at);
    };
    const auto band = [&](int from, int to) {
        return horizontal ? QRect(QPoint(from, 0), QPoint(to, across - 1))
                          : QRect(QPoint(0, from), QPoint(across - 1, to));
    };
    painter.fillRect(rect(), Beyond);
    painter.fillRect(band(m_start, along(m_lengthMm)), Page);

    const RulerScale scale = RulerScale::forPixelsPerMm(m_pixelsPerMm);
    const int shownFrom = horizontal ? event->rect().left() : event->rect().top();
    const int shownTo = horizontal ? event->rect().right() : event->rect().bottom();
    // A number reaches past its mark.
    const int firstMm =
        std::max(0, int(std::floor((shownFrom - m_start - 40) / m_pixelsPerMm)));
    const int lastMm =
        std::min(int(m_lengthMm), int(std::ceil((shownTo - m_start) / m_pixelsPerMm)));
    painter.setPen(Ink);
    for (int mm = firstMm - firstMm % scale.markMm; mm <= lastMm; mm += scale.markMm) {
        const int at = along(mm);
        int mark = across / 5;
        if (mm % scale.numberMm == 0)
            mark = across / 2;
        else if (scale.halfMm > 0 && mm % scale.halfMm == 0)
            mark = across / 3;
        span(at, across - mark, across - 1);
        if (mm % scale.numberMm != 0)
            continue;
        const QString number = QString::number(mm);
        if (horizontal)
            painter.drawText(QPoint(at + 2, across / 2), number);
        else
            painter.drawText(QPoint(1, at + fontMetrics().ascent() + 1), number);
    }
    painter.setPen(Frame);
    if (horizontal)
        painter.drawLine(0, across - 1, width(), across - 1);
    else
        painter.drawLine(across - 1, 0, across - 1, height());
    if (m_pointer) {
        painter.setPen(PointerMark);
        span(*m_pointer, 0, across - 1);
    }
}
