#include "ArchiveTestData.h"

#include "archive/ArchiveLibrary.h"

#include <QFileInfo>
#include <QTemporaryDir>

using namespace vnt;
using namespace vnt::test;

namespace {

struct LibraryTest : ::testing::Test {
    void SetUp() override
    {
        VivArchive::create(archive, {{"Easy.ubc", pattern(700, 1)},
                                     {"MEDIUM.UBC", pattern(700, 2)},
                                     {"Packed.ubc", QByteArray("\x10\xFB\x00\x02\xBC", 5)}});
    }

    int exportEntry(QByteArray entry, const QString& archivePath)
    {
        QByteArray archiveArg = archivePath.toLocal8Bit();
        return library->ExportFile(archiveArg.data(), entry.data(), work.toLocal8Bit().constData(), -1);
    }
    int addFile(const QString& file, const QString& archivePath)
    {
        QByteArray archiveArg = archivePath.toLocal8Bit();
        return library->AddFile(archiveArg.data(), file.toLocal8Bit().constData(), -1);
    }

    QTemporaryDir dir;
    QString archive = dir.filePath("aidata.viv");
    QString work = dir.filePath("vnt08.tmp");
    std::shared_ptr<ArchiveLibrary> library = makeArchiveLibrary();
};

} // namespace

TEST_F(LibraryTest, ExportFileReplacesTheWorkingCopyWithTheEntry)
{
    writeBytes(work, pattern(3000, 9));
    EXPECT_EQ(exportEntry("medium.ubc", archive), 0);
    EXPECT_EQ(readBytes(work), pattern(700, 2));
    EXPECT_TRUE(library->lastError().isEmpty());

    QFile::remove(work);
    EXPECT_EQ(exportEntry("Easy.ubc", archive), 0);
    EXPECT_EQ(readBytes(work), pattern(700, 1));
    EXPECT_EQ(QFileInfo(work).permissions() & (QFile::ReadOther | QFile::WriteOther | QFile::ReadGroup), QFile::Permissions());
}

TEST_F(LibraryTest, ExportFileFailuresAreNumberedDescribedAndLeaveTheWorkingCopy)
{
    writeBytes(work, "edits");
    EXPECT_EQ(exportEntry("Difficlt.ubc", archive), err::FileNotFound);
    EXPECT_TRUE(library->lastError().contains("Difficlt.ubc"));
    EXPECT_EQ(exportEntry("Easy.ubc", dir.filePath("missing.viv")), err::FileNotFound);
    EXPECT_EQ(exportEntry("Packed.ubc", archive), err::BadFileFormat);
    EXPECT_TRUE(library->lastError().contains("compressed"));
    QByteArray archiveArg = archive.toLocal8Bit();
    EXPECT_EQ(library->ExportFile(archiveArg.data(), nullptr, "out", -1), err::InvalidCall);
    EXPECT_EQ(readBytes(work), QByteArray("edits"));

#ifndef Q_OS_WIN
    // A link planted at the working copy's name is not written through.
    QFile::remove(work);
    writeBytes(dir.filePath("victim"), "precious");
    ASSERT_TRUE(QFile::link(dir.filePath("victim"), work));
    EXPECT_EQ(exportEntry("Easy.ubc", archive), err::PathAccess);
    EXPECT_EQ(readBytes(dir.filePath("victim")), QByteArray("precious"));
#endif
}

TEST_F(LibraryTest, AddFileStoresTheFileAsTheEntryNamedLikeIt)
{
    writeBytes(dir.filePath("Medium.ubc"), pattern(900, 5));
    EXPECT_EQ(addFile(dir.filePath("Medium.ubc"), archive), 0);
    writeBytes(dir.filePath("Difficlt.ubc"), "appended");
    EXPECT_EQ(addFile(dir.filePath("Difficlt.ubc"), archive), 0);
#ifndef Q_OS_WIN
    // A path joined with a backslash: here that is part of a file name, yet it still separates.
    writeBytes(dir.filePath("staging\\Easy.ubc"), "via backslash");
    EXPECT_EQ(addFile(dir.filePath("staging\\Easy.ubc"), archive), 0);
#endif

    const VivArchive result = VivArchive::open(archive);
    ASSERT_EQ(result.entries().size(), 4u);
    EXPECT_EQ(result.entries()[1].name, QByteArray("MEDIUM.UBC"));
    EXPECT_EQ(result.entries()[3].name, QByteArray("Difficlt.ubc"));
    EXPECT_EQ(result.extract("Medium.ubc"), pattern(900, 5));
    EXPECT_EQ(result.extract("Difficlt.ubc"), QByteArray("appended"));
#ifndef Q_OS_WIN
    EXPECT_EQ(result.extract("Easy.ubc"), QByteArray("via backslash"));
#endif
}

TEST_F(LibraryTest, AddFileFailuresLeaveTheArchiveAndCreateNone)
{
    const QString staged = dir.filePath("Packed.ubc");
    writeBytes(staged, "raw bytes over a compressed entry");
    const QByteArray before = readBytes(archive);
    EXPECT_EQ(addFile(staged, archive), err::BadFileFormat);
    EXPECT_EQ(addFile(dir.filePath("Easy.ubc"), archive), err::FileNotFound);
    EXPECT_EQ(addFile(dir.path() + "/", archive), err::InvalidCall);
    EXPECT_EQ(readBytes(archive), before);

    EXPECT_EQ(addFile(staged, dir.filePath("nowhere.viv")), err::FileNotFound);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("nowhere.viv")));
    EXPECT_FALSE(library->lastError().isEmpty());
}
