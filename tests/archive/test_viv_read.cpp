#include "ArchiveTestData.h"

using namespace vnt;
using namespace vnt::test;

TEST(VivRead, RealArchivesGiveBackEveryEntryByteForByte)
{
    // Each archive's entries in order: name, bytes, name, bytes.
    const std::pair<const char*, QList<QByteArray>> archives[]{
        {"car.viv",
         {"LICENSE", readBytes(fixture("car.viv.LICENSE.entry")), "pyproject.toml",
          readBytes(fixture("car.viv.pyproject.toml.entry"))}},
        {"test.big", {"a.txt", "This is sample A", "c.txt", "This is sample C"}}};
    for (const auto& [file, expected] : archives) {
        const VivArchive archive = VivArchive::open(fixture(file));
        QList<QByteArray> entries;
        for (const auto& entry : archive.entries())
            entries << entry.name << archive.extract(entry.name);
        EXPECT_EQ(entries, expected) << file;
    }
}

namespace {

// An archive with names in two letter cases, beyond ASCII, and entries that start
// like compressed ones.
struct VivReadEntries : ::testing::Test {
    QTemporaryDir dir;
    const QString path = dir.filePath("aidata.viv");
    const VivArchive archive = [this] {
        // Names beyond ASCII are in the system's 8-bit encoding (UTF-8 here, the ANSI code page on Windows).
        VivArchive::create(path, {{"Easy.ubc", "first"},
                                  {"MEDIUM.UBC", "medium"},
                                  {"easy.UBC", "second"},
                                  {QStringLiteral(u"\u00C4rger.ubc").toLocal8Bit(), "umlaut"},
                                  {"a.ubc", QByteArray("\x10\xFB\x00\x10", 4)},
                                  {"b.ubc", QByteArray("\x11\xFB", 2)},
                                  {"c.ubc", QByteArray("\x90\xFB\x01", 3)},
                                  {"d.ubc", QByteArray("\x91\xFBxyz", 5)},
                                  {"e.ubc", QByteArray("\x10\xFCplain", 7)}});
        return VivArchive::open(path);
    }();
};

// C0 FB, header length, two entries of 3-byte offset and size.
struct OlderVivArchive : ::testing::Test {
    void SetUp() override
    {
        writeBytes(path, QByteArray("\xC0\xFB\x00\x1A\x00\x02"
                                    "\x00\x00\x1A\x00\x00\x03one\x00"
                                    "\x00\x00\x1D\x00\x00\x05TWO\x00"
                                    "abcVWXYZ",
                                    34));
    }
    QTemporaryDir dir;
    const QString path = dir.filePath("old.viv");
};

} // namespace

TEST_F(VivReadEntries, NamesMatchWholeInAnyLetterCase)
{
    EXPECT_EQ(archive.extract(QStringLiteral(u"\u00E4RGER.UBC").toLocal8Bit()), QByteArray("umlaut"));
    EXPECT_EQ(archive.find("Easy.ub"), nullptr);
    expectError(err::FileNotFound, [&] { archive.extract("Difficlt.ubc"); });
}

TEST_F(VivReadEntries, TheFirstOfNamesDifferingInLetterCaseWins)
{
    EXPECT_EQ(archive.extract("EASY.ubc"), QByteArray("first"));
}

// Compressed entries are not handed out as raw bytes.
TEST_F(VivReadEntries, OnlyEntriesMarkedCompressedAreRefused)
{
    for (const char* name : {"a.ubc", "b.ubc", "c.ubc", "d.ubc"})
        EXPECT_EQ(errorOf([&] { archive.extract(name); }), err::BadFileFormat) << name;
    EXPECT_EQ(archive.extract("e.ubc"), QByteArray("\x10\xFCplain", 7));
}

TEST_F(OlderVivArchive, EntriesOf24BitRecordsAreRead)
{
    const VivArchive archive = VivArchive::open(path);
    EXPECT_EQ(archive.extract("one"), QByteArray("abc"));
    EXPECT_EQ(archive.extract("two"), QByteArray("VWXYZ"));
}

TEST_F(OlderVivArchive, StoresKeepThe24BitForm)
{
    VivArchive::store(path, "ONE", "abcdef");
    EXPECT_EQ(readBytes(path), QByteArray("\xC0\xFB\x00\x1A\x00\x02"
                                          "\x00\x00\x1A\x00\x00\x06one\x00"
                                          "\x00\x00\x20\x00\x00\x05TWO\x00"
                                          "abcdefVWXYZ",
                                          37));
}

TEST_F(OlderVivArchive, StoresOf16MiBOrMoreAreRefused)
{
    expectError(err::Overflow, [&] { VivArchive::store(path, "one", QByteArray(0x1000000, 'x')); });
}

TEST(VivRead, ArchivesWhoseHeaderOrDirectoryLieAreRefused)
{
    // test.big as its writer laid it out, with one part replaced in each row.
    const QByteArray data = QByteArray("L225\0\0\0\0", 8) + "This is sample AThis is sample C";
    const QByteArray a = record(0x34, 16, "a.txt"), c = record(0x44, 16, "c.txt");
    auto big = [&](std::uint32_t count, const QByteArray& records) {
        return "BIGF" + le32(0x54) + be32(count) + be32(0x33) + records + data;
    };
    const std::pair<const char*, QByteArray> cases[]{
        {"unknown signature", "ZIPF" + big(2, a + c).mid(4)},
        {"count at its maximum", big(0xFFFFFFFF, a)},
        {"count one too many", big(3, a + c)},
        {"offset past the end", big(2, a + record(0x1000, 16, "c.txt"))},
        {"size past the end", big(2, a + record(0x44, 17, "c.txt"))},
        {"offset and size wrap around", big(2, a + record(0xFFFFFFF0, 0x20, "c.txt"))},
        {"overlapping entries", big(2, record(0x34, 17, "a.txt") + c)},
        {"data inside the directory", big(2, record(0x10, 16, "a.txt") + c)},
        {"24-bit header cut short", QByteArray("\xC0\xFB\x00", 3)},
        {"24-bit count too large", QByteArray("\xC0\xFB\x00\x00\x00\x09\x00\x00\x0D\x00\x00\x01x\x00y", 15)},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("bad.big");
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        writeBytes(path, bytes);
        expectError(err::BadFileFormat, [&] { VivArchive::open(path); });
    }
}

// Every cut of a real archive: empty, in the header, in a record or a name, in the data.
TEST(VivRead, ArchivesCutShortAnywhereAreRefused)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("bad.big");
    const QByteArray whole = readBytes(fixture("car.viv"));
    for (qsizetype length = 0; length < whole.size(); length += (length < 100 ? 1 : 1499)) {
        SCOPED_TRACE(length);
        writeBytes(path, whole.left(length));
        expectError(err::BadFileFormat, [&] { VivArchive::open(path); });
    }
}
