// The registry class over the registry files of a Wine prefix.
#include "base/FileOps.h"
#include "support/ScratchWinePrefix.h"
#include "registry/WineRegFile.h"
#include "registry/WineRegistry.h"
#include "registry/cRegistry.h"
#include "support/ExpectError.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vnt;
using namespace vnt::test;

namespace {

constexpr qint32 HKLM = qint32(reg::LocalMachine);
constexpr qint32 HKCU = qint32(reg::CurrentUser);
constexpr qint32 HKCR = qint32(reg::ClassesRoot);
const QString ValuesKey = QStringLiteral("Software\\Vantor Test\\Values");
const QString GameKey = QStringLiteral("SOFTWARE\\Ea Sports\\NHL08\\");

struct WineBackend : ::testing::Test {
    cRegistry at(qint32 root, const QString& section, const QString& name = QString(), qint32 type = 1)
    {
        cRegistry r(store);
        r.setClassKey(root);
        r.setSectionKey(section);
        r.setValueKey(name);
        r.setValueType(type);
        return r;
    }
    QByteArray systemReg() const { return readFile(prefix.path(QStringLiteral("system.reg"))); }

    ScratchWinePrefix prefix;
    QTemporaryDir servers;
    std::shared_ptr<WineRegistry> store = std::make_shared<WineRegistry>(prefix.root(), servers.path());
};

// The sections of a registry file (from one key line to the next) but those of the named keys.
QByteArrayList sectionsBut(QByteArray text, const QByteArrayList& keys)
{
    QByteArrayList out = text.replace("\n[", "\n\1[").split('\1');
    out.removeIf([&](const QByteArray& section) {
        return std::any_of(keys.begin(), keys.end(), [&](const QByteArray& key) { return section.startsWith('[' + key + "] "); });
    });
    return out;
}

} // namespace

// (What the class makes of expandable, multi-string and big-endian values:
// RegistryClass.ReadsEachTypeAsItsVariantAndTakesTheTypeFound.)
TEST_F(WineBackend, EveryKindOfValueInTheRealFilesReadsAsTheClassReadsIt)
{
    const struct {
        qint32 root;
        QString section;
        const char* name;
        QVariant expected;
        qint32 type;
    } rows[] = {
        // The game's key in the 32-bit view, whatever the letter case.
        {HKLM, GameKey, "Install Dir", QStringLiteral("C:\\Program Files (x86)\\EA Sports\\NHL08\\"), 1},
        {HKLM, ValuesKey, "Text", QStringLiteral("caf\u00e9 \"quoted\" C:\\a\\\\b"), 1},
        {HKLM, ValuesKey, "Bin", QByteArray::fromHex("0a0bff"), 3},
        {HKLM, ValuesKey, "Num", qint32(258), 4},
        // Wine stored the bytes 02 01 00 00 for this big-endian value; reversed, they are 0x02010000.
        {HKLM, ValuesKey, "Big", qint32(0x02010000), 5},
        {HKCU, QStringLiteral("Software\\Vantor Test"), "User Value", QStringLiteral("from user.reg"), 1},
        {HKCR, QStringLiteral(".chm"), "", QStringLiteral("chm.file"), 1},
        // Through two link keys: Wow6432Node\Classes and Classes\Wow6432Node\Protocols.
        {HKLM, QStringLiteral("Software\\Wow6432Node\\Classes\\Protocols\\Filter\\gzip"), "",
         QStringLiteral("AP Deflate Encoding/Decoding Filter"), 1},
    };
    for (const auto& row : rows) {
        cRegistry r = at(row.root, row.section, QString::fromLatin1(row.name), 0);
        EXPECT_EQ(r.Value(), row.expected) << row.name;
        EXPECT_EQ(r.ValueType(), row.type) << row.name;
    }
}

