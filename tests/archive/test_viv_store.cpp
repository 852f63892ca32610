#include "ArchiveTestData.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace vnt;
using namespace vnt::test;

namespace {

QString copyOfFixture(const QTemporaryDir& dir, const char* name)
{
    const QString path = dir.filePath(QLatin1String(name));
    writeBytes(path, readBytes(fixture(name)));
    return path;
}

} // namespace

TEST(VivStore, ReplacingAnEntryOfTheBigEndianArchiveRewritesOnlyWhatMust)
{
    QTemporaryDir dir;
    const QString path = copyOfFixture(dir, "car.viv");
    const QByteArray license = readBytes(fixture("car.viv.LICENSE.entry"));
    const QByteArray pyproject = readBytes(fixture("car.viv.pyproject.toml.entry"));
    for (const QByteArray& replacement : {license + "and a longer tail", QByteArray("short")}) {
        SCOPED_TRACE(replacement.size());
        VivArchive::store(path, "license", replacement);
        // Written out by hand: size big-endian, 0x0C = first data offset, the stored name kept.
        const std::uint32_t total = 0x37 + replacement.size() + pyproject.size();
        const QByteArray expected = QByteArray("BIGF") + be32(total) + be32(2) + be32(0x37) +
                                    record(0x37, replacement.size(), "LICENSE") +
                                    record(0x37 + replacement.size(), pyproject.size(), "pyproject.toml") +
                                    replacement + pyproject;
        EXPECT_EQ(readBytes(path), expected);
        const VivArchive archive = VivArchive::open(path);
        EXPECT_EQ(archive.extract("LICENSE"), replacement);
        EXPECT_EQ(archive.extract("pyproject.toml"), pyproject);
    }
    VivArchive::store(path, "LICENSE", license);
    EXPECT_EQ(readBytes(path), readBytes(fixture("car.viv")));
}

TEST(VivStore, ReplacingAnEntryOfTheArchiveWithAFooterKeepsByteOrderFooterAndField)
{
    QTemporaryDir dir;
    const QString path = copyOfFixture(dir, "test.big");
    const QByteArray footer("L225\0\0\0\0", 8);
    for (const QByteArray& replacement : {QByteArray("This is sample A, now longer"), QByteArray("A")}) {
        SCOPED_TRACE(replacement.size());
        VivArchive::store(path, "A.TXT", replacement);
        // Size little-endian, 0x0C = directory end + 7, footer before the data.
        const std::uint32_t total = 0x34 + replacement.size() + 16;
        const QByteArray expected = QByteArray("BIGF") + le32(total) + be32(2) + be32(0x33) +
                                    record(0x34, replacement.size(), "a.txt") +
                                    record(0x34 + replacement.size(), 16, "c.txt") + footer + replacement +
                                    "This is sample C";
        EXPECT_EQ(readBytes(path), expected);
    }
    VivArchive::store(path, "a.txt", "This is sample A");
    EXPECT_EQ(readBytes(path), readBytes(fixture("test.big")));
}

TEST(VivStore, ANewEntryIsAppendedAndTheHeaderGrowsAroundTheFooter)
{
    QTemporaryDir dir;
    const QString path = copyOfFixture(dir, "test.big");
    VivArchive::store(path, "Medium.ubc", "0123456789");
    const QByteArray expected = QByteArray("BIGF") + le32(0x71) + be32(3) + be32(0x46) +
                                record(0x47, 16, "a.txt") + record(0x57, 16, "c.txt") +
                                record(0x67, 10, "Medium.ubc") + QByteArray("L225\0\0\0\0", 8) +
                                "This is sample AThis is sample C0123456789";
    EXPECT_EQ(readBytes(path), expected);
    EXPECT_EQ(VivArchive::open(path).extract("MEDIUM.UBC"), QByteArray("0123456789"));
}

TEST(VivStore, PaddedArchivesStayPadded)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("aidata.viv");
    VivLayout layout;
    layout.magic = "BIG4";
    layout.footer = "L253";
    layout.headerAlignment = 64;
    layout.dataAlignment = 64;
    layout.padEnd = true;
    VivArchive::create(path, {{"a.ubc", pattern(100, 1)}, {"b.ubc", pattern(37, 2)}, {"c.ubc", pattern(300, 3)}}, layout);
    const QByteArray before = readBytes(path);
    ASSERT_EQ(before.size(), 576);

    VivArchive::store(path, "b.ubc", pattern(1000, 4));
    const QByteArray after = readBytes(path);
    ASSERT_EQ(after.size(), 1536);
    // The directory did not change size: the header up to the data is the same but for the lengths.
    EXPECT_EQ(after.left(4), QByteArray("BIG4"));
    EXPECT_EQ(after.mid(4, 4), be32(1536));
    EXPECT_EQ(after.mid(16, 14), record(64, 100, "a.ubc"));
    EXPECT_EQ(after.mid(30, 14), record(192, 1000, "b.ubc"));
    EXPECT_EQ(after.mid(44, 14), record(1216, 300, "c.ubc"));
    EXPECT_EQ(after.mid(58, 6), before.mid(58, 6));
    EXPECT_EQ(after.mid(1216, 300), pattern(300, 3));
    EXPECT_EQ(after.mid(1516), QByteArray(20, '\0'));

    const VivLayout kept = VivArchive::open(path).layout();
    EXPECT_EQ(kept.magic, layout.magic);
    EXPECT_EQ(kept.footer, layout.footer);
    EXPECT_EQ(kept.dataAlignment, 64);
    EXPECT_TRUE(kept.padEnd);

    VivArchive::store(path, "b.ubc", pattern(37, 2));
    EXPECT_EQ(readBytes(path), before);
}

