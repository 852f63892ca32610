#include "handlers/Startup.h"
#include "support/TestEditor.h"

#include <gtest/gtest.h>

using namespace vnt;
using namespace vnt::test;

// TEMP in any letter case, without its trailing separator; on other systems then
// TMPDIR and /tmp. TempFolder keeps the TEMP variable's own text, or nothing.
TEST(TempFolder, TakesTheTempVariableInAnyLetterCaseThenTheSystemsConvention)
{
    const struct {
        const char* variable;
        const char* value;
        const char* folder;
        const char* tempFolder;
    } rows[] = {
        {"tEmP", "/var/tmp/vantor/", "/var/tmp/vantor", "/var/tmp/vantor/"},
#ifndef Q_OS_WIN
        {"TMPDIR", "/scratch/user", "/scratch/user", ""},
        {nullptr, nullptr, "/tmp", ""},
#endif
    };
    TestEditor e;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.variable ? row.variable : "none");
        EnvGuard env;
        for (const char* name : {"TEMP", "temp", "Temp", "TMP", "TMPDIR"})
            env.unset(name);
        if (row.variable)
            env.set(row.variable, row.value);
        EXPECT_EQ(GetTempFolder(e.ctx), QString::fromLatin1(row.folder));
        EXPECT_EQ(e.ctx.state.TempFolder, QString::fromLatin1(row.tempFolder));
    }
}