TEST_F(WineBackend, WritesAndFileTypesRewriteTheFileInWineFormatAndKeepEverythingElse)
{
    const QByteArray before = systemReg();
    cRegistry r = at(HKLM, ValuesKey, QStringLiteral("New"));
    r.setValue(QStringLiteral("written \u00e9"));
    r.setValueKey(QStringLiteral("Bin"));
    r.DeleteValue();
    r.setSectionKey(QStringLiteral("SOFTWARE\\Ea Sports\\NHL08\\Patch"));
    EXPECT_TRUE(r.CreateKey());

    const QByteArray after = systemReg();
    EXPECT_FALSE(after.contains("\"Bin\"=hex:0a,0b,ff"));
    EXPECT_TRUE(after.contains("\n[Software\\\\Wow6432Node\\\\EA Sports\\\\NHL08\\\\Patch] "));
    const QByteArrayList changed{"Software\\\\Vantor Test\\\\Values", "Software\\\\Wow6432Node\\\\EA Sports\\\\NHL08",
                                 "Software\\\\Wow6432Node\\\\EA Sports\\\\NHL08\\\\Patch"};
    EXPECT_EQ(sectionsBut(after, changed), sectionsBut(before, changed));

    // A fresh store reads back what was written.
    store = std::make_shared<WineRegistry>(prefix.root(), servers.path());
    EXPECT_EQ(at(HKLM, ValuesKey, QStringLiteral("new")).Value(), QVariant(QStringLiteral("written \u00e9")));

    // File types go through the Classes link to the shared key, not the 32-bit one.
    cRegistry(store).CreateEXEAssociation(QStringLiteral("C:\\vnt.exe"), QStringLiteral("Vnt.File"),
                                          QStringLiteral("Vantor file"), QStringLiteral("VNTxp"));
    EXPECT_EQ(at(HKCR, QStringLiteral(".VNTxp")).Value(), QVariant(QStringLiteral("Vnt.File")));
    EXPECT_TRUE(systemReg().contains("\n[Software\\\\Classes\\\\.VNTxp] "));
}

TEST_F(WineBackend, TheDefaultUsersKeysLiveInAFileOfTheirOwn)
{
    const QByteArray userBefore = readFile(prefix.path(QStringLiteral("user.reg")));
    cRegistry r = at(qint32(reg::Users), QStringLiteral(".DEFAULT\\Software\\Vantor"), QStringLiteral("v"));
    r.setValue(QStringLiteral("for new users"));
    EXPECT_EQ(parseWineRegistry(readFile(prefix.path(QStringLiteral("userdef.reg")))).relativeTo,
              QByteArray("REGISTRY\\\\User\\\\.Default"));
    EXPECT_EQ(r.Value(), QVariant(QStringLiteral("for new users")));
    EXPECT_EQ(readFile(prefix.path(QStringLiteral("user.reg"))), userBefore);
}

TEST_F(WineBackend, TheFileIsReadAgainWhenChangedAndNeverOverwrittenWhenNoRegistry)
{
    cRegistry r = at(HKLM, GameKey, QStringLiteral("Install Dir"));
    EXPECT_EQ(r.Value(), QVariant(QStringLiteral("C:\\Program Files (x86)\\EA Sports\\NHL08\\")));
    const QByteArray changed = systemReg().replace("\"Install Dir\"=\"C:\\\\Program Files (x86)",
                                                   "\"Install Dir\"=\"D:\\\\Games");
    const struct {
        const char* name;
        QByteArray text;
        QVariant expected;
    } rows[] = {
        {"changed by others", changed, QStringLiteral("D:\\Games\\EA Sports\\NHL08\\")},
        {"a 32-bit prefix has no redirection",
         "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n#arch=win32\n"
         "\n[Software\\\\EA Sports\\\\NHL08] 1700000000\n\"Install Dir\"=\"C:\\\\Games\\\\\"\n"
         "\n[Software\\\\Wow6432Node\\\\EA Sports\\\\NHL08] 1700000000\n\"Install Dir\"=\"wrong\"\n",
         QStringLiteral("C:\\Games\\")},
        {"no registry: read as empty", "not a registry\n[Software\\\\Wow6432Node\\\\EA Sports\\\\NHL08]\n\"Install Dir\"=\"x\"\n",
         QVariant()},
    };
    for (const auto& row : rows) {
        writeFileAtomically(prefix.path(QStringLiteral("system.reg")), row.text);
        EXPECT_EQ(r.Value(), row.expected) << row.name;
    }
    expectError(err::BadFileFormat, [&] { r.setValue(QStringLiteral("y")); });
    EXPECT_EQ(systemReg(), rows[2].text);
}

