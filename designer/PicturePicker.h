#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

// Choosing a picture file for a picture object and loading it.
namespace PicturePicker {

extern const char *const Title;
extern const char *const Filter;
// The file and its path must exist, a help button, no read-only box.
constexpr int Flags = 6164;

// The file chosen, or nothing when the dialog was cancelled.
std::optional<QString> choose();
// Throws RuntimeError (481) when the file is not a readable picture. The
// file's bytes go to bytes, so the picture outlives its file.
QImage load(const QString &fileName, QByteArray *bytes = nullptr);

} // namespace PicturePicker
