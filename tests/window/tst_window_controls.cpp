// What the editor's logic relies on from the window: the skill list, the slider,
// the tree, labels and states, and which handler each event runs.

#include "WindowTesting.h"

#include "app/Error.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTreeWidget>
#include <QWheelEvent>

using namespace vnt;
using namespace vnt::test;

namespace {

// A shown window whose slider runs from 0 to 100, enabled, focused, at 50, and
// that records the slider's position each time the scroll handler runs.
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
    opt.sliderPosition = slider->sliderPosition();
    opt.sliderValue = slider->value();
    opt.tickPosition = slider->tickPosition();
    opt.tickInterval = slider->tickInterval();
    opt.singleStep = slider->singleStep();
    opt.pageStep = slider->pageStep();
    return slider->style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, slider);
}

void sendMouseMove(QWidget* w, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(at), w->mapToGlobal(QPointF(at)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

// aidata > AI > puck > deke, aidata > PCAI
void addSampleNodes(MainWindow& w)
{
    w.addNode(QString(), QStringLiteral("aidata"), QStringLiteral("aidata"));
    w.addNode(QStringLiteral("aidata"), QStringLiteral("AI"), QStringLiteral("AI"));
    w.addNode(QStringLiteral("AI"), QStringLiteral("puck"), QStringLiteral("Puck Control"));
    w.addNode(QStringLiteral("aidata"), QStringLiteral("PCAI"), QStringLiteral("PCAI"));
    w.addNode(QStringLiteral("puck"), QStringLiteral("deke"), QStringLiteral("Deke"));
}

template <typename F>
bool throwsError(F&& f)
{
    try {
        f();
    } catch (const Error&) {
        return true;
    }
    return false;
}

} // namespace

class WindowControlsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void settingTheSkillIndexRunsTheHandlerAtOnceButNotForTheSameIndex();
    void choosingASkillByKeyboardRunsTheHandler();
    void sliderValuesSetByCodeNeverRaiseScroll();
    void keyboardMovesRaiseScrollWithTheNewPosition();
    void wheelAndGrooveClicksRaiseScroll();
    void draggingTheHandleRaisesScrollForEachStep();
    void aMoveWhileTheScrollHandlerRunsIsRefused();
    void treeAddsNodesUnderTheirParentsAndFindsThemByKeyOrIndex();
    void treeRefusesDuplicateKeysMissingParentsAndUnknownNodes();
    void ensureVisibleOpensTheAncestorsAndKeepsTheSelection();
    void clickingOrKeyingToANodeReportsItsKey();
    void labelsAndStatesAreSetAndReadBack();
    void eachButtonRunsItsOwnHandler();
    void aFailingHandlerIsReportedAndTheStateRestored();
    void closingTheWindowRunsTheUnloadHandler();
};

void WindowControlsTest::settingTheSkillIndexRunsTheHandlerAtOnceButNotForTheSameIndex()
{
    RecordedWindow r;
    MainWindow& w = *r.window;
    QList<int> seen;
    r.log.during = [&](const QString& name) {
        if (name != QStringLiteral("skillChanged"))
            return;
        seen << w.skillIndex();
        if (w.skillIndex() == 3)
            w.setSkillIndex(1); // a refused choice goes back, from inside the handler
    };
    w.setSkillIndex(0);
    QCOMPARE(seen, QList<int>{0});
    w.setSkillIndex(0);
    QCOMPARE(seen, QList<int>{0});
    w.setSkillIndex(2);
    QCOMPARE(seen, (QList<int>{0, 2}));
    w.setSkillIndex(3);
    QCOMPARE(seen, (QList<int>{0, 2, 3, 1}));
    QCOMPARE(w.skillIndex(), 1);

    QVERIFY(throwsError([&] { w.setSkillIndex(4); }));
    QVERIFY(throwsError([&] { w.setSkillIndex(-1); }));
    QCOMPARE(w.skillIndex(), 1);
    QCOMPARE(w.skillText(2), QStringLiteral("Medium"));
    w.setSkillTag(QStringLiteral("2"));
    QCOMPARE(w.skillTag(), QStringLiteral("2"));
}