TEST_F(WineBackend, WithoutAPrefixNothingIsFoundAndNothingIsCreated)
{
    const QString missing = prefix.path(QStringLiteral("no-such-prefix"));
    store = std::make_shared<WineRegistry>(missing, servers.path());
    cRegistry r = at(HKLM, GameKey, QStringLiteral("Install Dir"));
    EXPECT_FALSE(r.Value().isValid());
    expectError(err::FileNotFound, [&] { r.CreateKey(); });
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_EQ(store->toNativePath(QStringLiteral("C:\\")), QString());
}

TEST_F(WineBackend, WindowsFoldersBecomeNativeFoldersThroughTheDriveLinks)
{
    for (const char* folder : {"program files (x86)/ea sports/nhl08/gamedata", "Games", "games"})
        prefix.makeFolder(QString::fromLatin1(folder));
    const QString driveC = QFileInfo(prefix.path(QStringLiteral("drive_c"))).canonicalFilePath();
    const std::pair<const char*, const char*> rows[] = {
        {"c:/PROGRAM FILES (X86)/ea sports/NHL08/GameData", "/program files (x86)/ea sports/nhl08/gamedata"},
        {"C:\\games\\", "/games/"},
        {"C:\\Games", "/Games"},
        {"C:\\Games\\..\\program files (x86)\\.\\", "/program files (x86)/"},
        // Not found, or on a drive that is not linked: no folder.
        {"C:\\Program Files\\EA Sports\\NHL08\\", nullptr},
        {"D:\\Games\\", nullptr},
    };
    for (const auto& [windows, native] : rows)
        EXPECT_EQ(store->toNativePath(QString::fromLatin1(windows)), native ? driveC + QString::fromLatin1(native) : QString())
            << windows;
}

// (A running and an ended wineserver: test_wine_server.cpp.)
TEST_F(WineBackend, AWriteThatFailsOrIsRefusedChangesNeitherTheTreeNorTheFile)
{
    const QString system = prefix.path(QStringLiteral("system.reg"));
    // Software is a link to a key that does not exist; a file that cannot be written (a link
    // is never written through); a wineserver marker that cannot be read.
    const char* const kinds[] = {"broken key link", "linked file", "wineserver state unknown"};
    const QByteArray brokenLink = "WINE REGISTRY Version 2\n[Software] 0\n#link\n\"SymbolicLinkValue\"=hex(6):"
                                  + QByteArray("\\Registry\\Machine\\Gone").toHex(',').replace(",", ",00,") + ",00\n";
    const QString linked = prefix.path(QStringLiteral("linked.reg"));
    writeFileAtomically(linked, readFile(wineFixture(QStringLiteral("system.reg"))));
    for (int kind = 0; kind < 3; ++kind) {
        SCOPED_TRACE(kinds[kind]);
        QFile::remove(system);
        if (kind == 1)
            ASSERT_TRUE(QFile::link(linked, system));
        else
            writeFileAtomically(system, kind == 0 ? brokenLink : readFile(linked));
        ASSERT_TRUE(kind < 2 || QDir().mkpath(prefix.path(QStringLiteral("wineserver"))));
        const QByteArray before = systemReg();
        store = std::make_shared<WineRegistry>(prefix.root(), servers.path());
        cRegistry r = at(HKLM, QStringLiteral("Software\\Vantor Fail\\Below"), QStringLiteral("Name"));
        try {
            r.setValue(QStringLiteral("x"));
            ADD_FAILURE() << "the write went through";
        } catch (const Error& e) {
            EXPECT_TRUE(kind < 2
                        || (e.number() == err::PermissionDenied && e.description().contains(QStringLiteral("cannot be told"))))
                << e.what();
        }
        EXPECT_FALSE(at(HKLM, QStringLiteral("Software\\Vantor Fail")).KeyExists());
        EXPECT_EQ(systemReg(), before);
    }
}
