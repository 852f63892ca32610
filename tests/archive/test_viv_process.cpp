// Stores seen from outside the process: killed part way, or run by a user who
// may not write the archive's folder.
#include "ArchiveTestData.h"

#include <QtGlobal>

#ifndef Q_OS_WIN

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace vnt;
using namespace vnt::test;

TEST(VivStoreProcess, AStoreKilledAtAnyMomentLeavesEitherTheOldOrTheNewArchive)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("aidata.viv");
    const QByteArray oldBig = pattern(6 << 20, 2);
    const QByteArray newBig = pattern((6 << 20) + 4321, 3);
    VivArchive::create(path, {{"Easy.ubc", pattern(3000, 1)}, {"big.bin", oldBig}, {"Hard.ubc", pattern(2000, 4)}});
    const QByteArray oldArchive = readBytes(path);
    const QString reference = dir.filePath("reference.viv");
    writeBytes(reference, oldArchive);
    VivArchive::store(reference, "big.bin", newBig);
    const QByteArray newArchive = readBytes(reference);

    int sawOld = 0, sawNew = 0;
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            try {
                for (;;) {
                    VivArchive::store(path, "big.bin", newBig);
                    VivArchive::store(path, "BIG.BIN", oldBig);
                }
            } catch (...) {
                _exit(3);
            }
        }
        usleep(static_cast<useconds_t>(1000 + round * 2500));
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status)) << "the storing process ended by itself";
        const QByteArray now = readBytes(path);
        const bool isOld = now == oldArchive, isNew = now == newArchive;
        EXPECT_TRUE(isOld || isNew) << "archive of " << now.size() << " bytes is neither";
        sawOld += isOld;
        sawNew += isNew;
    }
    RecordProperty("old", sawOld);
    RecordProperty("new", sawNew);
}

TEST(VivStoreProcess, AFolderTheUserMayNotWriteLeavesTheArchiveAsItWas)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("gamedata");
    ASSERT_TRUE(QDir(dir.path()).mkdir("gamedata"));
    const QString path = folder + "/aidata.viv";
    writeBytes(path, readBytes(fixture("car.viv")));
    const QFile::Permissions readable = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(path, readable | QFile::WriteOwner));
    ASSERT_TRUE(QFile::setPermissions(dir.path(), readable | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther));
    ASSERT_TRUE(QFile::setPermissions(folder, readable | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther));

    // The administrator may write anywhere: the store then runs as an unprivileged user.
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(10);
        try {
            VivArchive::store(path, "pyproject.toml", "changed");
        } catch (const Error& e) {
            _exit(e.number() == err::PermissionDenied ? 0 : 11);
        }
        _exit(12);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    EXPECT_EQ(code, 0);
    EXPECT_EQ(readBytes(path), readBytes(fixture("car.viv")));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"aidata.viv"});
    QFile::setPermissions(folder, readable | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(dir.path(), readable | QFile::WriteOwner | QFile::ExeOwner);
}

#endif
