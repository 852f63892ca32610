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

#include <QDir>
#include <QFileInfo>

namespace vnt {

namespace {

const QChar CR(13);
const QString ImportCopyName = QStringLiteral("vnt08exp.tmp");
// The skill index sits at positions 17 and 18, as a 16-bit integer.
constexpr int SkillIndexPosition = 17;
constexpr int SkillIndexEnd = SkillIndexPosition + 1;
constexpr QFileDevice::Permissions SharedFile =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;

QString nativePath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// An export onto one of the editor's own working copies would change the working copy.
void refuseWorkingCopy(const EditorContext& ctx, const QString& path)
{
    const QFileInfo chosen(path);
    for (const QString& name : {QStringLiteral("vnt08.tmp"), ImportCopyName}) {
        const QFileInfo work(joinPath(ctx.state.TempFolder, name));
        const bool same = chosen.exists() && work.exists() ? chosen.canonicalFilePath() == work.canonicalFilePath()
                                                           : chosen.absoluteFilePath() == work.absoluteFilePath();
        if (same)
            throw Error(err::PathAccess, QStringLiteral("'%1' is the editor's working copy; export to another file.")
                                             .arg(nativePath(path)));
    }
}

// The save dialog until the user picks a path they accept; empty when cancelled.
QString chooseExportPath(EditorContext& ctx)
{
    for (;;) {
        const QString path = ctx.dialogs.saveFile(QStringLiteral("Choose location..."), ctx.programFolder,
                                                  QStringLiteral("VNTxp File |*.VNTxp"));
        if (path.isEmpty())
            return path;
        refuseWorkingCopy(ctx, path);
        if (!FileExists(path))
            return path;
        const QString question =
            QStringLiteral("The file ") + GetFileName(path) + QStringLiteral(" already exist, do you want to overwrite it?");
        if (ctx.dialogs.ask(QStringLiteral("File already exist..."), question, Buttons::YesNo, Icon::None) == Answer::Yes)
            return path;
    }
}

void requireSkillIndexRoom(const QString& path, qint64 size)
{
    if (size < SkillIndexEnd)
        throw Error(err::BadFileFormat,
                    QStringLiteral("'%1' holds %2 bytes; a settings file has at least %3.")
                        .arg(nativePath(path))
                        .arg(size)
                        .arg(SkillIndexEnd));
}

// The skill level a settings file names, checked before anything changes.
int storedSkillIndex(EditorContext& ctx, const QString& path)
{
    requireSkillIndexRoom(path, readFile(path).size());
    QString form = QStringLiteral("INT");
    const TypedValue stored = ReadValue(ctx.state.workFilePath(), path, SkillIndexPosition, form);
    const int index = stored.int16();
    if (index < 1 || index > 3)
        throw Error(err::BadFileFormat,
                    QStringLiteral("'%1' is not a settings file of this editor: it names skill level %2, "
                                   "but only 1 (Easy), 2 (Medium) and 3 (Difficlt) exist.")
                        .arg(nativePath(path))
                        .arg(index));
    return index;
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
        ctx.dialogs.tell(QStringLiteral("Changes saved..."), QStringLiteral("Changes have been saved."),
                         Icon::Information);
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
    requireSkillIndexRoom(workFile, QFileInfo(workFile).size());
    copyFile(workFile, path, SharedFile);
    WriteValue(path, SkillIndexPosition, double(ctx.controls.skillIndex()), QStringLiteral("0302"));
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
    const int index = storedSkillIndex(ctx, path);
    if (!settleBeforeImport(ctx, index))
        return;
    s.ImportInProgress = true;
    const QString importCopy = joinPath(s.TempFolder, ImportCopyName);
    copyFile(path, importCopy);
    s.WorkFileName = ImportCopyName;
    WriteValue(importCopy, SkillIndexPosition, 0.0, QStringLiteral("0302"));
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
