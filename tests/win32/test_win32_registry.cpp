// The advapi32 layer on Windows (cross-built and run under Wine by
// scripts/test-windows-registry): keys below HKEY_LOCAL_MACHINE\Software are those a
// 32-bit program sees, also in a 64-bit program.
#include "registry/win32/Win32Registry.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace vnt::win32 {
namespace {

const Key LocalMachine = Key(LONG(0x80000002u));
const std::string Scratch = "Software\\Vantor Registry Test";

// Whether a key exists in the 64-bit (native) view of a 64-bit program.
bool inNativeView(const char* path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::string queryAll(Key key, const std::string& name, std::uint32_t* type)
{
    std::uint32_t size = 0;
    EXPECT_EQ(queryValue(key, name, type, nullptr, &size), ERROR_SUCCESS) << name;
    std::string data(size, '\0');
    if (size > 1) {
        std::uint32_t small = 1;
        EXPECT_EQ(queryValue(key, name, type, data.data(), &small), ERROR_MORE_DATA) << name;
        EXPECT_EQ(small, size);
    }
    EXPECT_EQ(queryValue(key, name, type, data.data(), &size), ERROR_SUCCESS) << name;
    return data.substr(0, size);
}

TEST(Win32Registry, FindsTheGameKeyThatA32BitInstallerWrote)
{
    const char* expected = std::getenv("VANTOR_INSTALL_DIR");
    ASSERT_NE(expected, nullptr) << "run through scripts/test-windows-registry, which writes the game's key";
    ASSERT_FALSE(inNativeView("Software\\EA Sports\\NHL08")) << "the key must exist in the 32-bit view only";

    Key key = 0;
    ASSERT_EQ(openKey(LocalMachine, "SOFTWARE\\Ea Sports\\NHL08\\", KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    std::uint32_t type = 0;
    EXPECT_EQ(queryAll(key, "Install Dir", &type), std::string(expected) + '\0');
    EXPECT_EQ(type, std::uint32_t(REG_SZ));
    EXPECT_EQ(queryValue(key, "No Such Value", &type, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(closeKey(key), ERROR_SUCCESS);
}

TEST(Win32Registry, EveryValueTypeIsWrittenAndReadIn32BitView)
{
    using namespace std::string_literals;
    const struct {
        const char* name;
        std::uint32_t type;
        std::string data;
    } values[] = {
        {"Sz", REG_SZ, "C:\\Games\\\0"s},
        {"Expand", REG_EXPAND_SZ, "%WINDIR%\\x\0"s},
        {"Multi", REG_MULTI_SZ, "one\0two\0\0"s},
        {"Binary", REG_BINARY, "\x00\xff\x10\x80"s},
        {"Empty", REG_BINARY, ""s},
        {"Dword", REG_DWORD, "\x78\x56\x34\x12"s},
        {"BigEndian", REG_DWORD_BIG_ENDIAN, "\x12\x34\x56\x78"s},
    };
    Key key = 0;
    ASSERT_EQ(createKey(LocalMachine, Scratch + "\\Sub", KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    closeKey(key);
    ASSERT_EQ(openKey(LocalMachine, Scratch, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    EXPECT_FALSE(inNativeView(Scratch.c_str()));
    EXPECT_TRUE(inNativeView("Software\\Wow6432Node\\Vantor Registry Test\\Sub"));

    std::vector<std::string> names;
    for (const auto& v : values)
        ASSERT_EQ(setValue(key, v.name, v.type, v.data), ERROR_SUCCESS) << v.name;
    for (const auto& v : values) {
        std::uint32_t type = 0;
        EXPECT_EQ(queryAll(key, v.name, &type), v.data) << v.name;
        EXPECT_EQ(type, v.type) << v.name;
    }
    std::string name;
    for (std::uint32_t i = 0; enumValue(key, i, &name) == ERROR_SUCCESS; ++i)
        names.push_back(name);
    EXPECT_EQ(names.size(), std::size(values));
    EXPECT_EQ(enumKey(key, 0, &name), ERROR_SUCCESS);
    EXPECT_EQ(name, "Sub");
    EXPECT_EQ(enumKey(key, 1, &name), ERROR_NO_MORE_ITEMS);

    EXPECT_EQ(deleteValue(key, "Sz"), ERROR_SUCCESS);
    std::uint32_t type = 0;
    EXPECT_EQ(queryValue(key, "Sz", &type, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
    closeKey(key);
    EXPECT_EQ(deleteKey(LocalMachine, Scratch), ERROR_ACCESS_DENIED) << "a key with subkeys stays";
    EXPECT_EQ(deleteKey(LocalMachine, Scratch + "\\Sub"), ERROR_SUCCESS);
    EXPECT_EQ(deleteKey(LocalMachine, Scratch), ERROR_SUCCESS);
    EXPECT_EQ(openKey(LocalMachine, Scratch, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
}

} // namespace
} // namespace vnt::win32
