#include "PreviewIcons.h"

#include "platform/Icons.h"

namespace PreviewIcons {

namespace {

QString name(Kind kind)
{
    switch (kind) {
    case Kind::First:
        return QStringLiteral("PageFirst");
    case Kind::Previous:
        return QStringLiteral("PagePrevious");
    case Kind::Next:
        return QStringLiteral("PageNext");
    case Kind::Last:
        return QStringLiteral("PageLast");
    case Kind::Print:
        return QStringLiteral("Print");
    case Kind::PrintSetup:
        return QStringLiteral("PrintSetup");
    case Kind::Underlay:
        return QStringLiteral("Underlay");
    case Kind::Close:
        return QStringLiteral("Close");
    }
    return QString();
}

} // namespace

QIcon icon(Kind kind)
{
    return Icons::icon(name(kind));
}

} // namespace PreviewIcons
