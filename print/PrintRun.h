#pragma once

#include <cstdint>

struct BillTemplate;

// The state of the one print run: set by PrintBill, read by the preview
// and by page composition.
struct PrintRun
{
    int32_t BillNo = 0;
    bool IsDemo = false;
    int16_t PageCount = 0;
    // Twips. For orientation 1 the page is (PageHeight, PageWidth); any
    // other value records the paper as fed and the page is the swap.
    double PageHeight = 0;
    double PageWidth = 0;
    int16_t Orientation = 1;
    // Screen twips per page unit of the preview's page picture.
    double PageScale = 1;
    // The template the run prints, whichever designer is active meanwhile.
    const BillTemplate *Bill = nullptr;

    // The designed page, upright.
    double DesignWidth() const { return Orientation == 1 ? PageWidth : PageHeight; }
    double DesignHeight() const { return Orientation == 1 ? PageHeight : PageWidth; }
};
