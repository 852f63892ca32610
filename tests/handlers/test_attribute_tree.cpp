#include "model/AttributeCatalogue.h"
#include "handlers/AttributeTree.h"
#include "support/TestEditor.h"

#include <gtest/gtest.h>

using namespace vnt;
using namespace vnt::test;

namespace {

// The tree built, with AI opened by hand.
struct AttributeTree : ::testing::Test {
    AttributeTree()
    {
        BuildAttributeTree(e.ctx);
        e.controls.setExpanded("AI", true);
    }
    QStringList openKeys() const
    {
        QStringList keys;
        for (int i = 1; i <= e.controls.nodeCount(); ++i)
            if (e.controls.isExpanded(e.controls.nodeKey(i)))
                keys << e.controls.nodeKey(i);
        return keys;
    }
    TestEditor e;
};

} // namespace

TEST_F(AttributeTree, IsTheCatalogue)
{
    ASSERT_EQ(e.controls.nodeCount(), AttributeNodeCount);
    EXPECT_EQ(e.controls.nodeCaption(38), "Burst Percent user");
}

// The section nodes keep the state they had.
TEST_F(AttributeTree, ExpandAllOpensAllButTheSectionNodes)
{
    btnAItreeExpandAll_Click(e.ctx);
    const QStringList open = openKeys();
    EXPECT_EQ(open.size(), AttributeNodeCount - 3);
    EXPECT_TRUE(open.contains("AI") && open.contains("pcai_deke"));
    EXPECT_FALSE(open.contains("PCAI") || open.contains("aidata"));
}

TEST_F(AttributeTree, CollapseAllClosesAllButTheSectionNodes)
{
    btnAItreeExpandAll_Click(e.ctx);
    e.controls.setExpanded("PENALTY", true);
    btnAItreeCollapseAll_Click(e.ctx);
    EXPECT_EQ(openKeys(), (QStringList{"AI", "PENALTY"}));
}

TEST_F(AttributeTree, EachWalkLeavesTheFocusOnTheTree)
{
    btnAItreeExpandAll_Click(e.ctx);
    btnAItreeCollapseAll_Click(e.ctx);
    EXPECT_EQ(e.controls.focusLog, (std::vector<Control>{Control::TreeView_AI, Control::TreeView_AI}));
}
