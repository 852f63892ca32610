#pragma once

#include <QProcessEnvironment>
#include <QString>

#include <optional>

namespace vnt {

// The value of an environment variable whose name matches without regard to
// letter case, as Windows matches them (an exact match first); nothing when no
// variable has that name.
std::optional<QString> environmentValue(const QProcessEnvironment& env, const QString& name);

} // namespace vnt
