#pragma once

#include "base/AtomicFile.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdint>

namespace vnt {

// Streams a new version of a file into a hidden file in the same folder (see
// AtomicFile: named after the writing process, leftovers of ended writers are
// removed); commit() flushes it to disk and renames it over the target, so until
// then (and after any failure, or a crash) the target keeps its old bytes. An
// existing target keeps its permissions. Failures are thrown as vnt::Error
// naming the target.
class VivOutput {
public:
    // mustExist: the target is an existing file that is being rewritten; commit()
    // refuses to create it again if it has vanished in the meantime.
    VivOutput(const QString& path, bool mustExist);
    VivOutput(const VivOutput&) = delete;
    VivOutput& operator=(const VivOutput&) = delete;

    void write(const char* data, std::int64_t size);
    void write(const QByteArray& bytes) { write(bytes.constData(), bytes.size()); }
    // NUL bytes up to the given position.
    void padTo(std::int64_t position);
    // Copies a range of another file, in the kernel where the file systems allow.
    void copyFrom(QFile& source, const QString& sourcePath, std::int64_t offset, std::int64_t size);

    std::int64_t position() const { return written_; }
    // Sets the permissions a new file gets (an existing one keeps its own).
    void setNewFilePermissions(QFileDevice::Permissions permissions);
    void commit();

private:
    QString path_;
    bool mustExist_;
    AtomicFile file_;
    std::int64_t written_ = 0;
};

// While one is alive, every VivOutput of this thread fails as if the disk were
// full once it has written the given number of bytes. Lets tests show that a
// store that runs out of space leaves the archive as it was.
class SimulatedDiskLimit {
public:
    explicit SimulatedDiskLimit(std::int64_t bytes);
    ~SimulatedDiskLimit();
    SimulatedDiskLimit(const SimulatedDiskLimit&) = delete;
    SimulatedDiskLimit& operator=(const SimulatedDiskLimit&) = delete;

private:
    std::int64_t previous_;
};

} // namespace vnt
