#include "StoryEditor.h"

#include "handlers/ApplyCancel.h"
#include "archive/ArchiveAccess.h"
#include "archive/VivOutput.h"
#include "handlers/Selection.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

using namespace vnt;
using namespace vnt::test;

namespace {

// An edited Medium level, ready to apply.
struct ApplyFaults : ::testing::Test {
    ApplyFaults()
    {
        e.browseTo(e.archive);
        e.controls.setSkillIndex(2);
        TreeView_AI_NodeClick(e.ctx, QStringLiteral("faceoffs_cpu_chances"));
        e.moveSlider(99);
        before = readBytes(e.archive);
    }
    // Applies, answering Yes; expects the error box and returns its text.
    QString applyExpectingError()
    {
        e.dialogs.expectQuestion(QStringLiteral("Apply changes?"), Answer::Yes);
        e.dialogs.expectNotice(QStringLiteral("Error"));
        runHandler(e.ctx, &btnApplyAIChanges_Click);
        return e.dialogs.last().text;
    }
    void expectNothingLost()
    {
        EXPECT_TRUE(e.ctx.state.ChangesPending);
        EXPECT_EQ(readBytes(e.archive), before);
        EXPECT_EQ(e.dialogs.titles().back(), QStringLiteral("Error")) << "no success message after the failure";
    }

    StoryEditor e;
    QByteArray before;
};

// Removes the archive just before the library stores into it.
class VanishingArchive : public ArchiveAccess {
public:
    explicit VanishingArchive(std::shared_ptr<ArchiveAccess> real) : real_(std::move(real)) {}
    void exportFile(const QString& a, const QString& n, const QString& o) override { real_->exportFile(a, n, o); }
    void addFile(const QString& archive, const QString& file) override
    {
        QFile::remove(archive);
        real_->addFile(archive, file);
    }

private:
    std::shared_ptr<ArchiveAccess> real_;
};

// Makes a folder unwritable for the length of a test; root needs the immutable
// attribute, since permissions do not stop it.
struct ReadOnlyFolder {
    explicit ReadOnlyFolder(QString p) : path(std::move(p))
    {
#ifndef Q_OS_WIN
        if (geteuid() == 0)
            applied = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path}) == 0;
        else
#endif
            applied = QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
    }
    ~ReadOnlyFolder()
    {
#ifndef Q_OS_WIN
        if (geteuid() == 0)
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), path});
#endif
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString path;
    bool applied = false;
};

} // namespace

TEST_F(ApplyFaults, AMissingArchiveStopsApplyBeforeAnythingIsWritten)
{
    QFile::remove(e.archive);
    const QString text = applyExpectingError();
    EXPECT_TRUE(text.contains(QStringLiteral("aidata.viv"))) << text.toStdString();
    EXPECT_TRUE(e.ctx.state.ChangesPending);
    EXPECT_FALSE(QFile::exists(e.archive)) << "no archive is made";
    EXPECT_TRUE(QDir(e.path(QStringLiteral("game/gamedata"))).isEmpty());
}

TEST_F(ApplyFaults, AnArchiveThatVanishesAfterTheBackupIsNotRecreated)
{
    e.ctx.archive = std::make_shared<VanishingArchive>(e.ctx.archive);
    applyExpectingError();
    EXPECT_TRUE(e.ctx.state.ChangesPending);
    EXPECT_FALSE(QFile::exists(e.archive));
    EXPECT_EQ(readBytes(e.archive + QStringLiteral(".VNT_backup_3597")), before);
}

TEST_F(ApplyFaults, AFullDiskLeavesTheArchiveAsItWas)
{
    const SimulatedDiskLimit full(100);
    applyExpectingError();
    expectNothingLost();
}

TEST_F(ApplyFaults, AReadOnlyArchiveFolderLeavesTheArchiveAsItWas)
{
    const ReadOnlyFolder folder(e.path(QStringLiteral("game/gamedata")));
    if (!folder.applied)
        GTEST_SKIP() << "cannot make a folder read-only here";
    applyExpectingError();
    expectNothingLost();
}

TEST_F(ApplyFaults, NoArchiveChosenAsksForOneAndACancelledDialogStopsApply)
{
    StoryEditor fresh;
    fresh.ctx.state.ChangesPending = true;
    fresh.dialogs.expectNotice(QStringLiteral("Select an aidata.viv file..."));
    fresh.dialogs.expectOpen(QStringLiteral("Select aidata.viv file"), QString());
    runHandler(fresh.ctx, &btnApplyAIChanges_Click);
    EXPECT_EQ(fresh.dialogs.shown().back().kind, ScriptedDialogs::Kind::Open);
    EXPECT_TRUE(fresh.ctx.state.ChangesPending);
}
