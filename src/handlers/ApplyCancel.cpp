#include "handlers/ApplyCancel.h"

#include "base/FileOps.h"
#include "handlers/GameLocation.h"
#include "handlers/ArchiveTransfer.h"
#include "handlers/AttributeTree.h"
#include "handlers/Selection.h"
#include "services/ArchiveBackup.h"

namespace vnt {

namespace {

const QChar CR(13);

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
    if (ctx.dialogs.ask(QStringLiteral("Apply changes?"), QStringLiteral("Apply all changes to AI data?"), Buttons::YesNo, Icon::None)
        != Answer::Yes)
        return;
    const QString backup = backUpArchive(ctx.state.AIFilePath, ctx.now());
    ArchiveTransfer(ctx, TransferStore, ctx.state.EntryName);
    ctx.dialogs.tell(QStringLiteral("Changes saved..."),
                     QStringLiteral("Changes have been saved successfully. A backup of you aidata.viv file has been") + CR
                         + QStringLiteral("made before applying the changes at the following location:") + CR + backup,
                     Icon::Information);
    ctx.state.ChangesPending = false;
}

void btnCancelAIChanges_Click(EditorContext& ctx)
{
    const QString question = QStringLiteral("Are you sure you want to cancel all changes done") + CR + QStringLiteral("to the '")
                             + ctx.state.SkillName + QStringLiteral("' attributes during this session?");
    if (ctx.dialogs.ask(QStringLiteral("Cancel all changes?"), question, Buttons::YesNo, Icon::None) != Answer::Yes)
        return;
    ArchiveTransfer(ctx, TransferExtract, ctx.state.AIFilePath);
    CollapseAttributeTree(ctx);
    ClearAttributeDisplay(ctx);
    ctx.state.ChangesPending = false;
    ctx.dialogs.tell(QStringLiteral("Changes cancelled..."), QStringLiteral("All changes have been cancelled."), Icon::Information);
}

} // namespace vnt
