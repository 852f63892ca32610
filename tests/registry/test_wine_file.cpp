// The text form of a Wine prefix's registry files: reading and writing.
#include "base/FileOps.h"
#include "registry/RegistryBackend.h"
#include "registry/WineRegFile.h"
#include "support/ScratchWinePrefix.h"

#include <gtest/gtest.h>

using namespace vnt;
using namespace vnt::test;

TEST(WineRegistryFile, RealFilesWrittenBackUnchangedAreIdenticalToWhatWineWrote)
{
    for (const QString& name : {QStringLiteral("system.reg"), QStringLiteral("user.reg")}) {
        const QByteArray original = readFile(wineFixture(name));
        EXPECT_TRUE(formatWineRegistry(parseWineRegistry(original)) == original) << name.toStdString();
    }
}

TEST(WineRegistryFile, OnlyTheLinesItCannotReadAreSkipped)
{
    const QByteArray text = "WINE REGISTRY Version 2\r\n"
                            "\"orphan\"=\"before any key\"\r\n"
                            "[Good] 1700000000\r\n"
                            "\"a\"=\"1\"\r\n"
                            "\"broken=\"no closing quote\r\n"
                            "garbage line\r\n"
                            "\"c\"=hex(100):01, 02\r\n"
                            "\"d\"=str:\"\\x263a\\101\\0x\\e\\q\\xe9\xc3\xa9\"\r\n"
                            "\"f\"=hex:zz\r\n"
                            "[Bad\r\n"
                            "\"lost\"=\"value under a broken key line\"\r\n";
    const auto wide = [](const QString& text) { return toUtf16Bytes(text) + QByteArray(2, '\0'); };
    const WineHive hive = parseWineRegistry(text);
    ASSERT_TRUE(hive.valid);
    const RegNode* good = hive.root->findSubkey(QStringLiteral("Good"));
    ASSERT_TRUE(good);
    ASSERT_EQ(good->values.size(), 3u);
    EXPECT_EQ(good->findValue(QStringLiteral("a"))->data, wide(QStringLiteral("1")));
    EXPECT_EQ(good->findValue(QStringLiteral("c"))->type, 0x100u);
    EXPECT_EQ(good->findValue(QStringLiteral("c"))->data, QByteArray::fromHex("0102"));
    EXPECT_EQ(good->findValue(QStringLiteral("d"))->data,
              wide(QString(QChar(0x263a)) + QStringLiteral("A") + QChar(0) + QStringLiteral("x") + QChar(27) + QStringLiteral("q")
                   + QChar(0xe9) + QChar(0xe9)));
    EXPECT_FALSE(good->findValue(QStringLiteral("f")));
    EXPECT_EQ(good->modified, 116444736000000000ull + 1700000000ull * 10000000ull);

    EXPECT_FALSE(hive.root->findSubkey(QStringLiteral("Bad")));
    EXPECT_FALSE(hive.root->findValue(QStringLiteral("orphan")));
}
