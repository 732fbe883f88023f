#include "TwipsCoordinate.h"

#include <cmath>

int TwipsCoordinate::toPixels(float twips, double twipsPerPixel)
{
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

int TwipsCoordinate::set(float twips, double twipsPerPixel)
{
    m_isSet = true;
    m_twips = twips;
    m_pixels = toPixels(twips, twipsPerPixel);
    return m_pixels;
}

float TwipsCoordinate::twips(int currentPixels, double twipsPerPixel) const
{
    if (m_isSet && currentPixels == m_pixels)
        return m_twips;
    return static_cast<float>(currentPixels * twipsPerPixel);
}
