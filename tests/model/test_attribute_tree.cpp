#include "model/AttributeCatalogue.h"
#include "handlers/AttributeTree.h"
#include "support/TestEditor.h"

#include <gtest/gtest.h>

#include <map>

using namespace vnt;
using namespace vnt::test;

namespace {

QStringList openKeys(const FakeControls& tree)
{
    QStringList keys;
    for (int i = 1; i <= tree.nodeCount(); ++i)
        keys << (tree.isExpanded(tree.nodeKey(i)) ? tree.nodeKey(i) : QString());
    keys.removeAll(QString());
    return keys;
}

} // namespace

TEST(AttributeTree, BuildsTheCatalogueInOrderAndShape)
{
    TestEditor e;
    BuildAttributeTree(e.ctx);
    ASSERT_EQ(e.controls.nodeCount(), AttributeNodeCount);
    EXPECT_EQ(e.controls.nodeKey(92), "penalty_global_frequency_User");
    EXPECT_EQ(e.controls.nodeCaption(38), "Burst Percent user");
    // Nodes per level and per section, counted along each node's chain of parents.
    std::map<int, int> perLevel;
    std::map<QString, int> perSection;
    for (int i = 1; i <= e.controls.nodeCount(); ++i) {
        QStringList path{e.controls.nodeKey(i)};
        while (!e.controls.nodeParent(path.first()).isEmpty())
            path.prepend(e.controls.nodeParent(path.first()));
        ++perLevel[int(path.size()) - 1];
        ++perSection[path.value(1)];
    }
    EXPECT_EQ(perLevel, (std::map<int, int>{{0, 1}, {1, 3}, {2, 16}, {3, 28}, {4, 22}, {5, 17}, {6, 5}}));
    EXPECT_EQ(perSection, (std::map<QString, int>{{"", 1}, {"AI", 78}, {"PCAI", 9}, {"PENALTY", 4}}));
}

TEST(AttributeTree, WalksLeaveTheSectionNodesAsTheyWere)
{
    TestEditor e;
    BuildAttributeTree(e.ctx);
    e.controls.setExpanded("AI", true);
    btnAItreeExpandAll_Click(e.ctx);
    const QStringList open = openKeys(e.controls);
    EXPECT_EQ(open.size(), AttributeNodeCount - 3);
    EXPECT_TRUE(open.contains("AI") && open.contains("pcai_deke"));
    EXPECT_FALSE(open.contains("PCAI") || open.contains("aidata"));

    e.controls.setExpanded("PENALTY", true);
    btnAItreeCollapseAll_Click(e.ctx);
    EXPECT_EQ(openKeys(e.controls), (QStringList{"AI", "PENALTY"}));
    EXPECT_EQ(e.controls.focusLog, (std::vector<Control>{Control::TreeView_AI, Control::TreeView_AI}));
}
