#include "editor/Events.h"
#include "base/Version.h"
#include "handlers/Startup.h"
#include "support/TestEditor.h"

#include <QDir>
#include <QProcess>

#include <gtest/gtest.h>

using namespace vnt;
using namespace vnt::test;

namespace {

struct StartupWithoutTheGame : ::testing::Test {
    StartupWithoutTheGame()
    {
        e.dialogs.expectNotice(QStringLiteral("Can't find NHL08..."));
        runHandler(e.ctx, &Form_Load);
    }
    TestEditor e;
};

} // namespace

// The placeholder is selected and remembered (skill tag "0"); nothing was extracted.
TEST_F(StartupWithoutTheGame, ShowsTheWindowOnThePlaceholderLevel)
{
    const EditorState& s = e.ctx.state;
    EXPECT_EQ((QStringList{s.WorkFileName, s.TempFolder, s.InstallDir, s.AIFilePath, s.SkillName, e.controls.skillTag(),
                           e.controls.caption(Control::labAppVersion), e.controls.caption(Control::labAIfilePath)}),
              (QStringList{"vnt08.tmp", e.dir.path(), "", QDir::toNativeSeparators("gamedata/aidata.viv"), "", "0",
                           QStringLiteral("v") + QString::fromLatin1(ProgramVersion), ""}));
    EXPECT_TRUE(e.controls.shown);
}

TEST_F(StartupWithoutTheGame, WarnsThatTheGameIsNotFound)
{
    EXPECT_EQ(e.dialogs.last().text, QStringLiteral("VNT08 cannot find an NHL08 installation on you computer.\r"
                                                    "Use the 'Browse' button to open your NHL08's 'aidata.viv' file."));
    EXPECT_TRUE(e.dialogs.last().icon == Icon::Exclamation && e.dialogs.last().buttons == Buttons::Ok);
}

TEST_F(StartupWithoutTheGame, LeavesOnlyBrowseImportAndQuitEnabled)
{
    for (Control c : {Control::lstSkill, Control::TreeView_AI, Control::btnApplyAIChanges, Control::btnCancelAIChanges,
                      Control::btnExportVNTSettings, Control::valueSlider})
        EXPECT_FALSE(e.controls.isEnabled(c)) << controlName(c).toStdString();
    for (Control c : {Control::btnBrowseAIFile, Control::btnImportVNTSettings, Control::btnQuit})
        EXPECT_TRUE(e.controls.isEnabled(c)) << controlName(c).toStdString();
}

// The lock file is named, and its owner: in a shared folder it may be another user's.
TEST_F(StartupWithoutTheGame, ALockHeldByARunningEditorClosesTheNextNamingTheLock)
{
    writeBytes(e.path(QStringLiteral("vnt08.tmp")), "first editor's working copy");
    TestEditor second;
    second.env.set("TEMP", e.dir.path().toLocal8Bit());
    second.dialogs.expectNotice(QStringLiteral("Vantor 08 is already running"));
    runHandler(second.ctx, &Form_Load);

    EXPECT_TRUE(second.controls.closed);
    const QString lock = QDir::toNativeSeparators(e.path(QStringLiteral("vnt08.lock")));
    const QString text = second.dialogs.last().text;
    EXPECT_TRUE(text.contains(lock) && text.contains(QFileInfo(lock).owner())) << text.toStdString();
    EXPECT_EQ(readBytes(e.path(QStringLiteral("vnt08.tmp"))), QByteArray("first editor's working copy"));
}

TEST(Startup, AMissingTempFolderClosesTheEditorWithTheReason)
{
    TestEditor e;
    e.env.set("TEMP", e.path(QStringLiteral("missing")).toLocal8Bit());
    e.dialogs.expectNotice(QStringLiteral("Vantor 08 cannot start"));
    runHandler(e.ctx, &Form_Load);
    EXPECT_TRUE(e.dialogs.last().text.contains(QStringLiteral("does not exist")));
    EXPECT_TRUE(e.controls.closed);
}

TEST(Startup, ALockLeftByAnEndedProcessIsTakenOver)
{
    QProcess ended;
    // The machine as a lock file names it: Qt takes COMPUTERNAME on Windows.
#ifdef Q_OS_WIN
    ended.start(QStringLiteral("cmd"), {QStringLiteral("/c"), QStringLiteral("exit 0")});
    const QString machine = qEnvironmentVariable("COMPUTERNAME");
#else
    ended.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("exit 0")});
    const QString machine = QSysInfo::machineHostName();
#endif
    ASSERT_TRUE(ended.waitForStarted());
    const qint64 pid = ended.processId();
    ended.waitForFinished();
    TestEditor next;
    writeBytes(next.path(QStringLiteral("vnt08.lock")), QStringLiteral("%1\nvantor08\n%2\n").arg(pid).arg(machine).toUtf8());
    next.dialogs.expectNotice(QStringLiteral("Can't find NHL08..."));
    runHandler(next.ctx, &Form_Load);
    EXPECT_FALSE(next.controls.closed);
}
