#pragma once

#include <QFileDevice>
#include <QString>

namespace vnt {

// The failure of a write to path, from the system's error number: a full disk or
// quota is err::DiskFull, a file grown past the size allowed (EFBIG) says so,
// a refusal is err::PermissionDenied, anything else err::DeviceIO.
[[noreturn]] void throwWriteError(int errorNumber, const QString& path, const QString& what = QString());

// A new version of a file, written beside it as ".NAME.vantor-PID.tmp" (PID: the
// writer's process id) and renamed over it by commit() after it is flushed to
// disk; the folder is flushed after the rename. Until then, after any failure and
// after a crash, the file keeps its old bytes. Creating one first removes the
// temporary files of that name left by writers that no longer run; a live
// writer's are never touched. The destructor removes an uncommitted file. The
// path must not be a symbolic link (callers resolve or refuse links).
class AtomicFile {
public:
    explicit AtomicFile(const QString& path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void write(const char* data, qint64 size);
    // Copies size bytes at offset of the open file descriptor source, in the
    // kernel where the file systems allow it, else by reading and writing.
    void copyFrom(int source, qint64 offset, qint64 size, const QString& sourcePath);
    // The permissions the file gets when it did not exist (an existing one keeps its own).
    void setNewFilePermissions(QFileDevice::Permissions permissions);
    void commit();

    const QString& path() const { return path_; }
    const QString& temporaryPath() const { return temporary_; }
    static QString temporaryPathFor(const QString& path, qint64 pid);
    // Removes leftovers of path's writers that no longer run.
    static void removeStaleTemporaries(const QString& path);

private:
    QString path_;
    QString temporary_;
    int fd_ = -1;
    bool committed_ = false;
    bool existed_ = false;
    unsigned mode_ = 0600;
};

} // namespace vnt
