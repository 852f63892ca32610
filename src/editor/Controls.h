#pragma once

#include <QString>

namespace vnt {

// The window's controls the logic touches, by their names in the window: the one
// list that the enum, the names and the window's design table come from.
#define VANTOR_CONTROLS(X)                                                                                                       \
    X(TreeView_AI)                                                                                                               \
    X(btnBrowseAIFile)                                                                                                           \
    X(labAttributeDescription) X(valueSlider) X(btnSetDefaultValue) X(InvalidFileMsg) X(lstSkill) X(labDefaultValue)             \
        X(labAttributeName) X(labMinRange) X(labMaxRange) X(btnApplyAIChanges) X(btnCancelAIChanges) X(btnQuit)                  \
            X(btnExportVNTSettings) X(labAppVersion) X(btnImportVNTSettings) X(labSliderValue) X(labAIfilePath)                  \
                X(btnAItreeExpandAll) X(btnAItreeCollapseAll)

#define VANTOR_CONTROL_ENUM(name) name,
enum class Control { VANTOR_CONTROLS(VANTOR_CONTROL_ENUM) };
#undef VANTOR_CONTROL_ENUM

#define VANTOR_CONTROL_NAME(name) #name,
inline constexpr const char* ControlNames[] = {VANTOR_CONTROLS(VANTOR_CONTROL_NAME)};
#undef VANTOR_CONTROL_NAME

// Every control of the list, in its order.
#define VANTOR_CONTROL_VALUE(name) Control::name,
inline constexpr Control AllControls[] = {VANTOR_CONTROLS(VANTOR_CONTROL_VALUE)};
#undef VANTOR_CONTROL_VALUE

// Its name as the window and the tests know it ("btnApplyAIChanges", ...).
constexpr const char* nameOf(Control control)
{
    return ControlNames[int(control)];
}
QString controlName(Control control);

// What the editor's logic needs of the window. The Qt window implements it; tests
// use a fake that records and answers. No handler knows a widget type.
class Controls {
public:
    virtual ~Controls() = default;

    // Labels: the text shown, taken literally.
    virtual QString caption(Control label) const = 0;
    virtual void setCaption(Control label, const QString& text) = 0;

    virtual bool isEnabled(Control control) const = 0;
    virtual void setEnabled(Control control, bool enabled) = 0;
    virtual bool isVisible(Control control) const = 0;
    virtual void setVisible(Control control, bool visible) = 0;
    virtual void setFocus(Control control) = 0;

    // The skill list. Setting the index from code runs the skill-list handler
    // synchronously before returning, and not at all when the index is already
    // the selected one.
    virtual int skillIndex() const = 0;
    virtual void setSkillIndex(int index) = 0;
    // The same without running the handler: putting the window back after a
    // failed action.
    virtual void setSkillIndexSilently(int index) = 0;
    virtual QString skillText(int index) const = 0;
    virtual QString skillTag() const = 0;
    virtual void setSkillTag(const QString& tag) = 0;

    // The attribute tree. Nodes are added in order; index is 1-based in that order.
    // An empty parent key adds a root.
    virtual void addNode(const QString& parentKey, const QString& key, const QString& caption) = 0;
    virtual int nodeCount() const = 0;
    virtual QString nodeKey(int index) const = 0;
    virtual QString nodeCaption(int index) const = 0;
    virtual bool isExpanded(const QString& key) const = 0;
    virtual void setExpanded(const QString& key, bool expanded) = 0;
    // Scrolls the node into view, expanding its ancestors; the selection stays.
    virtual void ensureVisible(const QString& key) = 0;
    // The selected node's key (empty for none); setting it runs no handler.
    virtual QString currentNode() const = 0;
    virtual void setCurrentNode(const QString& key) = 0;
    // A node shown as changed from its default (bold, and said so to assistive
    // technology).
    virtual bool isMarked(const QString& key) const = 0;
    virtual void setMarked(const QString& key, bool marked) = 0;

    // The slider. Values set from code never run the scroll handler.
    virtual int sliderMinimum() const = 0;
    virtual int sliderMaximum() const = 0;
    virtual int sliderTickFrequency() const = 0;
    virtual int sliderPosition() const = 0;
    virtual void setSliderMinimum(int value) = 0;
    virtual void setSliderMaximum(int value) = 0;
    virtual void setSliderTickFrequency(int value) = 0;
    virtual void setSliderPosition(int value) = 0;
    // The user holds the slider's handle: a drag is under way.
    virtual bool isSliderDown() const = 0;

    // The window: shown at the end of start-up; closing runs the unload handler.
    virtual void showWindow() = 0;
    virtual void closeWindow() = 0;
};

} // namespace vnt
