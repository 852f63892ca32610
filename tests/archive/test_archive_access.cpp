// The archive library's own part: required arguments and entry names taken from
// file names. Broken, missing or compressed entries and refused stores are the
// archive container's (test_viv_*), how files are written the file layer's.
#include "ArchiveTestData.h"

#include "archive/ArchiveAccess.h"

#include <QDir>

using namespace vnt;
using namespace vnt::test;

namespace {

struct AccessTest : ::testing::Test {
    void SetUp() override { VivArchive::create(archive, {{"Easy.ubc", pattern(700, 1)}, {"MEDIUM.UBC", pattern(700, 2)}}); }

    QTemporaryDir dir;
    QString archive = dir.filePath("aidata.viv");
    QString work = dir.filePath("vnt08.tmp");
    std::shared_ptr<ArchiveAccess> access = makeArchiveAccess();
};

} // namespace

TEST_F(AccessTest, ExportReplacesTheWorkingCopyWithTheEntry)
{
    writeBytes(work, pattern(3000, 9));
    access->exportFile(archive, "medium.ubc", work);
    EXPECT_EQ(readBytes(work), pattern(700, 2));
}

TEST_F(AccessTest, AFailedExportLeavesTheWorkingCopy)
{
    writeBytes(work, pattern(3000, 9));
    expectError(err::FileNotFound, [&] { access->exportFile(dir.filePath("missing.viv"), "Easy.ubc", work); });
    expectError(err::InvalidCall, [&] { access->exportFile(archive, QString(), work); });
    EXPECT_EQ(readBytes(work), pattern(3000, 9));
}

TEST_F(AccessTest, AddStoresTheFileAsTheEntryNamedLikeIt)
{
    writeBytes(dir.filePath("Medium.ubc"), pattern(900, 5));
    access->addFile(archive, dir.filePath("Medium.ubc"));
    // A path joined with a backslash: on this system part of a file name, yet it still separates.
    const QString joined = dir.filePath(QDir::separator() == '/' ? "staging\\Difficlt.ubc" : "Difficlt.ubc");
    writeBytes(joined, "appended");
    access->addFile(archive, joined);
    const VivArchive result = VivArchive::open(archive);
    ASSERT_EQ(result.entries().size(), 3u);
    EXPECT_EQ(result.extract("Medium.ubc"), pattern(900, 5));
    EXPECT_EQ(result.extract("Difficlt.ubc"), QByteArray("appended"));
}

TEST_F(AccessTest, AFailedAddLeavesTheArchive)
{
    const QByteArray before = readBytes(archive);
    expectError(err::FileNotFound, [&] { access->addFile(archive, dir.filePath("Easy.ubc")); });
    expectError(err::InvalidCall, [&] { access->addFile(archive, dir.path() + "/"); });
    EXPECT_EQ(readBytes(archive), before);
}
