// The archive library's own part: required arguments and entry names taken from
// file names. Broken, missing or compressed entries and refused stores are the
// archive container's (test_viv_*), how files are written the file layer's.
#include "ArchiveTestData.h"

#include "archive/ArchiveAccess.h"

#include <QFileInfo>

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

TEST_F(AccessTest, ExportReplacesTheWorkingCopyWithTheEntryAndFailuresLeaveIt)
{
    writeBytes(work, pattern(3000, 9));
    access->exportFile(archive, "medium.ubc", work);
    EXPECT_EQ(readBytes(work), pattern(700, 2));
    QFile::remove(work);
    access->exportFile(archive, "Easy.ubc", work);
    EXPECT_EQ(readBytes(work), pattern(700, 1));
    expectError(err::FileNotFound, [&] { access->exportFile(dir.filePath("missing.viv"), "Easy.ubc", work); });
    expectError(err::InvalidCall, [&] { access->exportFile(archive, QString(), work); });
    EXPECT_EQ(readBytes(work), pattern(700, 1));
}

TEST_F(AccessTest, AddStoresTheFileAsTheEntryNamedLikeIt)
{
    writeBytes(dir.filePath("Medium.ubc"), pattern(900, 5));
    access->addFile(archive, dir.filePath("Medium.ubc"));
    writeBytes(dir.filePath("Difficlt.ubc"), "appended");
    access->addFile(archive, dir.filePath("Difficlt.ubc"));
#ifndef Q_OS_WIN
    // A path joined with a backslash: here that is part of a file name, yet it still separates.
    writeBytes(dir.filePath("staging\\Easy.ubc"), "via backslash");
    access->addFile(archive, dir.filePath("staging\\Easy.ubc"));
#endif
    const VivArchive result = VivArchive::open(archive);
    ASSERT_EQ(result.entries().size(), 3u);
    EXPECT_EQ(result.entries()[1].name, QByteArray("MEDIUM.UBC"));
    EXPECT_EQ(result.extract("Medium.ubc"), pattern(900, 5));
    EXPECT_EQ(result.extract("Difficlt.ubc"), QByteArray("appended"));
#ifndef Q_OS_WIN
    EXPECT_EQ(result.extract("Easy.ubc"), QByteArray("via backslash"));
#endif
}

TEST_F(AccessTest, AddFailuresLeaveTheArchive)
{
    const QByteArray before = readBytes(archive);
    expectError(err::FileNotFound, [&] { access->addFile(archive, dir.filePath("Easy.ubc")); });
    expectError(err::InvalidCall, [&] { access->addFile(archive, dir.path() + "/"); });
    expectError(err::InvalidCall, [&] { access->addFile(QString(), dir.filePath("Easy.ubc")); });
    EXPECT_EQ(readBytes(archive), before);
}
