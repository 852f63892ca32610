#include "support/MemoryRegistry.h"

#include "base/Error.h"

namespace vnt {

void MemoryRegistry::checkCall(const char* operation)
{
    const QString name = QString::fromLatin1(operation);
    if (!faults_.contains(name))
        return;
    if (const long code = faults_.take(name))
        throw RegistryFailure(code, operation);
    throw Error(err::DeviceIO, QStringLiteral("The registry failed in %1").arg(name));
}

void MemoryRegistry::createKey(RegKey parent, const QString& subKey, quint32 access, RegKey* result)
{
    *result = createKey(parent, subKey, access);
}

bool MemoryRegistry::rootLocation(RegKey root, const QStringList& subPath, Location* out)
{
    if (!reg::isPredefined(root))
        return false;
    const bool classes = root == reg::ClassesRoot;
    out->hive = (classes ? reg::LocalMachine : root) - reg::ClassesRoot;
    out->path = classes ? QStringList{QStringLiteral("Software"), QStringLiteral("Classes")} + subPath : subPath;
    return true;
}

RegNode* MemoryRegistry::hiveRoot(int hive)
{
    return hive >= 0 && std::size_t(hive) < hives_.size() ? &hives_[std::size_t(hive)] : nullptr;
}

bool MemoryRegistry::linkLocation(const QStringList& kernelPath, Location* out)
{
    if (kernelPath.size() < 2 || foldName(kernelPath[0]) != QLatin1String("registry"))
        return false;
    const QString area = foldName(kernelPath[1]);
    if (area == QLatin1String("machine"))
        return rootLocation(reg::LocalMachine, kernelPath.mid(2), out);
    return area == QLatin1String("user") && kernelPath.size() >= 3 && rootLocation(reg::CurrentUser, kernelPath.mid(3), out);
}

} // namespace vnt
