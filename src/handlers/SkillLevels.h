#pragma once

#include "editor/EditorContext.h"

namespace vnt {

// Index of the placeholder entry "Select Skill" and the levels after it.
constexpr int SkillPlaceholder = 0;

// The save question of a skill switch; on Yes the working copy is stored first.
// Answers Cancel as well when the user wanted to save but chose no archive.
Answer AskToSaveBeforeSwitch(EditorContext& ctx);

// The skill list's handler: placeholder, re-choice, first choice or switch.
void lstSkill_Click(EditorContext& ctx);

// What a window calls when the skill list's selection changed, by the user or
// from code: lstSkill_Click inside the editor's transaction.
void onSkillListChanged(EditorContext& ctx);

} // namespace vnt
