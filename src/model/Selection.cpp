// Placeholder until this subsystem lands.
#include "model/Selection.h"

namespace vnt {
void TreeView_AI_NodeClick(EditorContext&, const QString&) {}
void valueSlider_Scroll(EditorContext&) {}
void btnSetDefaultValue_Click(EditorContext&) {}
void SetSliderRange(EditorContext&, const QString&, const QString&, qint32) {}
void ClearAttributeDisplay(EditorContext&) {}
} // namespace vnt