void WindowControlsTest::choosingASkillByKeyboardRunsTheHandler()
{
    RecordedWindow r;
    MainWindow& w = *r.window;
    w.setSkillIndex(1);
    w.setEnabled(Control::lstSkill, true);
    w.showWindow();
    QTest::keyClick(r.control(Control::lstSkill), Qt::Key_Down);
    QCOMPARE(w.skillIndex(), 2);
    QCOMPARE(r.log.count(QStringLiteral("skillChanged")), 2);
}

void WindowControlsTest::sliderValuesSetByCodeNeverRaiseScroll()
{
    SliderWindow s;
    MainWindow& w = *s.window;
    w.setSliderMinimum(-20);
    w.setSliderTickFrequency(10);
    w.setSliderPosition(30);
    QCOMPARE(w.sliderPosition(), 30);
    QCOMPARE(w.sliderTickFrequency(), 10);
    w.setSliderMinimum(40); // pushes the position up with it
    QCOMPARE(w.sliderPosition(), 40);
    w.setSliderPosition(1000); // outside the range: kept at its end, no failure
    QCOMPARE(w.sliderPosition(), 100);
    w.setSliderMaximum(20);
    QCOMPARE(w.sliderMinimum(), 20);
    QCOMPARE(w.sliderPosition(), 20);
    QVERIFY(s.positions.isEmpty());
}

void WindowControlsTest::keyboardMovesRaiseScrollWithTheNewPosition()
{
    SliderWindow s;
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Left, Qt::Key_PageUp, Qt::Key_End, Qt::Key_End, Qt::Key_Home})
        QTest::keyClick(s.slider(), key);
    // The second End moves nothing and raises nothing.
    QCOMPARE(s.positions, (QList<int>{51, 50, 55, 100, 0}));
}

void WindowControlsTest::wheelAndGrooveClicksRaiseScroll()
{
    SliderWindow s;
    QSlider* slider = s.slider();
    const QPoint inside(5, slider->height() / 2);
    QWheelEvent wheel(QPointF(inside), slider->mapToGlobal(QPointF(inside)), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(slider, &wheel);
    QCOMPARE(s.positions.size(), 1);
    QVERIFY(s.positions.last() > 50);
    QCOMPARE(s.positions.last(), s.window->sliderPosition());

    const int before = s.window->sliderPosition();
    // On the groove, right of the handle.
    QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(slider->width() - 3, handleRect(slider).center().y()));
    QCOMPARE(s.positions.size(), 2);
    QVERIFY(s.positions.last() > before);
    QCOMPARE(s.positions.last(), s.window->sliderPosition());
}

void WindowControlsTest::draggingTheHandleRaisesScrollForEachStep()
{
    SliderWindow s;
    QSlider* slider = s.slider();
    const QPoint start = handleRect(slider).center();
    QTest::mousePress(slider, Qt::LeftButton, {}, start);
    sendMouseMove(slider, start + QPoint(30, 0));
    sendMouseMove(slider, start + QPoint(60, 0));
    QTest::mouseRelease(slider, Qt::LeftButton, {}, start + QPoint(60, 0));
    QCOMPARE(s.positions.size(), 2);
    QVERIFY(s.positions[0] > 50 && s.positions[1] > s.positions[0]);
    QCOMPARE(s.positions[1], s.window->sliderPosition());
}

void WindowControlsTest::aMoveWhileTheScrollHandlerRunsIsRefused()
{
    SliderWindow s;
    s.log.during = [&s](const QString& name) {
        if (name != QStringLiteral("scroll"))
            return;
        s.positions << s.window->sliderPosition();
        QTest::keyClick(s.slider(), Qt::Key_Right); // as a paging repeat under an open dialog would
    };
    QTest::keyClick(s.slider(), Qt::Key_Right);
    QCOMPARE(s.positions, QList<int>{51});
    QCOMPARE(s.window->sliderPosition(), 51);
    QCOMPARE(s.slider()->sliderPosition(), 51);
}

