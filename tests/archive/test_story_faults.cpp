// Actions that fail part way: the state, the window and the working copy go back
// together, and what a completed store settled stays. Faults of every kind in
// random sequences are the model test's (tests/editor); these are the stories
// that once went wrong.

#include "StoryEditor.h"

#include "base/FileOps.h"
#include "handlers/ApplyCancel.h"
#include "handlers/Selection.h"
#include "handlers/SettingsExchange.h"
#include "support/FakeArchive.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace vnt;
using namespace vnt::test;

namespace {

// Easy current with an edited value, the archive accepted.
struct EditedEasy : ::testing::Test {
    EditedEasy()
    {
        e.browseTo(e.archive);
        e.controls.setSkillIndex(1);
        TreeView_AI_NodeClick(e.ctx, QStringLiteral("pass_intercept_cpu"));
        e.moveSlider(90);
        edited = readBytes(e.workFile());
    }
    // Imports a file, answering the save question and then expecting the notices.
    void importFile(const QString& file, Answer save, std::initializer_list<const char*> then)
    {
        e.dialogs.expectOpen(QStringLiteral("Open VNT file"), file);
        e.dialogs.expectQuestion(QStringLiteral("Save changes?"), save);
        for (const char* title : then)
            e.dialogs.expectNotice(QString::fromLatin1(title));
        runHandler(e.ctx, &btnImportVNTSettings_Click);
    }
    void expectEasyCurrent(bool pending)
    {
        EXPECT_EQ(QString::number(e.controls.skillIndex()) + e.controls.skillTag() + e.ctx.state.SkillName
                      + e.ctx.state.EntryName, QStringLiteral("11EasyEasy.ubc"));
        EXPECT_EQ(e.ctx.state.ChangesPending, pending);
        EXPECT_EQ(readBytes(e.workFile()), edited);
    }

    StoryEditor e;
    QByteArray edited;
};

} // namespace

TEST_F(EditedEasy, AFailedSaveOnASwitchKeepsTheListOnTheLevelStillCurrent)
{
    QFile::rename(e.archive, e.archive + QStringLiteral(".away"));
    e.dialogs.expectQuestion(QStringLiteral("Save changes?"), Answer::Yes);
    e.dialogs.expectNotice(QStringLiteral("Error"));
    e.controls.setSkillIndex(3);
    expectEasyCurrent(true);
    EXPECT_EQ(e.controls.caption(Control::labSliderValue), QStringLiteral("0.9"));
    EXPECT_TRUE(e.controls.isEnabled(Control::valueSlider));
}

TEST_F(EditedEasy, AStoreThatSucceededStaysWhenTheExtractionAfterItFails)
{
    VivArchive::create(e.archive, {{"Easy.ubc", StoryEditor::levelEntry(1)}}); // no Difficlt entry
    e.dialogs.expectQuestion(QStringLiteral("Save changes?"), Answer::Yes);
    e.dialogs.expectNotice(QStringLiteral("Changes saved..."));
    e.dialogs.expectNotice(QStringLiteral("Error"));
    e.controls.setSkillIndex(3);
    expectEasyCurrent(false);
    EXPECT_EQ(e.entry("Easy.ubc"), edited);
    EXPECT_EQ(e.controls.caption(Control::labAIfilePath), e.archive);
}

TEST_F(EditedEasy, ASecondImportThatFailsAfterTheCopyLeavesTheFirstImportAsWorkingCopy)
{
    importFile(e.exported("medium.VNTxp", 2), Answer::Yes, {"Changes saved...", "Settings imported successfully..."});
    const QByteArray imported = readBytes(e.workFile());
    // The level switch inside the import fails once the file has been copied.
    e.controls.onSkillChanged = [] { throw Error(err::DeviceIO, QStringLiteral("simulated")); };
    importFile(e.exported("difficlt.VNTxp", 3), Answer::No, {"Error"});
    EXPECT_EQ(readBytes(e.workFile()), imported);
    EXPECT_EQ(e.ctx.state.SkillName + QString::number(e.controls.skillIndex()), QStringLiteral("Medium2"));
    EXPECT_TRUE(e.ctx.state.ChangesPending);
}

TEST(FailedStory, ADeclinedArchiveStaysUnchosenWhenApplyFailsAfterBrowsing)
{
    StoryEditor e; // start-up found no game: the proposed archive was never accepted
    const QString proposed = e.ctx.state.AIFilePath;
    e.dialogs.expectOpen(QStringLiteral("Open VNT file"), e.exported("medium.VNTxp", 2));
    e.dialogs.expectNotice(QStringLiteral("Settings imported successfully..."));
    runHandler(e.ctx, &btnImportVNTSettings_Click);

    auto failing = std::make_shared<FakeArchive>(); // the store after the backup fails
    failing->failWith = err::DiskFull;
    e.ctx.archive = failing;
    e.dialogs.expectNotice(QStringLiteral("Select an aidata.viv file..."));
    e.dialogs.expectOpen(QStringLiteral("Select aidata.viv file"), e.archive);
    e.dialogs.expectQuestion(QStringLiteral("Apply changes?"), Answer::Yes);
    e.dialogs.expectNotice(QStringLiteral("Error"));
    runHandler(e.ctx, &btnApplyAIChanges_Click);
    EXPECT_EQ(e.ctx.state.AIFilePath, proposed);
    EXPECT_TRUE(e.controls.caption(Control::labAIfilePath).isEmpty());
    EXPECT_FALSE(e.controls.isEnabled(Control::lstSkill));
    EXPECT_EQ(e.entry("Medium.ubc"), StoryEditor::levelEntry(2));
}
