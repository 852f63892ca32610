// The real window after a failed save on a skill switch: the skill list's widget
// shows the level that is still current. A fake window can pass where the
// widgets differ (the combo box's change runs inside the handler).

#include "support/StoryData.h"
#include "archive/ArchiveAccess.h"
#include "archive/VivArchive.h"
#include "WindowTesting.h"
#include "support/MemoryRegistry.h"
#include "support/TestEditor.h"
#include "handlers/GameLocation.h"
#include "handlers/Selection.h"

#include <QComboBox>

using namespace vnt;
using namespace vnt::test;

class FailedSwitchTest : public QObject {
    Q_OBJECT
private Q_SLOTS:

    void aFailedSaveLeavesTheListOnTheCurrentLevel()
    {
        QTemporaryDir dir;
        const QString archive = dir.filePath(QStringLiteral("aidata.viv"));
        VivArchive::create(archive, {{"Easy.ubc", StoryData::levelEntry(1)}});
        writeBytes(dir.filePath(QStringLiteral("aidata.xml")), StoryData::definitions());
        qputenv("TEMP", dir.path().toLocal8Bit());

        QtScriptedDialogs dialogs;
        MainWindow window(dialogs);
        EditorContext& ctx = window.context();
        ctx.programFolder = dir.path();
        ctx.archive = makeArchiveAccess();
        ctx.registry = std::make_shared<MemoryRegistry>(); // no game installed
        dialogs.expectNotice(QStringLiteral("Can't find NHL08..."));
        window.load();
        SetAIFile(ctx, archive);
        auto* list = qobject_cast<QComboBox*>(window.widget(Control::lstSkill));
        list->setCurrentIndex(1);
        TreeView_AI_NodeClick(ctx, QStringLiteral("pass_intercept_cpu"));
        window.setSliderPosition(90);
        valueSlider_Scroll(ctx);

        QVERIFY(QFile::rename(archive, archive + QStringLiteral(".away"))); // the store fails
        dialogs.expectQuestion(QStringLiteral("Save changes?"), Answer::Yes);
        dialogs.expectNotice(QStringLiteral("Error"));
        list->setCurrentIndex(3);
        QVERIFY(dialogs.allAnswered());
        QCOMPARE(list->currentText(), QStringLiteral("Easy"));
        QCOMPARE(ctx.state.SkillName, QStringLiteral("Easy"));
        QVERIFY(ctx.state.ChangesPending);
        window.close();
    }
};

QTEST_MAIN(FailedSwitchTest)
#include "tst_failed_switch.moc"
