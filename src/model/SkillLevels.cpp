// Placeholder until this subsystem lands.
#include "model/SkillLevels.h"

namespace vnt {
void lstSkill_Click(EditorContext& ctx)
{
    if (ctx.controls.skillIndex() == SkillPlaceholder && ctx.controls.skillTag().isEmpty())
        ctx.controls.setSkillTag(QStringLiteral("0"));
}
} // namespace vnt
