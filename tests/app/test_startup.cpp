#include "app/Startup.h"
#include "support/TestEditor.h"

#include <gtest/gtest.h>

using namespace vnt;
using namespace vnt::test;

TEST(Startup, WarnsWhenTheGameIsNotFound)
{
    TestEditor e;
    e.dialogs.expectNotice(QStringLiteral("Can't find NHL08..."));
    Form_Load(e.ctx);
    EXPECT_EQ(e.ctx.state.WorkFileName, QStringLiteral("vnt08.tmp"));
    EXPECT_FALSE(e.controls.isEnabled(Control::lstSkill));
}
