#include "archive/ArchiveTransfer.h"

#include "app/Error.h"
#include "app/FileOps.h"
#include "archive/ArchiveLibrary.h"

#include <QByteArray>

namespace vnt {

namespace {

// A zero-terminated 8-bit copy of a text that the library may write into.
QByteArray buffer(const QString& text)
{
    QByteArray bytes = text.toLocal8Bit();
    bytes.reserve(bytes.size() + 1); // constData() stays zero-terminated
    return bytes;
}

QString takeBack(const QByteArray& bytes)
{
    return QString::fromLocal8Bit(bytes.constData());
}

ArchiveLibrary& library(EditorContext& ctx)
{
    if (!ctx.archive)
        throw Error(err::InvalidCall, QStringLiteral("No archive library is available."));
    return *ctx.archive;
}

void requireEntry(const EditorState& s)
{
    // An entry formed from an empty skill level names no level's data.
    if (s.EntryName.isEmpty() || s.EntryName.startsWith(QLatin1Char('.')))
        throw Error(err::InvalidCall, QStringLiteral("No skill level is current, so there is no archive entry to use."));
}

void check(ArchiveLibrary& lib, int result)
{
    if (result != 0)
        throw Error(result, lib.lastError());
}

void extract(EditorContext& ctx, const QString& archivePath)
{
    EditorState& s = ctx.state;
    requireEntry(s);
    ArchiveLibrary& lib = library(ctx);
    QByteArray archive = buffer(archivePath);
    QByteArray entry = buffer(s.EntryName);
    const QByteArray output = buffer(s.workFilePath());
    check(lib, lib.ExportFile(archive.data(), entry.data(), output.constData(), -1));
    s.EntryName = takeBack(entry);
}

// Removes the staging file however the store ends.
struct StagingFile {
    explicit StagingFile(QString p) : path(std::move(p)) {}
    ~StagingFile()
    {
        try {
            removeFile(path);
        } catch (const Error&) {
            // A staging copy that cannot be deleted is harmless; the next store replaces it.
        }
    }
    QString path;
};

void store(EditorContext& ctx)
{
    EditorState& s = ctx.state;
    requireEntry(s);
    ArchiveLibrary& lib = library(ctx);
    // The library names the entry after the file, so the working copy is staged
    // under the entry's own name.
    const StagingFile staging(joinPath(s.TempFolder, s.EntryName));
    copyFile(s.workFilePath(), staging.path);
    QByteArray archive = buffer(s.AIFilePath);
    const QByteArray file = buffer(staging.path);
    const int result = lib.AddFile(archive.data(), file.constData(), -1);
    s.AIFilePath = takeBack(archive);
    check(lib, result);
}

} // namespace

void ArchiveTransfer(EditorContext& ctx, int mode, const QString& archivePath)
{
    if (mode == TransferExtract)
        extract(ctx, archivePath);
    else if (mode == TransferStore)
        store(ctx);
}

} // namespace vnt
