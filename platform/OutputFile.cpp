#include "OutputFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

// What the system reported, in the user's words first.
QString reasonOf(int error)
{
    QString reason;
    switch (error) {
    case ENOSPC:
        reason = QStringLiteral("磁盘空间不足");
        break;
    case EDQUOT:
        reason = QStringLiteral("超出磁盘配额");
        break;
    case EFBIG:
        reason = QStringLiteral("文件超出允许的大小");
        break;
    case EACCES:
    case EPERM:
        reason = QStringLiteral("没有写入权限");
        break;
    case EROFS:
        reason = QStringLiteral("文件系统是只读的");
        break;
    case ENAMETOOLONG:
        reason = QStringLiteral("文件名或路径太长");
        break;
    case ENOENT:
        reason = QStringLiteral("文件夹不存在");
        break;
    case EIO:
        reason = QStringLiteral("磁盘读写出错");
        break;
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
    return reason + QStringLiteral("（") + QString::fromLocal8Bit(std::strerror(error))
           + QStringLiteral("）");
}

// A name that is a link writes the file the link names, so the link stays.
QString targetOf(const QString &path)
{
    const QFileInfo file(path);
    if (file.isSymLink())
        return file.exists() ? file.canonicalFilePath() : file.symLinkTarget();
    return file.absoluteFilePath();
}

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

OutputFile::OutputFile(const QString &path) : m_target(targetOf(path)) {}

OutputFile::~OutputFile()
{
    discard();
}

QString OutputFile::refusal(const QString &path)
{
    if (path.trimmed().isEmpty())
        return QStringLiteral("没有给出文件名");
    const QFileInfo file(targetOf(path));
    if (file.isDir())
        return QStringLiteral("这是一个文件夹，不是文件");
    struct stat st{};
    if (::stat(encoded(file.absoluteFilePath()).constData(), &st) == 0 && !S_ISREG(st.st_mode))
        return QStringLiteral("这不是普通文件（而是设备、管道或套接字），不能写成 PDF 文件");
    const QString folder = file.absolutePath();
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("文件夹 %1 不存在").arg(folder);
    const long nameMax = ::pathconf(encoded(folder).constData(), _PC_NAME_MAX);
    const qsizetype nameBytes = encoded(file.fileName()).size();
    if (nameBytes > (nameMax > 0 ? nameMax : NAME_MAX))
        return QStringLiteral("文件名太长（%1 字节，最多 %2 字节）")
            .arg(nameBytes)
            .arg(nameMax > 0 ? nameMax : NAME_MAX);
    if (encoded(file.absoluteFilePath()).size() >= PATH_MAX)
        return QStringLiteral("路径太长（最多 %1 字节）").arg(PATH_MAX - 1);
    return QString();
}

bool OutputFile::begin()
{
    if (const QString why = refusal(m_target); !why.isEmpty()) {
        m_error = why;
        return false;
    }
    // A short name of our own, whatever the length of the final one.
    QByteArray pattern = encoded(QFileInfo(m_target).absoluteDir().filePath(
        QStringLiteral(".tavrel-XXXXXX.part")));
    m_fd = ::mkstemps(pattern.data(), 5);
    if (m_fd < 0)
        return failWith(errno);
    m_temporary = QFile::decodeName(pattern);
    m_written = 0;
    m_error.clear();
    return open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 OutputFile::readData(char *, qint64)
{
    return -1;
}

qint64 OutputFile::writeData(const char *data, qint64 size)
{
    if (failed() || m_fd < 0)
        return -1;
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::write(m_fd, data + done, std::size_t(size - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            failWith(n < 0 ? errno : ENOSPC);
            return -1;
        }
        done += n;
    }
    m_written += done;
    return done;
}

bool OutputFile::failWith(int error)
{
    if (m_error.isEmpty())
        m_error = reasonOf(error);
    return false;
}

bool OutputFile::closeFile()
{
    if (m_fd < 0)
        return true;
    const int fd = m_fd;
    m_fd = -1;
    if (isOpen())
        close();
    // The disk may only find out that it is full when the data goes to it.
    if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) {
        const int error = errno;
        ::close(fd);
        return failWith(error);
    }
    if (::close(fd) != 0)
        return failWith(errno);
    return true;
}

bool OutputFile::commit(const Check &check)
{
    if (m_temporary.isEmpty()) {
        failWith(EBADF);
        return false;
    }
    struct stat st{};
    const bool whole = closeFile() && !failed();
    if (whole && (::stat(encoded(m_temporary).constData(), &st) != 0 || st.st_size != m_written))
        m_error = QStringLiteral("写入的文件长度不对（应为 %1 字节）").arg(m_written);
    if (!failed() && check)
        m_error = check(m_temporary);
    if (failed()) {
        discard();
        return false;
    }
    struct stat old{};
    const mode_t mode = ::stat(encoded(m_target).constData(), &old) == 0 ? (old.st_mode & 07777)
                                                                         : newFileMode();
    ::chmod(encoded(m_temporary).constData(), mode);
    if (::rename(encoded(m_temporary).constData(), encoded(m_target).constData()) != 0) {
        failWith(errno);
        discard();
        return false;
    }
    m_temporary.clear();
    return true;
}

void OutputFile::discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (isOpen())
        close();
    if (!m_temporary.isEmpty()) {
        ::unlink(encoded(m_temporary).constData());
        m_temporary.clear();
    }
}
