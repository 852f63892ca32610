#include "handlers/ArchiveTransfer.h"

#include "base/Error.h"
#include "base/FileOps.h"
#include "archive/ArchiveAccess.h"
#include "editor/Transaction.h"

namespace vnt {

namespace {

ArchiveAccess& access(EditorContext& ctx)
{
    if (!ctx.archive)
        throw Error(err::InvalidCall, QStringLiteral("No archive access is available."));
    return *ctx.archive;
}

void requireEntry(const EditorState& s)
{
    // An entry formed from an empty skill level names no level's data.
    if (s.EntryName.isEmpty() || s.EntryName.startsWith(QLatin1Char('.')))
        throw Error(err::InvalidCall, QStringLiteral("No skill level is current, so there is no archive entry to use."));
}

void extract(EditorContext& ctx, const QString& archivePath)
{
    EditorState& s = ctx.state;
    requireEntry(s);
    access(ctx).exportFile(archivePath, s.EntryName, s.workFilePath());
    // A fresh working copy: nothing of it to undo.
    ctx.state.History.clear();
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
    const EditorState& s = ctx.state;
    requireEntry(s);
    ArchiveAccess& archive = access(ctx);
    // The archive names the entry after the file, so the working copy is staged
    // under the entry's own name.
    const StagingFile staging(joinPath(s.TempFolder, s.EntryName));
    copyFile(s.workFilePath(), staging.path);
    archive.addFile(s.AIFilePath, staging.path);
    // The archive holds the working copy now: its edits are no longer the user's
    // to take back, and a later failure of the same action does not undo the store.
    ctx.state.History.clear();
    storeCompleted(ctx);
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
