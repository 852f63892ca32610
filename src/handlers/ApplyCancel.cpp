#include "handlers/ApplyCancel.h"

#include "base/FileOps.h"
#include "handlers/GameLocation.h"
#include "handlers/ArchiveTransfer.h"
#include "handlers/AttributeTree.h"
#include "handlers/Selection.h"

#include <QDate>
#include <QFileInfo>
#include <QTime>

namespace vnt {

namespace {

const QChar CR(13);

// The archive's path followed by ".VNT_backup_" and month, day, hour and minute,
// each without leading zeros.
QString backupName(const EditorContext& ctx)
{
    const QDateTime now = ctx.now();
    return ctx.state.AIFilePath + QStringLiteral(".VNT_backup_") + QString::number(now.date().month())
           + QString::number(now.date().day()) + QString::number(now.time().hour())
           + QString::number(now.time().minute());
}

void backUpArchive(const QString& archive, const QString& backup)
{
    const QFileInfo info(archive);
    copyFile(archive, backup, info.exists() ? info.permissions() : PrivateFile);
}

} // namespace

bool EnsureArchiveChosen(EditorContext& ctx)
{
    if (!ctx.controls.caption(Control::labAIfilePath).isEmpty())
        return true;
    ctx.dialogs.tell(QStringLiteral("Select an aidata.viv file..."),
                     QStringLiteral("You must specify an aidata.viv file. Use the 'Browse' button") + CR
                         + QStringLiteral("to select the aidata.viv file you wish to apply the changes to."),
                     Icon::Exclamation);
    btnBrowseAIFile_Click(ctx);
    return !ctx.controls.caption(Control::labAIfilePath).isEmpty();
}

bool StoreIntoChosenArchive(EditorContext& ctx)
{
    if (!EnsureArchiveChosen(ctx))
        return false;
    ArchiveTransfer(ctx, TransferStore, ctx.state.EntryName);
    return true;
}

void btnApplyAIChanges_Click(EditorContext& ctx)
{
    if (!EnsureArchiveChosen(ctx))
        return;
    if (ctx.dialogs.ask(QStringLiteral("Apply changes?"), QStringLiteral("Apply all changes to AI data?"),
                        Buttons::YesNo, Icon::None) != Answer::Yes)
        return;
    const QString backup = backupName(ctx);
    backUpArchive(ctx.state.AIFilePath, backup);
    ArchiveTransfer(ctx, TransferStore, ctx.state.EntryName);
    ctx.dialogs.tell(QStringLiteral("Changes saved..."),
                     QStringLiteral("Changes have been saved successfully. A backup of you aidata.viv file has been")
                         + CR + QStringLiteral("made before applying the changes at the following location:") + CR
                         + backup,
                     Icon::Information);
    ctx.state.ChangesPending = false;
}

void btnCancelAIChanges_Click(EditorContext& ctx)
{
    const QString question = QStringLiteral("Are you sure you want to cancel all changes done") + CR
                             + QStringLiteral("to the '") + ctx.state.SkillName
                             + QStringLiteral("' attributes during this session?");
    if (ctx.dialogs.ask(QStringLiteral("Cancel all changes?"), question, Buttons::YesNo, Icon::None) != Answer::Yes)
        return;
    ArchiveTransfer(ctx, TransferExtract, ctx.state.AIFilePath);
    CollapseAttributeTree(ctx);
    ClearAttributeDisplay(ctx);
    ctx.state.ChangesPending = false;
    ctx.dialogs.tell(QStringLiteral("Changes cancelled..."), QStringLiteral("All changes have been cancelled."),
                     Icon::Information);
}

} // namespace vnt
