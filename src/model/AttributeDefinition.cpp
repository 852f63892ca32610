#include "model/AttributeDefinition.h"

namespace vnt {

std::optional<QString> AttributeDefinition::DefaultFor(const QString& skill) const
{
    if (skill == QLatin1String("Easy"))
        return easy;
    if (skill == QLatin1String("Medium"))
        return medium;
    if (skill == QLatin1String("Difficlt"))
        return difficlt;
    return std::nullopt;
}

} // namespace vnt
