// Registry changes against a real wineserver running on a scratch prefix.
#include "support/ScratchWinePrefix.h"
#include "registry/WineRegistry.h"
#include "registry/cRegistry.h"
#include "support/EnvGuard.h"

#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace vnt;

TEST(WineServer, AChangeGoesThroughOnlyOnceTheRealWineserverHasEnded)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("wineserver"));
    if (program.isEmpty())
        GTEST_SKIP() << "wineserver is not installed";
    test::ScratchWinePrefix prefix;
    test::EnvGuard environment;
    environment.set("WINEPREFIX", QFile::encodeName(prefix.root()));
    // "-p60" returns once the server is ready (which ends a minute after its last
    // client, should the test not end it); "-k" once it has saved and ended.
    const auto wineserver = [&](const char* option) { return QProcess::execute(program, {QString::fromLatin1(option)}) == 0; };
    const auto stop = qScopeGuard([&] { wineserver("-k"); });
    ASSERT_TRUE(wineserver("-p60"));

    cRegistry r(std::make_shared<WineRegistry>(prefix.root()));
    QVariant value = QStringLiteral("x");
    const auto write = [&] {
        r.setValueEx(qint32(reg::LocalMachine), QStringLiteral("Software\\Vantor Test"), QStringLiteral("New"), qint32(reg::Sz),
                     QVariant(), value);
    };
    try {
        write();
        ADD_FAILURE() << "the change was not refused";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), err::PermissionDenied);
        EXPECT_TRUE(e.description().contains(QStringLiteral("wineserver is running"))) << e.what();
    }

    // The ended server's folder stays in the temporary folder; from there too the
    // change goes through.
    ASSERT_TRUE(wineserver("-k"));
    const QString current = QDir::currentPath();
    QDir::setCurrent(QDir::tempPath());
    write();
    QDir::setCurrent(current);
    EXPECT_EQ(r.Value(), QVariant(QStringLiteral("x")));
}
