#pragma once

#include "registry/TreeRegistry.h"
#include "registry/WineRegFile.h"

#include <array>
#include <filesystem>

namespace vnt {

// The registry of a Wine prefix, read from and written to its files: system.reg
// is HKEY_LOCAL_MACHINE, user.reg HKEY_CURRENT_USER, userdef.reg
// HKEY_USERS\.Default, and HKEY_CLASSES_ROOT is HKEY_LOCAL_MACHINE\Software\Classes.
// Keys are looked up as a 32-bit program sees them: in a 64-bit prefix,
// HKLM\Software\X is looked for under Software\Wow6432Node\X first (Software\Classes\X
// is shared by both views).
//
// A file is parsed once and kept while its modification time and size stay the
// same. Every change rewrites the file at once (a new file renamed over the old
// one). Changes are refused with an error while the prefix's wineserver runs,
// since it would overwrite them, when whether it runs cannot be told, and for a
// file that is not a registry file.
// Another computer's registry cannot be reached.
class WineRegistry : public TreeRegistry {
public:
    // serverRoot: the temporary folder in which wineservers keep their folders
    // (default $TMPDIR and /tmp).
    explicit WineRegistry(QString prefix, QString serverRoot = QString());

    // $WINEPREFIX, else ~/.wine.
    static QString defaultPrefix();
    const QString& prefix() const { return prefix_; }

    // "C:\Some\Path\" through the prefix's dosdevices drive links; each part is
    // found by its exact name first, else without regard to letter case. The
    // trailing separator is kept. Empty when a part does not exist.
    QString toNativePath(const QString& storedPath) const override;

protected:
    bool rootLocation(RegKey root, const QStringList& subPath, Location* out) override;
    RegNode* hiveRoot(int hive) override;
    bool linkLocation(const QStringList& kernelPath, Location* out) override;
    QList<Location> views(const Location& request) override;
    void beforeChange(int hive) override;
    void afterChange(int hive) override;

private:
    struct HiveFile {
        QString path;
        QByteArray defaultRelativeTo;
        WineHive hive;
        bool loaded = false;
        bool present = false;
        bool readable = true;
        std::filesystem::file_time_type modified; // as the file system gives it: no time-zone work
        qint64 size = -1;
    };
    void refresh(HiveFile& file);

    QString prefix_;
    QString serverRoot_;
    std::array<HiveFile, 3> files_;
};

} // namespace vnt
