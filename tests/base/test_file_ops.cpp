#include "base/FileOps.h"
#include "support/ExpectError.h"
#include "support/TestEditor.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using namespace vnt;
using namespace vnt::test;

TEST(FileOps, NewFilesAreTheUsersOwnAndExistingFilesKeepTheirPermissions)
{
    QTemporaryDir dir;
    const QString fresh = dir.filePath(QStringLiteral("vnt08.tmp"));
    const QString shared = dir.filePath(QStringLiteral("aidata.viv"));
    writeFileAtomically(fresh, "abc");
    const auto others = QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther;
    EXPECT_EQ(QFileInfo(fresh).permissions() & others, QFile::Permissions());
    writeBytes(shared, "old");
    QFile::setPermissions(shared, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    writeFileAtomically(shared, "new");
    EXPECT_TRUE(QFileInfo(shared).permissions() & QFile::ReadOther);
}

// A missing source is named and nothing is created; a link planted at the
// destination is refused and its target left untouched.
TEST(FileOps, CopiesAndWritesRefuseMissingSourcesAndPlantedLinks)
{
    QTemporaryDir dir;
    const QString to = dir.filePath(QStringLiteral("backup"));
    try {
        copyFile(dir.filePath(QStringLiteral("missing.viv")), to);
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), err::FileNotFound);
        EXPECT_TRUE(e.description().contains(QStringLiteral("missing.viv")));
    }
    EXPECT_FALSE(QFile::exists(to));
#ifndef Q_OS_WIN
    const QString target = dir.filePath(QStringLiteral("victim")), link = dir.filePath(QStringLiteral("vnt08.tmp"));
    writeBytes(target, "precious");
    ASSERT_TRUE(QFile::link(target, link));
    EXPECT_NE(errorOf([&] { writeFileAtomically(link, "overwritten"); }), 0);
    writeBytes(dir.filePath(QStringLiteral("source")), "copied");
    EXPECT_NE(errorOf([&] { copyFile(dir.filePath(QStringLiteral("source")), link); }), 0);
    EXPECT_EQ(readBytes(target), QByteArray("precious"));
#endif
}

// Two spellings of a path are the same file exactly when the file system says so:
// letter case matters on Linux, not on Windows; a missing file compares by name.
TEST(FileOps, SamePathAgreesWithTheFileSystemOnLetterCase)
{
    QTemporaryDir dir;
    const QString upper = dir.filePath(QStringLiteral("VNT08.TMP")), lower = dir.filePath(QStringLiteral("vnt08.tmp"));
    writeBytes(lower, "working copy");
    EXPECT_EQ(samePath(upper, lower), QFileInfo::exists(upper));
    EXPECT_TRUE(samePath(lower, dir.filePath(QStringLiteral("./vnt08.tmp"))));
    const QString missing = dir.filePath(QStringLiteral("Gone.VNTxp"));
    EXPECT_EQ(samePath(missing, missing.toLower()), fileNameCase() == Qt::CaseInsensitive);
    EXPECT_FALSE(samePath(missing, lower));
}
