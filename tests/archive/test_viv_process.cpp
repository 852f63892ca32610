// Stores seen from outside the process: killed part way, on a real full disk,
// or run by a user who may not write the archive's folder.
#include "ArchiveTestData.h"
#include "base/AtomicFile.h"

#ifndef Q_OS_WIN

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <iostream>
#include <random>

#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace vnt;
using namespace vnt::test;

namespace {

// Forks a child that runs body with the write end of a pipe; gives its pid and the read end.
std::pair<pid_t, int> spawn(const std::function<void(int)>& body)
{
    int fds[2];
    if (pipe(fds) != 0)
        return {-1, -1};
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        try {
            body(fds[1]);
        } catch (...) {
            _exit(3); // never back into the test runner
        }
        _exit(0);
    }
    close(fds[1]);
    return {pid, fds[0]};
}

// All the child writes until it ends; then waits for it.
std::string drain(pid_t pid, int fd, int* status = nullptr)
{
    std::string out;
    char buffer[4096];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;)
        out.append(buffer, std::size_t(n));
    close(fd);
    waitpid(pid, status, 0);
    return out;
}

// Runs body in a child process and returns the text it reports (none if it throws).
std::string inChild(const std::function<std::string()>& body)
{
    const auto [pid, fd] = spawn([&](int out) {
        const std::string report = body();
        (void)!write(out, report.data(), report.size());
    });
    return pid < 0 ? "SKIP: no child process" : drain(pid, fd);
}

// "number|description" of the failure of call, or "none".
std::string failureOf(const std::function<void()>& call)
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

// A store that outgrows a real full disk, then one beyond a limit on the size of
// files, in a child process once for the tests: each failure as "number|description",
// then whether the archive is unchanged and the files left.
struct VivStoreProcessSmallDisk : ::testing::Test {
    static void SetUpTestSuite()
    {
        QTemporaryDir dir;
        const QString mountPoint = dir.filePath("small");
        QDir(dir.path()).mkdir("small");
        const QByteArray entries = pattern(400 << 10, 5);
        report = QString::fromStdString(inChild([&]() -> std::string {
                     // A tmpfs of 1 MiB, mounted in a mount namespace of this child only.
                     if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
                         || mount("tmpfs", QFile::encodeName(mountPoint).constData(), "tmpfs", 0, "size=1m") != 0)
                         return std::string("SKIP: mounting a small tmpfs is not allowed here (") + std::strerror(errno) + ")";
                     const QString path = mountPoint + "/aidata.viv";
                     VivArchive::create(path, {{"Easy.ubc", pattern(1000, 1)}, {"big.bin", entries}});
                     const QByteArray before = readBytes(path);
                     std::string out = failureOf([&] { VivArchive::store(path, "big.bin", entries + entries); }) + "\n";
                     // A limit on the size of files this process writes (the signal would end it).
                     signal(SIGXFSZ, SIG_IGN);
                     const rlimit limit{200 << 10, 200 << 10};
                     setrlimit(RLIMIT_FSIZE, &limit);
                     out += failureOf([&] { VivArchive::store(path, "Easy.ubc", "x"); }) + "\n";
                     out += readBytes(path) == before ? "unchanged " : "changed ";
                     return out + folderFiles(mountPoint).join(',').toStdString();
                 })).split('\n');
    }
    void SetUp() override
    {
        if (report[0].startsWith("SKIP"))
            GTEST_SKIP() << report[0].toStdString();
        ASSERT_EQ(report.size(), 3) << report.join('\n').toStdString();
    }
    static inline QStringList report;
};

