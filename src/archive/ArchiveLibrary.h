#pragma once

#include <QString>

#include <cstdint>
#include <memory>

namespace vnt {

// The two calls the editor makes into the archive container library. Texts are
// zero-terminated strings in the system's 8-bit code page; the buffers passed as
// char* may be written into by the library (the caller takes them back).
// Each returns 0 on success and an error number otherwise; lastError() then
// describes the failure in a sentence fit for the user.
class ArchiveLibrary {
public:
    virtual ~ArchiveLibrary() = default;

    // Writes the entry named entryName of the archive as the file outputPath,
    // creating or replacing it.
    virtual int ExportFile(char* archivePath, char* entryName, const char* outputPath, std::int32_t flags) = 0;
    // Stores the file's bytes in the archive as the entry named like the file's
    // last path component, replacing an entry of that name or appending one.
    virtual int AddFile(char* archivePath, const char* filePath, std::int32_t flags) = 0;

    virtual QString lastError() const = 0;
};

// The library over this project's own container reader and writer.
std::shared_ptr<ArchiveLibrary> makeArchiveLibrary();

} // namespace vnt
