#include "archive/ArchiveAccess.h"

#include "archive/VivArchive.h"
#include "base/Error.h"
#include "base/FileOps.h"

#include <QFileInfo>

namespace vnt {

namespace {

void require(const QString& text, const char* what)
{
    if (text.isEmpty())
        throw Error(err::InvalidCall, QStringLiteral("The %1 is missing").arg(QLatin1String(what)));
}

// Entry names are stored as the system's 8-bit text.
QByteArray entryBytes(const QString& name)
{
    return name.toLocal8Bit();
}

class VivAccess final : public ArchiveAccess {
public:
    void exportFile(const QString& archivePath, const QString& entryName, const QString& outputPath) override
    {
        require(archivePath, "archive path");
        require(entryName, "entry name");
        require(outputPath, "output file path");
        writeFileAtomically(outputPath, VivArchive::open(archivePath).extract(entryBytes(entryName)));
    }

    void addFile(const QString& archivePath, const QString& filePath) override
    {
        require(archivePath, "archive path");
        require(filePath, "file path");
        const QString entry = QFileInfo(QString(filePath).replace(QLatin1Char('\\'), QLatin1Char('/'))).fileName();
        if (entry.isEmpty())
            throw Error(err::InvalidCall, QStringLiteral("'%1' names no file to store").arg(filePath));
        VivArchive::store(archivePath, entryBytes(entry), readFile(filePath));
    }
};

} // namespace

std::shared_ptr<ArchiveAccess> makeArchiveAccess()
{
    return std::make_shared<VivAccess>();
}

} // namespace vnt
