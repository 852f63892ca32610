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
    const int fd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

void throwWriteError(int number, const QString& path, const QString& what)
{
    const QString action = what.isEmpty() ? QStringLiteral("Writing") : what;
    const QString head = QStringLiteral("%1 '%2' failed: ").arg(action, native(path));
    switch (number) {
    case ENOSPC:
        throw Error(err::DiskFull, head + QStringLiteral("the disk is full (%1)").arg(systemText(number)));
    case EDQUOT:
        throw Error(err::DiskFull, head + QStringLiteral("the disk quota is used up (%1)").arg(systemText(number)));
    case EFBIG:
        throw Error(err::DeviceIO, head + QStringLiteral("the file would grow past the largest size this system or "
                                                         "user allows (%1)").arg(systemText(number)));
    case EACCES:
    case EPERM:
    case EROFS:
        throw Error(err::PermissionDenied,
                    head + QStringLiteral("the file or its folder may not be written (%1)").arg(systemText(number)));
    case ENOENT:
    case ENOTDIR:
        throw Error(err::PathAccess, head + systemText(number));
    default: throw Error(err::DeviceIO, head + systemText(number));
    }
}

QString AtomicFile::temporaryPathFor(const QString& path, qint64 pid)
{
    const QFileInfo info(path);
    return info.dir().filePath(QStringLiteral(".%1.vantor-%2.tmp").arg(info.fileName()).arg(pid));
}

void AtomicFile::removeStaleTemporaries(const QString& path)
{
    // Read with the system's calls: this runs before every write.
    const QFileInfo info(path);
    const QByteArray folder = encoded(info.absolutePath());
    const QByteArray head = "." + encoded(info.fileName()) + ".vantor-";
    DIR* listing = ::opendir(folder.constData());
    if (!listing)
        return;
    while (const dirent* entry = ::readdir(listing)) {
        const QByteArray name(entry->d_name);
        if (!name.startsWith(head) || !name.endsWith(".tmp"))
            continue;
        const QByteArray digits = name.mid(head.size(), name.size() - head.size() - 4);
        bool number = !digits.isEmpty();
        for (const char c : digits)
            number = number && c >= '0' && c <= '9';
        const qint64 pid = number ? digits.toLongLong() : 0;
        if (pid > 0 && pid != ::getpid() && !processRuns(pid))
            ::unlinkat(::dirfd(listing), name.constData(), 0);
    }
    ::closedir(listing);
}

AtomicFile::AtomicFile(const QString& path) : path_(path), temporary_(temporaryPathFor(path, ::getpid()))
{
    removeStaleTemporaries(path_);
    struct stat target {};
    existed_ = ::stat(encoded(path_).constData(), &target) == 0;
    const QByteArray temporary = encoded(temporary_);
    for (int attempt = 0; fd_ < 0; ++attempt) {
        fd_ = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        // The name carries this process's id: one already there was left by an
        // earlier process of the same id, which has ended.
        if (fd_ < 0 && errno == EEXIST && attempt == 0)
            ::unlink(temporary.constData());
        else if (fd_ < 0)
            throwWriteError(errno, path_);
    }
    if (existed_) {
        mode_ = target.st_mode & 07777;
        if (::fchown(fd_, target.st_uid, target.st_gid) != 0) {
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
    if (fd_ >= 0)
        ::close(fd_);
    if (!committed_)
        ::unlink(encoded(temporary_).constData());
}

void AtomicFile::write(const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t done = ::write(fd_, data, size_t(std::min<qint64>(size, CopyBlock)));
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            throwWriteError(done < 0 ? errno : ENOSPC, path_);
        data += done;
        size -= done;
    }
}

void AtomicFile::copyFrom(int source, qint64 offset, qint64 size, const QString& sourcePath)
{
    bool inKernel = true;
    std::vector<char> block;
    while (size > 0) {
        const size_t want = size_t(std::min<qint64>(size, CopyBlock));
        if (inKernel) {
            loff_t from = offset;
            const ssize_t done = ::copy_file_range(source, &from, fd_, nullptr, want, 0);
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
        throw Error(err::DeviceIO, QStringLiteral("Reading '%1' failed: the file ended early or changed while being read")
                                       .arg(native(sourcePath)));
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
    if (::fchmod(fd_, mode_t(mode_)) != 0)
        throwWriteError(errno, path_, QStringLiteral("Setting the permissions of"));
    if (::fsync(fd_) != 0)
        throwWriteError(errno, path_);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        throwWriteError(errno, path_);
    if (::rename(encoded(temporary_).constData(), encoded(path_).constData()) != 0)
        throwWriteError(errno, path_);
    committed_ = true;
    syncFolder(QFileInfo(path_).absolutePath());
}

} // namespace vnt