void WindowControlsTest::treeAddsNodesUnderTheirParentsAndFindsThemByKeyOrIndex()
{
    RecordedWindow r;
    MainWindow& w = *r.window;
    addSampleNodes(w);
    QCOMPARE(w.nodeCount(), 5);
    QCOMPARE(w.nodeKey(1), QStringLiteral("aidata"));
    QCOMPARE(w.nodeKey(4), QStringLiteral("PCAI"));
    QCOMPARE(w.nodeCaption(3), QStringLiteral("Puck Control"));
    auto* tree = r.control<QTreeWidget>(Control::TreeView_AI);
    QCOMPARE(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* root = tree->topLevelItem(0);
    QCOMPARE(root->childCount(), 2);
    QCOMPARE(root->child(0)->text(0), QStringLiteral("AI"));
    QCOMPARE(root->child(1)->text(0), QStringLiteral("PCAI"));
    QCOMPARE(root->child(0)->child(0)->child(0)->data(0, Qt::UserRole).toString(), QStringLiteral("deke"));
}

void WindowControlsTest::treeRefusesDuplicateKeysMissingParentsAndUnknownNodes()
{
    RecordedWindow r;
    MainWindow& w = *r.window;
    addSampleNodes(w);
    QVERIFY(throwsError([&] { w.addNode(QString(), QStringLiteral("Deke"), QStringLiteral("x")); }));
    QVERIFY(throwsError([&] { w.addNode(QStringLiteral("nowhere"), QStringLiteral("new"), QStringLiteral("x")); }));
    QCOMPARE(w.nodeCount(), 5);
    QCOMPARE(r.control<QTreeWidget>(Control::TreeView_AI)->topLevelItemCount(), 1);
    QVERIFY(throwsError([&] { w.nodeKey(0); }));
    QVERIFY(throwsError([&] { w.nodeCaption(6); }));
    // Lookups match the key exactly.
    QVERIFY(throwsError([&] { w.isExpanded(QStringLiteral("ai")); }));
    QVERIFY(throwsError([&] { w.setExpanded(QStringLiteral("missing"), true); }));
    QVERIFY(throwsError([&] { w.ensureVisible(QStringLiteral("missing")); }));
}

void WindowControlsTest::ensureVisibleOpensTheAncestorsAndKeepsTheSelection()
{
    RecordedWindow r;
    MainWindow& w = *r.window;
    addSampleNodes(w);
    auto* tree = r.control<QTreeWidget>(Control::TreeView_AI);
    QTreeWidgetItem* pcai = tree->topLevelItem(0)->child(1);
    tree->setCurrentItem(pcai);
    w.showWindow();

    w.ensureVisible(QStringLiteral("deke"));
    for (const char* key : {"aidata", "AI", "puck"})
        QVERIFY2(w.isExpanded(QString::fromLatin1(key)), key);
    QVERIFY(!w.isExpanded(QStringLiteral("PCAI")));
    QCOMPARE(tree->currentItem(), pcai);
    QCOMPARE(tree->selectedItems(), QList<QTreeWidgetItem*>{pcai});
    QVERIFY(r.log.calls.isEmpty());

    w.setExpanded(QStringLiteral("AI"), false);
    QVERIFY(!w.isExpanded(QStringLiteral("AI")));
    QVERIFY(w.isExpanded(QStringLiteral("puck")));
}

void WindowControlsTest::clickingOrKeyingToANodeReportsItsKey()
{
    RecordedWindow r;
    MainWindow& w = *r.window;
    addSampleNodes(w);
    auto* tree = r.control<QTreeWidget>(Control::TreeView_AI);
    tree->expandAll();
    w.showWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTreeWidgetItem* ai = tree->topLevelItem(0)->child(0);

    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(ai).center());
    QVERIFY(r.log.calls.isEmpty()); // the tree is disabled at start

    w.setEnabled(Control::TreeView_AI, true);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(ai).center());
    QTest::keyClick(tree, Qt::Key_Down);
    QTest::keyClick(tree, Qt::Key_Home);
    QTest::keyClick(tree, Qt::Key_Home); // already there: no click
    QCOMPARE(r.log.clickedKeys, (QStringList{"AI", "puck", "aidata"}));
}

