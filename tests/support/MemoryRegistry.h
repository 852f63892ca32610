#pragma once

#include "registry/TreeRegistry.h"

#include <QHash>
#include <QSet>

#include <memory>
#include <vector>

namespace vnt {

// A registry held in memory, for tests: every predefined root has its own tree,
// except HKEY_CLASSES_ROOT, which is HKEY_LOCAL_MACHINE\Software\Classes as on
// Windows. Other computers can be made reachable, each with trees of its own.
// Link targets "\Registry\Machine\..." and "\Registry\User\<anything>\..." lie in
// the local machine's and the current user's trees.
class MemoryRegistry : public TreeRegistry {
public:
    MemoryRegistry() = default;

    // Makes connectRegistry to that computer ("pc1" or "\\pc1") succeed.
    void addMachine(const QString& name);
    // Makes the next call of an operation ("openKey", "queryValue", ...) fail
    // with the code, or throw a vnt::Error when code is 0.
    void failNext(const char* operation, long code);

    // The names of the operations called so far, in order.
    const QStringList& calls() const { return calls_; }
    QString toNativePath(const QString& storedPath) const override { return storedPath; }

protected:
    bool rootLocation(RegKey root, const QStringList& subPath, Location* out) override;
    RegNode* hiveRoot(int hive) override;
    bool linkLocation(const QStringList& kernelPath, Location* out) override;
    long connectMachine(const QString& machine, RegKey root, Location* out) override;
    long checkCall(const char* operation) override;

private:
    int hiveOf(const QString& machine, RegKey root);
    bool locate(const QString& machine, RegKey root, const QStringList& subPath, Location* out);

    QHash<QString, int> hiveIds_; // "MACHINE|root" -> index into hives_
    std::vector<std::unique_ptr<RegNode>> hives_;
    QSet<QString> machines_;
    QHash<QString, long> faults_;
    QStringList calls_;
};

} // namespace vnt
