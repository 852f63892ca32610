#include "handlers/SettingsExchange.h"

#include "base/Error.h"
#include "editor/Events.h"
#include "base/FileOps.h"
#include "handlers/GameLocation.h"
#include "handlers/ApplyCancel.h"
#include "handlers/ArchiveTransfer.h"
#include "handlers/AttributeTree.h"
#include "handlers/Selection.h"
#include "handlers/SkillLevels.h"
#include "model/TypedValue.h"
#include "services/SettingsFile.h"

#include <QDir>
#include <QFileInfo>

namespace vnt {

namespace {

const QChar CR(13);

// An export onto one of the editor's own working copies would change the working copy.
void refuseWorkingCopy(const EditorContext& ctx, const QString& path)
{
    for (const QString& name : {WorkCopyName, ImportCopyName}) {
        if (samePath(path, joinPath(ctx.state.TempFolder, name)))
            throw Error(
                err::PathAccess,
                QStringLiteral("'%1' is the editor's working copy; export to another file.").arg(QDir::toNativeSeparators(path)));
    }
}

// The save dialog until the user picks a path they accept; empty when cancelled.
// It opens in the program's folder, or in the home folder when the program's
// folder cannot be written (an installed editor's).
QString chooseExportPath(EditorContext& ctx)
{
    const QFileInfo programFolder(ctx.programFolder);
    const QString folder = programFolder.isDir() && programFolder.isWritable() ? ctx.programFolder : QDir::homePath();
    for (;;) {
        const QString path = ctx.dialogs.saveFile(QStringLiteral("Choose location..."), folder,
                                                  QStringLiteral("VNTxp File |*.VNTxp"));
        if (path.isEmpty())
            return path;
        refuseWorkingCopy(ctx, path);
        if (!FileExists(path))
            return path;
        const QString question = QStringLiteral("The file ") + GetFileName(path)
                                 + QStringLiteral(" already exist, do you want to overwrite it?");
        if (ctx.dialogs.ask(QStringLiteral("File already exist..."), question, Buttons::YesNo, Icon::None) == Answer::Yes)
            return path;
    }
}

// Pending changes of another level are settled before the file is read in, so
// imported values are only ever stored under the level the file names. False
// when the user cancelled.
bool settleBeforeImport(EditorContext& ctx, int index)
{
    EditorState& s = ctx.state;
    if (!s.ChangesPending || s.SkillName.isEmpty() || ctx.controls.skillText(index) == s.SkillName)
        return true;
    const Answer answer = AskToSaveBeforeSwitch(ctx);
    if (answer == Answer::Cancel)
        return false;
    if (answer == Answer::Yes) {
        ctx.dialogs.tell(QStringLiteral("Changes saved..."), QStringLiteral("Changes have been saved."), Icon::Information);
    }
    s.ChangesPending = false;
    return true;
}

} // namespace

void btnExportVNTSettings_Click(EditorContext& ctx)
{
    const QString path = chooseExportPath(ctx);
    if (path.isEmpty())
        return;
    const QString workFile = ctx.state.workFilePath();
    writeSettingsFile(workFile, path, ctx.controls.skillIndex());
    ctx.dialogs.tell(QStringLiteral("Settings exported successfully"),
                     QStringLiteral("Your VNT settings for '") + ctx.state.SkillName + QStringLiteral("' have been saved to:")
                         + CR + QStringLiteral("'") + path + QStringLiteral("'"),
                     Icon::Information);
}

void btnImportVNTSettings_Click(EditorContext& ctx)
{
    const QString path = ctx.dialogs.openFile(QStringLiteral("Open VNT file"), ctx.programFolder,
                                              QStringLiteral("VNTxp File, (*.VNTxp) |*.VNTxp"));
    if (GetFileName(path).isEmpty())
        return;
    EditorState& s = ctx.state;
    const int index = settingsFileLevel(path);
    if (!settleBeforeImport(ctx, index))
        return;
    s.ImportInProgress = true;
    const QString importCopy = joinPath(s.TempFolder, ImportCopyName);
    writeFileAtomically(importCopy, settingsEntryBytes(path));
    s.WorkFileName = ImportCopyName;
    s.History.clear();
    selectSkill(ctx, index);
    s.ImportInProgress = false;
    s.ChangesPending = true;
    ctx.controls.setEnabled(Control::btnApplyAIChanges, true);
    CollapseAttributeTree(ctx);
    ClearAttributeDisplay(ctx);
    ctx.dialogs.tell(QStringLiteral("Settings imported successfully..."),
                     QStringLiteral("The settings have been imported successfully.") + CR
                         + QStringLiteral("Please note that switching skills at this point") + CR
                         + QStringLiteral("will override the imported values."),
                     Icon::Information);
}

} // namespace vnt
