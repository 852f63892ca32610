#include "handlers/SkillLevels.h"

#include "editor/Events.h"
#include "handlers/ApplyCancel.h"
#include "handlers/ArchiveTransfer.h"
#include "handlers/AttributeTree.h"
#include "handlers/Selection.h"

namespace vnt {

namespace {

const QChar CR(13);

int tagIndex(const EditorContext& ctx)
{
    bool ok = false;
    const int index = ctx.controls.skillTag().toInt(&ok);
    return ok ? index : SkillPlaceholder;
}

void resetDisplay(EditorContext& ctx)
{
    CollapseAttributeTree(ctx);
    ClearAttributeDisplay(ctx);
}

void activate(EditorContext& ctx, int index, const QString& text)
{
    EditorState& s = ctx.state;
    // An import provides the working copy itself; otherwise the entry is extracted
    // before anything shows the level as current. A failure puts everything back
    // (runHandler's transaction).
    s.EntryName = text + QStringLiteral(".ubc");
    if (!s.ImportInProgress)
        ArchiveTransfer(ctx, TransferExtract, s.AIFilePath);
    s.SkillName = text;
    ctx.controls.setSkillTag(QString::number(index));
    ctx.controls.setEnabled(Control::TreeView_AI, true);
    for (const char* key : {"AI", "PCAI", "PENALTY"})
        ctx.controls.setExpanded(QString::fromLatin1(key), true);
    if (!ctx.controls.caption(Control::labDefaultValue).isEmpty())
        ctx.controls.setEnabled(Control::btnSetDefaultValue, true);
    for (Control c : {Control::btnExportVNTSettings, Control::btnAItreeExpandAll, Control::btnAItreeCollapseAll})
        ctx.controls.setEnabled(c, true);
}

// The save question of a switch. False when the user cancelled the switch.
bool settleBeforeSwitch(EditorContext& ctx)
{
    EditorState& s = ctx.state;
    if (!s.ChangesPending) {
        resetDisplay(ctx);
        return true;
    }
    const Answer answer = AskToSaveBeforeSwitch(ctx);
    if (answer == Answer::Cancel)
        return false;
    resetDisplay(ctx);
    s.ChangesPending = false;
    if (answer == Answer::Yes)
        ctx.dialogs.tell(QStringLiteral("Changes saved..."), QStringLiteral("Changes have been saved."), Icon::Information);
    return true;
}

} // namespace

Answer AskToSaveBeforeSwitch(EditorContext& ctx)
{
    const Answer answer = ctx.dialogs.ask(
        QStringLiteral("Save changes?"), QStringLiteral("Do you want to save the changes you made before before switching skills?"),
        Buttons::YesNoCancel, Icon::None);
    if (answer == Answer::Yes && !StoreIntoChosenArchive(ctx))
        return Answer::Cancel;
    return answer;
}

void lstSkill_Click(EditorContext& ctx)
{
    EditorState& s = ctx.state;
    const int index = ctx.controls.skillIndex();
    if (index == SkillPlaceholder) {
        if (ctx.controls.skillTag().isEmpty())
            ctx.controls.setSkillTag(QString::number(SkillPlaceholder));
        selectSkill(ctx, tagIndex(ctx));
        return;
    }
    const QString text = ctx.controls.skillText(index);
    if (!s.SkillName.isEmpty() && text == s.SkillName)
        return;
    if (!s.SkillName.isEmpty() && !settleBeforeSwitch(ctx)) {
        selectSkill(ctx, tagIndex(ctx));
        return;
    }
    activate(ctx, index, text);
}

void onSkillListChanged(EditorContext& ctx)
{
    runChangeHandler(ctx, &lstSkill_Click);
}

} // namespace vnt
