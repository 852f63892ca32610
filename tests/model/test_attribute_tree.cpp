#include "model/AttributeCatalogue.h"
#include "model/AttributeTree.h"
#include "support/TestEditor.h"

#include <gtest/gtest.h>

#include <QSet>

#include <map>

using namespace vnt;
using namespace vnt::test;

namespace {

const QStringList Sections{QStringLiteral("aidata"), QStringLiteral("AI"), QStringLiteral("PCAI"),
                           QStringLiteral("PENALTY")};

int depthOf(const FakeControls& controls, const QString& key)
{
    int depth = 0;
    for (QString parent = controls.nodeParent(key); !parent.isEmpty(); parent = controls.nodeParent(parent))
        ++depth;
    return depth;
}

QStringList expandedKeys(const FakeControls& controls)
{
    QStringList keys;
    for (int i = 1; i <= controls.nodeCount(); ++i) {
        if (controls.isExpanded(controls.nodeKey(i)))
            keys << controls.nodeKey(i);
    }
    return keys;
}

// Records, at each focus change, how many nodes were expanded.
class FocusWatchingControls : public FakeControls {
public:
    void setFocus(Control c) override
    {
        FakeControls::setFocus(c);
        expandedAtFocus = int(expandedKeys(*this).size());
    }
    int expandedAtFocus = -1;
};

} // namespace

TEST(AttributeTree, BuildsTheWholeCatalogueInOrder)
{
    TestEditor editor;
    BuildAttributeTree(editor.ctx);
    const FakeControls& tree = editor.controls;
    ASSERT_EQ(tree.nodeCount(), AttributeNodeCount);
    EXPECT_EQ(tree.nodeKey(1), QStringLiteral("aidata"));
    EXPECT_EQ(tree.nodeKey(92), QStringLiteral("penalty_global_frequency_User"));
    EXPECT_EQ(tree.nodeCaption(38), QStringLiteral("Burst Percent user"));
    EXPECT_EQ(tree.nodeCaption(59), QStringLiteral("Step-Up Dist"));
    EXPECT_TRUE(expandedKeys(tree).isEmpty());

    // The shape: nodes per level, leaves, and the size of each section.
    std::map<int, int> perLevel;
    QSet<QString> parents;
    std::map<QString, int> perSection;
    for (int i = 1; i <= tree.nodeCount(); ++i) {
        const QString key = tree.nodeKey(i);
        ++perLevel[depthOf(tree, key)];
        parents.insert(tree.nodeParent(key));
        QString section = key;
        while (depthOf(tree, section) > 1)
            section = tree.nodeParent(section);
        ++perSection[section];
    }
    EXPECT_EQ(perLevel, (std::map<int, int>{{0, 1}, {1, 3}, {2, 16}, {3, 28}, {4, 22}, {5, 17}, {6, 5}}));
    EXPECT_EQ(tree.nodeCount() - (parents.size() - 1), 45); // the empty parent of the root is no node
    EXPECT_EQ(perSection[QStringLiteral("AI")], 78);
    EXPECT_EQ(perSection[QStringLiteral("PCAI")], 9);
    EXPECT_EQ(perSection[QStringLiteral("PENALTY")], 4);

    // Only the four section nodes carry a caption equal to their key that a walk spares.
    for (int i = 1; i <= tree.nodeCount(); ++i)
        EXPECT_EQ(IsSectionCaption(tree.nodeCaption(i)), Sections.contains(tree.nodeKey(i))) << i;
    EXPECT_EQ(tree.nodeParent(QStringLiteral("pass_intercept_cpu")), QStringLiteral("pass_intercept"));
    EXPECT_EQ(tree.nodeParent(QStringLiteral("getcarrierdist_cpu")), QStringLiteral("getcarrierdist"));
}

TEST(AttributeTree, CollapseAllClosesEverythingButTheSections)
{
    TestEditor editor;
    BuildAttributeTree(editor.ctx);
    ExpandAttributeTree(editor.ctx);
    editor.controls.setExpanded(QStringLiteral("aidata"), true);
    editor.controls.setExpanded(QStringLiteral("AI"), true);
    editor.controls.setExpanded(QStringLiteral("PCAI"), false);
    editor.controls.setExpanded(QStringLiteral("PENALTY"), true);

    btnAItreeCollapseAll_Click(editor.ctx);
    EXPECT_EQ(expandedKeys(editor.controls),
              (QStringList{QStringLiteral("aidata"), QStringLiteral("AI"), QStringLiteral("PENALTY")}));
    EXPECT_EQ(editor.controls.focus, Control::TreeView_AI);
}

TEST(AttributeTree, ExpandAllOpensEverythingButTheSections)
{
    TestEditor editor;
    BuildAttributeTree(editor.ctx);
    editor.controls.setExpanded(QStringLiteral("AI"), true);

    btnAItreeExpandAll_Click(editor.ctx);
    const QStringList open = expandedKeys(editor.controls);
    EXPECT_EQ(open.size(), AttributeNodeCount - 3);
    EXPECT_TRUE(open.contains(QStringLiteral("AI")));
    for (const QString& closed : {QStringLiteral("aidata"), QStringLiteral("PCAI"), QStringLiteral("PENALTY")})
        EXPECT_FALSE(open.contains(closed)) << closed.toStdString();
    EXPECT_TRUE(open.contains(QStringLiteral("pcai_deke")));
    EXPECT_EQ(editor.controls.focus, Control::TreeView_AI);
}

TEST(AttributeTree, ButtonsWalkAndFocusInTheirOwnOrder)
{
    FocusWatchingControls controls;
    ScriptedDialogs dialogs;
    EditorContext ctx(controls, dialogs);
    BuildAttributeTree(ctx);

    btnAItreeExpandAll_Click(ctx); // focus first: nothing open yet
    EXPECT_EQ(controls.expandedAtFocus, 0);
    btnAItreeCollapseAll_Click(ctx); // walk first: already closed again
    EXPECT_EQ(controls.expandedAtFocus, 0);
    ExpandAttributeTree(ctx);
    btnAItreeExpandAll_Click(ctx);
    EXPECT_EQ(controls.expandedAtFocus, AttributeNodeCount - 4);
    btnAItreeCollapseAll_Click(ctx);
    EXPECT_EQ(controls.expandedAtFocus, 0);
}
