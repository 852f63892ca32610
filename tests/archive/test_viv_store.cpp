#include "ArchiveTestData.h"

#include <QDir>
#include <QFileInfo>

#include <functional>

using namespace vnt;
using namespace vnt::test;

namespace {

// A real archive copied into a temporary folder, an entry to replace in it (named in
// another letter case than stored) and what the archive must be after each store.
struct RealArchive {
    const char *file, *entry, *original;
    QByteArray replacements[2];
    std::function<QByteArray(const QByteArray&)> expected; // written out by hand
};

struct StoreIntoRealArchive : ::testing::TestWithParam<RealArchive> {
    void SetUp() override { writeBytes(path, readBytes(fixture(GetParam().file))); }
    QTemporaryDir dir;
    QString path = dir.filePath(GetParam().file);
};

const QByteArray Pyproject = readBytes(fixture("car.viv.pyproject.toml.entry"));

const RealArchive Archives[] = {
    // Size big-endian, 0x0C = first data offset, the stored name kept.
    {"car.viv",
     "license",
     "LICENSE",
     {readBytes(fixture("car.viv.LICENSE.entry")) + "and a longer tail", "short"},
     [](const QByteArray& r) {
         return "BIGF" + be32(0x37 + r.size() + Pyproject.size()) + be32(2) + be32(0x37) + record(0x37, r.size(), "LICENSE")
                + record(0x37 + r.size(), Pyproject.size(), "pyproject.toml") + r + Pyproject;
     }},
    // Size little-endian, 0x0C = directory end + 7, footer before the data.
    {"test.big", "A.TXT", "a.txt", {"This is sample A, now longer", "A"}, [](const QByteArray& r) {
         return "BIGF" + le32(0x34 + r.size() + 16) + be32(2) + be32(0x33) + record(0x34, r.size(), "a.txt")
                + record(0x34 + r.size(), 16, "c.txt") + QByteArray("L225\0\0\0\0", 8) + r + "This is sample C";
     }}};
INSTANTIATE_TEST_SUITE_P(VivStore, StoreIntoRealArchive, ::testing::ValuesIn(Archives),
                         [](const auto& info) { return QString::fromLatin1(info.param.file).replace('.', '_').toStdString(); });

} // namespace

// Longer and shorter entries, then the original back: byte for byte the file as it came.
TEST_P(StoreIntoRealArchive, RewritesOnlyWhatMustInTheArchivesOwnConventions)
{
    const QByteArray original = VivArchive::open(path).extract(GetParam().original);
    for (const QByteArray& replacement : GetParam().replacements) {
        SCOPED_TRACE(replacement.size());
        VivArchive::store(path, GetParam().entry, replacement);
        EXPECT_EQ(readBytes(path), GetParam().expected(replacement));
        EXPECT_EQ(VivArchive::open(path).extract(GetParam().original), replacement);
    }
    VivArchive::store(path, GetParam().original, original);
    EXPECT_EQ(readBytes(path), readBytes(fixture(GetParam().file)));
}

TEST_P(StoreIntoRealArchive, KeepsTheArchivesPermissions)
{
    const QFile::Permissions perms = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(path, perms));
    VivArchive::store(path, GetParam().entry, GetParam().replacements[0]);
    EXPECT_EQ(QFile::permissions(path) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser), perms);
}

TEST_P(StoreIntoRealArchive, ThroughASymbolicLinkLeavesTheLinkALink)
{
    const QString link = path + ".link";
    ASSERT_TRUE(QFile::link(path, link));
    VivArchive::store(link, GetParam().entry, GetParam().replacements[0]);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readBytes(path), GetParam().expected(GetParam().replacements[0]));
}

TEST(VivStore, PaddedArchivesStayPadded)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("aidata.viv");
    const VivLayout layout{.magic = "BIG4", .footer = "L253", .headerAlignment = 64, .dataAlignment = 64, .padEnd = true};
    VivArchive::create(path, {{"a.ubc", pattern(100, 1)}, {"b.ubc", pattern(37, 2)}, {"c.ubc", pattern(300, 3)}}, layout);
    // The header and every entry start at multiples of 64, the end is padded too.
    VivArchive::store(path, "b.ubc", pattern(1000, 4));
    const QByteArray expected = QByteArray("BIG4") + be32(1536) + be32(3) + be32(64) + record(64, 100, "a.ubc")
                                + record(192, 1000, "b.ubc") + record(1216, 300, "c.ubc") + QByteArray("L253\0\0", 6)
                                + pattern(100, 1) + QByteArray(28, '\0') + pattern(1000, 4) + QByteArray(24, '\0')
                                + pattern(300, 3) + QByteArray(20, '\0');
    EXPECT_EQ(readBytes(path), expected);
}

TEST(VivStore, RefusedStoresLeaveTheArchiveByteIdentical)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("aidata.viv");
    VivArchive::create(path,
                       {{"Easy.ubc", pattern(5000, 1)}, {"Packed.ubc", QByteArray("\x10\xFB\x00\x00\x40", 5) + pattern(60, 2)}});
    const QByteArray before = readBytes(path);
    expectError(err::BadFileFormat, [&] { VivArchive::store(path, "packed.ubc", "raw"); });
    expectError(err::InvalidCall, [&] { VivArchive::store(path, "", "raw"); });
    expectError(err::InvalidCall, [&] { VivArchive::store(path, QByteArray("a\0b", 3), "raw"); });
    for (std::int64_t limit : {0, 1, 16, 100, 2600, 5079}) {
        SCOPED_TRACE(limit);
        const SimulatedDiskLimit full(limit);
        expectError(err::DiskFull, [&] { VivArchive::store(path, "Easy.ubc", pattern(5001, 3)); });
    }
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"aidata.viv"});

    // Neither is an archive missing brought into being, nor a broken one touched.
    const QString missing = dir.filePath("missing.viv");
    expectError(err::FileNotFound, [&] { VivArchive::store(missing, "Easy.ubc", "x"); });
    EXPECT_FALSE(QFileInfo::exists(missing));
    const QByteArray cut = readBytes(fixture("car.viv")).left(20000);
    writeBytes(path, cut);
    expectError(err::BadFileFormat, [&] { VivArchive::store(path, "LICENSE", "x"); });
    EXPECT_EQ(readBytes(path), cut);
}
