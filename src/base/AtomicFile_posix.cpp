#include "base/AtomicFile.h"

#include "base/Error.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <csignal> // kill(pid, 0)
#include <cstring>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vnt {

namespace {

constexpr qint64 CopyBlock = qint64(1) << 20;

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}

int fd(qintptr handle)
{
    return int(handle);
}

QString systemText(int number)
{
    return QString::fromLocal8Bit(std::strerror(number));
}

// Whether a process of that id runs (or exists under another user).
bool processRuns(qint64 pid)
{
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

void syncFolder(const QString& folder)
{
    // Makes the rename itself last; a file system that cannot sync a folder has
    // nothing more to do, so a failure here is not reported.
    const int folderFd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
}

// The failure of a write to path, from the system's error number: a full disk or
// quota is err::DiskFull, a file grown past the size allowed (EFBIG) says so,
// a refusal is err::PermissionDenied, anything else err::DeviceIO.
[[noreturn]] void throwWriteError(int number, const QString& path, const QString& what = QString())
{
    const QString action = what.isEmpty() ? QStringLiteral("Writing") : what;
    const QString head = QStringLiteral("%1 '%2' failed: ").arg(action, native(path));
    switch (number) {
    case ENOSPC:
        throw Error(err::DiskFull, head + QStringLiteral("the disk is full (%1)").arg(systemText(number)));
    case EDQUOT:
        throw Error(err::DiskFull, head + QStringLiteral("the disk quota is used up (%1)").arg(systemText(number)));
    case EFBIG:
        throw Error(err::DeviceIO, head
                                       + QStringLiteral("the file would grow past the largest size this system or "
                                                        "user allows (%1)")
                                             .arg(systemText(number)));
    case EACCES:
    case EPERM:
    case EROFS:
        throw Error(err::PermissionDenied,
                    head + QStringLiteral("the file or its folder may not be written (%1)").arg(systemText(number)));
    case ENOENT:
    case ENOTDIR:
        throw Error(err::PathAccess, head + systemText(number));
    default:
        throw Error(err::DeviceIO, head + systemText(number));
    }
}

} // namespace

void AtomicFile::removeStaleTemporaries(const QString& path)
{
    // Read with the system's calls: this runs before every write.
    const QFileInfo info(path);
    DIR* listing = ::opendir(encoded(info.absolutePath()).constData());
    if (!listing)
        return;
    while (const dirent* entry = ::readdir(listing)) {
        if (entry->d_name[0] != '.') // leftovers are hidden files: most names need no decoding
            continue;
        const qint64 pid = temporaryOwner(path, QFile::decodeName(entry->d_name));
        if (pid > 0 && pid != ::getpid() && !processRuns(pid))
            ::unlinkat(::dirfd(listing), entry->d_name, 0);
    }
    ::closedir(listing);
}

AtomicFile::AtomicFile(const QString& path) : path_(path), temporary_(temporaryPathFor(path, ::getpid()))
{
    removeStaleTemporaries(path_);
    struct stat target {};
    existed_ = ::stat(encoded(path_).constData(), &target) == 0;
    const QByteArray temporary = encoded(temporary_);
    for (int attempt = 0; handle_ < 0; ++attempt) {
        handle_ = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        // The name carries this process's id: one already there was left by an
        // earlier process of the same id, which has ended.
        if (handle_ < 0 && errno == EEXIST && attempt == 0)
            ::unlink(temporary.constData());
        else if (handle_ < 0)
            throwWriteError(errno, path_);
    }
    if (existed_) {
        mode_ = target.st_mode & 07777;
        if (::fchown(fd(handle_), target.st_uid, target.st_gid) != 0) {
            // Another owner's file becomes the writer's, as any rewrite would make it.
        }
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode_ = 0666 & ~mask;
    }
}

AtomicFile::~AtomicFile()
{
    if (handle_ >= 0)
        ::close(fd(handle_));
    if (!committed_)
        ::unlink(encoded(temporary_).constData());
}

void AtomicFile::write(const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t done = ::write(fd(handle_), data, size_t(std::min<qint64>(size, CopyBlock)));
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            throwWriteError(done < 0 ? errno : ENOSPC, path_);
        data += done;
        size -= done;
    }
}

void AtomicFile::copyFrom(QFileDevice& sourceFile, qint64 offset, qint64 size, const QString& sourcePath)
{
    const int source = sourceFile.handle();
    bool inKernel = true;
    std::vector<char> block;
    while (size > 0) {
        const size_t want = size_t(std::min<qint64>(size, CopyBlock));
        if (inKernel) {
            loff_t from = offset;
            const ssize_t done = ::copy_file_range(source, &from, fd(handle_), nullptr, want, 0);
            if (done > 0) {
                offset += done;
                size -= done;
                continue;
            }
            if (done < 0 && errno == EINTR)
                continue;
            // File systems (or kernels) that cannot copy between these files.
            if (done < 0 && (errno == EXDEV || errno == EOPNOTSUPP || errno == ENOSYS || errno == EINVAL)) {
                inKernel = false;
                continue;
            }
            if (done < 0)
                throwWriteError(errno, path_);
        } else {
            block.resize(want);
            const ssize_t got = ::pread(source, block.data(), want, offset);
            if (got < 0 && errno == EINTR)
                continue;
            if (got > 0) {
                write(block.data(), got);
                offset += got;
                size -= got;
                continue;
            }
        }
        throw Error(err::DeviceIO,
                    QStringLiteral("Reading '%1' failed: the file ended early or changed while being read").arg(native(sourcePath)));
    }
}

void AtomicFile::setNewFilePermissions(QFileDevice::Permissions permissions)
{
    if (existed_)
        return;
    const std::pair<QFileDevice::Permission, unsigned> bits[] = {
        {QFileDevice::ReadOwner, 0400}, {QFileDevice::WriteOwner, 0200}, {QFileDevice::ExeOwner, 0100},
        {QFileDevice::ReadGroup, 0040}, {QFileDevice::WriteGroup, 0020}, {QFileDevice::ExeGroup, 0010},
        {QFileDevice::ReadOther, 0004}, {QFileDevice::WriteOther, 0002}, {QFileDevice::ExeOther, 0001}};
    mode_ = 0;
    for (const auto& [permission, bit] : bits)
        if (permissions.testFlag(permission))
            mode_ |= bit;
}

void AtomicFile::commit()
{
    if (::fchmod(fd(handle_), mode_t(mode_)) != 0)
        throwWriteError(errno, path_, QStringLiteral("Setting the permissions of"));
    if (::fsync(fd(handle_)) != 0)
        throwWriteError(errno, path_);
    const int descriptor = fd(handle_);
    handle_ = -1;
    if (::close(descriptor) != 0)
        throwWriteError(errno, path_);
    if (::rename(encoded(temporary_).constData(), encoded(path_).constData()) != 0)
        throwWriteError(errno, path_);
    committed_ = true;
    syncFolder(QFileInfo(path_).absolutePath());
}

} // namespace vnt
