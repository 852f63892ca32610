// Stores seen from outside the process: killed part way, on a real full disk,
// or run by a user who may not write the archive's folder.
#include "ArchiveTestData.h"
#include "base/AtomicFile.h"
#include "base/FileOps.h"

#ifndef Q_OS_WIN

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <iostream>
#include <random>
#include <string>

#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace vnt;
using namespace vnt::test;

// Runs body in a child process and returns what it wrote to the pipe it is given.
template <typename Body>
std::string inChild(Body body)
{
    int fds[2];
    if (pipe(fds) != 0)
        return "SKIP: no pipe";
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        std::string report;
        try {
            report = body();
        } catch (const std::exception& e) {
            report = std::string("unexpected: ") + e.what();
        }
        (void)!write(fds[1], report.data(), report.size());
        _exit(0);
    }
    close(fds[1]);
    std::string out;
    char buffer[4096];
    for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;)
        out.append(buffer, std::size_t(n));
    close(fds[0]);
    waitpid(pid, nullptr, 0);
    return out;
}

// "number|description" of the failure of call, or "none".
template <typename Call>
std::string failureOf(Call call)
{
    try {
        call();
    } catch (const Error& e) {
        return std::to_string(e.number()) + "|" + e.description().toStdString();
    }
    return "none";
}

QStringList folderFiles(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

TEST(VivStoreProcess, ARealFullDiskAndAFileSizeLimitAreReportedAsSuchAndChangeNothing)
{
    QTemporaryDir dir;
    const QString mountPoint = dir.filePath("small");
    ASSERT_TRUE(QDir(dir.path()).mkdir("small"));
    const QByteArray entries = pattern(400 << 10, 5);
    const std::string report = inChild([&]() -> std::string {
        // A tmpfs of 1 MiB, mounted in a mount namespace of this child only.
        if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || mount("tmpfs", QFile::encodeName(mountPoint).constData(), "tmpfs", 0, "size=1m") != 0)
            return std::string("SKIP: mounting a small tmpfs is not allowed here (") + std::strerror(errno) + ")";
        const QString path = mountPoint + "/aidata.viv";
        VivArchive::create(path, {{"Easy.ubc", pattern(1000, 1)}, {"big.bin", entries}});
        const QByteArray before = readBytes(path);
        std::string out = failureOf([&] { VivArchive::store(path, "big.bin", entries + entries); }) + "\n";
        out += failureOf([&] { writeFileAtomically(mountPoint + "/other", pattern(900 << 10, 6)); }) + "\n";
        // A limit on the size of files this process writes (the signal would end it).
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{200 << 10, 200 << 10};
        setrlimit(RLIMIT_FSIZE, &limit);
        out += failureOf([&] { VivArchive::store(path, "Easy.ubc", "x"); }) + "\n";
        const bool same = readBytes(path) == before;
        return out + (same ? "unchanged " : "changed ") + folderFiles(mountPoint).join(',').toStdString();
    });
    if (report.rfind("SKIP", 0) == 0)
        GTEST_SKIP() << report;
    const QStringList lines = QString::fromStdString(report).split('\n');
    ASSERT_EQ(lines.size(), 4) << report;
    for (int i : {0, 1})
        EXPECT_TRUE(lines[i].startsWith("61|") && lines[i].contains("the disk is full")) << report;
    EXPECT_TRUE(lines[2].startsWith("57|") && lines[2].contains("largest size")) << report;
    EXPECT_EQ(lines[3], "unchanged aidata.viv");
}

TEST(VivStoreProcess, LeftoversOfEndedWritersAreRemovedByTheNextStoreButNotThoseOfLiveOnes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("aidata.viv");
    VivArchive::create(path, {{"Easy.ubc", pattern(100, 1)}});
    const pid_t ended = fork();
    if (ended == 0)
        _exit(0);
    waitpid(ended, nullptr, 0);
    const QString stale = AtomicFile::temporaryPathFor(path, ended);
    const QString live = AtomicFile::temporaryPathFor(path, getppid());
    const QString other = AtomicFile::temporaryPathFor(dir.filePath("other.viv"), ended);
    for (const QString& leftover : {stale, live, other})
        writeBytes(leftover, "partial");
    VivArchive::store(path, "Easy.ubc", "new");
    EXPECT_FALSE(QFile::exists(stale));
    EXPECT_TRUE(QFile::exists(live) && QFile::exists(other));
}

// The child stores the new and the old version in turn, telling the pipe 'B'
// before each store and 'E' after it; it is killed at a random moment.
TEST(VivStoreProcess, AStoreKilledAtAnyMomentLeavesEitherTheOldOrTheNewArchiveAndNoLeftover)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("aidata.viv");
    const QByteArray oldBig = pattern(64 << 20, 2);
    const QByteArray newBig = pattern((64 << 20) + 4321, 3);
    VivArchive::create(path, {{"Easy.ubc", pattern(3000, 1)}, {"big.bin", oldBig}, {"Hard.ubc", pattern(2000, 4)}});
    const QByteArray oldArchive = readBytes(path);
    QElapsedTimer timer;
    timer.start();
    VivArchive::store(path, "big.bin", newBig);
    const qint64 storeMicros = std::max<qint64>(timer.nsecsElapsed() / 1000, 1000);
    const QByteArray newArchive = readBytes(path);
    VivArchive::store(path, "big.bin", oldBig);

    const unsigned seed = 20240811;
    std::cout << "kill test seed " << seed << ", one store takes " << storeMicros / 1000 << " ms" << std::endl;
    std::mt19937 random(seed);
    std::uniform_int_distribution<qint64> moment(0, 2 * storeMicros);
    int sawOld = 0, sawNew = 0, midStore = 0;
    for (int round = 0; round < 50; ++round) {
        SCOPED_TRACE(round);
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            close(fds[0]);
            try {
                for (bool fresh = true;; fresh = !fresh) {
                    (void)!write(fds[1], "B", 1);
                    VivArchive::store(path, "big.bin", fresh ? newBig : oldBig);
                    (void)!write(fds[1], "E", 1);
                }
            } catch (...) {
                _exit(3);
            }
        }
        close(fds[1]);
        char first = 0;
        ASSERT_EQ(read(fds[0], &first, 1), 1); // the child runs
        usleep(useconds_t(moment(random)));
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status)) << "the storing process ended by itself";
        char last = first;
        for (char c; read(fds[0], &c, 1) == 1;)
            last = c;
        close(fds[0]);
        midStore += last == 'B';

        const QByteArray now = readBytes(path);
        const bool isOld = now == oldArchive, isNew = now == newArchive;
        EXPECT_TRUE(isOld || isNew) << "archive of " << now.size() << " bytes is neither";
        sawOld += isOld, sawNew += isNew;
        VivArchive::store(path, "big.bin", oldBig);
        EXPECT_EQ(folderFiles(dir.path()), QStringList{"aidata.viv"});
    }
    std::cout << "old " << sawOld << ", new " << sawNew << ", killed mid-store " << midStore << std::endl;
    EXPECT_GE(midStore, 1);
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
    const std::string report = inChild([&] {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            return std::string("cannot become another user");
        return failureOf([&] { VivArchive::store(path, "pyproject.toml", "changed"); });
    });
    EXPECT_EQ(report.rfind(std::to_string(err::PermissionDenied) + "|", 0), 0u) << report;
    EXPECT_EQ(readBytes(path), readBytes(fixture("car.viv")));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"aidata.viv"});
    QFile::setPermissions(folder, readable | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(dir.path(), readable | QFile::WriteOwner | QFile::ExeOwner);
}

#endif
