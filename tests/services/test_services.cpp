#include "services/ArchiveBackup.h"
#include "services/SettingsFile.h"
#include "support/ExpectError.h"

#include "base/Error.h"
#include "base/FileOps.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vnt;

namespace {

const QDateTime FifthOfMarch(QDate(2024, 3, 5), QTime(9, 7));

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

// A backup is never overwritten: a taken name gets _2, _3, ... and the earlier
// backups keep their bytes.
TEST(ArchiveBackup, ATakenNameGetsTheNextNumber)
{
    QTemporaryDir dir;
    const QString archive = dir.filePath(QStringLiteral("aidata.viv"));
    const QString dated = archive + QStringLiteral(".VNT_backup_3597");
    writeBytes(archive, "archive");
    const QStringList expected = {dated, dated + QStringLiteral("_2"), dated + QStringLiteral("_3")};
    for (const QString& name : expected) {
        EXPECT_EQ(backUpArchive(archive, FifthOfMarch), name);
        writeBytes(archive, name.toUtf8()); // the next backup sees new contents
    }
    EXPECT_EQ(readFile(dated), QByteArray("archive"));
    EXPECT_EQ(readFile(dated + QStringLiteral("_3")), dated.toUtf8() + "_2");
}

// The size limits of settings files, taken from the file system before anything
// is read: 18 bytes at least, 16 MiB at most.
TEST(SettingsFile, SizeLimits)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("level.VNTxp"));
    const struct {
        qint64 size;
        int error;
        const char* text;
    } cases[] = {
        {17, err::BadFileFormat, "holds 17 bytes; a settings file has at least 18."},
        {18, 0, ""},
        {SettingsMaximumSize, 0, ""},
        {SettingsMaximumSize + 1, err::BadFileFormat, "holds 16777217 bytes; a settings file has at most 16777216."},
    };
    for (const auto& c : cases) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_TRUE(file.resize(c.size)); // sparse: no disk space used
        if (c.size >= SettingsMinimumSize && file.seek(SkillIndexPosition - 1))
            file.write("\x02\x00", 2);
        file.close();
        try {
            EXPECT_EQ(settingsFileLevel(path), 2) << c.size;
            EXPECT_EQ(c.error, 0) << c.size;
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), c.error) << c.size;
            EXPECT_TRUE(e.description().endsWith(QString::fromLatin1(c.text))) << e.description().toStdString();
        }
    }
    test::expectError(err::FileNotFound, [&] { settingsFileLevel(dir.filePath(QStringLiteral("none"))); });
}
