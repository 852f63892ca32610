#include "services/ArchiveBackup.h"
#include "services/SettingsFile.h"
#include "support/ExpectError.h"
#include "support/TestEditor.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace vnt;
using namespace vnt::test;

// A backup is never overwritten: a taken name gets _2, _3, ... and the earlier
// backups keep their bytes.
TEST(ArchiveBackup, ATakenNameGetsTheNextNumber)
{
    QTemporaryDir dir;
    const QString archive = dir.filePath(QStringLiteral("aidata.viv"));
    const QString dated = archive + QStringLiteral(".VNT_backup_3597");
    writeBytes(archive, "archive");
    for (const QString& name : {dated, dated + QStringLiteral("_2"), dated + QStringLiteral("_3")}) {
        EXPECT_EQ(backUpArchive(archive, QDateTime(QDate(2024, 3, 5), QTime(9, 7))), name);
        writeBytes(archive, name.toUtf8()); // the next backup sees new contents
    }
    EXPECT_EQ(readBytes(dated), QByteArray("archive"));
}

// The size limits of settings files, taken from the file system before anything
// is read: 18 bytes at least, 16 MiB at most.
struct SizeRow {
    const char* name;
    qint64 size;
    const char* refusal; // the refusal's end; none: level 2 is read
    friend void PrintTo(const SizeRow& row, std::ostream* os) { *os << row.size; }
};
struct SettingsFileSize : ::testing::TestWithParam<SizeRow> {};

TEST_P(SettingsFileSize, IsCheckedBeforeReading)
{
    const auto& [name, size, refusal] = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("level.VNTxp"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(size)); // sparse
    if (size >= SettingsMinimumSize && file.seek(SkillIndexPosition - 1))
        file.write("\x02\x00", 2);
    file.close();
    try {
        EXPECT_EQ(settingsFileLevel(path), 2);
        EXPECT_FALSE(refusal);
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), refusal ? err::BadFileFormat : 0);
        EXPECT_TRUE(refusal && e.description().endsWith(QString::fromLatin1(refusal))) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Limits, SettingsFileSize,
                         ::testing::Values(SizeRow{"OneByteTooShortRefused", 17, "holds 17 bytes; a settings file has at least 18."},
                                           SizeRow{"ShortestRead", 18, nullptr},
                                           SizeRow{"LongestRead", SettingsMaximumSize, nullptr},
                                           SizeRow{"OneByteTooLongRefused", SettingsMaximumSize + 1,
                                                   "holds 16777217 bytes; a settings file has at most 16777216."}),
                         [](const ::testing::TestParamInfo<SizeRow>& info) { return std::string(info.param.name); });

TEST(SettingsFile, AMissingFileIsNotFound)
{
    QTemporaryDir dir;
    expectError(err::FileNotFound, [&] { settingsFileLevel(dir.filePath(QStringLiteral("none"))); });
}
