#pragma once

#include "Printers.h"

// The printers Qt finds (CUPS on Linux).
class QtPrinters : public Printers
{
public:
    QStringList names() const override;
    QString defaultName() const override;
    QSizeF paperSize(const QString &name) const override;
};
