// The Windows registry through the ANSI functions of advapi32.
#include "registry/PlatformRegistry.h"

#include <QByteArray>
#include <QString>

#include <windows.h>

namespace vnt {

namespace {

// Predefined roots are 32-bit values that Windows sign-extends to pointer width.
HKEY toHkey(RegKey key)
{
    return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(key));
}

RegKey fromHkey(HKEY key)
{
    return static_cast<RegKey>(reinterpret_cast<LONG_PTR>(key));
}

// Names pass through the ANSI code page.
QByteArray ansi(const QString& text)
{
    return text.toLocal8Bit();
}

class WindowsRegistry final : public RegistryBackend {
public:
    long openKey(RegKey parent, const QString& subKey, quint32 access, RegKey* result) override
    {
        HKEY key = nullptr;
        const LONG rc = RegOpenKeyExA(toHkey(parent), ansi(subKey).constData(), 0, access, &key);
        if (rc == ERROR_SUCCESS)
            *result = fromHkey(key);
        return rc;
    }

    long createKey(RegKey parent, const QString& subKey, quint32 access, RegKey* result) override
    {
        char emptyClass[] = "";
        HKEY key = nullptr;
        DWORD disposition = 0;
        const LONG rc = RegCreateKeyExA(toHkey(parent), ansi(subKey).constData(), 0, emptyClass,
                                        REG_OPTION_NON_VOLATILE, access, nullptr, &key, &disposition);
        if (rc == ERROR_SUCCESS)
            *result = fromHkey(key);
        return rc;
    }

    long closeKey(RegKey key) override { return RegCloseKey(toHkey(key)); }

    long queryValue(RegKey key, const QString& name, quint32* type, char* buffer, quint32* size) override
    {
        DWORD valueType = 0;
        DWORD length = size ? *size : 0;
        const LONG rc = RegQueryValueExA(toHkey(key), ansi(name).constData(), nullptr, &valueType,
                                         reinterpret_cast<LPBYTE>(buffer), &length);
        if (type)
            *type = valueType;
        if (size)
            *size = length;
        return rc;
    }

    long setValue(RegKey key, const QString& name, quint32 type, const QByteArray& data) override
    {
        return RegSetValueExA(toHkey(key), ansi(name).constData(), 0, type,
                              reinterpret_cast<const BYTE*>(data.constData()), DWORD(data.size()));
    }

    long deleteValue(RegKey key, const QString& name) override
    {
        return RegDeleteValueA(toHkey(key), ansi(name).constData());
    }

    long deleteKey(RegKey parent, const QString& subKey) override
    {
        return RegDeleteKeyA(toHkey(parent), ansi(subKey).constData());
    }

    long enumValue(RegKey key, quint32 index, QString* name) override
    {
        // A buffer that fits the longest name, in bytes of the code page.
        DWORD longest = 0;
        if (RegQueryInfoKeyA(toHkey(key), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longest,
                             nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            longest = 16383;
        QByteArray buffer(qsizetype(longest + 1) * 2, '\0');
        DWORD length = DWORD(buffer.size());
        const LONG rc = RegEnumValueA(toHkey(key), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_SUCCESS)
            *name = QString::fromLocal8Bit(buffer.constData(), qsizetype(length));
        return rc;
    }

    long enumKey(RegKey key, quint32 index, QString* name) override
    {
        char buffer[512] = {};
        const LONG rc = RegEnumKeyA(toHkey(key), index, buffer, DWORD(sizeof buffer));
        if (rc == ERROR_SUCCESS)
            *name = QString::fromLocal8Bit(buffer);
        return rc;
    }

    long connectRegistry(const QString& machine, RegKey root, RegKey* result) override
    {
        HKEY key = nullptr;
        const LONG rc = RegConnectRegistryA(ansi(machine).constData(), toHkey(root), &key);
        if (rc == ERROR_SUCCESS)
            *result = fromHkey(key);
        return rc;
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
