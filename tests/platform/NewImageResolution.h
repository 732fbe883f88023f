#pragma once

#include <QCoreApplication>
#include <QScopeGuard>

// Qt Test gives every new image 96 dpi; the program gives it the screen's.
// Until the guard goes, new images take the screen's resolution, so a test
// on a screen that is not 96 dpi sees what the program sees.
inline auto screenResolutionForNewImages()
{
    const bool was = QCoreApplication::testAttribute(Qt::AA_Use96Dpi);
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi, false);
    return qScopeGuard([was] { QCoreApplication::setAttribute(Qt::AA_Use96Dpi, was); });
}
