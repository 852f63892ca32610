// The text form of a Wine prefix's registry files: reading and writing.
#include "base/FileOps.h"
#include "registry/RegistryBackend.h"
#include "registry/WineRegFile.h"
#include "registry/WinePrefix.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace vnt;
using namespace vnt::test;

namespace {

const RegNode* keyAt(const WineHive& hive, const QString& path)
{
    const RegNode* node = hive.root.get();
    for (const QString& part : path.split(QLatin1Char('\\'), Qt::SkipEmptyParts))
        node = node ? node->findSubkey(part) : nullptr;
    return node;
}

QByteArray wide(const QString& text)
{
    return toUtf16Bytes(text) + QByteArray(2, '\0');
}

} // namespace

TEST(WineRegistryFile, RealFilesWrittenBackUnchangedAreIdenticalToWhatWineWrote)
{
    for (const QString& name : {QStringLiteral("system.reg"), QStringLiteral("user.reg")}) {
        const QByteArray original = readFile(wineFixture(name));
        const WineHive hive = parseWineRegistry(original);
        ASSERT_TRUE(hive.valid) << name.toStdString();
        EXPECT_EQ(hive.arch, QByteArray("win64"));
        const QByteArray written = formatWineRegistry(hive);
        ASSERT_EQ(written.size(), original.size()) << name.toStdString();
        EXPECT_TRUE(written == original) << name.toStdString();
    }
}

TEST(WineRegistryFile, SkipsWhatItCannotReadAndKeepsTheRest)
{
    const QByteArray text = "WINE REGISTRY Version 2\r\n"
                            "\"orphan\"=\"before any key\"\r\n"
                            "[Good\\\\Key] 1700000000\r\n"
                            "\"a\"=\"1\"\r\n"
                            "\"broken=\"no closing quote\r\n"
                            "\"b\" = dword:0000002a\r\n"
                            "garbage line\r\n"
                            "\"c\"=hex(100):01, 02,\\\r\n"
                            "   03,\\\r\n"
                            "  04\r\n"
                            "\"d\"=str:\"\\x263a\\101\\0x\\e\\q\\xe9\xc3\xa9\"\r\n"
                            "\"e\"=str(7):\"x\\0y\"\r\n"
                            "\"f\"=hex:zz\r\n"
                            "[Bad\\\\Key\r\n"
                            "\"lost\"=\"value under a broken key line\"\r\n"
                            "[Odd \\[1\\]] 1700000000\r\n"
                            "@=\"\"\r\n";
    const WineHive hive = parseWineRegistry(text);
    ASSERT_TRUE(hive.valid);
    const RegNode* good = keyAt(hive, QStringLiteral("Good\\Key"));
    ASSERT_TRUE(good);
    ASSERT_EQ(good->values.size(), 5u);
    EXPECT_EQ(good->findValue(QStringLiteral("a"))->data, wide(QStringLiteral("1")));
    EXPECT_EQ(good->findValue(QStringLiteral("b"))->data, QByteArray::fromHex("2a000000"));
    EXPECT_EQ(good->findValue(QStringLiteral("c"))->type, 0x100u);
    EXPECT_EQ(good->findValue(QStringLiteral("c"))->data, QByteArray::fromHex("01020304"));
    EXPECT_EQ(good->findValue(QStringLiteral("d"))->data,
              wide(QString(QChar(0x263a)) + QStringLiteral("A") + QChar(0) + QStringLiteral("x") + QChar(27)
                   + QStringLiteral("q") + QChar(0xe9) + QChar(0xe9)));
    EXPECT_EQ(good->findValue(QStringLiteral("e"))->type, reg::MultiSz);
    EXPECT_FALSE(good->findValue(QStringLiteral("f")));
    EXPECT_EQ(good->modified, 116444736000000000ull + 1700000000ull * 10000000ull);

    EXPECT_FALSE(keyAt(hive, QStringLiteral("Bad")));
    EXPECT_FALSE(hive.root->findValue(QStringLiteral("orphan")));
    const RegNode* odd = keyAt(hive, QStringLiteral("Odd [1]"));
    ASSERT_TRUE(odd);
    EXPECT_EQ(odd->values.size(), 1u);
    // Without the header, a text is no registry.
    EXPECT_FALSE(parseWineRegistry("REGEDIT4\n[Software\\\\X]\n\"a\"=\"b\"\n").valid);
    EXPECT_FALSE(parseWineRegistry(QByteArray()).valid);
}

TEST(WineRegistryFile, WrittenNamesAndDataReadBackTheSame)
{
    WineHive hive;
    hive.valid = true;
    hive.relativeTo = "REGISTRY\\\\Machine";
    hive.arch = "win32";
    const QString awkward = QStringLiteral("br[ack]et \"q\" back\\slash ") + QChar(0xe9) + QStringLiteral("a")
                            + QChar(0x4e2d) + QChar(1) + QStringLiteral("7") + QChar(9);
    RegNode* key = hive.root->ensureSubkey(QStringLiteral("Top"))->ensureSubkey(awkward.left(12));
    key->modified = 116444736000000000ull + 1700000000ull * 10000000ull;
    key->setValue(awkward, reg::Sz, wide(awkward));
    key->setValue(QStringLiteral("unterminated"), reg::Sz, toUtf16Bytes(QStringLiteral("abc")));
    key->setValue(QStringLiteral("long"), reg::Binary, QByteArray(100, '\x5a'));
    key->setValue(QStringLiteral("short dword"), reg::Dword, QByteArray(2, '\x01'));
    key->setValue(QString(), reg::ExpandSz, wide(QStringLiteral("%PATH%")));
    hive.root->ensureSubkey(QStringLiteral("Empty"));

    const QByteArray text = formatWineRegistry(hive);
    EXPECT_TRUE(text.startsWith("WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n#arch=win32\n"));
    EXPECT_TRUE(text.contains("\n[Top\\\\br\\[ack\\]et \"q] 1700000000\n")) << text.constData();
    EXPECT_TRUE(text.contains("\"unterminated\"=hex(1):61,00,62,00,63,00\n"));
    EXPECT_TRUE(text.contains("\"short dword\"=hex(4):01,01\n"));
    EXPECT_TRUE(text.contains("@=str(2):\"%PATH%\"\n"));
    EXPECT_TRUE(text.contains("\\x00e9a\\x4e2d\\0017\\t\""));

    const WineHive again = parseWineRegistry(text);
    const RegNode* read = keyAt(again, QStringLiteral("Top"))->findSubkey(awkward.left(12));
    ASSERT_TRUE(read);
    ASSERT_EQ(read->values.size(), key->values.size());
    for (std::size_t i = 0; i < key->values.size(); ++i)
        EXPECT_TRUE(std::tie(read->values[i].name, read->values[i].type, read->values[i].data)
                    == std::tie(key->values[i].name, key->values[i].type, key->values[i].data)) << i;
    EXPECT_TRUE(keyAt(again, QStringLiteral("Empty")));
    EXPECT_EQ(formatWineRegistry(again), text);
}
