#include "archive/VivOutput.h"

#include "base/Error.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <vector>

namespace vnt {

namespace {

thread_local std::int64_t diskLimit = -1;

constexpr std::int64_t CopyBlock = std::int64_t(1) << 20;

} // namespace

VivOutput::VivOutput(const QString& path, bool mustExist) : path_(path), mustExist_(mustExist), file_(path)
{
}

void VivOutput::write(const char* data, std::int64_t size)
{
    if (diskLimit >= 0 && written_ + size > diskLimit) {
        const std::int64_t room = std::max<std::int64_t>(0, diskLimit - written_);
        file_.write(data, room);
        written_ += room;
        throw Error(
            err::DiskFull,
            QStringLiteral("Writing '%1' failed: the disk is full (No space left on device)").arg(QDir::toNativeSeparators(path_)));
    }
    file_.write(data, size);
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
    if (diskLimit < 0) {
        file_.copyFrom(source, offset, size, sourcePath);
        written_ += size;
        return;
    }
    // Under a simulated limit every byte goes through write(), which enforces it.
    if (!source.seek(offset))
        throw Error(err::DeviceIO,
                    QStringLiteral("Reading '%1' failed: %2").arg(QDir::toNativeSeparators(sourcePath), source.errorString()));
    std::vector<char> block(static_cast<std::size_t>(std::min(size, CopyBlock)));
    while (size > 0) {
        const std::int64_t want = std::min<std::int64_t>(size, static_cast<std::int64_t>(block.size()));
        if (source.read(block.data(), want) != want)
            throw Error(err::DeviceIO, QStringLiteral("Reading '%1' failed: the file ended early or changed while being read")
                                           .arg(QDir::toNativeSeparators(sourcePath)));
        write(block.data(), want);
        size -= want;
    }
}

void VivOutput::setNewFilePermissions(QFileDevice::Permissions permissions)
{
    file_.setNewFilePermissions(permissions);
}

void VivOutput::commit()
{
    // A file that vanished while it was being rewritten is not brought back.
    if (mustExist_ && !QFileInfo::exists(path_))
        throw Error(err::FileNotFound,
                    QStringLiteral("The archive '%1' disappeared while it was being written").arg(QDir::toNativeSeparators(path_)));
    file_.commit();
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
