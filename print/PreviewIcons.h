#pragma once

#include <QIcon>

// The preview's button pictures, drawn rather than shipped.
namespace PreviewIcons {

enum class Kind { First, Previous, Next, Last, Print, Close };
QIcon icon(Kind kind);

} // namespace PreviewIcons
