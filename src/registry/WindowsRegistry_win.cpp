// The Windows registry: the registry operations of advapi32 (registry/win32), with
// names converted to and from the ANSI code page.
#include "registry/PlatformRegistry.h"
#include "registry/win32/Win32Registry.h"

#include <QByteArray>
#include <QString>

#include <string>

namespace vnt {

namespace {

std::string ansi(const QString& text)
{
    return text.toLocal8Bit().toStdString();
}

// Stores the name when the call succeeded.
long named(long rc, const std::string& name, QString* result)
{
    if (rc == reg::Success)
        *result = QString::fromLocal8Bit(name.data(), qsizetype(name.size()));
    return rc;
}

class WindowsRegistry final : public RegistryBackend {
public:
    long openKey(RegKey parent, const QString& subKey, quint32 access, RegKey* result) override
    {
        return win32::openKey(parent, ansi(subKey), access, result);
    }

    long createKey(RegKey parent, const QString& subKey, quint32 access, RegKey* result) override
    {
        return win32::createKey(parent, ansi(subKey), access, result);
    }

    long closeKey(RegKey key) override { return win32::closeKey(key); }

    long queryValue(RegKey key, const QString& name, quint32* type, char* buffer, quint32* size) override
    {
        return win32::queryValue(key, ansi(name), type, buffer, size);
    }

    long setValue(RegKey key, const QString& name, quint32 type, const QByteArray& data) override
    {
        return win32::setValue(key, ansi(name), type, data.toStdString());
    }

    long deleteValue(RegKey key, const QString& name) override { return win32::deleteValue(key, ansi(name)); }

    long deleteKey(RegKey parent, const QString& subKey) override { return win32::deleteKey(parent, ansi(subKey)); }

    long enumValue(RegKey key, quint32 index, QString* name) override
    {
        std::string found;
        return named(win32::enumValue(key, index, &found), found, name);
    }

    long enumKey(RegKey key, quint32 index, QString* name) override
    {
        std::string found;
        return named(win32::enumKey(key, index, &found), found, name);
    }

    long connectRegistry(const QString& machine, RegKey root, RegKey* result) override
    {
        return win32::connectRegistry(ansi(machine), root, result);
    }

    // Windows paths are this machine's paths.
    QString toNativePath(const QString& storedPath) const override { return storedPath; }
};

} // namespace

std::shared_ptr<RegistryBackend> makePlatformRegistry()
{
    return std::make_shared<WindowsRegistry>();
}

} // namespace vnt
