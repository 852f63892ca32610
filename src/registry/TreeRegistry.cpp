#include "registry/TreeRegistry.h"

namespace vnt {

namespace {

constexpr int MaxLinkDepth = 16;
const QString LinkValueName = QStringLiteral("SymbolicLinkValue");

// The parts of a key path. Trailing separators are ignored, as Windows does;
// an empty part anywhere else makes the path invalid.
bool splitPath(const QString& path, QStringList* parts)
{
    QString trimmed = path;
    while (trimmed.endsWith(QLatin1Char('\\')))
        trimmed.chop(1);
    parts->clear();
    if (trimmed.isEmpty())
        return true;
    *parts = trimmed.split(QLatin1Char('\\'));
    for (const QString& part : *parts) {
        if (part.isEmpty())
            return false;
    }
    return true;
}

// The kernel path a link key points at, split into its parts.
bool linkTarget(const RegNode& node, QStringList* target)
{
    const RegValue* value = node.findValue(LinkValueName);
    if (!value || value->type != reg::Link)
        return false;
    *target = fromUtf16Bytes(value->data).split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    return !target->isEmpty();
}

// String data crosses the interface in the 8-bit encoding and is kept as UTF-16.
QByteArray toStored(quint32 type, const QByteArray& data)
{
    return reg::isStringType(type) ? toUtf16Bytes(decode8Bit(data)) : data;
}

QByteArray fromStored(const RegValue& value)
{
    return reg::isStringType(value.type) ? encode8Bit(fromUtf16Bytes(value.data)) : value.data;
}

} // namespace

TreeRegistry::Location TreeRegistry::connectMachine(const QString&, RegKey)
{
    throw RegistryFailure(reg::BadNetPath, "connectRegistry");
}

RegKey TreeRegistry::addHandle(const Location& location, quint32 access)
{
    const RegKey key = nextHandle_++;
    handles_[key] = Handle{location, access};
    return key;
}

long TreeRegistry::request(RegKey parent, const QString& subKey, Location* out)
{
    QStringList parts;
    if (!splitPath(subKey, &parts))
        return reg::BadPathName;
    if (reg::isPredefined(parent))
        return rootLocation(parent, parts, out) ? reg::Success : reg::InvalidHandle;
    const auto it = handles_.find(parent);
    if (it == handles_.end())
        return reg::InvalidHandle;
    *out = it->second.location;
    out->path += parts;
    return reg::Success;
}

long TreeRegistry::walk(const Location& at, bool followLastLink, Found* found, int depth)
{
    RegNode* node = hiveRoot(at.hive);
    if (!node || depth > MaxLinkDepth)
        return reg::FileNotFound;
    Found here{node, nullptr, Location{at.hive, {}}};
    for (qsizetype i = 0; i < at.path.size(); ++i) {
        RegNode* child = here.node->findSubkey(at.path[i]);
        if (!child)
            return reg::FileNotFound;
        here.parent = here.node;
        here.node = child;
        here.location.path.append(child->name);
        QStringList target;
        const bool last = i + 1 == at.path.size();
        if (child->isLink && (!last || followLastLink) && linkTarget(*child, &target)) {
            Location linked;
            if (!linkLocation(target, &linked))
                return reg::FileNotFound;
            if (const long rc = walk(linked, true, &here, depth + 1); rc != reg::Success)
                return rc;
        }
    }
    *found = here;
    return reg::Success;
}

long TreeRegistry::createPath(const Location& at, Found* found)
{
    // Find the deepest existing key, then create the rest below it.
    qsizetype existing = at.path.size();
    Found base;
    while (walk(Location{at.hive, at.path.mid(0, existing)}, true, &base) != reg::Success) {
        if (existing == 0)
            return reg::FileNotFound;
        --existing;
    }
    if (existing == at.path.size()) {
        *found = base;
        return reg::Success;
    }
    // A link whose target is missing is not a key to create below: the keys
    // would be hidden behind the link, and the change would reach nothing.
    if (const RegNode* next = base.node->findSubkey(at.path[existing]); next && next->isLink)
        return reg::FileNotFound;
    beforeChange(base.location.hive);
    const quint64 now = currentFileTime();
    base.node->modified = now;
    for (qsizetype i = existing; i < at.path.size(); ++i) {
        base.parent = base.node;
        base.node = base.node->ensureSubkey(at.path[i]);
        base.node->modified = now;
        base.location.path.append(base.node->name);
    }
    afterChange(base.location.hive);
    *found = base;
    return reg::Success;
}

long TreeRegistry::find(RegKey parent, const QString& subKey, bool followLastLink, Found* found)
{
    Location wanted;
    if (const long rc = request(parent, subKey, &wanted); rc != reg::Success)
        return rc;
    long result = reg::FileNotFound;
    for (const Location& view : views(wanted)) {
        result = walk(view, followLastLink, found);
        if (result == reg::Success)
            break;
    }
    return result;
}

long TreeRegistry::nodeOf(RegKey key, quint32 access, Found* found)
{
    if (reg::isPredefined(key))
        return find(key, QString(), true, found);
    const auto it = handles_.find(key);
    if (it == handles_.end())
        return reg::InvalidHandle;
    if ((it->second.access & access) != access)
        return reg::AccessDenied;
    return walk(it->second.location, true, found) == reg::Success ? reg::Success : reg::KeyDeleted;
}

RegKey TreeRegistry::openKey(RegKey parent, const QString& subKey, quint32 access)
{
    checkCall("openKey");
    Found found;
    checkRegistryCode(find(parent, subKey, true, &found), "openKey");
    return addHandle(found.location, access);
}

RegKey TreeRegistry::createKey(RegKey parent, const QString& subKey, quint32 access)
{
    checkCall("createKey");
    Found found;
    long rc = find(parent, subKey, true, &found);
    if (rc == reg::FileNotFound) {
        Location wanted;
        request(parent, subKey, &wanted);
        rc = createPath(views(wanted).constFirst(), &found);
    }
    checkRegistryCode(rc, "createKey");
    return addHandle(found.location, access);
}

void TreeRegistry::closeKey(RegKey key)
{
    if (!reg::isPredefined(key) && !handles_.erase(key))
        throw RegistryFailure(reg::InvalidHandle, "closeKey");
}

RegData TreeRegistry::queryValue(RegKey key, const QString& name)
{
    checkCall("queryValue");
    Found found;
    checkRegistryCode(nodeOf(key, reg::QueryValue, &found), "queryValue");
    const RegValue* value = found.node->findValue(name);
    if (!value)
        throw RegistryFailure(reg::FileNotFound, "queryValue");
    return RegData{value->type, fromStored(*value)};
}

void TreeRegistry::setValue(RegKey key, const QString& name, quint32 type, const QByteArray& data)
{
    checkCall("setValue");
    Found found;
    checkRegistryCode(nodeOf(key, reg::SetValue, &found), "setValue");
    beforeChange(found.location.hive);
    found.node->setValue(name, type, toStored(type, data));
    found.node->modified = currentFileTime();
    afterChange(found.location.hive);
}

void TreeRegistry::deleteValue(RegKey key, const QString& name)
{
    checkCall("deleteValue");
    Found found;
    checkRegistryCode(nodeOf(key, reg::SetValue, &found), "deleteValue");
    if (!found.node->findValue(name))
        throw RegistryFailure(reg::FileNotFound, "deleteValue");
    beforeChange(found.location.hive);
    found.node->removeValue(name);
    found.node->modified = currentFileTime();
    afterChange(found.location.hive);
}

void TreeRegistry::deleteKey(RegKey parent, const QString& subKey)
{
    checkCall("deleteKey");
    Found found;
    checkRegistryCode(find(parent, subKey, false, &found), "deleteKey");
    if (!found.parent || !found.node->subkeys.empty())
        throw RegistryFailure(reg::AccessDenied, "deleteKey");
    beforeChange(found.location.hive);
    found.parent->removeSubkey(found.node->name);
    found.parent->modified = currentFileTime();
    afterChange(found.location.hive);
}

std::optional<QString> TreeRegistry::enumValue(RegKey key, quint32 index)
{
    checkCall("enumValue");
    Found found;
    checkRegistryCode(nodeOf(key, reg::QueryValue, &found), "enumValue");
    if (index >= found.node->values.size())
        return std::nullopt;
    return found.node->values[index].name;
}

std::optional<QString> TreeRegistry::enumKey(RegKey key, quint32 index)
{
    checkCall("enumKey");
    Found found;
    checkRegistryCode(nodeOf(key, reg::EnumerateSubKeys, &found), "enumKey");
    if (index >= found.node->subkeys.size())
        return std::nullopt;
    return found.node->subkeys[index]->name;
}

RegKey TreeRegistry::connectRegistry(const QString& machine, RegKey root)
{
    checkCall("connectRegistry");
    return addHandle(connectMachine(machine, root), reg::AllAccess);
}

} // namespace vnt
