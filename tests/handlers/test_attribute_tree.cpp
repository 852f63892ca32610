#include "model/AttributeCatalogue.h"
#include "handlers/AttributeTree.h"
#include "support/TestEditor.h"

#include <gtest/gtest.h>

using namespace vnt;
using namespace vnt::test;

TEST(AttributeTree, IsTheCatalogueAndItsWalksLeaveTheSectionNodesAsTheyWere)
{
    TestEditor e;
    BuildAttributeTree(e.ctx);
    ASSERT_EQ(e.controls.nodeCount(), AttributeNodeCount);
    EXPECT_EQ(e.controls.nodeCaption(38), "Burst Percent user");
    const auto openKeys = [&] {
        QStringList keys;
        for (int i = 1; i <= e.controls.nodeCount(); ++i)
            if (e.controls.isExpanded(e.controls.nodeKey(i)))
                keys << e.controls.nodeKey(i);
        return keys;
    };
    e.controls.setExpanded("AI", true);
    btnAItreeExpandAll_Click(e.ctx);
    const QStringList open = openKeys();
    EXPECT_EQ(open.size(), AttributeNodeCount - 3);
    EXPECT_TRUE(open.contains("AI") && open.contains("pcai_deke"));
    EXPECT_FALSE(open.contains("PCAI") || open.contains("aidata"));

    e.controls.setExpanded("PENALTY", true);
    btnAItreeCollapseAll_Click(e.ctx);
    EXPECT_EQ(openKeys(), (QStringList{"AI", "PENALTY"}));
    EXPECT_EQ(e.controls.focusLog, (std::vector<Control>{Control::TreeView_AI, Control::TreeView_AI}));
}
