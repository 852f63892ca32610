#include "archive/VivArchive.h"

#include "base/Error.h"
#include "archive/VivOutput.h"

#include <QDir>
#include <QFileInfo>

namespace vnt {

namespace {

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString entryText(const QByteArray& name)
{
    return QString::fromLocal8Bit(name);
}

void openForReading(QFile& file, const QString& path)
{
    if (!QFileInfo(path).isFile())
        throw Error(err::FileNotFound, QStringLiteral("The archive '%1' does not exist").arg(native(path)));
    if (!file.open(QIODevice::ReadOnly))
        throw Error(file.error() == QFileDevice::PermissionsError ? err::PermissionDenied : err::DeviceIO,
                    QStringLiteral("Reading '%1' failed: %2").arg(native(path), file.errorString()));
}

const VivEntry* findIn(const std::vector<VivEntry>& entries, const QByteArray& name)
{
    for (const VivEntry& e : entries)
        if (vivNamesMatch(e.name, name))
            return &e;
    return nullptr;
}

QByteArray readEntry(QFile& file, const QString& path, const VivEntry& e, std::int64_t bytes)
{
    QByteArray data;
    if (file.seek(e.offset))
        data = file.read(bytes);
    if (data.size() != bytes)
        throw Error(err::DeviceIO, QStringLiteral("Reading entry '%1' of '%2' failed: the archive ended early or changed")
                                       .arg(entryText(e.name), native(path)));
    return data;
}

void refuseCompressed(const QByteArray& firstBytes, const QByteArray& name, const QString& path)
{
    if (isRefPackSignature(firstBytes))
        throw Error(err::BadFileFormat,
                    QStringLiteral("Entry '%1' of '%2' is compressed; its values are not at their positions and cannot be edited")
                        .arg(entryText(name), native(path)));
}

// Writes the planned archive: the new head, then each entry's bytes (from memory
// or from the old archive), then what followed the data.
struct Source {
    const QByteArray* bytes = nullptr; // new contents, or
    std::int64_t offset = 0;           // a range of the old archive
};

void writeArchive(VivOutput& out, const VivPlan& plan, const std::vector<VivEntry>& entries, const std::vector<Source>& sources,
                  QFile* old, const QString& oldPath, std::int64_t trailerOffset, std::int64_t trailerSize)
{
    out.write(plan.head);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        out.padTo(plan.offsets[i]);
        if (sources[i].bytes)
            out.write(*sources[i].bytes);
        else
            out.copyFrom(*old, oldPath, sources[i].offset, entries[i].size);
    }
    out.padTo(plan.totalSize - trailerSize);
    if (trailerSize > 0)
        out.copyFrom(*old, oldPath, trailerOffset, trailerSize);
}

} // namespace

VivArchive VivArchive::open(const QString& path)
{
    QFile file(path);
    openForReading(file, path);
    return VivArchive(path, readVivDirectory(file, path));
}

VivLayout VivArchive::layout() const
{
    QFile file(path_);
    openForReading(file, path_);
    if (file.size() != dir_.fileSize)
        throw Error(err::DeviceIO, QStringLiteral("The archive '%1' changed while it was being read").arg(native(path_)));
    return detectVivLayout(file, path_, dir_);
}

const VivEntry* VivArchive::find(const QByteArray& name) const
{
    return findIn(dir_.entries, name);
}

QByteArray VivArchive::extract(const QByteArray& name) const
{
    const VivEntry* e = find(name);
    if (!e)
        throw Error(err::FileNotFound, QStringLiteral("The archive '%1' has no entry '%2'").arg(native(path_), entryText(name)));
    QFile file(path_);
    openForReading(file, path_);
    if (file.size() != dir_.fileSize)
        throw Error(err::DeviceIO, QStringLiteral("The archive '%1' changed while it was being read").arg(native(path_)));
    QByteArray data = readEntry(file, path_, *e, e->size);
    refuseCompressed(data.left(2), e->name, path_);
    return data;
}

void VivArchive::store(const QString& path, const QByteArray& name, const QByteArray& data)
{
    if (name.isEmpty())
        throw Error(err::InvalidCall, QStringLiteral("An archive entry needs a name"));
    // A link to the archive is followed: the file it points to is the archive.
    const QString target = QFileInfo(path).isSymLink() ? QFileInfo(path).canonicalFilePath() : path;
    if (target.isEmpty())
        throw Error(err::FileNotFound, QStringLiteral("The archive '%1' does not exist").arg(native(path)));
    QFile old(target);
    openForReading(old, target);
    const VivDirectory dir = readVivDirectory(old, target);
    const VivLayout layout = detectVivLayout(old, target, dir);

    std::vector<VivEntry> entries = dir.entries;
    std::vector<Source> sources(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        sources[i].offset = entries[i].offset;
    const VivEntry* current = findIn(dir.entries, name);
    if (current) {
        refuseCompressed(readEntry(old, target, *current, std::min<std::int64_t>(2, current->size)), current->name, target);
        const std::size_t i = static_cast<std::size_t>(current - dir.entries.data());
        entries[i].size = data.size();
        sources[i].bytes = &data;
    } else {
        entries.push_back(VivEntry{name, 0, data.size()});
        sources.push_back(Source{&data, 0});
    }
    const std::int64_t trailerSize = layout.padEnd ? 0 : dir.fileSize - dir.dataEnd;
    const VivPlan plan = planVivArchive(layout, entries, trailerSize);

    VivOutput out(target, true);
    writeArchive(out, plan, entries, sources, &old, target, dir.dataEnd, trailerSize);
    old.close(); // some systems do not rename over a file that is still open
    out.commit();
}

void VivArchive::create(const QString& path, const std::vector<VivContent>& contents, const VivLayout& layout)
{
    std::vector<VivEntry> entries;
    std::vector<Source> sources;
    for (const VivContent& c : contents) {
        entries.push_back(VivEntry{c.name, 0, c.data.size()});
        sources.push_back(Source{&c.data, 0});
    }
    const VivPlan plan = planVivArchive(layout, entries, 0);
    VivOutput out(path, false);
    out.setNewFilePermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    writeArchive(out, plan, entries, sources, nullptr, QString(), 0, 0);
    out.commit();
}

} // namespace vnt
