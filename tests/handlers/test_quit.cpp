// Quit and closing the window: the questions and the working copies they delete.
// (Which answers close, what a save stores and that the archive is left alone:
// ActionModel.EveryActionKeepsStateWindowAndFilesInStep.)
#include "editor/Events.h"
#include "handlers/Startup.h"
#include "support/TestEditor.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace vnt;
using namespace vnt::test;

namespace {

// An editor with both working-copy names present in the temp folder.
struct Quitting : TestEditor {
    Quitting()
    {
        writeBytes(path(QStringLiteral("vnt08.tmp")), "edited values");
        writeBytes(path(QStringLiteral("vnt08exp.tmp")), "imported values");
    }
    bool exists(const char* name) const { return QFile::exists(path(QString::fromLatin1(name))); }
};

} // namespace

// A quit that closes deletes both working copies; one that does not keeps them.
TEST(Quit, DeletesTheWorkingCopiesExactlyWhenItCloses)
{
    const struct {
        bool pending;
        Answer answer;
        const char* title;
        Buttons buttons;
        bool quits;
    } rows[] = {
        {false, Answer::Yes, "Quit VNT 08?", Buttons::YesNo, true},
        {false, Answer::No, "Quit VNT 08?", Buttons::YesNo, false},
        {true, Answer::No, "Save changes?", Buttons::YesNoCancel, true},
        {true, Answer::Cancel, "Save changes?", Buttons::YesNoCancel, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.title + std::to_string(int(row.answer)));
        Quitting t;
        t.ctx.state.ChangesPending = row.pending;
        t.dialogs.expectQuestion(QString::fromLatin1(row.title), row.answer);
        runHandler(t.ctx, &btnQuit_Click);
        EXPECT_EQ(t.dialogs.last().buttons, row.buttons);
        EXPECT_EQ(t.controls.closed, row.quits);
        EXPECT_EQ(t.exists("vnt08.tmp") + t.exists("vnt08exp.tmp"), row.quits ? 0 : 2);
    }
}

TEST(Quit, ClosingTheWindowDeletesOnlyTheFileWorkFileNameNames)
{
    Quitting t;
    t.ctx.state.WorkFileName = QStringLiteral("vnt08exp.tmp");
    t.ctx.state.ChangesPending = true;
    t.controls.closeWindow();
    EXPECT_FALSE(t.exists("vnt08exp.tmp"));
    EXPECT_TRUE(t.exists("vnt08.tmp"));
}
