#include "Screen.h"

#include "PointerShape.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace {

double overrideX = 0;
double overrideY = 0;
// Read once: every element change asks for it, and the screen's logical
// resolution does not change while the designer runs.
double screenX = 0;
double screenY = 0;
int screenPointer = PointerShape::Default;

double readScreen(bool horizontal)
{
    auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (!app || !QGuiApplication::primaryScreen())
        return 15.0;
    QScreen *screen = QGuiApplication::primaryScreen();
    const double dpi = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    const double value = dpi > 0 ? 1440.0 / dpi : 15.0;
    (horizontal ? screenX : screenY) = value;
    return value;
}

double twipsPerPixel(bool horizontal)
{
    const double forced = horizontal ? overrideX : overrideY;
    if (forced > 0)
        return forced;
    const double cached = horizontal ? screenX : screenY;
    return cached > 0 ? cached : readScreen(horizontal);
}

} // namespace

namespace Screen {

double TwipsPerPixelX()
{
    return twipsPerPixel(true);
}

double TwipsPerPixelY()
{
    return twipsPerPixel(false);
}

void setTwipsPerPixel(double x, double y)
{
    overrideX = x;
    overrideY = y;
}

int MousePointer()
{
    return screenPointer;
}

void setMousePointer(int pointer)
{
    if (pointer == screenPointer)
        return;
    auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (app && screenPointer != PointerShape::Default)
        QGuiApplication::restoreOverrideCursor();
    screenPointer = pointer;
    if (app && pointer != PointerShape::Default)
        QGuiApplication::setOverrideCursor(QCursor(PointerShape::cursorFor(pointer)));
}

} // namespace Screen
