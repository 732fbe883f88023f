#pragma once

// The designer's grid as the clerk last chose it: shown or not, and its
// spacing in millimetres (one of GridSteps::ChoicesMm). Kept in the
// settings store under the application title, section "Settings", keys
// "GridShown" (0 or 1) and "GridMm"; off, at 5 mm, until chosen.
struct GridChoice
{
    bool shown = false;
    int mm = 5;

    // What the store holds; a value it cannot hold gives the default.
    static GridChoice read();
    void write() const;
    // The spacing the designers show: 0 while the grid is off.
    double shownMm() const { return shown ? mm : 0; }
};
