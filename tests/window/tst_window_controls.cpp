// What the editor's logic relies on from the window: the skill list, the slider,
// the tree, and which handler each event runs.

#include "WindowTesting.h"

#include "archive/ArchiveAccess.h"
#include "archive/VivArchive.h"
#include "handlers/GameLocation.h"
#include "handlers/Selection.h"
#include "support/ExpectError.h"
#include "support/MemoryRegistry.h"
#include "support/StoryData.h"
#include "support/TestEditor.h"

#include <QApplication>
#include <QComboBox>
#include <QSlider>
#include <QTest>
#include <QTreeWidget>

using namespace vnt;
using namespace vnt::test;

namespace {

// A shown window whose slider runs from 0 to 100, enabled, focused, at 50; it
// records the slider's position each time the scroll handler runs.
struct SliderWindow : RecordedWindow {
    SliderWindow()
    {
        window->setSliderMaximum(100);
        window->setSliderPosition(50);
        window->setEnabled(Control::valueSlider, true);
        window->showWindow();
        window->setFocus(Control::valueSlider);
        log.during = [this](const QString& name) {
            if (name == QStringLiteral("scroll"))
                positions << window->sliderPosition();
        };
    }
    QSlider* slider() const { return control<QSlider>(Control::valueSlider); }
    QList<int> positions;
};

// A move of the mouse with its left button held.
void drag(QWidget* w, QPoint to)
{
    QMouseEvent move(QEvent::MouseMove, to, w->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

// A window whose tree holds aidata > AI > puck > deke, and aidata > PCAI.
struct TreeWindow : RecordedWindow {
    TreeWindow()
    {
        w.addNode(QString(), QStringLiteral("aidata"), QStringLiteral("aidata"));
        w.addNode(QStringLiteral("aidata"), QStringLiteral("AI"), QStringLiteral("AI"));
        w.addNode(QStringLiteral("AI"), QStringLiteral("puck"), QStringLiteral("Puck Control"));
        w.addNode(QStringLiteral("aidata"), QStringLiteral("PCAI"), QStringLiteral("PCAI"));
        w.addNode(QStringLiteral("puck"), QStringLiteral("deke"), QStringLiteral("Deke"));
    }
    MainWindow& w = *window;
    QTreeWidget* tree = control<QTreeWidget>(Control::TreeView_AI);
};

} // namespace

class WindowControlsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void skillIndexFromCodeRunsTheHandlerAtOnceButNotForTheSameIndex()
    {
        RecordedWindow r;
        MainWindow& w = *r.window;
        QList<int> seen;
        r.log.during = [&](const QString&) {
            seen << w.skillIndex();
            if (w.skillIndex() == 3)
                w.setSkillIndex(1); // a refused choice goes back, from inside the handler
        };
        w.setSkillIndex(0);
        QCOMPARE(seen, QList<int>{0});
        w.setSkillIndex(0);
        w.setSkillIndex(2);
        w.setSkillIndex(3);
        QCOMPARE(seen, (QList<int>{0, 2, 3, 1}));
        QVERIFY(errorOf([&] { w.setSkillIndex(4); }));

        w.setEnabled(Control::lstSkill, true); // the user's choice runs it as well
        w.showWindow();
        QTest::keyClick(r.control(Control::lstSkill), Qt::Key_Down);
        QCOMPARE(seen, (QList<int>{0, 2, 3, 1, 2}));
    }

    // The real window, as its combo box's change runs inside the handler: after a
    // failed save on a skill switch the list shows the level that is still current.
    void aFailedSaveOnASwitchLeavesTheListOnTheCurrentLevel()
    {
        QTemporaryDir dir;
        const QString archive = dir.filePath(QStringLiteral("aidata.viv"));
        VivArchive::create(archive, {{"Easy.ubc", StoryData::levelEntry(1)}});
        writeBytes(dir.filePath(QStringLiteral("aidata.xml")), StoryData::definitions());
        EnvGuard env;
        env.set("TEMP", dir.path().toLocal8Bit());

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
        window.close();
    }

    // The second End moves nothing: no scroll, and no move left pending for the next
    // position set by code.
    void everyKeyMoveRaisesScrollWithTheNewPosition()
    {
        SliderWindow s;
        for (Qt::Key key : {Qt::Key_Right, Qt::Key_Left, Qt::Key_PageUp, Qt::Key_End, Qt::Key_End})
            QTest::keyClick(s.slider(), key);
        s.window->setSliderPosition(50);
        QCOMPARE(s.positions, (QList<int>{51, 50, 55, 100}));
    }

    // The handle is in the middle at 50.
    void draggingRaisesScrollOnEveryStep()
    {
        SliderWindow s;
        QSlider* slider = s.slider();
        const QPoint start = slider->rect().center();
        QTest::mousePress(slider, Qt::LeftButton, {}, start);
        drag(slider, start - QPoint(30, 0));
        drag(slider, start - QPoint(60, 0));
        QTest::mouseRelease(slider, Qt::LeftButton, {}, start - QPoint(60, 0));
        QCOMPARE(s.positions.size(), 2);
        QVERIFY(s.positions[1] < s.positions[0] && s.positions[0] < 50);
        QCOMPARE(s.positions.last(), s.window->sliderPosition());
    }

    void valuesSetByCodeRaiseNoScroll()
    {
        SliderWindow s;
        s.window->setSliderTickFrequency(10);
        s.window->setSliderMinimum(60);    // takes the position with it
        s.window->setSliderPosition(1000); // beyond the range: kept at its end, no failure
        QCOMPARE(s.window->sliderPosition(), 100);
        QCOMPARE(s.window->sliderTickFrequency(), 10);
        QVERIFY(s.positions.isEmpty());
    }

    void aMoveDuringScrollIsRefused()
    {
        SliderWindow s;
        s.log.during = [&s](const QString&) {
            s.positions << s.window->sliderPosition();
            QTest::keyClick(s.slider(), Qt::Key_Left); // refused, as a paging repeat under an open dialog would be
        };
        QTest::keyClick(s.slider(), Qt::Key_Left);
        QCOMPARE(s.positions, QList<int>{49});
        QCOMPARE(s.slider()->sliderPosition(), 49);
    }

    void treeNodesGoUnderTheirParentsWithKeysOfTheirOwn()
    {
        TreeWindow r;
        QCOMPARE(r.w.nodeKey(4) + r.w.nodeCaption(3), QStringLiteral("PCAIPuck Control"));
        QCOMPARE(r.tree->topLevelItemCount(), 1);
        QTreeWidgetItem* root = r.tree->topLevelItem(0);
        QCOMPARE(root->child(0)->child(0)->child(0)->data(0, Qt::UserRole).toString(), QStringLiteral("deke"));
        QVERIFY(errorOf([&] { r.w.addNode(QString(), QStringLiteral("Deke"), QStringLiteral("x")); }));
        QVERIFY(errorOf([&] { r.w.addNode(QStringLiteral("nowhere"), QStringLiteral("new"), QStringLiteral("x")); }));
        QVERIFY(errorOf([&] { r.w.isExpanded(QStringLiteral("ai")); })); // keys match exactly
        QVERIFY(errorOf([&] { r.w.nodeKey(0); }));
        QCOMPARE(r.w.nodeCount(), 5);
    }

    void ensureVisibleOpensTheParentsWithoutSelecting()
    {
        TreeWindow r;
        QTreeWidgetItem* pcai = r.tree->topLevelItem(0)->child(1);
        r.tree->setCurrentItem(pcai);
        r.w.showWindow();
        r.w.ensureVisible(QStringLiteral("deke"));
        for (const char* key : {"aidata", "AI", "puck"})
            QVERIFY2(r.w.isExpanded(QString::fromLatin1(key)), key);
        QVERIFY(!r.w.isExpanded(QStringLiteral("PCAI")));
        QCOMPARE(r.tree->selectedItems(), QList<QTreeWidgetItem*>{pcai});
        r.w.setExpanded(QStringLiteral("AI"), false);
        QVERIFY(!r.w.isExpanded(QStringLiteral("AI")));
    }

    void clickingOrKeyingToANodeReportsItsKey()
    {
        TreeWindow r;
        r.w.showWindow();
        r.tree->expandAll();
        QVERIFY(QTest::qWaitForWindowExposed(&r.w));
        const QPoint onAI = r.tree->visualItemRect(r.tree->topLevelItem(0)->child(0)).center();
        QTest::mouseClick(r.tree->viewport(), Qt::LeftButton, {}, onAI); // disabled at start: nothing
        r.w.setEnabled(Control::TreeView_AI, true);
        QTest::mouseClick(r.tree->viewport(), Qt::LeftButton, {}, onAI);
        QTest::keyClick(r.tree, Qt::Key_Down);
        QTest::keyClick(r.tree, Qt::Key_Home);
        QTest::keyClick(r.tree, Qt::Key_Home); // already there: no click
        QCOMPARE(r.log.clickedKeys, (QStringList{"AI", "puck", "aidata"}));
    }

    void eachEventRunsItsOwnHandler() // closing the window runs the unload handler
    {
        RecordedWindow r;
        const std::pair<Control, const char*> buttons[] = {{Control::btnQuit, "quit"},
                                                           {Control::btnBrowseAIFile, "browse"},
                                                           {Control::btnAItreeCollapseAll, "collapseAll"},
                                                           {Control::btnAItreeExpandAll, "expandAll"},
                                                           {Control::btnSetDefaultValue, "setDefault"},
                                                           {Control::btnApplyAIChanges, "apply"},
                                                           {Control::btnCancelAIChanges, "cancel"},
                                                           {Control::btnExportVNTSettings, "exportSettings"},
                                                           {Control::btnImportVNTSettings, "importSettings"}};
        r.window->load();
        r.window->showWindow();
        QTest::mouseClick(r.control(Control::btnApplyAIChanges), Qt::LeftButton); // disabled: nothing
        QStringList expected{"load"};
        for (const auto& [control, name] : buttons) {
            r.window->setEnabled(control, true);
            QTest::mouseClick(r.control(control), Qt::LeftButton);
            expected << QString::fromLatin1(name);
        }
        r.window->closeWindow(); // as the user's closing does, through the close event
        QCOMPARE(r.log.calls, expected << QStringLiteral("unload"));
        QVERIFY(!r.window->isVisible());
    }
};

QTEST_MAIN(WindowControlsTest)
#include "tst_window_controls.moc"
