#pragma once

#include "app/EditorContext.h"

namespace vnt {

// Index of the placeholder entry "Select Skill" and the levels after it.
constexpr int SkillPlaceholder = 0;

// The skill list's handler: placeholder, re-choice, first choice or switch.
void lstSkill_Click(EditorContext& ctx);

} // namespace vnt
