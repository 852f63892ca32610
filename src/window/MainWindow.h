#pragma once

#include "editor/Controls.h"
#include "editor/EditorContext.h"

#include <QMainWindow>

#include <functional>

class QComboBox;
class QLabel;

namespace vnt {

class AttributeTreeView;
class ValueSlider;

// The procedures the window's events run. The standard set is the editor's
// handlers; tests put recorders in their place to check the wiring.
struct WindowHandlers {
    using Handler = std::function<void(EditorContext&)>;
    Handler load, unload, quit, browse, collapseAll, expandAll;
    std::function<void(EditorContext&, const QString&)> nodeClick;
    Handler scroll, release, setDefault, undo, redo;
    // The skill list's change: runs without runHandler, it nests by itself.
    Handler skillChanged;
    Handler apply, cancel, exportSettings, importSettings;

    static WindowHandlers standard();
};

// The editor's one window, VNT08_aidata: a fixed client area with the controls at
// their design positions. It owns the editor's context and forwards each event
// of its controls to the handler for it; apart from that it only keeps the
// promises of Controls.
class MainWindow : public QMainWindow, public Controls {
    Q_OBJECT
public:
    explicit MainWindow(Dialogs& dialogs, WindowHandlers handlers = WindowHandlers::standard());
    ~MainWindow() override;

    EditorContext& context() { return ctx_; }
    // Runs the start-up handler (which shows the window); under
    // VANTOR_QUIT_WHEN_SETTLED the program then ends once settled (QuitWhenSettled.h).
    void load();

    QString caption(Control label) const override;
    void setCaption(Control label, const QString& text) override;
    bool isEnabled(Control control) const override;
    void setEnabled(Control control, bool enabled) override;
    bool isVisible(Control control) const override;
    void setVisible(Control control, bool visible) override;
    void setFocus(Control control) override;

    int skillIndex() const override;
    void setSkillIndex(int index) override;
    void setSkillIndexSilently(int index) override;
    QString skillText(int index) const override;
    QString skillTag() const override { return skillTag_; }
    void setSkillTag(const QString& tag) override { skillTag_ = tag; }

    void addNode(const QString& parentKey, const QString& key, const QString& caption) override;
    int nodeCount() const override;
    QString nodeKey(int index) const override;
    QString nodeCaption(int index) const override;
    bool isExpanded(const QString& key) const override;
    void setExpanded(const QString& key, bool expanded) override;
    void ensureVisible(const QString& key) override;
    QString currentNode() const override;
    void setCurrentNode(const QString& key) override;
    bool isMarked(const QString& key) const override;
    void setMarked(const QString& key, bool marked) override;

    int sliderMinimum() const override;
    int sliderMaximum() const override;
    int sliderTickFrequency() const override;
    int sliderPosition() const override;
    void setSliderMinimum(int value) override;
    void setSliderMaximum(int value) override;
    void setSliderTickFrequency(int value) override;
    void setSliderPosition(int value) override;
    bool isSliderDown() const override;

    void showWindow() override;
    void closeWindow() override;

    // The widget of a control, and the window's QWidget members that the
    // Controls names hide.
    QWidget* widget(Control control) const;
    using QWidget::isEnabled;
    using QWidget::isVisible;
    using QWidget::setEnabled;
    using QWidget::setFocus;
    using QWidget::setVisible;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void connectEvents();
    void run(const WindowHandlers::Handler& handler);
    QLabel* label(Control control) const;

    EditorContext ctx_;
    WindowHandlers handlers_;
    AttributeTreeView* tree_ = nullptr;
    ValueSlider* slider_ = nullptr;
    QComboBox* skillList_ = nullptr;
    QString skillTag_;
};

} // namespace vnt
