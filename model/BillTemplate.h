#pragma once

#include "model/FormUnderlay.h"
#include "model/ObjDraws.h"

#include <QString>

#include <cstdint>

// The template record: name, identity, page settings and the objects. The
// designer window owns one and exposes it under these names; printing, the
// store and the dialogs work on the record, never on the window. The page
// size is the size of the collection's page (mObjs.page()).
struct BillTemplate
{
    QString Caption;
    int16_t mScreenID = 0;
    int16_t mID = 0;
    bool mIsDefault = false;
    double mRowHeight = 0; // twips
    int16_t mrowcount = 0;
    bool mLandScape = false;
    double mColWidth = 0; // twips
    int16_t mcolcount = 0;
    bool mBlnColFirst = false;
    // The form beneath the page in the designer; never printed.
    FormUnderlay mUnderlay;
    // The template's own shift on paper (twips, right and down), for a form
    // that sits differently in the tray; added to the printer's calibration
    // on a printer, never in a PDF file.
    double mOffsetLeft = 0;
    double mOffsetTop = 0;
    // The stored revision this record was read or last saved as (0: never
    // stored); a save over a newer revision is refused.
    int32_t mRevision = 0;
    ObjDraws mObjs;
};
