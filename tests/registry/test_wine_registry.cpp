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

// Rows of a table-driven test, named by their first member.
template <class Row> struct WineBackendRows : WineBackend, ::testing::WithParamInterface<Row> {
    static std::string name(const ::testing::TestParamInfo<Row>& info) { return info.param.name; }
};

struct ReadRow {
    const char* name;
    qint32 root;
    QString section;
    const char* value;
    QVariant expected;
    qint32 type;
    friend void PrintTo(const ReadRow& row, std::ostream* os) { *os << row.name; }
};
using WineBackendRead = WineBackendRows<ReadRow>;

struct FileRow {
    const char* name;
    QByteArray text; // system.reg
    QVariant expected;
    friend void PrintTo(const FileRow& row, std::ostream* os) { *os << row.name; }
};
using WineBackendFile = WineBackendRows<FileRow>;

struct FailedWriteRow {
    const char* name;
    QByteArray systemReg; // empty: the real file
    bool throughALink;    // system.reg a link to the file
    bool serverMarker;    // a wineserver marker that cannot be read
    int error;            // 0: any vnt::Error
    friend void PrintTo(const FailedWriteRow& row, std::ostream* os) { *os << row.name; }
};
using WineBackendFailedWrite = WineBackendRows<FailedWriteRow>;

} // namespace

// (What the class makes of expandable, multi-string and big-endian values:
// test_registry_class.cpp.)
TEST_P(WineBackendRead, ReadsAsTheClassReadsIt)
{
    const ReadRow& row = GetParam();
    cRegistry r = at(row.root, row.section, QString::fromLatin1(row.value), 0);
    EXPECT_EQ(r.Value(), row.expected);
    EXPECT_EQ(r.ValueType(), row.type);
}

INSTANTIATE_TEST_SUITE_P(
    RealFiles, WineBackendRead,
    ::testing::Values(ReadRow{"GameFolderIn32BitViewAnyLetterCase", HKLM, GameKey, "Install Dir",
                              QStringLiteral("C:\\Program Files (x86)\\EA Sports\\NHL08\\"), 1},
                      ReadRow{"EscapedText", HKLM, ValuesKey, "Text", QStringLiteral("caf\u00e9 \"quoted\" C:\\a\\\\b"), 1},
                      ReadRow{"Binary", HKLM, ValuesKey, "Bin", QByteArray::fromHex("0a0bff"), 3},
                      ReadRow{"Dword", HKLM, ValuesKey, "Num", qint32(258), 4},
                      // Wine stored the bytes 02 01 00 00 for this big-endian value; reversed, they are 0x02010000.
                      ReadRow{"BigEndianDword", HKLM, ValuesKey, "Big", qint32(0x02010000), 5},
                      ReadRow{"CurrentUserFromUserReg", HKCU, QStringLiteral("Software\\Vantor Test"), "User Value",
                              QStringLiteral("from user.reg"), 1},
                      ReadRow{"ClassesRoot", HKCR, QStringLiteral(".chm"), "", QStringLiteral("chm.file"), 1},
                      // Wow6432Node\Classes and Classes\Wow6432Node\Protocols are link keys.
                      ReadRow{"ThroughTwoLinkKeys", HKLM, QStringLiteral("Software\\Wow6432Node\\Classes\\Protocols\\Filter\\gzip"),
                              "", QStringLiteral("AP Deflate Encoding/Decoding Filter"), 1}),
    WineBackendRead::name);

TEST_F(WineBackend, AChangeRewritesOnlyTheSectionsItChanges)
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
}

