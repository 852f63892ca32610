#include "handlers/AttributeTree.h"

#include "model/AttributeCatalogue.h"

namespace vnt {

namespace {

// Sets every node but the four section nodes to the given state, visiting the
// nodes 1..N in the order they were added.
void walkTree(Controls& controls, bool expanded)
{
    const int count = controls.nodeCount();
    for (int i = 1; i <= count; ++i) {
        if (!IsSectionCaption(controls.nodeCaption(i)))
            controls.setExpanded(controls.nodeKey(i), expanded);
    }
}

} // namespace

void BuildAttributeTree(EditorContext& ctx)
{
    for (const CatalogueNode& node : AttributeCatalogue())
        ctx.controls.addNode(node.parent.toString(), node.key.toString(), node.caption.toString());
}

void CollapseAttributeTree(EditorContext& ctx)
{
    walkTree(ctx.controls, false);
}

void ExpandAttributeTree(EditorContext& ctx)
{
    walkTree(ctx.controls, true);
}

void btnAItreeCollapseAll_Click(EditorContext& ctx)
{
    CollapseAttributeTree(ctx);
    ctx.controls.setFocus(Control::TreeView_AI);
}

void btnAItreeExpandAll_Click(EditorContext& ctx)
{
    ctx.controls.setFocus(Control::TreeView_AI);
    ExpandAttributeTree(ctx);
}

} // namespace vnt
