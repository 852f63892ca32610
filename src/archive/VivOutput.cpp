#include "archive/VivOutput.h"

#include "base/Error.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <vector>

namespace vnt {

namespace {

thread_local std::int64_t diskLimit = -1;

constexpr std::int64_t CopyBlock = std::int64_t(4) << 20;

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

bool folderWritable(const QString& path)
{
    return QFileInfo(QFileInfo(path).absolutePath()).isWritable();
}

} // namespace

VivOutput::VivOutput(const QString& path, bool mustExist) : path_(path), mustExist_(mustExist), file_(path)
{
    file_.setDirectWriteFallback(false);
    if (!file_.open(QIODevice::WriteOnly)) {
        if (!folderWritable(path_) || (QFileInfo::exists(path_) && !QFileInfo(path_).isWritable()))
            throw Error(err::PermissionDenied,
                        QStringLiteral("Writing '%1' failed: the file or its folder may not be written (%2)")
                            .arg(native(path_), file_.errorString()));
        fail(QStringLiteral("Writing"));
    }
}

void VivOutput::fail(const QString& what) const
{
    int number = err::DeviceIO;
    switch (file_.error()) {
    case QFileDevice::PermissionsError: number = err::PermissionDenied; break;
    case QFileDevice::ResourceError: number = err::DiskFull; break;
    case QFileDevice::OpenError: number = err::PathAccess; break;
    default: break;
    }
    throw Error(number, QStringLiteral("%1 '%2' failed: %3").arg(what, native(path_), file_.errorString()));
}

void VivOutput::write(const char* data, std::int64_t size)
{
    if (diskLimit >= 0 && written_ + size > diskLimit) {
        const std::int64_t room = std::max<std::int64_t>(0, diskLimit - written_);
        file_.write(data, room);
        written_ += room;
        throw Error(err::DiskFull,
                    QStringLiteral("Writing '%1' failed: No space left on device").arg(native(path_)));
    }
    if (file_.write(data, size) != size)
        fail(QStringLiteral("Writing"));
    written_ += size;
}

void VivOutput::padTo(std::int64_t position)
{
    static const QByteArray zeros(4096, '\0');
    while (written_ < position)
        write(zeros.constData(), std::min<std::int64_t>(zeros.size(), position - written_));
}

void VivOutput::copyFrom(QFile& source, const QString& sourcePath, std::int64_t offset, std::int64_t size)
{
    if (size <= 0)
        return;
    if (!source.seek(offset))
        throw Error(err::DeviceIO, QStringLiteral("Reading '%1' failed: %2").arg(native(sourcePath), source.errorString()));
    std::vector<char> block(static_cast<std::size_t>(std::min(size, CopyBlock)));
    while (size > 0) {
        const std::int64_t want = std::min<std::int64_t>(size, static_cast<std::int64_t>(block.size()));
        const std::int64_t got = source.read(block.data(), want);
        if (got != want)
            throw Error(err::DeviceIO,
                        QStringLiteral("Reading '%1' failed: the file ended early or changed while being read")
                            .arg(native(sourcePath)));
        write(block.data(), got);
        size -= got;
    }
}

void VivOutput::setNewFilePermissions(QFileDevice::Permissions permissions)
{
    if (!QFileInfo::exists(path_) && !file_.setPermissions(permissions))
        fail(QStringLiteral("Setting the permissions of"));
}

void VivOutput::commit()
{
    // A file that vanished while it was being rewritten is not brought back.
    if (mustExist_ && !QFileInfo::exists(path_))
        throw Error(err::FileNotFound,
                    QStringLiteral("The archive '%1' disappeared while it was being written").arg(native(path_)));
    if (!file_.commit())
        fail(QStringLiteral("Writing"));
}

SimulatedDiskLimit::SimulatedDiskLimit(std::int64_t bytes) : previous_(diskLimit)
{
    diskLimit = bytes;
}

SimulatedDiskLimit::~SimulatedDiskLimit()
{
    diskLimit = previous_;
}

} // namespace vnt
