#include "handlers/Startup.h"
#include "support/EnvGuard.h"
#include "support/TestEditor.h"

#include <gtest/gtest.h>

using namespace vnt;
using namespace vnt::test;

namespace {

// Clears every spelling of the temp variables the tests touch.
void clearTempVariables(EnvGuard& env)
{
    for (const char* name : {"TEMP", "temp", "Temp", "TMP", "TMPDIR"})
        env.unset(name);
}

} // namespace

TEST(TempFolder, TakesTheTempVariableInAnyLetterCaseWithoutTrailingSeparator)
{
    TestEditor e;
    for (const char* name : {"TEMP", "temp", "Temp"}) {
        EnvGuard env;
        clearTempVariables(env);
        env.set(name, "/var/tmp/vantor/");
        EXPECT_EQ(GetTempFolder(e.ctx), QStringLiteral("/var/tmp/vantor")) << name;
        // The variable's own text is left in TempFolder as it stands.
        EXPECT_EQ(e.ctx.state.TempFolder, QStringLiteral("/var/tmp/vantor/")) << name;
    }
}

#ifndef Q_OS_WIN
TEST(TempFolder, FallsBackToTmpdirThenTmpBeforeTheProgramFolder)
{
    TestEditor e;
    EnvGuard env;
    clearTempVariables(env);
    env.set("TMPDIR", "/scratch/user");
    EXPECT_EQ(GetTempFolder(e.ctx), QStringLiteral("/scratch/user"));
    EXPECT_TRUE(e.ctx.state.TempFolder.isEmpty());

    env.unset("TMPDIR");
    EXPECT_EQ(GetTempFolder(e.ctx), QStringLiteral("/tmp"));
}
#endif
