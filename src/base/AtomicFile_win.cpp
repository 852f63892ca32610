#include "base/AtomicFile.h"

#include "base/Error.h"
#include "base/WindowsText.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <vector>

#include <windows.h>

namespace vnt {

namespace {

constexpr qint64 CopyBlock = qint64(1) << 20;
// ERROR_DISK_QUOTA_EXCEEDED, which mingw-w64's headers lack.
constexpr DWORD DiskQuotaExceeded = 1295;

HANDLE handleOf(qintptr handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

// The failure of a write to path, from the system's error code: a full disk or
// quota is err::DiskFull, a refusal (a read-only file, a locked one, an ACL) is
// err::PermissionDenied, a missing folder err::PathAccess, anything else
// err::DeviceIO.
[[noreturn]] void throwWriteError(DWORD code, const QString& path, const QString& what = QString())
{
    const QString action = what.isEmpty() ? QStringLiteral("Writing") : what;
    const QString head = QStringLiteral("%1 '%2' failed: ").arg(action, QDir::toNativeSeparators(path));
    const QString reason = windowsErrorText(code);
    switch (code) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        throw Error(err::DiskFull, head + QStringLiteral("the disk is full (%1)").arg(reason));
    case DiskQuotaExceeded:
        throw Error(err::DiskFull, head + QStringLiteral("the disk quota is used up (%1)").arg(reason));
    case ERROR_FILE_TOO_LARGE:
        throw Error(err::DeviceIO, head
                                       + QStringLiteral("the file would grow past the largest size this file "
                                                        "system allows (%1)")
                                             .arg(reason));
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        throw Error(err::PermissionDenied, head + QStringLiteral("the file or its folder may not be written (%1)").arg(reason));
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        throw Error(err::PathAccess, head + reason);
    default:
        throw Error(err::DeviceIO, head + reason);
    }
}

// Whether a process of that id runs (or exists under another user).
bool processRuns(qint64 pid)
{
    if (pid <= 0 || pid > qint64(MAXDWORD))
        return false;
    HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid));
    if (!process)
        return ::GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    const bool running = ::GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    ::CloseHandle(process);
    return running;
}

} // namespace

void AtomicFile::removeStaleTemporaries(const QString& path)
{
    const QFileInfo info(path);
    const QString pattern = QDir::toNativeSeparators(info.absolutePath() + QStringLiteral("/.") + info.fileName()
                                                     + QStringLiteral(".vantor-*.tmp"));
    WIN32_FIND_DATAW found{};
    HANDLE listing = ::FindFirstFileW(wide(pattern), &found);
    if (listing == INVALID_HANDLE_VALUE)
        return;
    do {
        const QString name = QString::fromWCharArray(found.cFileName);
        const qint64 pid = temporaryOwner(path, name);
        if (pid > 0 && pid != qint64(::GetCurrentProcessId()) && !processRuns(pid))
            ::DeleteFileW(wide(QDir::toNativeSeparators(info.dir().filePath(name))));
    } while (::FindNextFileW(listing, &found));
    ::FindClose(listing);
}

AtomicFile::AtomicFile(const QString& path) : path_(path), temporary_(temporaryPathFor(path, qint64(::GetCurrentProcessId())))
{
    removeStaleTemporaries(path_);
    existed_ = ::GetFileAttributesW(wide(QDir::toNativeSeparators(path_))) != INVALID_FILE_ATTRIBUTES;
    const QString temporary = QDir::toNativeSeparators(temporary_);
    for (int attempt = 0; handle_ == -1; ++attempt) {
        HANDLE file = ::CreateFileW(wide(temporary), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        const DWORD code = file == INVALID_HANDLE_VALUE ? ::GetLastError() : ERROR_SUCCESS;
        if (file != INVALID_HANDLE_VALUE)
            handle_ = reinterpret_cast<qintptr>(file);
        // The name carries this process's id: one already there was left by an
        // earlier process of the same id, which has ended.
        else if (code == ERROR_FILE_EXISTS && attempt == 0)
            ::DeleteFileW(wide(temporary));
        else
            throwWriteError(code, path_);
    }
}

AtomicFile::~AtomicFile()
{
    if (handle_ != -1)
        ::CloseHandle(handleOf(handle_));
    if (!committed_)
        ::DeleteFileW(wide(QDir::toNativeSeparators(temporary_)));
}

void AtomicFile::write(const char* data, qint64 size)
{
    while (size > 0) {
        DWORD done = 0;
        const DWORD want = DWORD(std::min<qint64>(size, CopyBlock));
        if (!::WriteFile(handleOf(handle_), data, want, &done, nullptr))
            throwWriteError(::GetLastError(), path_);
        if (done == 0)
            throwWriteError(ERROR_DISK_FULL, path_);
        data += done;
        size -= done;
    }
}

void AtomicFile::copyFrom(QFileDevice& source, qint64 offset, qint64 size, const QString& sourcePath)
{
    // Windows has no copy of a byte range between two open files; read and write.
    std::vector<char> block;
    if (size > 0 && !source.seek(offset))
        size = -1;
    while (size > 0) {
        block.resize(size_t(std::min<qint64>(size, CopyBlock)));
        const qint64 got = source.read(block.data(), qint64(block.size()));
        if (got <= 0)
            break;
        write(block.data(), got);
        size -= got;
    }
    if (size != 0)
        throw Error(err::DeviceIO, QStringLiteral("Reading '%1' failed: the file ended early or changed while being read")
                                       .arg(QDir::toNativeSeparators(sourcePath)));
}

void AtomicFile::setNewFilePermissions(QFileDevice::Permissions)
{
    // A new file takes the access rules of its folder, as every file made there
    // does; Windows has no owner/group/other bits to set.
}

void AtomicFile::commit()
{
    HANDLE file = handleOf(handle_);
    if (!::FlushFileBuffers(file))
        throwWriteError(::GetLastError(), path_);
    handle_ = -1;
    if (!::CloseHandle(file))
        throwWriteError(::GetLastError(), path_);
    // Write-through: the call returns when the rename is on the disk.
    if (!::MoveFileExW(wide(QDir::toNativeSeparators(temporary_)), wide(QDir::toNativeSeparators(path_)),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        throwWriteError(::GetLastError(), path_);
    committed_ = true;
}

} // namespace vnt
