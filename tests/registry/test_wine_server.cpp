// Registry changes against a real wineserver running on a scratch prefix.
#include "app/FileOps.h"
#include "registry/WinePrefix.h"
#include "registry/WineRegistry.h"
#include "registry/cRegistry.h"

#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace vnt;

namespace {

// Runs wineserver with the prefix's WINEPREFIX; the server started ends with the test.
class WineServerProcess {
public:
    WineServerProcess(QString program, const QString& prefix) : program_(std::move(program))
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("WINEPREFIX"), prefix);
        environment.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
        process_.setProcessEnvironment(environment);
    }
    ~WineServerProcess() { run(QStringLiteral("-k")); }
    WineServerProcess(const WineServerProcess&) = delete;
    WineServerProcess& operator=(const WineServerProcess&) = delete;

    // "-p60" starts a server (it returns once the server is ready, and the server
    // ends a minute after its last client, should the test fail to end it);
    // "-k" ends it and returns once it has ended and saved the registry.
    bool run(const QString& option)
    {
        process_.start(program_, {option});
        return process_.waitForFinished(60000) && process_.exitStatus() == QProcess::NormalExit;
    }

private:
    QString program_;
    QProcess process_;
};

TEST(WineServer, ChangesAreRefusedWhileTheRealWineserverRunsAndGoThroughAfterIt)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("wineserver"));
    if (program.isEmpty())
        GTEST_SKIP() << "wineserver is not installed";
    test::WinePrefix prefix;
    WineServerProcess server(program, prefix.root());
    ASSERT_TRUE(server.run(QStringLiteral("-p60")));

    cRegistry r(std::make_shared<WineRegistry>(prefix.root()));
    r.setClassKey(qint32(reg::LocalMachine));
    r.setSectionKey(QStringLiteral("Software\\Vantor Test"));
    r.setValueKey(QStringLiteral("New"));
    r.setValueType(qint32(reg::Sz));
    const QByteArray before = readFile(prefix.path(QStringLiteral("system.reg")));
    try {
        r.setValue(QStringLiteral("x"));
        ADD_FAILURE() << "the change was not refused";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), err::PermissionDenied);
        EXPECT_TRUE(e.description().contains(QStringLiteral("wineserver is running"))) << e.what();
    }
    EXPECT_EQ(readFile(prefix.path(QStringLiteral("system.reg"))), before);

    ASSERT_TRUE(server.run(QStringLiteral("-k")));
    // The ended server's folder stays in the temporary folder; from there too the
    // change goes through.
    const QString current = QDir::currentPath();
    QDir::setCurrent(QDir::tempPath());
    r.setValue(QStringLiteral("x"));
    QDir::setCurrent(current);
    EXPECT_EQ(r.Value(), QVariant(QStringLiteral("x")));
}

} // namespace
