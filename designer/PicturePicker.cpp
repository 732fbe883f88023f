#include "PicturePicker.h"

#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"

namespace PicturePicker {

const char *const Title = "选择图形文件";
const char *const Filter =
    "位图文件(*.Bmp)|*.Bmp|所有图形文件|*.Bmp;*.Jpg;*.Gif;*.Ico|所有文件(*.*)|*.*";

std::optional<QString> choose()
{
    FileDialogRequest request;
    request.title = QString::fromUtf8(Title);
    request.filter = QString::fromUtf8(Filter);
    request.flags = Flags;
    return Platform::dialogs().OpenFile(request);
}

QImage load(const QString &fileName)
{
    QImage picture;
    if (!picture.load(fileName))
        throw RuntimeError(RuntimeError::CannotLoadPicture, fileName);
    return picture;
}

} // namespace PicturePicker
