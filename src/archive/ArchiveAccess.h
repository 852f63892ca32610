#pragma once

#include <QString>

#include <memory>

namespace vnt {

// The two operations the editor performs on a game archive. Each throws a
// vnt::Error on failure and leaves the files as they were. Tests replace the
// implementation to make an operation fail at will.
class ArchiveAccess {
public:
    virtual ~ArchiveAccess() = default;

    // Writes the entry named entryName (letter case ignored) of the archive as the
    // file outputPath, creating or replacing it.
    virtual void exportFile(const QString& archivePath, const QString& entryName, const QString& outputPath) = 0;
    // Stores the file's bytes in the archive as the entry named like the file's
    // last path component, replacing an entry of that name or appending one.
    virtual void addFile(const QString& archivePath, const QString& filePath) = 0;
};

// Access through this project's own container reader and writer.
std::shared_ptr<ArchiveAccess> makeArchiveAccess();

} // namespace vnt
