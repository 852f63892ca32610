#include "ArchiveTestData.h"

#include <QTemporaryDir>

using namespace vnt;
using namespace vnt::test;

namespace {

// test.big as its writer laid it out, rebuilt here with replaceable parts.
QByteArray smallBig(const QByteArray& head4to16, const QByteArray& records, const QByteArray& rest)
{
    return QByteArray("BIGF") + head4to16 + records + rest;
}

QByteArray validSmall()
{
    return smallBig(le32(0x54) + be32(2) + be32(0x33),
                    record(0x34, 16, "a.txt") + record(0x44, 16, "c.txt"),
                    QByteArray("L225\0\0\0\0", 8) + "This is sample AThis is sample C");
}

} // namespace

TEST(VivRead, RealArchivesGiveBackEveryEntryByteForByte)
{
    const VivArchive car = VivArchive::open(fixture("car.viv"));
    ASSERT_EQ(car.entries().size(), 2u);
    EXPECT_EQ(car.entries()[0].name, QByteArray("LICENSE"));
    EXPECT_EQ(car.entries()[1].name, QByteArray("pyproject.toml"));
    EXPECT_EQ(car.extract("LICENSE"), readBytes(fixture("car.viv.LICENSE.entry")));
    EXPECT_EQ(car.extract("pyproject.toml"), readBytes(fixture("car.viv.pyproject.toml.entry")));

    const VivArchive big = VivArchive::open(fixture("test.big"));
    ASSERT_EQ(big.entries().size(), 2u);
    EXPECT_EQ(big.extract("a.txt"), QByteArray("This is sample A"));
    EXPECT_EQ(big.extract("c.txt"), QByteArray("This is sample C"));
}

TEST(VivRead, NamesAreFoundWithoutRegardToLetterCaseAndTheFirstOfDuplicatesWins)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("aidata.viv");
    VivArchive::create(path, {{"Easy.ubc", "first"},
                              {"MEDIUM.UBC", "medium"},
                              {"easy.UBC", "second"},
                              {"\xC3\x84rger.ubc", "umlaut"},
                              {"\xE9.ubc", "latin e acute"}});
    const VivArchive archive = VivArchive::open(path);
    EXPECT_EQ(archive.extract("EASY.ubc"), QByteArray("first"));
    EXPECT_EQ(archive.find("easy.ubc"), &archive.entries()[0]);
    EXPECT_EQ(archive.extract("medium.ubc"), QByteArray("medium"));
    EXPECT_EQ(archive.extract("\xC3\xA4RGER.UBC"), QByteArray("umlaut"));
    // Bytes that are no text in the system's encoding only match themselves.
    EXPECT_EQ(archive.find("\xE8.ubc"), nullptr);
    EXPECT_EQ(archive.extract("\xE9.ubc"), QByteArray("latin e acute"));
    EXPECT_EQ(archive.find("Easy.ub"), nullptr);
    EXPECT_TRUE(failsWith(err::FileNotFound, [&] { archive.extract("Difficlt.ubc"); }));
}

TEST(VivRead, OlderArchivesWith24BitRecordsAreReadAndRewrittenInTheirOwnForm)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("old.viv");
    // C0 FB, header length, two entries of 3-byte offset and size.
    writeBytes(path, QByteArray("\xC0\xFB\x00\x1A\x00\x02"
                                "\x00\x00\x1A\x00\x00\x03one\x00"
                                "\x00\x00\x1D\x00\x00\x05TWO\x00"
                                "abcVWXYZ",
                                34));
    const VivArchive archive = VivArchive::open(path);
    ASSERT_EQ(archive.entries().size(), 2u);
    EXPECT_EQ(archive.extract("one"), QByteArray("abc"));
    EXPECT_EQ(archive.extract("two"), QByteArray("VWXYZ"));

    VivArchive::store(path, "ONE", "abcdef");
    EXPECT_EQ(readBytes(path), QByteArray("\xC0\xFB\x00\x1A\x00\x02"
                                          "\x00\x00\x1A\x00\x00\x06one\x00"
                                          "\x00\x00\x20\x00\x00\x05TWO\x00"
                                          "abcdefVWXYZ",
                                          37));
    // 24-bit sizes end at 16 MiB.
    EXPECT_TRUE(failsWith(err::Overflow, [&] { VivArchive::store(path, "one", QByteArray(0x1000000, 'x')); }));
    EXPECT_EQ(VivArchive::open(path).extract("one"), QByteArray("abcdef"));
}

