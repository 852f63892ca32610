#pragma once

#include "archive/ArchiveAccess.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

namespace vnt::test {

// Archive access that keeps its entries in memory, for handler tests that are
// about the editor's side of a transfer.
class FakeArchive : public ArchiveAccess {
public:
    void exportFile(const QString& archivePath, const QString& entryName, const QString& outputPath) override;
    void addFile(const QString& archivePath, const QString& filePath) override;

    QMap<QString, QByteArray> entries; // by entry name
    QStringList calls;                 // "export <archive> <entry>", "add <archive> <file name>"
};

} // namespace vnt::test
