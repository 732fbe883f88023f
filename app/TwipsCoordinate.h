#pragma once

// One coordinate of a window, kept in twips while the window itself lives
// in whole pixels. The twips value last set is reported back for as long as
// the window still sits on the pixel it was mapped to, so a geometry read
// from the settings store is written back unchanged and the window does not
// creep from one start to the next.
class TwipsCoordinate
{
public:
    // Remembers the value and returns the pixel it maps to.
    int set(float twips, double twipsPerPixel);
    // The value in twips for a window now at currentPixels.
    float twips(int currentPixels, double twipsPerPixel) const;

    static int toPixels(float twips, double twipsPerPixel);

private:
    bool m_isSet = false;
    float m_twips = 0;
    int m_pixels = 0;
};
