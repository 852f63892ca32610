#pragma once

#include "editor/EditorContext.h"

namespace vnt {

// Adds the fixed catalogue of attribute nodes to the empty tree.
void BuildAttributeTree(EditorContext& ctx);
// Collapse or expand every node but the four section nodes.
void CollapseAttributeTree(EditorContext& ctx);
void ExpandAttributeTree(EditorContext& ctx);

void btnAItreeCollapseAll_Click(EditorContext& ctx);
void btnAItreeExpandAll_Click(EditorContext& ctx);

} // namespace vnt
