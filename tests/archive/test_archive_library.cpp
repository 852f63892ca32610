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

    QByteArray bytes(const QString& path) const { return path.toLocal8Bit(); }

    QTemporaryDir dir;
    QString archive = dir.filePath("aidata.viv");
    QString work = dir.filePath("vnt08.tmp");
    std::shared_ptr<ArchiveLibrary> library = makeArchiveLibrary();
};

} // namespace

TEST_F(LibraryTest, ExportFileWritesTheEntryAsThePrivateWorkingCopy)
{
    writeBytes(work, "an older working copy that is longer than the entry itself, by far" + pattern(2000, 9));
    QByteArray archiveArg = bytes(archive), entryArg("medium.ubc");
    EXPECT_EQ(library->ExportFile(archiveArg.data(), entryArg.data(), bytes(work).constData(), -1), 0);
    EXPECT_EQ(readBytes(work), pattern(700, 2));
    EXPECT_EQ(entryArg, QByteArray("medium.ubc"));
    EXPECT_TRUE(library->lastError().isEmpty());

    const QString fresh = dir.filePath("vnt08exp.tmp");
    EXPECT_EQ(library->ExportFile(archiveArg.data(), QByteArray("Easy.ubc").data(), bytes(fresh).constData(), -1), 0);
    EXPECT_EQ(readBytes(fresh), pattern(700, 1));
    EXPECT_EQ(QFileInfo(fresh).permissions() & (QFile::ReadOther | QFile::WriteOther | QFile::ReadGroup), QFile::Permissions());
}

TEST_F(LibraryTest, ExportFileFailuresAreNumberedDescribedAndLeaveTheWorkingCopy)
{
    writeBytes(work, "edits");
    QByteArray archiveArg = bytes(archive);
    const auto exportEntry = [&](QByteArray archivePath, QByteArray entry) {
        return library->ExportFile(archivePath.data(), entry.data(), bytes(work).constData(), -1);
    };
    EXPECT_EQ(exportEntry(archiveArg, "Difficlt.ubc"), err::FileNotFound);
    EXPECT_TRUE(library->lastError().contains("Difficlt.ubc"));
    EXPECT_EQ(exportEntry(bytes(dir.filePath("missing.viv")), "Easy.ubc"), err::FileNotFound);
    EXPECT_EQ(exportEntry(archiveArg, "Packed.ubc"), err::BadFileFormat);
    EXPECT_TRUE(library->lastError().contains("compressed"));
    EXPECT_EQ(library->ExportFile(archiveArg.data(), nullptr, bytes(work).constData(), -1), err::InvalidCall);
    EXPECT_EQ(readBytes(work), QByteArray("edits"));

    EXPECT_EQ(exportEntry(archiveArg, "Easy.ubc"), 0);
    EXPECT_TRUE(library->lastError().isEmpty());
}

#ifndef Q_OS_WIN
TEST_F(LibraryTest, ExportFileRefusesALinkAtTheWorkingCopysName)
{
    const QString victim = dir.filePath("victim");
    writeBytes(victim, "precious");
    ASSERT_TRUE(QFile::link(victim, work));
    QByteArray archiveArg = bytes(archive), entryArg("Easy.ubc");
    EXPECT_EQ(library->ExportFile(archiveArg.data(), entryArg.data(), bytes(work).constData(), -1), err::PathAccess);
    EXPECT_EQ(readBytes(victim), QByteArray("precious"));
}
#endif

TEST_F(LibraryTest, AddFileStoresTheFileAsTheEntryNamedLikeIt)
{
    const QString staged = dir.filePath("Medium.ubc");
    writeBytes(staged, pattern(900, 5));
    QByteArray archiveArg = bytes(archive);
    EXPECT_EQ(library->AddFile(archiveArg.data(), bytes(staged).constData(), -1), 0);
    EXPECT_EQ(archiveArg, bytes(archive));

    const VivArchive result = VivArchive::open(archive);
    ASSERT_EQ(result.entries().size(), 3u);
    EXPECT_EQ(result.entries()[1].name, QByteArray("MEDIUM.UBC"));
    EXPECT_EQ(result.extract("Medium.ubc"), pattern(900, 5));
    EXPECT_EQ(result.extract("Easy.ubc"), pattern(700, 1));

    const QString another = dir.filePath("Difficlt.ubc");
    writeBytes(another, "appended");
    EXPECT_EQ(library->AddFile(archiveArg.data(), bytes(another).constData(), -1), 0);
    EXPECT_EQ(VivArchive::open(archive).entries().back().name, QByteArray("Difficlt.ubc"));
}

TEST_F(LibraryTest, AddFileFailuresLeaveTheArchiveAndCreateNone)
{
    const QString staged = dir.filePath("Packed.ubc");
    writeBytes(staged, "raw bytes over a compressed entry");
    const QByteArray before = readBytes(archive);
    QByteArray archiveArg = bytes(archive);
    EXPECT_EQ(library->AddFile(archiveArg.data(), bytes(staged).constData(), -1), err::BadFileFormat);
    EXPECT_EQ(library->AddFile(archiveArg.data(), bytes(dir.filePath("Easy.ubc")).constData(), -1), err::FileNotFound);
    EXPECT_EQ(library->AddFile(archiveArg.data(), bytes(dir.path() + "/").constData(), -1), err::InvalidCall);
    EXPECT_EQ(readBytes(archive), before);

    QByteArray missing = bytes(dir.filePath("nowhere.viv"));
    EXPECT_EQ(library->AddFile(missing.data(), bytes(staged).constData(), -1), err::FileNotFound);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("nowhere.viv")));
    EXPECT_FALSE(library->lastError().isEmpty());
}

#ifndef Q_OS_WIN
TEST_F(LibraryTest, AddFileTakesTheNameAfterEitherKindOfSeparator)
{
    // The staging path may be joined with a backslash; on this system that is part of a file name.
    const QString staged = dir.filePath("staging\\Easy.ubc");
    writeBytes(staged, "via backslash");
    QByteArray archiveArg = bytes(archive);
    EXPECT_EQ(library->AddFile(archiveArg.data(), bytes(staged).constData(), -1), 0);
    EXPECT_EQ(VivArchive::open(archive).extract("Easy.ubc"), QByteArray("via backslash"));
}
#endif
