#pragma once

#include "registry/RegistryBackend.h"
#include "registry/RegistryTree.h"

#include <QList>
#include <QStringList>

#include <map>

namespace vnt {

// The registry operations over trees of keys held in memory (hives). Derived
// stores say where each predefined root lies, supply the hives, and take note of
// changes (the Wine store rewrites its file). Handles name a key by its path, so a
// store may reload a hive between calls; a handle whose key was deleted answers
// reg::KeyDeleted. Internally the steps pass Windows result codes; each operation
// throws the first failure as a RegistryFailure. Keys that are symbolic links are followed, as Windows does.
class TreeRegistry : public RegistryBackend {
public:
    RegKey openKey(RegKey parent, const QString& subKey, quint32 access) override;
    RegKey createKey(RegKey parent, const QString& subKey, quint32 access) override;
    void closeKey(RegKey key) override;
    RegData queryValue(RegKey key, const QString& name) override;
    void setValue(RegKey key, const QString& name, quint32 type, const QByteArray& data) override;
    void deleteValue(RegKey key, const QString& name) override;
    void deleteKey(RegKey parent, const QString& subKey) override;
    std::optional<QString> enumValue(RegKey key, quint32 index) override;
    std::optional<QString> enumKey(RegKey key, quint32 index) override;
    RegKey connectRegistry(const QString& machine, RegKey root) override;

    // Handles opened and not yet closed.
    int openHandleCount() const { return int(handles_.size()); }

protected:
    // A key: which hive, and the names leading to it from the hive's top.
    struct Location {
        int hive = -1;
        QStringList path;
    };

    // Where a predefined root's subkey lies; false when this store has no such root.
    virtual bool rootLocation(RegKey root, const QStringList& subPath, Location* out) = 0;
    // The top of a hive, current; null when the hive cannot be had.
    virtual RegNode* hiveRoot(int hive) = 0;
    // The target of a link, given as a kernel path ("\Registry\Machine\...").
    virtual bool linkLocation(const QStringList& kernelPath, Location* out) = 0;
    // The places a request is looked for, in order (a 32-bit view first).
    virtual QList<Location> views(const Location& request) { return {request}; }
    // The predefined root of another computer; throws RegistryFailure (reg::BadNetPath)
    // when it cannot be reached.
    virtual Location connectMachine(const QString& machine, RegKey root);
    // Around every change of a hive. beforeChange may refuse by throwing; afterChange
    // makes the change last (and restores the hive if it cannot).
    virtual void beforeChange(int hive) { (void)hive; }
    virtual void afterChange(int hive) { (void)hive; }
    // Called first by every operation with its name; throwing ends the operation.
    virtual void checkCall(const char* operation) { (void)operation; }

private:
    struct Handle {
        Location location;
        quint32 access = 0;
    };
    struct Found {
        RegNode* node = nullptr;
        RegNode* parent = nullptr;
        Location location;
    };

    long request(RegKey parent, const QString& subKey, Location* out);
    long walk(const Location& at, bool followLastLink, Found* found, int depth = 0);
    long createPath(const Location& at, Found* found);
    long find(RegKey parent, const QString& subKey, bool followLastLink, Found* found);
    long nodeOf(RegKey key, quint32 access, Found* found);
    RegKey addHandle(const Location& location, quint32 access);

    std::map<RegKey, Handle> handles_;
    RegKey nextHandle_ = 0x100;
};

} // namespace vnt
