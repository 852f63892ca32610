#include "editor/Events.h"
#include "handlers/Startup.h"
#include "support/FakeArchive.h"
#include "support/TestEditor.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace vnt;
using namespace vnt::test;

namespace {

// An editor past start-up with an accepted archive, Medium current, and both
// working-copy names present in the temp folder.
struct Quitting {
    Quitting()
    {
        e.ctx.archive = library;
        e.ctx.state.AIFilePath = e.path(QStringLiteral("aidata.viv"));
        e.controls.setCaption(Control::labAIfilePath, e.ctx.state.AIFilePath);
        e.ctx.state.SkillName = QStringLiteral("Medium");
        e.ctx.state.EntryName = QStringLiteral("Medium.ubc");
        writeBytes(e.path(QStringLiteral("vnt08.tmp")), "edited values");
        writeBytes(e.path(QStringLiteral("vnt08exp.tmp")), "imported values");
    }
    bool exists(const char* name) const { return QFile::exists(e.path(QString::fromLatin1(name))); }

    TestEditor e;
    std::shared_ptr<FakeArchive> library = std::make_shared<FakeArchive>();
};
struct QuitTest : ::testing::Test, Quitting {};

} // namespace

TEST(Quit, WithoutChangesYesDeletesBothWorkingCopiesAndClosesAndNoKeepsEverything)
{
    for (Answer answer : {Answer::Yes, Answer::No}) {
        Quitting t;
        t.e.dialogs.expectQuestion(QStringLiteral("Quit VNT 08?"), answer);
        runHandler(t.e.ctx, &btnQuit_Click);
        EXPECT_EQ(t.e.dialogs.last().text, QStringLiteral("Quit VNT 08 now ?"));
        const bool quits = answer == Answer::Yes;
        EXPECT_EQ(t.e.controls.closed, quits);
        EXPECT_EQ(t.exists("vnt08.tmp") || t.exists("vnt08exp.tmp"), !quits);
        EXPECT_EQ(t.exists("vnt08.tmp") && t.exists("vnt08exp.tmp"), !quits);
        EXPECT_TRUE(t.library->calls.isEmpty());
    }
}

TEST_F(QuitTest, WithChangesEachAnswer)
{
    e.ctx.state.ChangesPending = true;
    e.dialogs.expectQuestion(QStringLiteral("Save changes?"), Answer::Cancel);
    runHandler(e.ctx, &btnQuit_Click);
    EXPECT_EQ(e.dialogs.last().text, QStringLiteral("Do you want to save changes before quitting?"));
    EXPECT_EQ(e.dialogs.last().buttons, Buttons::YesNoCancel);
    EXPECT_FALSE(e.controls.closed);
    EXPECT_TRUE(exists("vnt08.tmp"));

    e.dialogs.expectQuestion(QStringLiteral("Save changes?"), Answer::No);
    runHandler(e.ctx, &btnQuit_Click);
    EXPECT_TRUE(e.controls.closed);
    EXPECT_TRUE(library->calls.isEmpty());
    EXPECT_FALSE(exists("vnt08.tmp"));
}

TEST_F(QuitTest, SavingWithNoArchiveAcceptedAsksForOneAndStoresNothingWithoutIt)
{
    // After an import with no archive chosen, the path proposed at start-up was
    // never accepted: Quit must not write into it.
    e.controls.setCaption(Control::labAIfilePath, QString());
    e.ctx.state.ChangesPending = true;
    e.dialogs.expectQuestion(QStringLiteral("Save changes?"), Answer::Yes);
    e.dialogs.expectNotice(QStringLiteral("Select an aidata.viv file..."));
    e.dialogs.expectOpen(QStringLiteral("Select aidata.viv file"), QString());
    runHandler(e.ctx, &btnQuit_Click);
    EXPECT_TRUE(library->calls.isEmpty());
    EXPECT_FALSE(e.controls.closed);
    EXPECT_TRUE(exists("vnt08.tmp"));
}

TEST_F(QuitTest, ClosingTheWindowDeletesOnlyTheFileWorkFileNameNames)
{
    e.ctx.state.WorkFileName = QStringLiteral("vnt08exp.tmp");
    e.ctx.state.ChangesPending = true;
    e.controls.closeWindow();
    EXPECT_FALSE(exists("vnt08exp.tmp"));
    EXPECT_TRUE(exists("vnt08.tmp"));
    EXPECT_TRUE(library->calls.isEmpty());
}
