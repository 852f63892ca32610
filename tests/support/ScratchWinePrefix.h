#pragma once

// A Wine prefix in a temporary folder for tests: the real registry files of a
// 64-bit prefix copied in, and drive C linked to its drive_c folder.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vnt::test {

inline QString wineFixture(const QString& name)
{
    return QStringLiteral(VANTOR_TEST_DATA_DIR "/wine/") + name;
}

// Lays out a prefix in the folder root (made when missing).
inline void makeWinePrefix(const QString& root)
{
    const QDir dir(root);
    EXPECT_TRUE(dir.mkpath(QStringLiteral("dosdevices")) && dir.mkpath(QStringLiteral("drive_c")));
    EXPECT_TRUE(QFile::link(QStringLiteral("../drive_c"), dir.filePath(QStringLiteral("dosdevices/c:"))));
    for (const QString& name : {QStringLiteral("system.reg"), QStringLiteral("user.reg")}) {
        EXPECT_TRUE(QFile::copy(wineFixture(name), dir.filePath(name)));
        QFile::setPermissions(dir.filePath(name), QFile::ReadOwner | QFile::WriteOwner);
    }
}

struct ScratchWinePrefix {
    ScratchWinePrefix() { makeWinePrefix(root()); }
    QString path(const QString& name) const { return dir.filePath(name); }
    QString root() const { return dir.path(); }
    // Makes a folder below drive_c and returns its path.
    QString makeFolder(const QString& relative) const
    {
        EXPECT_TRUE(QDir(root()).mkpath(QStringLiteral("drive_c/") + relative));
        return path(QStringLiteral("drive_c/") + relative);
    }

    QTemporaryDir dir;
};

} // namespace vnt::test
