#pragma once

#include <QFileDevice>
#include <QString>

namespace vnt {

// A new version of a file, written beside it as ".NAME.vantor-PID.tmp" (PID: the
// writer's process id) and renamed over it by commit() after it is flushed to
// disk; the folder is flushed after the rename. Until then, after any failure and
// after a crash, the file keeps its old bytes. Creating one first removes the
// temporary files of that name left by writers that no longer run; a live
// writer's are never touched. The destructor removes an uncommitted file. The
// path must not be a symbolic link (callers resolve or refuse links).
//
// One implementation per platform: AtomicFile_posix.cpp (rename(2), fsync) and
// AtomicFile_win.cpp (MoveFileExW with write-through, FlushFileBuffers).
class AtomicFile {
public:
    explicit AtomicFile(const QString& path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void write(const char* data, qint64 size);
    // Copies size bytes at offset of the open file source, in the kernel where
    // the platform and file systems allow it (Linux), else by reading and writing
    // (which may move the source's position).
    void copyFrom(QFileDevice& source, qint64 offset, qint64 size, const QString& sourcePath);
    // The permissions the file gets when it did not exist (an existing one keeps its own).
    void setNewFilePermissions(QFileDevice::Permissions permissions);
    void commit();

    const QString& path() const { return path_; }
    const QString& temporaryPath() const { return temporary_; }
    static QString temporaryPathFor(const QString& path, qint64 pid);
    // Removes leftovers of path's writers that no longer run.
    static void removeStaleTemporaries(const QString& path);
    // The id in a leftover's name when name is one of path's temporary files, else 0.
    static qint64 temporaryOwner(const QString& path, const QString& name);

private:
    QString path_;
    QString temporary_;
    qintptr handle_ = -1; // a file descriptor, or a Windows HANDLE
    bool committed_ = false;
    bool existed_ = false;
    unsigned mode_ = 0600;
};

} // namespace vnt
