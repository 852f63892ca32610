#include "editor/Events.h"
#include "handlers/Startup.h"
#include "support/TestEditor.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace vnt;
using namespace vnt::test;

TEST(Startup, WithoutTheGameWarnsAndLeavesOnlyBrowseImportAndQuit)
{
    TestEditor e;
    e.dialogs.expectNotice(QStringLiteral("Can't find NHL08..."));
    runHandler(e.ctx, &Form_Load);

    const EditorState& s = e.ctx.state;
    EXPECT_EQ(s.WorkFileName, QStringLiteral("vnt08.tmp"));
    EXPECT_EQ(s.TempFolder, e.dir.path());
    EXPECT_TRUE(s.InstallDir.isEmpty());
    EXPECT_EQ(s.AIFilePath, QDir::toNativeSeparators(QStringLiteral("gamedata/aidata.viv")));
    EXPECT_EQ(e.controls.caption(Control::labAppVersion), QStringLiteral("v1.0"));
    EXPECT_TRUE(e.controls.caption(Control::labAIfilePath).isEmpty());
    EXPECT_TRUE(e.controls.shown);

    // The placeholder is selected and remembered; nothing was extracted.
    EXPECT_EQ(e.controls.skillIndex(), 0);
    EXPECT_EQ(e.controls.skillTag(), QStringLiteral("0"));
    EXPECT_TRUE(s.SkillName.isEmpty());

    const auto& shown = e.dialogs.last();
    EXPECT_EQ(shown.text, QStringLiteral("VNT08 cannot find an NHL08 installation on you computer.\r"
                                         "Use the 'Browse' button to open your NHL08's 'aidata.viv' file."));
    EXPECT_EQ(shown.icon, Icon::Exclamation);
    EXPECT_EQ(shown.buttons, Buttons::Ok);
    for (Control c : {Control::lstSkill, Control::TreeView_AI, Control::btnApplyAIChanges,
                      Control::btnCancelAIChanges, Control::btnExportVNTSettings, Control::valueSlider})
        EXPECT_FALSE(e.controls.isEnabled(c)) << controlName(c).toStdString();
    for (Control c : {Control::btnBrowseAIFile, Control::btnImportVNTSettings, Control::btnQuit})
        EXPECT_TRUE(e.controls.isEnabled(c)) << controlName(c).toStdString();
}

TEST(Startup, ASecondEditorOnTheSameTempFolderIsToldAndClosesWithoutDeletingAnything)
{
    TestEditor first;
    first.dialogs.expectNotice(QStringLiteral("Can't find NHL08..."));
    runHandler(first.ctx, &Form_Load);
    writeBytes(first.path(QStringLiteral("vnt08.tmp")), "first editor's working copy");

    TestEditor second;
    second.env.set("TEMP", first.dir.path().toLocal8Bit());
    second.dialogs.expectNotice(QStringLiteral("Vantor 08 is already running"));
    runHandler(second.ctx, &Form_Load);

    EXPECT_TRUE(second.controls.closed);
    EXPECT_EQ(readBytes(first.path(QStringLiteral("vnt08.tmp"))), QByteArray("first editor's working copy"));

    // Once the first editor has closed, another may start.
    first.controls.closeWindow();
    TestEditor third;
    third.env.set("TEMP", first.dir.path().toLocal8Bit());
    third.dialogs.expectNotice(QStringLiteral("Can't find NHL08..."));
    runHandler(third.ctx, &Form_Load);
    EXPECT_FALSE(third.controls.closed);
}
