#include "ToolImages.h"

#include "platform/Icons.h"
#include "platform/RuntimeError.h"

#include <QColor>
#include <QPainter>

namespace {
const QSize ImageSize(16, 16);
const QColor MaskColour(192, 192, 192);
} // namespace

namespace ToolImages {

QStringList keys()
{
    return {"New",     "Open",    "Save",   "SaveAs", "SelAll",    "Delete",  "Copy",
            "Prop",    "Lock",    "ObjSel", "ObjLine", "ObjText",  "ObjImg",  "Left",
            "HCenter", "Right",   "Top",    "VCenter", "Bottom",   "Width",   "Height",
            "SizeAll", "PageSetup", "PreView", "Exit",     "ZoomOut", "ZoomIn",  "Grid",
            "Underlay", "Undo",  "Redo"};
}

QImage draw(const QString &key)
{
    if (!keys().contains(key))
        throw RuntimeError(RuntimeError::SubscriptOutOfRange);
    QImage image(ImageSize, QImage::Format_RGB32);
    image.fill(MaskColour);
    QPainter painter(&image);
    painter.drawImage(0, 0, Icons::image(key, ImageSize));
    return image;
}

} // namespace ToolImages
