#pragma once

// The screen: twips per pixel and the screen-wide mouse pointer, numbered
// as the designer uses them (0 default, 2 cross-hair, 6-9 sizing arrows,
// 11 hourglass, 15 four-headed arrow).
namespace Screen {

double TwipsPerPixelX();
double TwipsPerPixelY();
// Overrides the metrics (tests); 0 returns to the screen's own.
void setTwipsPerPixel(double x, double y);

int MousePointer();
void setMousePointer(int pointer);

} // namespace Screen
