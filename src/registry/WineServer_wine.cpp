#include "registry/WineServer.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vnt {

namespace {

WineServerState unknown(const QString& what, int error)
{
    return {WineServerState::Unknown, QStringLiteral("%1: %2").arg(what, qt_error_string(error))};
}

// Whether a server holds the lock in the given server folder.
WineServerState lockState(const QString& folder)
{
    const QString lockPath = folder + QStringLiteral("/lock");
    const int fd = ::open(QFile::encodeName(lockPath).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return {}; // no server ever ran here, or its folder was cleared
        return unknown(QDir::toNativeSeparators(lockPath), errno);
    }
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET; // start 0, length 0: the whole file
    const int rc = ::fcntl(fd, F_GETLK, &lock);
    const int error = errno;
    ::close(fd);
    if (rc != 0)
        return unknown(QDir::toNativeSeparators(lockPath), error);
    if (lock.l_type == F_UNLCK)
        return {};
    return {WineServerState::Running, folder};
}

// The folder that the prefix's "wineserver" file names; false when it exists but
// cannot be read.
bool markedFolder(const QString& prefix, QString* folder, WineServerState* failure)
{
    QFile marker(prefix + QStringLiteral("/wineserver"));
    if (!marker.exists())
        return true;
    if (!marker.open(QIODevice::ReadOnly)) {
        *failure = {WineServerState::Unknown,
                    QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(marker.fileName()), marker.errorString())};
        return false;
    }
    *folder = QFile::decodeName(marker.read(4096).trimmed());
    return true;
}

QStringList tempRoots(const QString& tempRoot)
{
    if (!tempRoot.isEmpty())
        return {tempRoot};
    QStringList roots;
    const QString fromEnvironment = qEnvironmentVariable("TMPDIR");
    if (!fromEnvironment.isEmpty())
        roots.append(fromEnvironment);
    if (!roots.contains(QStringLiteral("/tmp")))
        roots.append(QStringLiteral("/tmp"));
    return roots;
}

} // namespace

WineServerState wineServerState(const QString& prefix, const QString& tempRoot)
{
    struct stat info {};
    if (::stat(QFile::encodeName(prefix).constData(), &info) != 0)
        return errno == ENOENT ? WineServerState() : unknown(QDir::toNativeSeparators(prefix), errno);
    const QString name = QStringLiteral("server-%1-%2").arg(qulonglong(info.st_dev), 0, 16).arg(qulonglong(info.st_ino), 0, 16);
    QString marked;
    WineServerState result;
    if (!markedFolder(prefix, &marked, &result))
        return result;

    QStringList folders;
    for (const QString& root : tempRoots(tempRoot)) {
        folders.append(QStringLiteral("%1/.wine-%2/%3").arg(root).arg(::getuid()).arg(name));
        if (!marked.isEmpty())
            folders.append(QDir(root).filePath(marked) + QLatin1Char('/') + name);
    }
    for (const QString& folder : folders) {
        const WineServerState found = lockState(folder);
        if (found.kind == WineServerState::Running)
            return found;
        if (found.kind == WineServerState::Unknown)
            result = found;
    }
    return result;
}

} // namespace vnt
