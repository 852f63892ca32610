#pragma once

#include "registry/TreeRegistry.h"

#include <QHash>

#include <array>

namespace vnt {

// A registry held in memory, for tests: every predefined root has its own tree,
// except HKEY_CLASSES_ROOT, which is HKEY_LOCAL_MACHINE\Software\Classes as on
// Windows. Other computers are never reachable. Link targets "\Registry\Machine\..."
// and "\Registry\User\<anything>\..." lie in the local machine's and the current
// user's trees.
class MemoryRegistry : public TreeRegistry {
public:
    // Makes the next call of an operation ("openKey", "queryValue", ...) fail
    // with the code (a RegistryFailure), or with a plain vnt::Error when code is 0.
    void failNext(const char* operation, long code) { faults_.insert(QString::fromLatin1(operation), code); }
    QString toNativePath(const QString& storedPath) const override { return storedPath; }

    using TreeRegistry::createKey;
    // The handle through an out-parameter, for set-up code written that way.
    void createKey(RegKey parent, const QString& subKey, quint32 access, RegKey* result);

protected:
    bool rootLocation(RegKey root, const QStringList& subPath, Location* out) override;
    RegNode* hiveRoot(int hive) override;
    bool linkLocation(const QStringList& kernelPath, Location* out) override;
    void checkCall(const char* operation) override;

private:
    std::array<RegNode, 7> hives_; // by root, from HKEY_CLASSES_ROOT on
    QHash<QString, long> faults_;
};

} // namespace vnt
