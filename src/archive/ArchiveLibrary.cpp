#include "archive/ArchiveLibrary.h"

#include "app/Error.h"
#include "app/FileOps.h"
#include "archive/VivArchive.h"

#include <algorithm>
#include <exception>
#include <new>

namespace vnt {

namespace {

// The last component of an 8-bit path, split at either separator. The split is
// made on the decoded text so that a separator byte inside a multi-byte character
// is not mistaken for one; bytes that do not decode are split as they are.
QByteArray lastComponent(const QByteArray& path)
{
    const QString text = QString::fromLocal8Bit(path);
    if (text.toLocal8Bit() == path) {
        const qsizetype cut = std::max(text.lastIndexOf(u'/'), text.lastIndexOf(u'\\'));
        return text.mid(cut + 1).toLocal8Bit();
    }
    const qsizetype cut = std::max(path.lastIndexOf('/'), path.lastIndexOf('\\'));
    return path.mid(cut + 1);
}

QByteArray required(const char* text, const char* what)
{
    if (!text || !*text)
        throw Error(err::InvalidCall, QStringLiteral("The %1 is missing").arg(QLatin1String(what)));
    return QByteArray(text);
}

class VivLibrary final : public ArchiveLibrary {
public:
    int ExportFile(char* archivePath, char* entryName, const char* outputPath, std::int32_t) override
    {
        return run([&] {
            const QString archive = QString::fromLocal8Bit(required(archivePath, "archive path"));
            const QByteArray entry = required(entryName, "entry name");
            const QString output = QString::fromLocal8Bit(required(outputPath, "output file path"));
            writeFileAtomically(output, VivArchive::open(archive).extract(entry));
        });
    }

    int AddFile(char* archivePath, const char* filePath, std::int32_t) override
    {
        return run([&] {
            const QString archive = QString::fromLocal8Bit(required(archivePath, "archive path"));
            const QByteArray file = required(filePath, "file path");
            const QByteArray entry = lastComponent(file);
            if (entry.isEmpty())
                throw Error(err::InvalidCall,
                            QStringLiteral("'%1' names no file to store").arg(QString::fromLocal8Bit(file)));
            VivArchive::store(archive, entry, readFile(QString::fromLocal8Bit(file)));
        });
    }

    QString lastError() const override { return lastError_; }

private:
    template <typename Operation>
    int run(Operation&& operation)
    {
        lastError_.clear();
        try {
            operation();
            return 0;
        } catch (const Error& e) {
            lastError_ = e.description();
            return e.number();
        } catch (const std::bad_alloc&) {
            lastError_ = QStringLiteral("There is not enough memory for the archive operation");
            return err::DeviceIO;
        } catch (const std::exception& e) {
            lastError_ = QStringLiteral("The archive operation failed: %1").arg(QString::fromLocal8Bit(e.what()));
            return err::DeviceIO;
        }
    }

    QString lastError_;
};

} // namespace

std::shared_ptr<ArchiveLibrary> makeArchiveLibrary()
{
    return std::make_shared<VivLibrary>();
}

} // namespace vnt
