#pragma once

#include <cstdint>
#include <memory>

struct BillTemplate;
struct DocumentData;

// The state of the one print run: set by PrintBill, read by the preview
// and by page composition.
struct PrintRun
{
    // Orientation 1 records the page upright; any other value records the
    // paper as fed, the page turned (a landscape page).
    enum Orientations { Upright = 1, AsFed = 2 };

    int32_t BillNo = 0;
    bool IsDemo = false;
    int16_t PageCount = 0;
    // Twips. Upright, the page is (PageHeight, PageWidth); as fed, the page
    // is the swap.
    double PageHeight = 0;
    double PageWidth = 0;
    int16_t Orientation = Upright;
    // Screen twips per page unit of the preview's page picture.
    double PageScale = 1;
    // The template the run prints, whichever designer is active meanwhile.
    const BillTemplate *Bill = nullptr;
    // The document, read once before the first page; none: fields print
    // empty.
    std::shared_ptr<const DocumentData> Data;

    // The designed page, upright.
    double DesignWidth() const { return Orientation == Upright ? PageWidth : PageHeight; }
    double DesignHeight() const { return Orientation == Upright ? PageHeight : PageWidth; }

};
