#include "registry/RegistryBackend.h"

namespace vnt {

RegistryFailure::RegistryFailure(long code, const char* operation)
    : Error(int(code), QStringLiteral("The registry answered %1 to %2").arg(code).arg(QLatin1String(operation)),
            QStringLiteral("vantor08.registry"))
{
}

void checkRegistryCode(long code, const char* operation)
{
    if (code != reg::Success)
        throw RegistryFailure(code, operation);
}

} // namespace vnt
