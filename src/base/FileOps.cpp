#include "base/FileOps.h"

#include "base/AtomicFile.h"
#include "base/Error.h"

#include <csignal>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vnt {

namespace {

int errorNumber(QFileDevice::FileError error)
{
    switch (error) {
    case QFileDevice::PermissionsError:
        return err::PermissionDenied;
    case QFileDevice::ResourceError:
        return err::DiskFull;
    case QFileDevice::OpenError:
        return err::PathAccess;
    default:
        return err::DeviceIO;
    }
}

[[noreturn]] void fail(const QFileDevice& file, const QString& what, const QString& path)
{
    throw Error(errorNumber(file.error()),
                QStringLiteral("%1 '%2' failed: %3").arg(what, QDir::toNativeSeparators(path), file.errorString()));
}

} // namespace

bool fileExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

bool samePath(const QString& a, const QString& b)
{
    const QFileInfo first(a), second(b);
    if (first.exists() && second.exists())
        return first.canonicalFilePath().compare(second.canonicalFilePath(), fileNameCase()) == 0;
    return first.absoluteFilePath().compare(second.absoluteFilePath(), fileNameCase()) == 0;
}

bool isSymLink(const QString& path)
{
    // On Windows a junction redirects a path as a link does.
    const QFileInfo info(path);
    return info.isSymLink() || info.isJunction();
}

void refuseSymLink(const QString& path)
{
    if (isSymLink(path))
        throw Error(
            err::PathAccess,
            QStringLiteral("'%1' is a symbolic link; the editor does not write through links").arg(QDir::toNativeSeparators(path)));
}

QByteArray readFile(const QString& path)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
        if (!QFileInfo::exists(path))
            throw Error(err::FileNotFound, QStringLiteral("File not found: '%1'").arg(QDir::toNativeSeparators(path)));
        fail(in, QStringLiteral("Reading"), path);
    }
    QByteArray data = in.readAll();
    if (in.error() != QFileDevice::NoError)
        fail(in, QStringLiteral("Reading"), path);
    return data;
}

void writeFileAtomically(const QString& path, const QByteArray& data, QFileDevice::Permissions perms)
{
    refuseSymLink(path);
    AtomicFile out(path);
    out.write(data.constData(), data.size());
    out.setNewFilePermissions(perms);
    out.commit();
}

void copyFile(const QString& from, const QString& to, QFileDevice::Permissions perms)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly)) {
        if (!QFileInfo::exists(from))
            throw Error(err::FileNotFound, QStringLiteral("File not found: '%1'").arg(QDir::toNativeSeparators(from)));
        fail(in, QStringLiteral("Reading"), from);
    }
    refuseSymLink(to);
    AtomicFile out(to);
    out.copyFrom(in, 0, in.size(), from);
    out.setNewFilePermissions(perms);
    out.commit();
}

void removeFile(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).exists() && !isSymLink(path))
        return;
    if (!file.remove())
        fail(file, QStringLiteral("Deleting"), path);
}

void reportFileSizeLimitAsError()
{
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

} // namespace vnt
