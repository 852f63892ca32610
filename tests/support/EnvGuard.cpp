#include "support/EnvGuard.h"

#include <QtGlobal>

namespace vnt::test {

EnvGuard::~EnvGuard()
{
    for (auto it = saved_.crbegin(); it != saved_.crend(); ++it) {
        if (it->wasSet)
            qputenv(it->name.constData(), it->value);
        else
            qunsetenv(it->name.constData());
    }
}

void EnvGuard::remember(const char* name)
{
    saved_.append({QByteArray(name), qEnvironmentVariableIsSet(name), qgetenv(name)});
}

void EnvGuard::set(const char* name, const QByteArray& value)
{
    remember(name);
    qputenv(name, value);
}

void EnvGuard::unset(const char* name)
{
    remember(name);
    qunsetenv(name);
}

} // namespace vnt::test
