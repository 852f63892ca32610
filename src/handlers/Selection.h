#pragma once

#include "editor/EditorContext.h"

#include <QString>

namespace vnt {

// A click on a tree node: shows the attribute with the node's key.
void TreeView_AI_NodeClick(EditorContext& ctx, const QString& key);
// A move of the slider by the user: writes the new value into the working copy.
// Each finished move is one edit for undo; the moves of one drag are one.
void valueSlider_Scroll(EditorContext& ctx);
// The user let go of the slider: the drag's edit is finished.
void valueSlider_Release(EditorContext& ctx);
// Reset to Default, after asking; one edit for undo.
void btnSetDefaultValue_Click(EditorContext& ctx);

void SetSliderRange(EditorContext& ctx, const QString& minText, const QString& maxText, qint32 scale);
// Empties the attribute display and disables the editing controls.
void ClearAttributeDisplay(EditorContext& ctx);

} // namespace vnt
