// The advapi32 layer under Wine (scripts/test-windows-registry): a 64-bit program that
// sees HKEY_LOCAL_MACHINE\Software as the game's 32-bit installer does.
#include "registry/win32/Win32Registry.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>

namespace vnt::win32 {
namespace {

using namespace std::string_literals;
using TypedData = std::pair<std::uint32_t, std::string>;
const Key LocalMachine = Key(LONG(0x80000002u));

bool inNativeView(const std::string& path)
{
    HKEY key = nullptr;
    const bool found = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key) == 0;
    if (found)
        RegCloseKey(key);
    return found;
}

// The value's type and data, read as the registry class reads it: its size first, then all.
TypedData queryAll(Key key, const std::string& name)
{
    std::uint32_t type = 0, size = 0;
    EXPECT_EQ(queryValue(key, name, &type, nullptr, &size), ERROR_SUCCESS) << name;
    std::string data(size, '\0');
    EXPECT_EQ(queryValue(key, name, &type, data.data(), &size), ERROR_SUCCESS) << name;
    return {type, data.substr(0, size)};
}

TEST(Win32Registry, FindsTheGameKeyThatA32BitInstallerWrote)
{
    const char* expected = std::getenv("VANTOR_INSTALL_DIR");
    ASSERT_NE(expected, nullptr) << "run by scripts/test-windows-registry, which writes the game's key";
    ASSERT_FALSE(inNativeView("Software\\EA Sports\\NHL08"));
    Key key = 0;
    ASSERT_EQ(openKey(LocalMachine, "SOFTWARE\\Ea Sports\\NHL08\\", KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    EXPECT_EQ(queryAll(key, "Install Dir"), TypedData(REG_SZ, expected + "\0"s));
    closeKey(key);
}

TEST(Win32Registry, EveryValueTypeRoundTripsInThe32BitView)
{
    const TypedData values[] = {{REG_SZ, "C:\\Games\\\0"s},       {REG_EXPAND_SZ, "%WINDIR%\\x\0"s},
                                {REG_MULTI_SZ, "one\0two\0\0"s},  {REG_BINARY, "\x00\xff\x80"s},
                                {REG_DWORD, "\x78\x56\x34\x12"s}, {REG_DWORD_BIG_ENDIAN, "\x12\x34\x56\x78"s}};
    const std::string path = "Software\\Vantor Registry Test";
    Key key = 0;
    ASSERT_EQ(createKey(LocalMachine, path + "\\Sub", KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    closeKey(key);
    EXPECT_TRUE(inNativeView("Software\\Wow6432Node\\Vantor Registry Test\\Sub"));
    EXPECT_FALSE(inNativeView(path));

    // Each value is named by its type's number.
    ASSERT_EQ(openKey(LocalMachine, path, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    for (const auto& [type, data] : values)
        ASSERT_EQ(setValue(key, std::to_string(type), type, data), ERROR_SUCCESS) << type;
    for (const auto& value : values)
        EXPECT_EQ(queryAll(key, std::to_string(value.first)), value);
    closeKey(key);

    EXPECT_EQ(deleteKey(LocalMachine, path + "\\Sub"), ERROR_SUCCESS);
    EXPECT_EQ(deleteKey(LocalMachine, path), ERROR_SUCCESS);
    EXPECT_FALSE(inNativeView("Software\\Wow6432Node\\Vantor Registry Test"));
}

} // namespace
} // namespace vnt::win32
