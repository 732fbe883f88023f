#include "FileIdentity.h"

#include <QDir>
#include <QFileInfo>

#include <sys/stat.h>

namespace FileIdentity {

namespace {

// The path with every link of an existing part resolved.
QString resolved(const QString &path)
{
    const QFileInfo file(path);
    if (file.exists())
        return file.canonicalFilePath();
    const QString folder = file.absoluteDir().canonicalPath();
    return folder.isEmpty() ? QDir::cleanPath(file.absoluteFilePath())
                            : QDir(folder).filePath(file.fileName());
}

} // namespace

bool sameFile(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    struct stat sa{}, sb{};
    const bool aExists = ::stat(QFile::encodeName(a).constData(), &sa) == 0;
    const bool bExists = ::stat(QFile::encodeName(b).constData(), &sb) == 0;
    if (aExists && bExists)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    if (aExists != bExists)
        return false;
    return resolved(a) == resolved(b);
}

} // namespace FileIdentity
