#include "registry/win32/Win32Registry.h"

#include <windows.h>

namespace vnt::win32 {

namespace {

// The view of every key below HKEY_LOCAL_MACHINE\Software that a 32-bit program uses.
constexpr REGSAM ThirtyTwoBitView = KEY_WOW64_32KEY;

// Predefined roots are 32-bit values that Windows sign-extends to pointer width.
HKEY toHkey(Key key)
{
    return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(key));
}

Key fromHkey(HKEY key)
{
    return static_cast<Key>(reinterpret_cast<LONG_PTR>(key));
}

} // namespace

long openKey(Key parent, const std::string& subKey, std::uint32_t access, Key* result)
{
    HKEY key = nullptr;
    const LONG rc = RegOpenKeyExA(toHkey(parent), subKey.c_str(), 0, access | ThirtyTwoBitView, &key);
    if (rc == ERROR_SUCCESS)
        *result = fromHkey(key);
    return rc;
}

long createKey(Key parent, const std::string& subKey, std::uint32_t access, Key* result)
{
    char emptyClass[] = "";
    HKEY key = nullptr;
    DWORD disposition = 0;
    const LONG rc = RegCreateKeyExA(toHkey(parent), subKey.c_str(), 0, emptyClass, REG_OPTION_NON_VOLATILE,
                                    access | ThirtyTwoBitView, nullptr, &key, &disposition);
    if (rc == ERROR_SUCCESS)
        *result = fromHkey(key);
    return rc;
}

long closeKey(Key key)
{
    return RegCloseKey(toHkey(key));
}

long queryValue(Key key, const std::string& name, std::uint32_t* type, char* buffer, std::uint32_t* size)
{
    DWORD valueType = 0;
    DWORD length = size ? *size : 0;
    const LONG rc = RegQueryValueExA(toHkey(key), name.c_str(), nullptr, &valueType, reinterpret_cast<LPBYTE>(buffer),
                                     size ? &length : nullptr);
    if (type)
        *type = valueType;
    if (size)
        *size = length;
    return rc;
}

long setValue(Key key, const std::string& name, std::uint32_t type, const std::string& data)
{
    return RegSetValueExA(toHkey(key), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()), DWORD(data.size()));
}

long deleteValue(Key key, const std::string& name)
{
    return RegDeleteValueA(toHkey(key), name.c_str());
}

long deleteKey(Key parent, const std::string& subKey)
{
    // RegDeleteKeyA always works in the caller's own view; only the Ex form takes one.
    return RegDeleteKeyExA(toHkey(parent), subKey.c_str(), ThirtyTwoBitView, 0);
}

long enumValue(Key key, std::uint32_t index, std::string* name)
{
    // A buffer that fits the longest name (counted in UTF-16 units) in bytes of the
    // code page, up to three per unit.
    DWORD longest = 0;
    if (RegQueryInfoKeyA(toHkey(key), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longest, nullptr, nullptr,
                         nullptr)
        != ERROR_SUCCESS)
        longest = 16383;
    std::string buffer((std::size_t(longest) + 1) * 3, '\0');
    DWORD length = DWORD(buffer.size());
    const LONG rc = RegEnumValueA(toHkey(key), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_SUCCESS)
        *name = buffer.substr(0, length);
    return rc;
}

long enumKey(Key key, std::uint32_t index, std::string* name)
{
    // Key names have at most 255 UTF-16 units.
    char buffer[3 * 256] = {};
    DWORD length = DWORD(sizeof buffer);
    const LONG rc = RegEnumKeyExA(toHkey(key), index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_SUCCESS)
        *name = std::string(buffer, length);
    return rc;
}

long connectRegistry(const std::string& machine, Key root, Key* result)
{
    HKEY key = nullptr;
    const LONG rc = RegConnectRegistryA(machine.c_str(), toHkey(root), &key);
    if (rc == ERROR_SUCCESS)
        *result = fromHkey(key);
    return rc;
}

} // namespace vnt::win32
