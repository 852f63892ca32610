#include "base/FileOps.h"

#include "base/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace vnt {

namespace {

int errorNumber(QFileDevice::FileError error)
{
    switch (error) {
    case QFileDevice::PermissionsError: return err::PermissionDenied;
    case QFileDevice::ResourceError: return err::DiskFull;
    case QFileDevice::OpenError: return err::PathAccess;
    default: return err::DeviceIO;
    }
}

[[noreturn]] void fail(const QFileDevice& file, const QString& what, const QString& path)
{
    throw Error(errorNumber(file.error()),
                QStringLiteral("%1 '%2' failed: %3").arg(what, QDir::toNativeSeparators(path), file.errorString()));
}

void openTarget(QSaveFile& out, const QString& path)
{
    refuseSymLink(path);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly))
        fail(out, QStringLiteral("Writing"), path);
}

void commitTarget(QSaveFile& out, const QString& path, bool existed, QFileDevice::Permissions perms)
{
    if (!existed && !out.setPermissions(perms))
        fail(out, QStringLiteral("Setting the permissions of"), path);
    if (!out.commit())
        fail(out, QStringLiteral("Writing"), path);
}

} // namespace

bool fileExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

bool isSymLink(const QString& path)
{
    return QFileInfo(path).isSymLink();
}

void refuseSymLink(const QString& path)
{
    if (isSymLink(path))
        throw Error(err::PathAccess,
                    QStringLiteral("'%1' is a symbolic link; the editor does not write through links")
                        .arg(QDir::toNativeSeparators(path)));
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
    const bool existed = QFileInfo::exists(path);
    QSaveFile out(path);
    openTarget(out, path);
    if (out.write(data) != data.size())
        fail(out, QStringLiteral("Writing"), path);
    commitTarget(out, path, existed, perms);
}

void copyFile(const QString& from, const QString& to, QFileDevice::Permissions perms)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly)) {
        if (!QFileInfo::exists(from))
            throw Error(err::FileNotFound, QStringLiteral("File not found: '%1'").arg(QDir::toNativeSeparators(from)));
        fail(in, QStringLiteral("Reading"), from);
    }
    const bool existed = QFileInfo::exists(to);
    QSaveFile out(to);
    openTarget(out, to);
    constexpr qint64 chunk = 1 << 20;
    while (!in.atEnd()) {
        const QByteArray block = in.read(chunk);
        if (in.error() != QFileDevice::NoError)
            fail(in, QStringLiteral("Reading"), from);
        if (out.write(block) != block.size())
            fail(out, QStringLiteral("Writing"), to);
    }
    commitTarget(out, to, existed, perms);
}

void removeFile(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).exists() && !isSymLink(path))
        return;
    if (!file.remove())
        fail(file, QStringLiteral("Deleting"), path);
}

} // namespace vnt
