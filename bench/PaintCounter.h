#pragma once

#include <QEvent>
#include <QObject>

// Counts the frames a widget paints, once installed as its event filter.
class PaintCounter : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }

    int paints = 0;
};
