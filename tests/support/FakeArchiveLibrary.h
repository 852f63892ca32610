#pragma once

#include "archive/ArchiveLibrary.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

namespace vnt::test {

// An archive library that keeps its entries in memory, for handler tests that are
// about the editor's side of a transfer. failWith makes the next calls fail.
class FakeArchiveLibrary : public ArchiveLibrary {
public:
    int ExportFile(char* archivePath, char* entryName, const char* outputPath, std::int32_t flags) override;
    int AddFile(char* archivePath, const char* filePath, std::int32_t flags) override;
    QString lastError() const override { return error; }

    QMap<QString, QByteArray> entries; // by entry name
    QStringList calls;                 // "export <archive> <entry>", "add <archive> <file name>"
    int failWith = 0;
    QString error = QStringLiteral("simulated archive failure");
};

} // namespace vnt::test
