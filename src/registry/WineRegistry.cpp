#include "registry/WineRegistry.h"

#include "base/Error.h"
#include "base/FileOps.h"
#include "registry/WineServer.h"

#include <QDir>
#include <QFileInfo>

#include <utility>

namespace vnt {

namespace {

enum HiveId { MachineHive = 0, UserHive = 1, DefaultUserHive = 2 };

bool sameName(const QString& a, const char* b)
{
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

WineRegistry::WineRegistry(QString prefix, QString serverRoot) : prefix_(std::move(prefix)), serverRoot_(std::move(serverRoot))
{
    while (prefix_.size() > 1 && prefix_.endsWith(QLatin1Char('/')))
        prefix_.chop(1);
    files_[MachineHive].path = prefix_ + QStringLiteral("/system.reg");
    files_[MachineHive].defaultRelativeTo = "REGISTRY\\\\Machine";
    files_[UserHive].path = prefix_ + QStringLiteral("/user.reg");
    files_[UserHive].defaultRelativeTo = "REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000";
    files_[DefaultUserHive].path = prefix_ + QStringLiteral("/userdef.reg");
    files_[DefaultUserHive].defaultRelativeTo = "REGISTRY\\\\User\\\\.Default";
}

QString WineRegistry::defaultPrefix()
{
    const QString fromEnvironment = qEnvironmentVariable("WINEPREFIX");
    return fromEnvironment.isEmpty() ? QDir::homePath() + QStringLiteral("/.wine") : fromEnvironment;
}

namespace {

// The file's modification time; every registry call compares it, so it is taken
// as the file system gives it rather than as a local date and time.
std::filesystem::file_time_type modifiedTime(const QString& path)
{
    std::error_code failed;
    const auto time = std::filesystem::last_write_time(std::filesystem::path(path.toStdU16String()), failed);
    return failed ? std::filesystem::file_time_type::min() : time;
}

} // namespace

void WineRegistry::refresh(HiveFile& file)
{
    const QFileInfo info(file.path);
    const bool present = info.exists();
    const auto modified = present ? modifiedTime(file.path) : std::filesystem::file_time_type::min();
    if (file.loaded && present == file.present && (!present || (modified == file.modified && info.size() == file.size)))
        return;
    file.hive = WineHive();
    file.present = present;
    file.readable = true;
    file.modified = modified;
    file.size = info.size();
    if (present) {
        try {
            file.hive = parseWineRegistry(readFile(file.path));
        } catch (const Error&) {
            file.readable = false; // found nothing; changes are refused below
        }
    } else {
        file.hive.valid = true; // a missing file is an empty registry that may be created
        file.hive.relativeTo = file.defaultRelativeTo;
        if (&file != &files_[MachineHive]) {
            refresh(files_[MachineHive]);
            file.hive.arch = files_[MachineHive].hive.arch;
        }
    }
    file.loaded = true;
}

RegNode* WineRegistry::hiveRoot(int hive)
{
    if (hive < 0 || hive >= int(files_.size()))
        return nullptr;
    refresh(files_[std::size_t(hive)]);
    return files_[std::size_t(hive)].hive.root.get();
}

bool WineRegistry::rootLocation(RegKey root, const QStringList& subPath, Location* out)
{
    out->path = subPath;
    switch (root) {
    case reg::LocalMachine:
        out->hive = MachineHive;
        return true;
    case reg::CurrentUser:
        out->hive = UserHive;
        return true;
    case reg::ClassesRoot:
        out->hive = MachineHive;
        out->path = QStringList{QStringLiteral("Software"), QStringLiteral("Classes")} + subPath;
        return true;
    case reg::Users:
        // Only the default user's hive is kept as a file of its own.
        out->hive = !subPath.isEmpty() && sameName(subPath[0], ".Default") ? DefaultUserHive : -1;
        out->path = subPath.mid(1);
        return true;
    default:
        return false;
    }
}

bool WineRegistry::linkLocation(const QStringList& kernelPath, Location* out)
{
    if (kernelPath.size() < 2 || !sameName(kernelPath[0], "Registry"))
        return false;
    if (sameName(kernelPath[1], "Machine")) {
        *out = Location{MachineHive, kernelPath.mid(2)};
        return true;
    }
    if (sameName(kernelPath[1], "User") && kernelPath.size() >= 3) {
        *out = Location{sameName(kernelPath[2], ".Default") ? DefaultUserHive : UserHive, kernelPath.mid(3)};
        return true;
    }
    return false;
}

QList<TreeRegistry::Location> WineRegistry::views(const Location& request)
{
    const QStringList& path = request.path;
    // File types (Software\Classes) are shared by both views, as on Windows.
    if (request.hive != MachineHive || path.size() < 2 || !sameName(path[0], "Software") || sameName(path[1], "Wow6432Node")
        || sameName(path[1], "Classes"))
        return {request};
    refresh(files_[MachineHive]);
    if (files_[MachineHive].hive.arch != "win64")
        return {request};
    QStringList redirected = path;
    redirected.insert(1, QStringLiteral("Wow6432Node"));
    return {Location{MachineHive, redirected}, request};
}

void WineRegistry::beforeChange(int hive)
{
    const HiveFile& file = files_[std::size_t(hive)];
    if (!QFileInfo(prefix_).isDir())
        throw Error(err::FileNotFound, QStringLiteral("There is no Wine prefix at '%1'").arg(shown(prefix_)));
    if (!file.readable || !file.hive.valid)
        throw Error(err::BadFileFormat,
                    QStringLiteral("'%1' cannot be read as a Wine registry file; it was left unchanged").arg(shown(file.path)));
    const WineServerState server = wineServerState(prefix_, serverRoot_);
    if (server.kind == WineServerState::Running)
        throw Error(err::PermissionDenied,
                    QStringLiteral("The registry of the Wine prefix '%1' cannot be changed while its wineserver "
                                   "is running, because Wine would overwrite the change. Close the programs "
                                   "running in that prefix (or run 'wineserver -k') and try again.")
                        .arg(shown(prefix_)));
    if (server.kind == WineServerState::Unknown)
        throw Error(err::PermissionDenied,
                    QStringLiteral("The registry of the Wine prefix '%1' was left unchanged: whether its "
                                   "wineserver is running cannot be told (%2), and a running wineserver would "
                                   "overwrite the change.")
                        .arg(shown(prefix_), server.detail));
}

void WineRegistry::afterChange(int hive)
{
    HiveFile& file = files_[std::size_t(hive)];
    try {
        writeFileAtomically(file.path, formatWineRegistry(file.hive));
    } catch (...) {
        file.loaded = false; // the change did not reach the file: read it again
        throw;
    }
    const QFileInfo info(file.path);
    file.present = true;
    file.modified = modifiedTime(file.path);
    file.size = info.size();
}

} // namespace vnt
