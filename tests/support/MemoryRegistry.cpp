#include "support/MemoryRegistry.h"

#include "base/Error.h"

namespace vnt {

namespace {

// A computer's name without the leading "\\", in one letter case; "" for this one.
QString machineKey(const QString& name)
{
    QString key = name;
    while (key.startsWith(QLatin1Char('\\')))
        key.remove(0, 1);
    return foldName(key);
}

} // namespace

void MemoryRegistry::addMachine(const QString& name)
{
    machines_.insert(machineKey(name));
}

void MemoryRegistry::failNext(const char* operation, long code)
{
    faults_.insert(QString::fromLatin1(operation), code);
}

long MemoryRegistry::checkCall(const char* operation)
{
    const QString name = QString::fromLatin1(operation);
    calls_.append(name);
    const auto it = faults_.find(name);
    if (it == faults_.end())
        return reg::Success;
    const long code = it.value();
    faults_.erase(it);
    if (code == 0)
        throw Error(err::DeviceIO, QStringLiteral("The registry failed in %1").arg(name));
    return code;
}

int MemoryRegistry::hiveOf(const QString& machine, RegKey root)
{
    const QString id = machine + QLatin1Char('|') + QString::number(root);
    const auto it = hiveIds_.constFind(id);
    if (it != hiveIds_.constEnd())
        return it.value();
    hives_.push_back(std::make_unique<RegNode>());
    hiveIds_.insert(id, int(hives_.size() - 1));
    return int(hives_.size() - 1);
}

bool MemoryRegistry::locate(const QString& machine, RegKey root, const QStringList& subPath, Location* out)
{
    if (!reg::isPredefined(root))
        return false;
    if (root == reg::ClassesRoot) {
        out->hive = hiveOf(machine, reg::LocalMachine);
        out->path = QStringList{QStringLiteral("Software"), QStringLiteral("Classes")} + subPath;
        return true;
    }
    out->hive = hiveOf(machine, root);
    out->path = subPath;
    return true;
}

bool MemoryRegistry::rootLocation(RegKey root, const QStringList& subPath, Location* out)
{
    return locate(QString(), root, subPath, out);
}

RegNode* MemoryRegistry::hiveRoot(int hive)
{
    return hive >= 0 && std::size_t(hive) < hives_.size() ? hives_[std::size_t(hive)].get() : nullptr;
}

bool MemoryRegistry::linkLocation(const QStringList& kernelPath, Location* out)
{
    if (kernelPath.size() < 2 || foldName(kernelPath[0]) != QLatin1String("registry"))
        return false;
    const QString area = foldName(kernelPath[1]);
    if (area == QLatin1String("machine"))
        return locate(QString(), reg::LocalMachine, kernelPath.mid(2), out);
    if (area == QLatin1String("user") && kernelPath.size() >= 3)
        return locate(QString(), reg::CurrentUser, kernelPath.mid(3), out);
    return false;
}

long MemoryRegistry::connectMachine(const QString& machine, RegKey root, Location* out)
{
    const QString key = machineKey(machine);
    if (key.isEmpty() || !machines_.contains(key))
        return reg::BadNetPath;
    return locate(key, root, {}, out) ? reg::Success : reg::InvalidHandle;
}

} // namespace vnt
