#include "handlers/UndoRedo.h"

#include "handlers/Selection.h"
#include "model/TypedValue.h"

namespace vnt {

namespace {

void writeBack(EditorContext& ctx, const EditStep& step, double number)
{
    EditorState& s = ctx.state;
    const QString path = s.workFilePath();
    WriteValue(path, step.offset, number, ReadTypeTag(path, step.offset));
    ctx.controls.ensureVisible(step.key);
    ctx.controls.setCurrentNode(step.key);
    TreeView_AI_NodeClick(ctx, step.key);
    s.ChangesPending = true;
    ctx.controls.setEnabled(Control::btnApplyAIChanges, true);
    ctx.controls.setEnabled(Control::btnCancelAIChanges, true);
}

} // namespace

void UndoEdit(EditorContext& ctx)
{
    EditHistory& history = ctx.state.History;
    if (const EditStep* step = history.toUndo()) {
        const EditStep undone = *step;
        history.undone();
        writeBack(ctx, undone, undone.before);
    }
}

void RedoEdit(EditorContext& ctx)
{
    EditHistory& history = ctx.state.History;
    if (const EditStep* step = history.toRedo()) {
        const EditStep redone = *step;
        history.redone();
        writeBack(ctx, redone, redone.after);
    }
}

} // namespace vnt
