#include "base/Error.h"
#include "base/FileOps.h"
#include "support/TestEditor.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vnt;
using namespace vnt::test;

TEST(FileOps, NewFilesAreTheUsersOwnAndExistingFilesKeepTheirPermissions)
{
    QTemporaryDir dir;
    const QString fresh = dir.filePath(QStringLiteral("vnt08.tmp"));
    writeFileAtomically(fresh, "abc");
    EXPECT_EQ(QFileInfo(fresh).permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
              QFile::Permissions());

    const QString shared = dir.filePath(QStringLiteral("aidata.viv"));
    writeBytes(shared, "old");
    QFile::setPermissions(shared, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    writeFileAtomically(shared, "new");
    EXPECT_EQ(readBytes(shared), QByteArray("new"));
    EXPECT_TRUE(QFileInfo(shared).permissions() & QFile::ReadOther);
}

#ifndef Q_OS_WIN
TEST(FileOps, ALinkPlantedAtATemporaryFileIsRefusedAndItsTargetUntouched)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("victim"));
    writeBytes(target, "precious");
    const QString link = dir.filePath(QStringLiteral("vnt08.tmp"));
    ASSERT_TRUE(QFile::link(target, link));

    EXPECT_THROW(writeFileAtomically(link, "overwritten"), Error);
    writeBytes(dir.filePath(QStringLiteral("source")), "copied");
    EXPECT_THROW(copyFile(dir.filePath(QStringLiteral("source")), link), Error);
    EXPECT_EQ(readBytes(target), QByteArray("precious"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
}
#endif

TEST(FileOps, CopyingAMissingFileNamesItAndCreatesNothing)
{
    QTemporaryDir dir;
    const QString to = dir.filePath(QStringLiteral("backup"));
    try {
        copyFile(dir.filePath(QStringLiteral("missing.viv")), to);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), err::FileNotFound);
        EXPECT_TRUE(e.description().contains(QStringLiteral("missing.viv")));
    }
    EXPECT_FALSE(QFile::exists(to));
}
