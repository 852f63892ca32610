#include "StoryEditor.h"

#include "handlers/ApplyCancel.h"
#include "handlers/Selection.h"

#include <QtEndian>

#include <gtest/gtest.h>

using namespace vnt;
using namespace vnt::test;

TEST(EditStory, ChooseLevelEditCancelThenEditApplyStoresTheWorkingCopyAfterABackup)
{
    StoryEditor e;
    const QByteArray before = readBytes(e.archive);
    e.browseTo(e.archive);
    e.controls.setSkillIndex(2);
    EXPECT_EQ(readBytes(e.workFile()), StoryEditor::levelEntry(2));
    TreeView_AI_NodeClick(e.ctx, QStringLiteral("pass_intercept_cpu"));
    EXPECT_EQ(e.controls.caption(Control::labSliderValue), QStringLiteral("0.5"));
    EXPECT_EQ(e.controls.caption(Control::labDefaultValue), QStringLiteral("0.5"));

    // Cancel extracts the entry again and clears the display.
    e.moveSlider(12);
    e.dialogs.expectQuestion(QStringLiteral("Cancel all changes?"), Answer::Yes);
    e.dialogs.expectNotice(QStringLiteral("Changes cancelled..."));
    runHandler(e.ctx, &btnCancelAIChanges_Click);
    EXPECT_EQ(e.dialogs.shown()[e.dialogs.shown().size() - 2].text,
              QStringLiteral("Are you sure you want to cancel all changes done\rto the 'Medium' attributes during this session?"));
    EXPECT_EQ(readBytes(e.workFile()), StoryEditor::levelEntry(2));
    EXPECT_FALSE(e.ctx.state.ChangesPending);
    EXPECT_FALSE(e.controls.isEnabled(Control::btnCancelAIChanges));
    EXPECT_TRUE(e.controls.isEnabled(Control::btnApplyAIChanges));
    EXPECT_FALSE(e.controls.isEnabled(Control::valueSlider));

    TreeView_AI_NodeClick(e.ctx, QStringLiteral("pass_intercept_cpu"));
    e.moveSlider(31);
    EXPECT_TRUE(e.ctx.state.ChangesPending);
    e.dialogs.expectQuestion(QStringLiteral("Apply changes?"), Answer::Yes);
    e.dialogs.expectNotice(QStringLiteral("Changes saved..."));
    runHandler(e.ctx, &btnApplyAIChanges_Click);
    const QString backup = e.archive + QStringLiteral(".VNT_backup_3597");
    EXPECT_EQ(readBytes(backup), before);
    EXPECT_TRUE(e.dialogs.last().text.endsWith(QStringLiteral("following location:\r") + backup));
    // The stored entry is the working copy, and only the value's four bytes differ from the level as it was.
    const QByteArray medium = e.entry("Medium.ubc");
    EXPECT_EQ(medium, readBytes(e.workFile()));
    QByteArray expected = StoryEditor::levelEntry(2);
    qToLittleEndian(0.31f, expected.data() + 36);
    EXPECT_EQ(medium, expected);
    EXPECT_EQ(e.entry("Easy.ubc"), StoryEditor::levelEntry(1));
    EXPECT_EQ(e.entry("Difficlt.ubc"), StoryEditor::levelEntry(3));
    EXPECT_EQ(e.entry("rules.txt"), QByteArray("play fair"));
    EXPECT_FALSE(e.ctx.state.ChangesPending);
    EXPECT_FALSE(QFile::exists(e.path(QStringLiteral("Medium.ubc")))) << "no staging copy is left";
}
