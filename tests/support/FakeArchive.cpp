#include "support/FakeArchive.h"

#include "base/Error.h"
#include "base/FileOps.h"

#include <QFileInfo>

namespace vnt::test {

void FakeArchive::exportFile(const QString& archivePath, const QString& entry, const QString& outputPath)
{
    calls << QStringLiteral("export %1 %2").arg(archivePath, entry);
    if (!entries.contains(entry))
        throw Error(err::FileNotFound, QStringLiteral("no entry %1").arg(entry));
    writeFileAtomically(outputPath, entries.value(entry));
}

void FakeArchive::addFile(const QString& archivePath, const QString& filePath)
{
    calls << QStringLiteral("add %1 %2").arg(archivePath, QFileInfo(filePath).fileName());
    entries[QFileInfo(filePath).fileName()] = readFile(filePath);
}

} // namespace vnt::test
