#include "ArchiveTestData.h"

#include "archive/ArchiveAccess.h"
#include "support/ExpectError.h"

#include <QFileInfo>
#include <QTemporaryDir>

using namespace vnt;
using namespace vnt::test;

namespace {

struct AccessTest : ::testing::Test {
    void SetUp() override
    {
        VivArchive::create(archive, {{"Easy.ubc", pattern(700, 1)},
                                     {"MEDIUM.UBC", pattern(700, 2)},
                                     {"Packed.ubc", QByteArray("\x10\xFB\x00\x02\xBC", 5)}});
    }

    QTemporaryDir dir;
    QString archive = dir.filePath("aidata.viv");
    QString work = dir.filePath("vnt08.tmp");
    std::shared_ptr<ArchiveAccess> access = makeArchiveAccess();
};

} // namespace

TEST_F(AccessTest, ExportReplacesTheWorkingCopyWithTheEntryReadableByTheOwnerOnly)
{
    writeBytes(work, pattern(3000, 9));
    access->exportFile(archive, "medium.ubc", work);
    EXPECT_EQ(readBytes(work), pattern(700, 2));

    QFile::remove(work);
    access->exportFile(archive, "Easy.ubc", work);
    EXPECT_EQ(readBytes(work), pattern(700, 1));
    EXPECT_EQ(QFileInfo(work).permissions() & (QFile::ReadOther | QFile::WriteOther | QFile::ReadGroup), QFile::Permissions());
}

TEST_F(AccessTest, ExportFailuresAreNumberedAndLeaveTheWorkingCopy)
{
    writeBytes(work, "edits");
    expectError(err::FileNotFound, [&] { access->exportFile(archive, "Difficlt.ubc", work); });
    expectError(err::FileNotFound, [&] { access->exportFile(dir.filePath("missing.viv"), "Easy.ubc", work); });
    expectError(err::BadFileFormat, [&] { access->exportFile(archive, "Packed.ubc", work); });
    expectError(err::InvalidCall, [&] { access->exportFile(archive, QString(), work); });
    EXPECT_EQ(readBytes(work), QByteArray("edits"));

#ifndef Q_OS_WIN
    // A link planted at the working copy's name is not written through.
    QFile::remove(work);
    writeBytes(dir.filePath("victim"), "precious");
    ASSERT_TRUE(QFile::link(dir.filePath("victim"), work));
    expectError(err::PathAccess, [&] { access->exportFile(archive, "Easy.ubc", work); });
    EXPECT_EQ(readBytes(dir.filePath("victim")), QByteArray("precious"));
#endif
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
    ASSERT_EQ(result.entries().size(), 4u);
    EXPECT_EQ(result.entries()[1].name, QByteArray("MEDIUM.UBC"));
    EXPECT_EQ(result.extract("Medium.ubc"), pattern(900, 5));
    EXPECT_EQ(result.extract("Difficlt.ubc"), QByteArray("appended"));
#ifndef Q_OS_WIN
    EXPECT_EQ(result.extract("Easy.ubc"), QByteArray("via backslash"));
#endif
}

TEST_F(AccessTest, AddFailuresLeaveTheArchiveAndCreateNone)
{
    const QString staged = dir.filePath("Packed.ubc");
    writeBytes(staged, "raw bytes over a compressed entry");
    const QByteArray before = readBytes(archive);
    expectError(err::BadFileFormat, [&] { access->addFile(archive, staged); });
    expectError(err::FileNotFound, [&] { access->addFile(archive, dir.filePath("Easy.ubc")); });
    expectError(err::InvalidCall, [&] { access->addFile(archive, dir.path() + "/"); });
    EXPECT_EQ(readBytes(archive), before);

    expectError(err::FileNotFound, [&] { access->addFile(dir.filePath("nowhere.viv"), staged); });
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("nowhere.viv")));
}
