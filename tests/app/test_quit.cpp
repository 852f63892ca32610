// Quit and closing the window: the questions and the working copies they delete.
// (Which answers close and what a save stores: ActionModel.EveryActionKeepsStateWindowAndFilesInStep.)
#include "editor/Events.h"
#include "handlers/Startup.h"
#include "support/FakeArchive.h"
#include "support/TestEditor.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace vnt;
using namespace vnt::test;

namespace {

// An editor past start-up with an accepted archive and both working-copy names
// present in the temp folder.
struct Quitting {
    Quitting()
    {
        e.ctx.archive = library;
        e.ctx.state.AIFilePath = e.path(QStringLiteral("aidata.viv"));
        writeBytes(e.path(QStringLiteral("vnt08.tmp")), "edited values");
        writeBytes(e.path(QStringLiteral("vnt08exp.tmp")), "imported values");
    }
    bool exists(const char* name) const { return QFile::exists(e.path(QString::fromLatin1(name))); }

    TestEditor e;
    std::shared_ptr<FakeArchive> library = std::make_shared<FakeArchive>();
};

} // namespace

TEST(Quit, AQuitThatClosesDeletesBothWorkingCopiesAndOneThatDoesNotKeepsThem)
{
    const struct { bool pending; Answer answer; const char* title; Buttons buttons; bool quits; } rows[] = {
        {false, Answer::Yes, "Quit VNT 08?", Buttons::YesNo, true},
        {false, Answer::No, "Quit VNT 08?", Buttons::YesNo, false},
        {true, Answer::No, "Save changes?", Buttons::YesNoCancel, true},
        {true, Answer::Cancel, "Save changes?", Buttons::YesNoCancel, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.title + std::to_string(int(row.answer)));
        Quitting t;
        t.e.ctx.state.ChangesPending = row.pending;
        t.e.dialogs.expectQuestion(QString::fromLatin1(row.title), row.answer);
        runHandler(t.e.ctx, &btnQuit_Click);
        EXPECT_EQ(t.e.dialogs.last().buttons, row.buttons);
        EXPECT_EQ(t.e.controls.closed, row.quits);
        EXPECT_EQ(t.exists("vnt08.tmp") + t.exists("vnt08exp.tmp"), row.quits ? 0 : 2);
        EXPECT_TRUE(t.library->calls.isEmpty());
    }
}

TEST(Quit, ClosingTheWindowDeletesOnlyTheFileWorkFileNameNames)
{
    Quitting t;
    t.e.ctx.state.WorkFileName = QStringLiteral("vnt08exp.tmp");
    t.e.ctx.state.ChangesPending = true;
    t.e.controls.closeWindow();
    EXPECT_FALSE(t.exists("vnt08exp.tmp"));
    EXPECT_TRUE(t.exists("vnt08.tmp"));
}
