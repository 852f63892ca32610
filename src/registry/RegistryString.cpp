#include "registry/RegistryString.h"

#include "registry/cRegistry.h"

namespace vnt {

QString registryString(const std::shared_ptr<RegistryBackend>& registry, qint32 hive, const QString& keyPath,
                       const QString& valueName)
{
    if (!registry)
        return QString();
    cRegistry reader(registry);
    reader.setClassKey(hive);
    reader.setSectionKey(keyPath);
    reader.setValueKey(valueName);
    reader.setValueType(qint32(reg::Sz));
    const QVariant value = reader.Value();
    return value.typeId() == QMetaType::QString ? value.toString() : QString();
}

} // namespace vnt
