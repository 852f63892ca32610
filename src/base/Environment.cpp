#include "base/Environment.h"

#include <QStringList>

namespace vnt {

std::optional<QString> environmentValue(const QProcessEnvironment& env, const QString& name)
{
    if (env.contains(name))
        return env.value(name);
    const QStringList keys = env.keys();
    for (const QString& key : keys) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return env.value(key);
    }
    return std::nullopt;
}

} // namespace vnt
