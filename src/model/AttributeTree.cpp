// Placeholder until this subsystem lands.
#include "model/AttributeTree.h"

namespace vnt {
void BuildAttributeTree(EditorContext&) {}
void CollapseAttributeTree(EditorContext&) {}
void ExpandAttributeTree(EditorContext&) {}
void btnAItreeCollapseAll_Click(EditorContext&) {}
void btnAItreeExpandAll_Click(EditorContext&) {}
} // namespace vnt
