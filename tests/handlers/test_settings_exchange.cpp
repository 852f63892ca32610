#include "editor/Events.h"
#include "handlers/SettingsExchange.h"
#include "support/FakeArchive.h"
#include "support/TestEditor.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace vnt;
using namespace vnt::test;

namespace {

// An entry holds "xy" where settings files keep the skill index.
QByteArray levelBytes(char fill)
{
    return QByteArray(48, fill).replace(16, 2, "xy");
}

// An editor with an accepted archive whose Medium and Difficlt levels are filled
// with 'm' and 'd', and "Medium" current.
struct ExchangeTest : ::testing::Test {
    ExchangeTest()
    {
        library->entries = {{"Medium.ubc", levelBytes('m')}, {"Difficlt.ubc", levelBytes('d')}};
        e.ctx.archive = library;
        e.ctx.state.AIFilePath = e.path(QStringLiteral("aidata.viv"));
        e.controls.setCaption(Control::labAIfilePath, e.ctx.state.AIFilePath);
        e.controls.setSkillIndex(2);
        library->calls.clear();
    }

    // Exports over a file that is there: No to overwriting, then Yes. An installed
    // editor's folder cannot be written. (Root may write anywhere: a missing folder stands in.)
    QString exportOverAnotherFile()
    {
        e.env.set("HOME", e.path(QStringLiteral("home")).toLocal8Bit());
        e.ctx.programFolder = e.path(QStringLiteral("installed"));
        QDir().mkpath(e.ctx.programFolder);
        QFile::setPermissions(e.ctx.programFolder, QFile::ReadOwner | QFile::ExeOwner);
        if (QFileInfo(e.ctx.programFolder).isWritable())
            e.ctx.programFolder += QStringLiteral("/missing");
        const QString file = e.path(QStringLiteral("taken.VNTxp"));
        writeBytes(file, "someone else's");
        e.dialogs.expectSave(QStringLiteral("Choose location..."), file);
        e.dialogs.expectQuestion(QStringLiteral("File already exist..."), Answer::No);
        e.dialogs.expectSave(QStringLiteral("Choose location..."), file);
        e.dialogs.expectQuestion(QStringLiteral("File already exist..."), Answer::Yes);
        e.dialogs.expectNotice(QStringLiteral("Settings exported successfully"));
        runHandler(e.ctx, &btnExportVNTSettings_Click);
        return file;
    }

    TestEditor e;
    std::shared_ptr<FakeArchive> library = std::make_shared<FakeArchive>();
};

} // namespace

// The file is the working copy with the skill index at bytes 17-18; the working copy stays.
TEST_F(ExchangeTest, ExportWritesTheWorkingCopyWithTheSkillIndex)
{
    EXPECT_EQ(readBytes(exportOverAnotherFile()), withIndex(levelBytes('m'), 2));
    EXPECT_EQ(readBytes(e.workFile()), levelBytes('m'));
}

// No reopens the dialog (the scripted dialogs hold the order).
TEST_F(ExchangeTest, ExportOverAnExistingFileAsksFirst)
{
    exportOverAnotherFile();
    EXPECT_EQ(e.dialogs.shown()[1].text, QStringLiteral("The file taken.VNTxp already exist, do you want to overwrite it?"));
}

// Also when it opens again. Windows takes the home folder from the user's profile, not from the environment.
TEST_F(ExchangeTest, ExportOpensAtHomeWhenTheProgramFolderCannotBeWritten)
{
    exportOverAnotherFile();
    EXPECT_EQ(e.dialogs.shown()[0].folder + e.dialogs.shown()[2].folder, QDir::homePath() + QDir::homePath());
}

TEST_F(ExchangeTest, ACancelledExportShowsAndWritesNothing)
{
    const QString file = exportOverAnotherFile();
    e.dialogs.expectSave(QStringLiteral("Choose location..."), QString());
    runHandler(e.ctx, &btnExportVNTSettings_Click);
    EXPECT_EQ(readBytes(file), withIndex(levelBytes('m'), 2));
}

// (The level, the working copy and the pending changes an import leaves, also after
// another import: ActionModel.EveryActionKeepsStateWindowAndFilesInStep.)
TEST_F(ExchangeTest, ImportOfAnotherLevelMakesItCurrentWithoutExtracting)
{
    const QString file = e.path(QStringLiteral("hard.VNTxp"));
    const QByteArray content = withIndex(levelBytes('D'), 3);
    writeBytes(file, content);
    e.dialogs.expectOpen(QStringLiteral("Open VNT file"), file);
    e.dialogs.expectNotice(QStringLiteral("Settings imported successfully..."));
    runHandler(e.ctx, &btnImportVNTSettings_Click);

    const EditorState& s = e.ctx.state;
    EXPECT_EQ((QStringList{s.WorkFileName, s.SkillName, e.controls.skillTag()}), (QStringList{"vnt08exp.tmp", "Difficlt", "3"}));
    EXPECT_EQ(readBytes(e.workFile()), withIndex(levelBytes('D'), 0));
    EXPECT_EQ(readBytes(e.path(QStringLiteral("vnt08.tmp"))), levelBytes('m')) << "only the import copy is written";
    EXPECT_EQ(readBytes(file), content);
    EXPECT_TRUE(s.ChangesPending && !s.ImportInProgress && e.controls.isEnabled(Control::btnApplyAIChanges));
    EXPECT_TRUE(library->calls.isEmpty()) << "nothing is extracted";
}

TEST_F(ExchangeTest, FilesTooShortOrNamingNoLevelAreRefusedBeforeAnythingChanges)
{
    const QString tooHigh = e.path(QStringLiteral("four.VNTxp")), tooShort = e.path(QStringLiteral("short.VNTxp"));
    writeBytes(tooHigh, withIndex(levelBytes('z'), 4));
    writeBytes(tooShort, levelBytes('z').left(17));
    for (const QString& file : {tooHigh, tooShort}) {
        e.dialogs.expectOpen(QStringLiteral("Open VNT file"), file);
        e.dialogs.expectNotice(QStringLiteral("Error"));
        runHandler(e.ctx, &btnImportVNTSettings_Click);
        EXPECT_EQ(e.ctx.state.WorkFileName + "|" + e.ctx.state.SkillName, "vnt08.tmp|Medium") << file.toStdString();
        EXPECT_FALSE(e.ctx.state.ChangesPending || e.ctx.state.ImportInProgress);
        EXPECT_FALSE(QFile::exists(e.path(QStringLiteral("vnt08exp.tmp"))));
    }
}
