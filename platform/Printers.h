#pragma once

#include <QSizeF>
#include <QString>
#include <QStringList>

// The printers installed on this machine.
class Printers
{
public:
    virtual ~Printers() = default;
    virtual QStringList names() const = 0;
    // The system's default printer; empty when none is set.
    virtual QString defaultName() const = 0;
    // The paper a printer takes unless told otherwise, portrait, twips; A4
    // when it names none (and for an empty name: a PDF file).
    virtual QSizeF paperSize(const QString &name) const = 0;

    bool isInstalled(const QString &name) const
    {
        return !name.isEmpty() && names().contains(name);
    }
};
