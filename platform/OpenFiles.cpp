#include "OpenFiles.h"

#include "FileIdentity.h"

#include <QMutex>
#include <QMutexLocker>

namespace OpenFiles {

namespace {

// Document sources may be read on a worker thread.
QMutex &lock()
{
    static QMutex mutex;
    return mutex;
}

QStringList &held()
{
    static QStringList files;
    return files;
}

} // namespace

Hold::Hold(QString path) : m_path(std::move(path))
{
    const QMutexLocker locker(&lock());
    held().append(m_path);
}

Hold::~Hold()
{
    const QMutexLocker locker(&lock());
    held().removeOne(m_path);
}

QStringList all()
{
    const QMutexLocker locker(&lock());
    return held();
}

QString heldAs(const QString &path)
{
    for (const QString &file : all()) {
        if (FileIdentity::sameFile(path, file))
            return file;
    }
    return QString();
}

} // namespace OpenFiles
