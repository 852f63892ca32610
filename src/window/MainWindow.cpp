#include "window/MainWindow.h"

#include "window/AttributeTreeView.h"
#include "window/QuitWhenSettled.h"
#include "window/ValueSlider.h"
#include "window/WindowLayout.h"

#include "base/Error.h"
#include "editor/Events.h"
#include "handlers/GameLocation.h"
#include "handlers/Startup.h"
#include "handlers/ApplyCancel.h"
#include "handlers/SettingsExchange.h"
#include "handlers/AttributeTree.h"
#include "handlers/Selection.h"
#include "handlers/SkillLevels.h"
#include "handlers/UndoRedo.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>

// The application icon, 32 x 32 pixels in 12 colours (vantor08_icon).
#include "window/vantor08.xpm"

namespace vnt {

WindowHandlers WindowHandlers::standard()
{
    WindowHandlers h;
    h.load = &Form_Load;
    h.unload = &Form_Unload;
    h.quit = &btnQuit_Click;
    h.browse = &btnBrowseAIFile_Click;
    h.collapseAll = &btnAItreeCollapseAll_Click;
    h.expandAll = &btnAItreeExpandAll_Click;
    h.nodeClick = &TreeView_AI_NodeClick;
    h.scroll = &valueSlider_Scroll;
    h.release = &valueSlider_Release;
    h.setDefault = &btnSetDefaultValue_Click;
    h.undo = &UndoEdit;
    h.redo = &RedoEdit;
    h.skillChanged = &onSkillListChanged;
    h.apply = &btnApplyAIChanges_Click;
    h.cancel = &btnCancelAIChanges_Click;
    h.exportSettings = &btnExportVNTSettings_Click;
    h.importSettings = &btnImportVNTSettings_Click;
    return h;
}

MainWindow::MainWindow(Dialogs& dialogs, WindowHandlers handlers) : ctx_(*this, dialogs), handlers_(std::move(handlers))
{
    setObjectName(QStringLiteral("VNT08_aidata"));
    setWindowTitle(QStringLiteral("Vantor 08"));
    setWindowIcon(QIcon(QPixmap(vantor08_icon)));

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    client->setFixedSize(ClientWidth, ClientHeight);
    setCentralWidget(client);
    buildWindowControls(client);
    // The controls keep their places: the window is as large as its client area.
    setFixedSize(ClientWidth, ClientHeight);

    tree_ = client->findChild<AttributeTreeView*>(controlName(Control::TreeView_AI));
    slider_ = client->findChild<ValueSlider*>(controlName(Control::valueSlider));
    skillList_ = client->findChild<QComboBox*>(controlName(Control::lstSkill));
    connectEvents();
}

MainWindow::~MainWindow()
{
    // The controls go first, while the context and handlers their signals
    // reach are still alive.
    delete takeCentralWidget();
}

void MainWindow::connectEvents()
{
    const std::pair<Control, WindowHandlers::Handler WindowHandlers::*> buttons[] = {
        {Control::btnQuit, &WindowHandlers::quit},
        {Control::btnBrowseAIFile, &WindowHandlers::browse},
        {Control::btnAItreeCollapseAll, &WindowHandlers::collapseAll},
        {Control::btnAItreeExpandAll, &WindowHandlers::expandAll},
        {Control::btnSetDefaultValue, &WindowHandlers::setDefault},
        {Control::btnApplyAIChanges, &WindowHandlers::apply},
        {Control::btnCancelAIChanges, &WindowHandlers::cancel},
        {Control::btnExportVNTSettings, &WindowHandlers::exportSettings},
        {Control::btnImportVNTSettings, &WindowHandlers::importSettings},
    };
    for (const auto& [control, member] : buttons) {
        auto* button = static_cast<QPushButton*>(widget(control));
        connect(button, &QPushButton::clicked, this, [this, member] { run(handlers_.*member); });
    }
    connect(tree_, &AttributeTreeView::nodeClicked, this,
            [this](const QString& key) { runHandler(ctx_, [this, key](EditorContext& ctx) { handlers_.nodeClick(ctx, key); }); });
    connect(slider_, &ValueSlider::userMoved, this, [this] { run(handlers_.scroll); });
    connect(slider_, &QSlider::sliderReleased, this, [this] { run(handlers_.release); });
    // Undo and redo have no control of their own: the platform's shortcuts,
    // anywhere in the window.
    const std::pair<QKeySequence::StandardKey, WindowHandlers::Handler WindowHandlers::*> shortcuts[] = {
        {QKeySequence::Undo, &WindowHandlers::undo}, {QKeySequence::Redo, &WindowHandlers::redo}};
    for (const auto& [keys, member] : shortcuts) {
        auto* action = new QAction(this);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        connect(action, &QAction::triggered, this, [this, member] { run(handlers_.*member); });
    }
    connect(skillList_, &QComboBox::currentIndexChanged, this, [this] { handlers_.skillChanged(ctx_); });
}

void MainWindow::run(const WindowHandlers::Handler& handler)
{
    if (handler) // a test's window may leave an event without a handler
        runHandler(ctx_, handler);
}

void MainWindow::load()
{
    quitWhenSettledIfAsked();
    run(handlers_.load);
}

QWidget* MainWindow::widget(Control control) const
{
    QWidget* w = centralWidget()->findChild<QWidget*>(controlName(control), Qt::FindDirectChildrenOnly);
    if (!w)
        throw Error(err::InvalidCall, QStringLiteral("The window has no control %1.").arg(controlName(control)));
    return w;
}

QLabel* MainWindow::label(Control control) const
{
    auto* l = qobject_cast<QLabel*>(widget(control));
    if (!l)
        throw Error(err::InvalidCall, QStringLiteral("%1 is not a label.").arg(controlName(control)));
    return l;
}

QString MainWindow::caption(Control control) const
{
    return label(control)->text();
}

void MainWindow::setCaption(Control control, const QString& text)
{
    label(control)->setText(text);
}

bool MainWindow::isEnabled(Control control) const
{
    return widget(control)->isEnabled();
}

void MainWindow::setEnabled(Control control, bool enabled)
{
    widget(control)->setEnabled(enabled);
}

bool MainWindow::isVisible(Control control) const
{
    // The control's own visible state, also while the window is not shown.
    return !widget(control)->isHidden();
}

void MainWindow::setVisible(Control control, bool visible)
{
    widget(control)->setVisible(visible);
}

void MainWindow::setFocus(Control control)
{
    widget(control)->setFocus(Qt::OtherFocusReason);
}

int MainWindow::skillIndex() const
{
    return skillList_->currentIndex();
}

void MainWindow::setSkillIndex(int index)
{
    if (index < 0 || index >= skillList_->count())
        throw Error(err::InvalidCall, QStringLiteral("The skill list has no entry %1.").arg(index));
    // currentIndexChanged runs the skill-list handling before this returns, and
    // is not emitted when the index is already the current one.
    skillList_->setCurrentIndex(index);
}

void MainWindow::setSkillIndexSilently(int index)
{
    const QSignalBlocker quiet(skillList_);
    setSkillIndex(index);
}

QString MainWindow::skillText(int index) const
{
    if (index < 0 || index >= skillList_->count())
        throw Error(err::InvalidCall, QStringLiteral("The skill list has no entry %1.").arg(index));
    return skillList_->itemText(index);
}

void MainWindow::addNode(const QString& parentKey, const QString& key, const QString& caption)
{
    tree_->addNode(parentKey, key, caption);
}

int MainWindow::nodeCount() const
{
    return tree_->nodeCount();
}

QString MainWindow::nodeKey(int index) const
{
    return AttributeTreeView::keyOf(tree_->nodeAt(index));
}

QString MainWindow::nodeCaption(int index) const
{
    return tree_->nodeAt(index)->text(0);
}

bool MainWindow::isExpanded(const QString& key) const
{
    return tree_->node(key)->isExpanded();
}

void MainWindow::setExpanded(const QString& key, bool expanded)
{
    tree_->node(key)->setExpanded(expanded);
}

void MainWindow::ensureVisible(const QString& key)
{
    tree_->ensureVisible(key);
}

QString MainWindow::currentNode() const
{
    return AttributeTreeView::keyOf(tree_->currentItem());
}

void MainWindow::setCurrentNode(const QString& key)
{
    tree_->setCurrentItem(key.isEmpty() ? nullptr : tree_->node(key));
}

bool MainWindow::isMarked(const QString& key) const
{
    return tree_->isMarked(key);
}

void MainWindow::setMarked(const QString& key, bool marked)
{
    tree_->setMarked(key, marked);
}

int MainWindow::sliderMinimum() const
{
    return slider_->minimum();
}

int MainWindow::sliderMaximum() const
{
    return slider_->maximum();
}

int MainWindow::sliderTickFrequency() const
{
    return slider_->tickInterval();
}

int MainWindow::sliderPosition() const
{
    return slider_->value();
}

void MainWindow::setSliderMinimum(int value)
{
    slider_->setMinimum(value);
}

void MainWindow::setSliderMaximum(int value)
{
    slider_->setMaximum(value);
}

void MainWindow::setSliderTickFrequency(int value)
{
    slider_->setTickInterval(value);
}

void MainWindow::setSliderPosition(int value)
{
    // setValue, unlike QSlider::setSliderPosition, triggers no slider action, so
    // the scroll handler does not run.
    slider_->setValue(value);
}

bool MainWindow::isSliderDown() const
{
    return slider_->isSliderDown();
}

void MainWindow::showWindow()
{
    if (!QWidget::isVisible()) {
        if (QScreen* screen = QGuiApplication::primaryScreen())
            setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
    }
    show();
    raise();
    activateWindow();
}

void MainWindow::closeWindow()
{
    close();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    run(handlers_.unload);
    // The window closes whatever the unload handler did.
    event->accept();
}

} // namespace vnt
