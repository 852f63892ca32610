// The Windows registry: the registry operations of advapi32 (registry/win32), with
// names converted to and from the ANSI code page.
#include "registry/PlatformRegistry.h"
#include "registry/win32/Win32Registry.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>

namespace vnt {

namespace {

std::string ansi(const QString& text)
{
    return text.toLocal8Bit().toStdString();
}

// The name a listing call found; nothing past the last one.
std::optional<QString> named(long rc, const std::string& name, const char* operation)
{
    if (rc == reg::NoMoreItems)
        return std::nullopt;
    checkRegistryCode(rc, operation);
    return QString::fromLocal8Bit(name.data(), qsizetype(name.size()));
}

class WindowsRegistry final : public RegistryBackend {
public:
    RegKey openKey(RegKey parent, const QString& subKey, quint32 access) override
    {
        RegKey key = 0;
        checkRegistryCode(win32::openKey(parent, ansi(subKey), access, &key), "openKey");
        return key;
    }

    RegKey createKey(RegKey parent, const QString& subKey, quint32 access) override
    {
        RegKey key = 0;
        checkRegistryCode(win32::createKey(parent, ansi(subKey), access, &key), "createKey");
        return key;
    }

    void closeKey(RegKey key) override { checkRegistryCode(win32::closeKey(key), "closeKey"); }

    // The size first, then the data; asked again (a few times) should the value grow
    // in between.
    RegData queryValue(RegKey key, const QString& name) override
    {
        const std::string valueName = ansi(name);
        for (int attempt = 0; attempt < 4; ++attempt) {
            RegData value;
            std::uint32_t size = 0;
            checkRegistryCode(win32::queryValue(key, valueName, &value.type, nullptr, &size), "queryValue");
            std::string buffer(size, '\0');
            const long rc = win32::queryValue(key, valueName, &value.type, buffer.data(), &size);
            if (rc == reg::MoreData)
                continue;
            checkRegistryCode(rc, "queryValue");
            value.data = QByteArray(buffer.data(), qsizetype(size));
            return value;
        }
        throw RegistryFailure(reg::MoreData, "queryValue");
    }

    void setValue(RegKey key, const QString& name, quint32 type, const QByteArray& data) override
    {
        checkRegistryCode(win32::setValue(key, ansi(name), type, data.toStdString()), "setValue");
    }

    void deleteValue(RegKey key, const QString& name) override
    {
        checkRegistryCode(win32::deleteValue(key, ansi(name)), "deleteValue");
    }

    void deleteKey(RegKey parent, const QString& subKey) override
    {
        checkRegistryCode(win32::deleteKey(parent, ansi(subKey)), "deleteKey");
    }

    std::optional<QString> enumValue(RegKey key, quint32 index) override
    {
        std::string found;
        return named(win32::enumValue(key, index, &found), found, "enumValue");
    }

    std::optional<QString> enumKey(RegKey key, quint32 index) override
    {
        std::string found;
        return named(win32::enumKey(key, index, &found), found, "enumKey");
    }

    RegKey connectRegistry(const QString& machine, RegKey root) override
    {
        RegKey key = 0;
        checkRegistryCode(win32::connectRegistry(ansi(machine), root, &key), "connectRegistry");
        return key;
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