// The child stores the new and the old version in turn, telling the pipe 'B'
// before each store and 'E' after it; it is killed at a random moment, fifty times
// over, and each time the next store runs here. Once for the tests: whether each
// child ended by the kill, the archive it left when neither old nor new, the files
// after the next store.
struct VivStoreProcessKilled : ::testing::Test {
    static void SetUpTestSuite()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("aidata.viv");
        const QByteArray oldBig = pattern(64 << 20, 2), newBig = pattern((64 << 20) + 4321, 3);
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
        live = AtomicFile::temporaryPathFor(path, getppid()); // a live writer's leftover
        writeBytes(live, "partial");
        for (int round = 0; round < 50; ++round) {
            const auto [pid, fd] = spawn([&](int out) {
                for (bool fresh = true;; fresh = !fresh) {
                    (void)!write(out, "B", 1);
                    VivArchive::store(path, "big.bin", fresh ? newBig : oldBig);
                    (void)!write(out, "E", 1);
                }
            });
            char first = 0;
            if (pid < 0 || read(fd, &first, 1) != 1) // the child runs
                break;
            usleep(useconds_t(moment(random)));
            kill(pid, SIGKILL);
            int status = 0;
            midStore += (first + drain(pid, fd, &status)).back() == 'B';
            killed.push_back(WIFSIGNALED(status));
            const QByteArray now = readBytes(path);
            left.push_back(now == oldArchive || now == newArchive ? QByteArray() : now);
            VivArchive::store(path, "big.bin", oldBig);
            filesAfter.push_back(folderFiles(dir.path()));
        }
    }
    static inline QString live;
    static inline int midStore = 0;
    static inline std::vector<bool> killed;
    static inline std::vector<QByteArray> left;
    static inline std::vector<QStringList> filesAfter;
};

} // namespace

TEST_F(VivStoreProcessSmallDisk, ARealFullDiskIsReportedAsSuch)
{
    EXPECT_TRUE(report[0].startsWith("61|") && report[0].contains("the disk is full")) << report[0].toStdString();
}

TEST_F(VivStoreProcessSmallDisk, AFileSizeLimitIsReportedAsSuch)
{
    EXPECT_TRUE(report[1].startsWith("57|") && report[1].contains("largest size")) << report[1].toStdString();
}

TEST_F(VivStoreProcessSmallDisk, AStoreTheDiskRefusesChangesNothing)
{
    EXPECT_EQ(report[2], "unchanged aidata.viv");
}

TEST_F(VivStoreProcessKilled, AStoreKilledAtAnyMomentLeavesTheOldOrTheNewArchive)
{
    ASSERT_EQ(killed.size(), 50u) << "a child did not run";
    for (std::size_t round = 0; round < killed.size(); ++round) {
        EXPECT_TRUE(killed[round]) << "round " << round << ": the storing process ended by itself";
        EXPECT_TRUE(left[round].isNull()) << "round " << round << ": archive of " << left[round].size() << " bytes is neither";
    }
    EXPECT_GE(midStore, 1);
}

// The next store removes what the killed writer left, but not the leftover of a live writer.
TEST_F(VivStoreProcessKilled, TheNextStoreRemovesOnlyTheLeftoverOfAKilledWriter)
{
    ASSERT_EQ(filesAfter.size(), 50u) << "a child did not run";
    for (std::size_t round = 0; round < filesAfter.size(); ++round)
        EXPECT_EQ(filesAfter[round], QStringList({QFileInfo(live).fileName(), "aidata.viv"})) << "round " << round;
}

TEST(VivStoreProcess, AFolderTheUserMayNotWriteLeavesTheArchiveAsItWas)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("gamedata"), path = folder + "/aidata.viv";
    ASSERT_TRUE(QDir(dir.path()).mkdir("gamedata"));
    writeBytes(path, readBytes(fixture("car.viv")));
    const QFile::Permissions readable = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const QFile::Permissions enterable = readable | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(path, readable | QFile::WriteOwner));
    ASSERT_TRUE(QFile::setPermissions(dir.path(), enterable) && QFile::setPermissions(folder, enterable));

    // The administrator may write anywhere: the store then runs as an unprivileged user.
    const std::string report = inChild([&] {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            return std::string("cannot become another user");
        return failureOf([&] { VivArchive::store(path, "pyproject.toml", "changed"); });
    });
    EXPECT_EQ(report.rfind(std::to_string(err::PermissionDenied) + "|", 0), 0u) << report;
    EXPECT_EQ(readBytes(path), readBytes(fixture("car.viv")));
    for (const QString& f : {folder, dir.path()})
        QFile::setPermissions(f, readable | QFile::WriteOwner | QFile::ExeOwner);
}

#endif