TEST(VivStore, OlderArchivesAreRewrittenInTheirOwnForm)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("old.viv");
    writeBytes(path, QByteArray("\xC0\xFB\x00\x1A\x00\x02"
                                "\x00\x00\x1A\x00\x00\x03one\x00"
                                "\x00\x00\x1D\x00\x00\x05TWO\x00"
                                "abcVWXYZ",
                                34));
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

TEST(VivStore, RefusedStoresLeaveTheArchiveByteIdentical)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("aidata.viv");
    VivArchive::create(path, {{"Easy.ubc", pattern(5000, 1)}, {"Packed.ubc", QByteArray("\x10\xFB\x00\x00\x40", 5) + pattern(60, 2)}});
    const QByteArray before = readBytes(path);

    EXPECT_TRUE(failsWith(err::BadFileFormat, [&] { VivArchive::store(path, "packed.ubc", "raw"); }));
    EXPECT_TRUE(failsWith(err::InvalidCall, [&] { VivArchive::store(path, "", "raw"); }));
    EXPECT_TRUE(failsWith(err::InvalidCall, [&] { VivArchive::store(path, QByteArray("a\0b", 3), "raw"); }));
    for (std::int64_t limit : {0, 1, 16, 100, 2600, 5079}) {
        SCOPED_TRACE(limit);
        const SimulatedDiskLimit full(limit);
        EXPECT_TRUE(failsWith(err::DiskFull, [&] { VivArchive::store(path, "Easy.ubc", pattern(5001, 3)); }));
    }
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"aidata.viv"});

    {
        const SimulatedDiskLimit roomy(before.size() + 1);
        VivArchive::store(path, "Easy.ubc", pattern(5001, 3));
    }
    EXPECT_EQ(VivArchive::open(path).extract("easy.ubc"), pattern(5001, 3));
}

TEST(VivStore, AMissingOrBrokenArchiveIsNeverCreatedOrChanged)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath("aidata.viv");
    EXPECT_TRUE(failsWith(err::FileNotFound, [&] { VivArchive::store(missing, "Easy.ubc", "x"); }));
    EXPECT_FALSE(QFileInfo::exists(missing));

    const QString broken = dir.filePath("broken.viv");
    const QByteArray cut = readBytes(fixture("car.viv")).left(20000);
    writeBytes(broken, cut);
    EXPECT_TRUE(failsWith(err::BadFileFormat, [&] { VivArchive::store(broken, "LICENSE", "x"); }));
    EXPECT_EQ(readBytes(broken), cut);

    const QString folder = dir.filePath("folder.viv");
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.viv"));
    EXPECT_TRUE(failsWith(err::FileNotFound, [&] { VivArchive::store(folder, "Easy.ubc", "x"); }));
}

TEST(VivStore, TheArchiveKeepsItsPermissions)
{
    QTemporaryDir dir;
    const QString path = copyOfFixture(dir, "test.big");
    const QFile::Permissions perms = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(path, perms));
    VivArchive::store(path, "c.txt", "changed");
    EXPECT_EQ(QFile::permissions(path) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser), perms);

    const QFile::Permissions narrow = QFile::ReadOwner | QFile::WriteOwner;
    ASSERT_TRUE(QFile::setPermissions(path, narrow));
    VivArchive::store(path, "c.txt", "changed again");
    EXPECT_EQ(QFile::permissions(path) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser), narrow);
}

#ifndef Q_OS_WIN
TEST(VivStore, AnArchiveReachedThroughALinkIsUpdatedWhereItLies)
{
    QTemporaryDir dir;
    const QString real = copyOfFixture(dir, "test.big");
    const QString link = dir.filePath("aidata.viv");
    ASSERT_TRUE(QFile::link(real, link));
    VivArchive::store(link, "c.txt", "through the link");
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(VivArchive::open(real).extract("c.txt"), QByteArray("through the link"));
}
#endif
