#pragma once

#include "editor/Controls.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace vnt::test {

// A window without widgets: keeps what the logic sets and answers from it. Its
// initial states are the window's. Setting the skill index runs onSkillChanged
// synchronously unless the index is already selected, as the real list does.
class FakeControls : public Controls {
public:
    FakeControls();

    QString caption(Control label) const override { return captions_.value(label); }
    void setCaption(Control label, const QString& text) override { captions_[label] = text; }
    bool isEnabled(Control c) const override { return enabled_.value(c, false); }
    void setEnabled(Control c, bool on) override { enabled_[c] = on; }
    bool isVisible(Control c) const override { return visible_.value(c, true); }
    void setVisible(Control c, bool on) override { visible_[c] = on; }
    void setFocus(Control c) override { focusLog.push_back(c); }

    int skillIndex() const override { return skillIndex_; }
    void setSkillIndex(int index) override;
    void setSkillIndexSilently(int index) override { skillIndex_ = index; }
    QString skillText(int index) const override { return skillTexts.value(index); }
    QString skillTag() const override { return skillTag_; }
    void setSkillTag(const QString& tag) override { skillTag_ = tag; }

    void addNode(const QString& parentKey, const QString& key, const QString& caption) override;
    int nodeCount() const override { return int(nodes_.size()); }
    QString nodeKey(int index) const override { return nodes_.at(std::size_t(index - 1)).key; }
    QString nodeCaption(int index) const override { return nodes_.at(std::size_t(index - 1)).caption; }
    // The parent key of a node; empty for a root or an unknown key.
    QString nodeParent(const QString& key) const;
    bool isExpanded(const QString& key) const override { return expanded_.contains(key); }
    void setExpanded(const QString& key, bool expanded) override;
    void ensureVisible(const QString& key) override;
    QString currentNode() const override { return currentNode_; }
    void setCurrentNode(const QString& key) override { currentNode_ = key; }
    bool isMarked(const QString& key) const override { return marked_.contains(key); }
    void setMarked(const QString& key, bool marked) override { marked ? void(marked_.insert(key)) : void(marked_.remove(key)); }

    int sliderMinimum() const override { return sliderMin_; }
    int sliderMaximum() const override { return sliderMax_; }
    int sliderTickFrequency() const override { return sliderTicks_; }
    int sliderPosition() const override { return sliderPos_; }
    void setSliderMinimum(int v) override { sliderMin_ = v; }
    void setSliderMaximum(int v) override { sliderMax_ = v; }
    void setSliderTickFrequency(int v) override { sliderTicks_ = v; }
    void setSliderPosition(int v) override { sliderPos_ = v; }
    bool isSliderDown() const override { return sliderDown; }

    void showWindow() override { shown = true; }
    void closeWindow() override;

    // What a user does: pick a skill entry, drag the slider (position only; the
    // test then runs the scroll handler).
    void userSetsSlider(int position) { sliderPos_ = position; }

    std::function<void()> onSkillChanged;
    std::function<void()> onClose;
    QStringList skillTexts{QStringLiteral("Select Skill"), QStringLiteral("Easy"), QStringLiteral("Medium"),
                           QStringLiteral("Difficlt")};
    bool sliderDown = false; // the user holds the slider
    bool shown = false;
    bool closed = false;
    std::vector<Control> focusLog;

private:
    struct Node {
        QString key, caption, parent;
    };
    QHash<Control, QString> captions_;
    QHash<Control, bool> enabled_, visible_;
    int skillIndex_ = -1;
    QString skillTag_;
    std::vector<Node> nodes_;
    QSet<QString> expanded_, marked_;
    QString currentNode_;
    int sliderMin_ = 0, sliderMax_ = 10, sliderTicks_ = 1, sliderPos_ = 0;
};

} // namespace vnt::test
