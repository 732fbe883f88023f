#include "FormUnderlay.h"

#include "platform/RuntimeError.h"
#include "platform/UnderlayFile.h"

QImage FormUnderlay::decoded() const
{
    if (isEmpty())
        return QImage();
    try {
        return UnderlayFile(Data, FileName).image(Page);
    } catch (const RuntimeError &) {
        return QImage();
    }
}
