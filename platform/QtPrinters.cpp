#include "QtPrinters.h"

#include <QPageSize>
#include <QPrinterInfo>

#include <algorithm>

QStringList QtPrinters::names() const
{
    return QPrinterInfo::availablePrinterNames();
}

QString QtPrinters::defaultName() const
{
    return QPrinterInfo::defaultPrinterName();
}

QSizeF QtPrinters::paperSize(const QString &name) const
{
    QPageSize size = name.isEmpty() ? QPageSize() : QPrinterInfo::printerInfo(name).defaultPageSize();
    if (!size.isValid())
        size = QPageSize(QPageSize::A4);
    const QSizeF points = size.size(QPageSize::Point);
    // Portrait: the shorter side across.
    return QSizeF(std::min(points.width(), points.height()),
                  std::max(points.width(), points.height()))
           * 20.0;
}
