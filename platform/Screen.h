#pragma once

// The screen: twips per pixel and the screen-wide mouse pointer (a
// PointerShape code).
namespace Screen {

double TwipsPerPixelX();
double TwipsPerPixelY();
// Overrides the metrics (tests); 0 returns to the screen's own.
void setTwipsPerPixel(double x, double y);

int MousePointer();
void setMousePointer(int pointer);

} // namespace Screen
