#include "base/FileOps.h"
#include "support/ExpectError.h"
#include "support/TestEditor.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using namespace vnt;
using namespace vnt::test;

namespace {

struct FileOps : ::testing::Test {
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

} // namespace

TEST_F(FileOps, NewFilesAreTheUsersOwn)
{
    writeFileAtomically(path("vnt08.tmp"), "abc");
    const auto others = QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther;
    EXPECT_EQ(QFileInfo(path("vnt08.tmp")).permissions() & others, QFile::Permissions());
}

TEST_F(FileOps, RewrittenFilesKeepTheirPermissions)
{
    writeBytes(path("aidata.viv"), "old");
    QFile::setPermissions(path("aidata.viv"), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    writeFileAtomically(path("aidata.viv"), "new");
    EXPECT_TRUE(QFileInfo(path("aidata.viv")).permissions() & QFile::ReadOther);
}

// A missing source is named and nothing is created.
TEST_F(FileOps, ACopyFromAMissingSourceIsRefusedNamingIt)
{
    try {
        copyFile(path("missing.viv"), path("backup"));
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), err::FileNotFound);
        EXPECT_TRUE(e.description().contains(QStringLiteral("missing.viv")));
    }
    EXPECT_FALSE(QFile::exists(path("backup")));
}

#ifndef Q_OS_WIN
// Writes and copies alike refuse it, and leave its target untouched.
TEST_F(FileOps, ALinkPlantedAtTheDestinationIsRefused)
{
    writeBytes(path("victim"), "precious");
    ASSERT_TRUE(QFile::link(path("victim"), path("vnt08.tmp")));
    EXPECT_NE(errorOf([&] { writeFileAtomically(path("vnt08.tmp"), "overwritten"); }), 0);
    writeBytes(path("source"), "copied");
    EXPECT_NE(errorOf([&] { copyFile(path("source"), path("vnt08.tmp")); }), 0);
    EXPECT_EQ(readBytes(path("victim")), QByteArray("precious"));
}
#endif

// Two spellings of a path are the same file exactly when the file system says so:
// letter case matters on Linux, not on Windows; a missing file compares by name.
TEST_F(FileOps, SamePathAgreesWithTheFileSystemOnLetterCase)
{
    writeBytes(path("vnt08.tmp"), "working copy");
    EXPECT_EQ(samePath(path("VNT08.TMP"), path("vnt08.tmp")), QFileInfo::exists(path("VNT08.TMP")));
    EXPECT_TRUE(samePath(path("vnt08.tmp"), path("./vnt08.tmp")));
    EXPECT_EQ(samePath(path("Gone.VNTxp"), path("Gone.VNTxp").toLower()), fileNameCase() == Qt::CaseInsensitive);
    EXPECT_FALSE(samePath(path("Gone.VNTxp"), path("vnt08.tmp")));
}
