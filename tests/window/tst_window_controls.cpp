// What the editor's logic relies on from the window: the skill list, the slider,
// the tree, and which handler each event runs.

#include "WindowTesting.h"

#include "base/Error.h"
#include "support/ExpectError.h"

#include <QApplication>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTreeWidget>
#include <QWheelEvent>

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

QRect handleRect(QSlider* slider)
{
    QStyleOptionSlider opt;
    opt.initFrom(slider);
    opt.orientation = slider->orientation();
    opt.minimum = slider->minimum();
    opt.maximum = slider->maximum();
    opt.sliderPosition = opt.sliderValue = slider->value();
    opt.tickPosition = slider->tickPosition();
    opt.tickInterval = slider->tickInterval();
    return slider->style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, slider);
}

void sendMouseMove(QWidget* w, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(at), w->mapToGlobal(QPointF(at)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
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
        QVERIFY(errorOf([&] { w.setSkillIndex(-1); }));
        QCOMPARE(w.skillText(2), QStringLiteral("Medium"));

        w.setEnabled(Control::lstSkill, true); // the user's choice runs it as well
        w.showWindow();
        QTest::keyClick(r.control(Control::lstSkill), Qt::Key_Down);
        QCOMPARE(seen, (QList<int>{0, 2, 3, 1, 2}));
    }

    void sliderValuesSetByCodeNeverRaiseScroll()
    {
        SliderWindow s;
        MainWindow& w = *s.window;
        w.setSliderMinimum(-20);
        w.setSliderTickFrequency(10);
        w.setSliderPosition(30);
        QCOMPARE(w.sliderPosition(), 30);
        QCOMPARE(w.sliderTickFrequency(), 10);
        w.setSliderMinimum(40); // takes the position with it
        QCOMPARE(w.sliderPosition(), 40);
        w.setSliderPosition(1000); // beyond the range: kept at its end, no failure
        QCOMPARE(w.sliderPosition(), 100);
        w.setSliderMaximum(20);
        QCOMPARE(w.sliderMinimum(), 20);
        QVERIFY(s.positions.isEmpty());
    }

    void everyUserMoveRaisesScrollWithTheNewPosition()
    {
        SliderWindow s;
        QSlider* slider = s.slider();
        for (Qt::Key key : {Qt::Key_Right, Qt::Key_Left, Qt::Key_PageUp, Qt::Key_End, Qt::Key_End})
            QTest::keyClick(slider, key);
        // The second End moves nothing: no scroll, and no move left pending for
        // the next position set by code.
        s.window->setSliderPosition(50);
        QCOMPARE(s.positions, (QList<int>{51, 50, 55, 100}));

        const QPoint inside(5, handleRect(slider).center().y());
        QWheelEvent wheel(QPointF(inside), slider->mapToGlobal(QPointF(inside)), QPoint(), QPoint(0, 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(slider, &wheel);
        QCOMPARE(s.positions.size(), 5);
        QVERIFY(s.positions.last() > 50);

        // A click on the groove right of the handle pages up.
        const int beforeClick = s.window->sliderPosition();
        QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(slider->width() - 3, inside.y()));
        QCOMPARE(s.positions.size(), 6);
        QVERIFY(s.positions.last() > beforeClick);

        // Dragging the handle: one scroll per step.
        const QPoint start = handleRect(slider).center();
        QTest::mousePress(slider, Qt::LeftButton, {}, start);
        sendMouseMove(slider, start - QPoint(30, 0));
        sendMouseMove(slider, start - QPoint(60, 0));
        QTest::mouseRelease(slider, Qt::LeftButton, {}, start - QPoint(60, 0));
        QCOMPARE(s.positions.size(), 8);
        QVERIFY(s.positions[7] < s.positions[6] && s.positions[6] < s.positions[5]);
        QCOMPARE(s.positions.last(), s.window->sliderPosition());
    }

    void aMoveWhileTheScrollHandlerRunsIsRefused()
    {
        SliderWindow s;
        s.log.during = [&s](const QString&) {
            s.positions << s.window->sliderPosition();
            QTest::keyClick(s.slider(), Qt::Key_Right); // as a paging repeat under an open dialog would
        };
        QTest::keyClick(s.slider(), Qt::Key_Right);
        QCOMPARE(s.positions, QList<int>{51});
        QCOMPARE(s.slider()->sliderPosition(), 51);
    }

    void treeAddsNodesUnderTheirParentsAndRefusesBadKeys()
    {
        TreeWindow r;
        QCOMPARE(r.w.nodeCount(), 5);
        QCOMPARE(r.w.nodeKey(4), QStringLiteral("PCAI"));
        QCOMPARE(r.w.nodeCaption(3), QStringLiteral("Puck Control"));
        QCOMPARE(r.tree->topLevelItemCount(), 1);
        QTreeWidgetItem* root = r.tree->topLevelItem(0);
        QCOMPARE(root->childCount(), 2);
        QCOMPARE(root->child(1)->text(0), QStringLiteral("PCAI"));
        QCOMPARE(root->child(0)->child(0)->child(0)->data(0, Qt::UserRole).toString(), QStringLiteral("deke"));

        QVERIFY(errorOf([&] { r.w.addNode(QString(), QStringLiteral("Deke"), QStringLiteral("x")); }));
        QVERIFY(errorOf([&] { r.w.addNode(QStringLiteral("nowhere"), QStringLiteral("new"), QStringLiteral("x")); }));
        QCOMPARE(r.w.nodeCount(), 5);
        QCOMPARE(r.tree->topLevelItemCount(), 1);
        QVERIFY(errorOf([&] { r.w.nodeKey(0); }));
        QVERIFY(errorOf([&] { r.w.nodeCaption(6); }));
        QVERIFY(errorOf([&] { r.w.isExpanded(QStringLiteral("ai")); })); // keys match exactly
        QVERIFY(errorOf([&] { r.w.ensureVisible(QStringLiteral("missing")); }));
    }

    void ensureVisibleOpensTheAncestorsAndKeepsTheSelection()
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
        QVERIFY(r.log.clickedKeys.isEmpty());
        r.w.setExpanded(QStringLiteral("AI"), false);
        QVERIFY(!r.w.isExpanded(QStringLiteral("AI")));
    }

    void clickingOrKeyingToANodeReportsItsKey()
    {
        TreeWindow r;
        r.tree->expandAll();
        r.w.showWindow();
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

    void eachEventRunsItsOwnHandler()
    {
        RecordedWindow r;
        const std::pair<Control, const char*> buttons[] = {
            {Control::btnQuit, "quit"}, {Control::btnBrowseAIFile, "browse"},
            {Control::btnAItreeCollapseAll, "collapseAll"}, {Control::btnAItreeExpandAll, "expandAll"},
            {Control::btnSetDefaultValue, "setDefault"}, {Control::btnApplyAIChanges, "apply"},
            {Control::btnCancelAIChanges, "cancel"}, {Control::btnExportVNTSettings, "exportSettings"},
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
        QCOMPARE(r.log.calls, expected);

        // Through runHandler: a failure is reported and the state put back.
        r.log.during = [&r](const QString&) {
            r.window->context().state.ChangesPending = true;
            throw Error(err::DeviceIO, QStringLiteral("The disk went away."));
        };
        r.dialogs.expectNotice(QStringLiteral("Error"));
        QTest::mouseClick(r.control(Control::btnApplyAIChanges), Qt::LeftButton);
        QCOMPARE(r.dialogs.shown().size(), std::size_t(1));
        QVERIFY(r.dialogs.shown()[0].icon == Icon::Critical);
        QVERIFY(!r.window->context().state.ChangesPending);
    }

    void closingTheWindowAnyWayRunsTheUnloadHandler()
    {
        for (bool byQuit : {false, true}) {
            RecordedWindow r;
            r.window->showWindow();
            byQuit ? r.window->closeWindow() : void(r.window->close());
            QCOMPARE(r.log.calls, QStringList{"unload"});
            QVERIFY(!r.window->isVisible());
        }
    }
};

QTEST_MAIN(WindowControlsTest)
#include "tst_window_controls.moc"
