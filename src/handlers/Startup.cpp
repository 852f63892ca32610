#include "handlers/Startup.h"

#include "base/Environment.h"
#include "base/FileOps.h"
#include "base/Version.h"
#include "handlers/GameLocation.h"
#include "handlers/ApplyCancel.h"
#include "handlers/ArchiveTransfer.h"
#include "editor/Events.h"
#include "handlers/AttributeTree.h"
#include "model/Definitions.h"
#include "services/GameArchive.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QScopeGuard>
#include <QProcessEnvironment>

#include <memory>

namespace vnt {

namespace {

const QChar CR(13);

// An environment variable's value, its name matched as Windows matches it; empty when unset.
QString variable(const QString& name)
{
    return environmentValue(QProcessEnvironment::systemEnvironment(), name).value_or(QString());
}

QString withoutTrailingSeparator(QString folder)
{
    while (folder.size() > 1 && (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\'))))
        folder.chop(1);
    return folder;
}

void askToUseFoundGame(EditorContext& ctx)
{
    const QString text = QStringLiteral("VNT08 found NHL08 at the following location:") + CR + CR + ctx.state.InstallDir + CR + CR
                         + QStringLiteral("Do you want to modify the AI data from this location?");
    if (ctx.dialogs.ask(QStringLiteral("Found NHL08..."), text, Buttons::YesNo, Icon::None) == Answer::Yes)
        SetAIFile(ctx, proposedArchivePath(ctx.state.InstallDir));
}

void warnGameNotFound(EditorContext& ctx)
{
    const QString text = QStringLiteral("VNT08 cannot find an NHL08 installation on you computer.") + CR
                         + QStringLiteral("Use the 'Browse' button to open your NHL08's 'aidata.viv' file.");
    ctx.dialogs.tell(QStringLiteral("Can't find NHL08..."), text, Icon::Exclamation);
}

// Why the lock on the temporary folder could not be taken, in the user's words.
QString lockRefusal(const QLockFile& lock, const QString& folder, const QString& lockPath)
{
    const QString where = QDir::toNativeSeparators(folder);
    const QString file = QDir::toNativeSeparators(lockPath);
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("The temporary folder %1 does not exist.").arg(where) + CR
               + QStringLiteral("Set TEMP to an existing folder and start the editor again.");
    if (lock.error() == QLockFile::LockFailedError) {
        // The file is named, and its owner: in a shared folder it may be another user's.
        const QString owner = QFileInfo(lockPath).owner();
        return QStringLiteral("Another Vantor 08 editor is already open and uses the working copy in %1; "
                              "its lock file %2 belongs to the user %3.")
                   .arg(where, file, owner.isEmpty() ? QStringLiteral("?") : owner)
               + CR
               + QStringLiteral("Only one editor can use a temporary folder at a time: close the other one, "
                                "or set TEMP to a folder of your own.");
    }
    return QStringLiteral("The lock file %1 cannot be created: the temporary folder %2 may not be written.").arg(file, where) + CR
           + QStringLiteral("Set TEMP to a folder you may write to and start the editor again.");
}

// One editor at a time: two would share the working copy in the temporary folder.
// A lock left by an editor whose process is gone is taken over.
bool lockTempFolder(EditorContext& ctx, const QString& folder)
{
    const QString path = joinPath(folder, QStringLiteral("vnt08.lock"));
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0); // stale only when its process is gone
    if (!lock->tryLock()) {
        const bool running = lock->error() == QLockFile::LockFailedError;
        ctx.dialogs.tell(running ? QStringLiteral("Vantor 08 is already running") : QStringLiteral("Vantor 08 cannot start"),
                         lockRefusal(*lock, folder, path), Icon::Exclamation);
        return false;
    }
    ctx.instanceLock = std::move(lock);
    return true;
}

// Quit's save question. False when the user cancelled, or wanted to save but no
// archive was chosen to save into.
bool settlePendingChangesBeforeQuit(EditorContext& ctx)
{
    if (!ctx.state.ChangesPending) {
        return ctx.dialogs.ask(QStringLiteral("Quit VNT 08?"), QStringLiteral("Quit VNT 08 now ?"), Buttons::YesNo, Icon::None)
               == Answer::Yes;
    }
    const Answer answer = ctx.dialogs.ask(QStringLiteral("Save changes?"),
                                          QStringLiteral("Do you want to save changes before quitting?"), Buttons::YesNoCancel,
                                          Icon::None);
    if (answer == Answer::Cancel)
        return false;
    return answer == Answer::No || StoreIntoChosenArchive(ctx);
}

} // namespace

QString GetTempFolder(EditorContext& ctx)
{
    const QString value = variable(QStringLiteral("temp"));
    ctx.state.TempFolder = value;
    if (!value.isEmpty())
        return withoutTrailingSeparator(value);
#ifndef Q_OS_WIN
    // The platform's own convention: TMPDIR, else /tmp. An installed program's
    // folder is not writable, so it comes last.
    const QString tmpdir = variable(QStringLiteral("TMPDIR"));
    if (!tmpdir.isEmpty())
        return withoutTrailingSeparator(tmpdir);
    if (QDir(QStringLiteral("/tmp")).exists())
        return QStringLiteral("/tmp");
#endif
    return ctx.programFolder;
}

void Form_Load(EditorContext& ctx)
{
    EditorState& s = ctx.state;
    if (!lockTempFolder(ctx, GetTempFolder(ctx))) {
        // No working copy of its own, so closing deletes nothing of the other editor's.
        s.WorkFileName.clear();
        ctx.controls.closeWindow();
        return;
    }
    s.WorkFileName = WorkCopyName;
    ctx.controls.setCaption(Control::labAppVersion, QStringLiteral("v") + QString::fromLatin1(ProgramVersion));
    s.TempFolder = GetTempFolder(ctx);
    s.InstallDir = nativeInstallFolder(ctx, GetRegistryValue(ctx, HKEY_LOCAL_MACHINE_KEY, GameRegistryKey, GameRegistryValue));
    s.AIFilePath = proposedArchivePath(s.InstallDir);
    selectSkill(ctx, 0);
    LoadDefinitions(ctx.definitions, joinPath(ctx.programFolder, QStringLiteral("aidata.xml")));
    BuildAttributeTree(ctx);
    ctx.controls.ensureVisible(QStringLiteral("AI"));
    ctx.controls.showWindow();
    if (!s.InstallDir.isEmpty())
        askToUseFoundGame(ctx);
    else
        warnGameNotFound(ctx);
}

void btnQuit_Click(EditorContext& ctx)
{
    if (!settlePendingChangesBeforeQuit(ctx))
        return;
    // Both possible working copies go, whatever WorkFileName names now.
    for (const QString& name : {WorkCopyName, ImportCopyName}) {
        const QString path = joinPath(ctx.state.TempFolder, name);
        if (FileExists(path))
            removeFile(path);
    }
    ctx.controls.closeWindow();
}

void Form_Unload(EditorContext& ctx)
{
    const EditorState& s = ctx.state;
    if (s.TempFolder.isEmpty() || s.WorkFileName.isEmpty())
        return;
    const auto releaseLock = qScopeGuard([&ctx] { ctx.instanceLock.reset(); });
    // Only a file whose listed name equals WorkFileName exactly is deleted.
    const QStringList listed = QDir(s.TempFolder).entryList({s.WorkFileName}, QDir::Files | QDir::Hidden);
    if (listed.contains(s.WorkFileName, Qt::CaseSensitive))
        removeFile(s.workFilePath());
}

} // namespace vnt