TEST(VivRead, ArchivesThatLieOrAreCutShortAreRefusedCleanly)
{
    const QByteArray data = QByteArray("L225\0\0\0\0", 8) + "This is sample AThis is sample C";
    const QByteArray head = le32(0x54) + be32(2) + be32(0x33);
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"empty file", QByteArray()},
        {"unknown signature", QByteArray("ZIPF") + validSmall().mid(4)},
        {"header cut short", validSmall().left(10)},
        {"count too large", smallBig(le32(0x54) + be32(1000) + be32(0x33), record(0x34, 16, "a.txt") + record(0x44, 16, "c.txt"), data)},
        {"count at its maximum", smallBig(le32(0x54) + be32(0xFFFFFFFF) + be32(0x33), record(0x34, 16, "a.txt"), data)},
        {"count one too many", smallBig(le32(0x54) + be32(3) + be32(0x33), record(0x34, 16, "a.txt") + record(0x44, 16, "c.txt"), data)},
        {"offset past the end", smallBig(head, record(0x34, 16, "a.txt") + record(0x1000, 16, "c.txt"), data)},
        {"size past the end", smallBig(head, record(0x34, 16, "a.txt") + record(0x44, 17, "c.txt"), data)},
        {"offset and size wrap around", smallBig(head, record(0x34, 16, "a.txt") + record(0xFFFFFFF0, 0x20, "c.txt"), data)},
        {"overlapping entries", smallBig(head, record(0x34, 17, "a.txt") + record(0x44, 16, "c.txt"), data)},
        {"data inside the directory", smallBig(head, record(0x10, 16, "a.txt") + record(0x44, 16, "c.txt"), data)},
        {"name without its NUL", QByteArray("BIGF") + head + record(0x34, 16, "a.txt") + be32(0x44) + be32(16) + "c.txt"},
        {"record cut short", QByteArray("BIGF") + head + record(0x34, 16, "a.txt") + be32(0x44)},
        {"24-bit header cut short", QByteArray("\xC0\xFB\x00", 3)},
        {"24-bit count too large", QByteArray("\xC0\xFB\x00\x00\x00\x09\x00\x00\x0D\x00\x00\x01x\x00y", 15)},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = dir.filePath("bad.big");
        writeBytes(path, c.bytes);
        EXPECT_TRUE(failsWith(err::BadFileFormat, [&] { VivArchive::open(path); }));
    }
}

TEST(VivRead, EveryTruncationOfARealArchiveIsRefused)
{
    QTemporaryDir dir;
    const QByteArray whole = readBytes(fixture("car.viv"));
    const QString path = dir.filePath("cut.viv");
    for (qsizetype length = 0; length < whole.size(); length += (length < 100 ? 1 : 1499)) {
        SCOPED_TRACE(length);
        writeBytes(path, whole.left(length));
        EXPECT_TRUE(failsWith(err::BadFileFormat, [&] { VivArchive::open(path); }));
    }
}

TEST(VivRead, CompressedEntriesAreNotHandedOutAsRawBytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("aidata.viv");
    VivArchive::create(path, {{"a.ubc", QByteArray("\x10\xFB\x00\x10", 4)},
                              {"b.ubc", QByteArray("\x11\xFB", 2)},
                              {"c.ubc", QByteArray("\x90\xFB\x01", 3)},
                              {"d.ubc", QByteArray("\x91\xFBxyz", 5)},
                              {"e.ubc", QByteArray("\x10\xFCplain", 7)}});
    const VivArchive archive = VivArchive::open(path);
    for (const char* name : {"a.ubc", "b.ubc", "c.ubc", "d.ubc"})
        EXPECT_TRUE(failsWith(err::BadFileFormat, [&] { archive.extract(name); })) << name;
    EXPECT_EQ(archive.extract("e.ubc"), QByteArray("\x10\xFCplain", 7));
}
