#pragma once

// Where a ruler in millimetres puts its marks at a given scale: a mark every
// millimetre where the marks stay apart, fewer where they would not; a
// number every 10 mm, every 5 mm where there is room, fewer where there is
// not.
struct RulerScale
{
    // Marks closer than this many pixels would merge.
    static constexpr double MinMarkPixels = 3;
    // Numbers closer than this many pixels would run into each other.
    static constexpr double MinNumberPixels = 34;
    // Numbers every 5 mm from this many pixels apart.
    static constexpr double FiveMmNumberPixels = 60;

    // From the pixels one millimetre spans.
    static RulerScale forPixelsPerMm(double pixelsPerMm);

    int markMm = 1;
    // Longer marks, between the numbers.
    int halfMm = 5;
    int numberMm = 10;
};
