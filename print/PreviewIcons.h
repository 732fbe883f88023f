#pragma once

#include <QIcon>

// The preview's button pictures, from the program's icon resource.
namespace PreviewIcons {

enum class Kind { First, Previous, Next, Last, Print, PrintSetup, Underlay, Close };
QIcon icon(Kind kind);

} // namespace PreviewIcons