void WindowControlsTest::labelsAndStatesAreSetAndReadBack()
{
    RecordedWindow r;
    MainWindow& w = *r.window;
    w.setCaption(Control::labAppVersion, QStringLiteral("v1.0"));
    QCOMPARE(r.control<QLabel>(Control::labAppVersion)->text(), QStringLiteral("v1.0"));
    QVERIFY(throwsError([&] { w.caption(Control::btnQuit); }));

    QVERIFY(!w.isVisible(Control::InvalidFileMsg));
    w.setVisible(Control::InvalidFileMsg, true); // the window itself is not shown yet
    QVERIFY(w.isVisible(Control::InvalidFileMsg));
    QVERIFY(!w.isEnabled(Control::btnApplyAIChanges));
    w.setEnabled(Control::btnApplyAIChanges, true);
    QVERIFY(r.control(Control::btnApplyAIChanges)->isEnabled());

    w.showWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.setEnabled(Control::valueSlider, true);
    w.setFocus(Control::valueSlider);
    QCOMPARE(QApplication::focusWidget(), r.control(Control::valueSlider));
}

void WindowControlsTest::eachButtonRunsItsOwnHandler()
{
    RecordedWindow r;
    const std::pair<Control, const char*> buttons[] = {
        {Control::btnQuit, "quit"},
        {Control::btnBrowseAIFile, "browse"},
        {Control::btnAItreeCollapseAll, "collapseAll"},
        {Control::btnAItreeExpandAll, "expandAll"},
        {Control::btnSetDefaultValue, "setDefault"},
        {Control::btnApplyAIChanges, "apply"},
        {Control::btnCancelAIChanges, "cancel"},
        {Control::btnExportVNTSettings, "exportSettings"},
        {Control::btnImportVNTSettings, "importSettings"},
    };
    r.window->showWindow();
    QTest::mouseClick(r.control(Control::btnApplyAIChanges), Qt::LeftButton);
    QVERIFY(r.log.calls.isEmpty()); // disabled at start
    for (const auto& [control, name] : buttons) {
        r.window->setEnabled(control, true);
        QTest::mouseClick(r.control(control), Qt::LeftButton);
        QCOMPARE(r.log.calls, QStringList{QString::fromLatin1(name)});
        r.log.calls.clear();
    }
    r.window->load();
    QCOMPARE(r.log.calls, QStringList{"load"});
}

void WindowControlsTest::aFailingHandlerIsReportedAndTheStateRestored()
{
    RecordedWindow r;
    EditorContext& ctx = r.window->context();
    r.log.during = [&ctx](const QString&) {
        ctx.state.ChangesPending = true;
        throw Error(err::DeviceIO, QStringLiteral("The disk went away."));
    };
    r.window->setEnabled(Control::btnApplyAIChanges, true);
    QtDialogs::queueAnswer(Answer::Ok);
    QTest::mouseClick(r.control(Control::btnApplyAIChanges), Qt::LeftButton);
    QVERIFY(QtDialogs::queueEmpty());
    QCOMPARE(QtDialogs::shown().size(), std::size_t(1));
    QVERIFY(QtDialogs::shown()[0].icon == Icon::Critical);
    QVERIFY(QtDialogs::shown()[0].text.contains(QStringLiteral("The disk went away.")));
    QVERIFY(!ctx.state.ChangesPending);
}

void WindowControlsTest::closingTheWindowRunsTheUnloadHandler()
{
    RecordedWindow byTitleBar;
    byTitleBar.window->showWindow();
    QVERIFY(byTitleBar.window->isVisible());
    byTitleBar.window->close();
    QCOMPARE(byTitleBar.log.calls, QStringList{"unload"});
    QVERIFY(!byTitleBar.window->isVisible());

    RecordedWindow byQuit;
    byQuit.window->showWindow();
    byQuit.window->closeWindow();
    QCOMPARE(byQuit.log.calls, QStringList{"unload"});
    QVERIFY(!byQuit.window->isVisible());
}

QTEST_MAIN(WindowControlsTest)
#include "tst_window_controls.moc"
