#include "support/FakeArchiveLibrary.h"

#include "app/FileOps.h"

#include <QFileInfo>

namespace vnt::test {

int FakeArchiveLibrary::ExportFile(char* archivePath, char* entryName, const char* outputPath, std::int32_t)
{
    const QString entry = QString::fromLocal8Bit(entryName);
    calls << QStringLiteral("export %1 %2").arg(QString::fromLocal8Bit(archivePath), entry);
    if (failWith != 0)
        return failWith;
    if (!entries.contains(entry)) {
        error = QStringLiteral("no entry %1").arg(entry);
        return 53;
    }
    writeFileAtomically(QString::fromLocal8Bit(outputPath), entries.value(entry));
    return 0;
}

int FakeArchiveLibrary::AddFile(char* archivePath, const char* filePath, std::int32_t)
{
    const QString file = QString::fromLocal8Bit(filePath);
    calls << QStringLiteral("add %1 %2").arg(QString::fromLocal8Bit(archivePath), QFileInfo(file).fileName());
    if (failWith != 0)
        return failWith;
    entries[QFileInfo(file).fileName()] = readFile(file);
    return 0;
}

} // namespace vnt::test
