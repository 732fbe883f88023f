#pragma once

#include "Printers.h"

// Printers for tests: the names given, none at first.
class FakePrinters : public Printers
{
public:
    QStringList names() const override { return installed; }
    QString defaultName() const override { return defaultPrinter; }
    QSizeF paperSize(const QString &) const override { return paper; }

    QStringList installed;
    QString defaultPrinter;
    // A4, twips.
    QSizeF paper{11906, 16838};
};