TEST_F(WineBackend, FileTypesGoThroughTheClassesLinkToTheSharedKey)
{
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

// The store reads the file as it is now: after others changed it, in a 32-bit
// prefix, or when it is not a registry file at all.
TEST_P(WineBackendFile, ReadsWhatTheFileHoldsNow)
{
    cRegistry r = at(HKLM, GameKey, QStringLiteral("Install Dir"));
    EXPECT_EQ(r.Value(), QVariant(QStringLiteral("C:\\Program Files (x86)\\EA Sports\\NHL08\\")));
    QByteArray text = GetParam().text;
    if (text.isEmpty())
        text = systemReg().replace("\"Install Dir\"=\"C:\\\\Program Files (x86)", "\"Install Dir\"=\"D:\\\\Games");
    writeFileAtomically(prefix.path(QStringLiteral("system.reg")), text);
    EXPECT_EQ(r.Value(), GetParam().expected);
}

const QByteArray NotARegistry = "not a registry\n[Software\\\\Wow6432Node\\\\EA Sports\\\\NHL08]\n\"Install Dir\"=\"x\"\n";

INSTANTIATE_TEST_SUITE_P(
    Files, WineBackendFile,
    ::testing::Values(FileRow{"ChangedByOthers", QByteArray(), QStringLiteral("D:\\Games\\EA Sports\\NHL08\\")},
                      FileRow{"ThirtyTwoBitPrefixWithoutRedirection",
                              "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n#arch=win32\n"
                              "\n[Software\\\\EA Sports\\\\NHL08] 1700000000\n\"Install Dir\"=\"C:\\\\Games\\\\\"\n"
                              "\n[Software\\\\Wow6432Node\\\\EA Sports\\\\NHL08] 1700000000\n\"Install Dir\"=\"wrong\"\n",
                              QStringLiteral("C:\\Games\\")},
                      FileRow{"NotARegistryReadsAsEmpty", NotARegistry, QVariant()}),
    WineBackendFile::name);

TEST_F(WineBackend, AFileThatIsNotARegistryIsNeverOverwritten)
{
    writeFileAtomically(prefix.path(QStringLiteral("system.reg")), NotARegistry);
    expectError(err::BadFileFormat, [&] { at(HKLM, GameKey, QStringLiteral("Install Dir")).setValue(QStringLiteral("y")); });
    EXPECT_EQ(systemReg(), NotARegistry);
}

TEST_F(WineBackend, AMissingPrefixReadsAsEmpty)
{
    store = std::make_shared<WineRegistry>(prefix.path(QStringLiteral("no-such-prefix")), servers.path());
    EXPECT_FALSE(at(HKLM, GameKey, QStringLiteral("Install Dir")).Value().isValid());
    EXPECT_EQ(store->toNativePath(QStringLiteral("C:\\")), QString());
}

TEST_F(WineBackend, AMissingPrefixIsNotCreated)
{
    const QString missing = prefix.path(QStringLiteral("no-such-prefix"));
    store = std::make_shared<WineRegistry>(missing, servers.path());
    expectError(err::FileNotFound, [&] { at(HKLM, GameKey).CreateKey(); });
    EXPECT_FALSE(QFileInfo::exists(missing));
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
TEST_P(WineBackendFailedWrite, LeavesTheTreeAndTheFileUnchanged)
{
    const FailedWriteRow& row = GetParam();
    const QString system = prefix.path(QStringLiteral("system.reg"));
    const QString written = row.throughALink ? prefix.path(QStringLiteral("linked.reg")) : system;
    QFile::remove(system);
    writeFileAtomically(written, row.systemReg.isEmpty() ? readFile(wineFixture(QStringLiteral("system.reg"))) : row.systemReg);
    ASSERT_TRUE(!row.throughALink || QFile::link(written, system));
    ASSERT_TRUE(!row.serverMarker || QDir().mkpath(prefix.path(QStringLiteral("wineserver"))));
    const QByteArray before = systemReg();
    store = std::make_shared<WineRegistry>(prefix.root(), servers.path());
    cRegistry r = at(HKLM, QStringLiteral("Software\\Vantor Fail\\Below"), QStringLiteral("Name"));
    const int error = errorOf([&] { r.setValue(QStringLiteral("x")); });
    EXPECT_TRUE(row.error ? error == row.error : error != 0) << error;
    EXPECT_FALSE(at(HKLM, QStringLiteral("Software\\Vantor Fail")).KeyExists());
    EXPECT_EQ(systemReg(), before);
}

// Software is a link to a key that does not exist.
const QByteArray BrokenLink = "WINE REGISTRY Version 2\n[Software] 0\n#link\n\"SymbolicLinkValue\"=hex(6):"
                              + QByteArray("\\Registry\\Machine\\Gone").toHex(',').replace(",", ",00,") + ",00\n";

INSTANTIATE_TEST_SUITE_P(Failures, WineBackendFailedWrite,
                         ::testing::Values(FailedWriteRow{"BrokenKeyLink", BrokenLink, false, false, 0},
                                           FailedWriteRow{"FileIsALinkNeverWrittenThrough", {}, true, false, 0},
                                           FailedWriteRow{"WineserverStateUnknown", {}, false, true, err::PermissionDenied}),
                         WineBackendFailedWrite::name);
