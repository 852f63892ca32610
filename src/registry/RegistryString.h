#pragma once

#include "registry/RegistryBackend.h"

#include <QString>
#include <QtGlobal>

#include <memory>

namespace vnt {

// A string value of the registry, read through the registry class; empty when the
// registry, the key or the value is missing, or the value is not a string.
QString registryString(const std::shared_ptr<RegistryBackend>& registry, qint32 hive, const QString& keyPath,
                       const QString& valueName);

} // namespace vnt
