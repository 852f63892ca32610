#include "support/FakeControls.h"

#include <stdexcept>

namespace vnt::test {

FakeControls::FakeControls()
{
    for (Control c : {Control::btnBrowseAIFile, Control::btnImportVNTSettings, Control::btnQuit})
        enabled_[c] = true;
    visible_[Control::InvalidFileMsg] = false;
    captions_[Control::labAppVersion] = QStringLiteral("v");
}

void FakeControls::setSkillIndex(int index)
{
    if (index < 0 || index >= skillTexts.size())
        throw std::out_of_range("skill index outside the list");
    if (index == skillIndex_)
        return;
    skillIndex_ = index;
    if (onSkillChanged)
        onSkillChanged();
}

void FakeControls::addNode(const QString& parentKey, const QString& key, const QString& caption)
{
    bool parentFound = parentKey.isEmpty();
    for (const Node& n : nodes_) {
        if (n.key.compare(key, Qt::CaseInsensitive) == 0)
            throw std::invalid_argument("duplicate node key");
        parentFound = parentFound || n.key == parentKey;
    }
    if (!parentFound)
        throw std::invalid_argument("parent node missing");
    nodes_.push_back({key, caption, parentKey});
}

QString FakeControls::nodeParent(const QString& key) const
{
    for (const Node& n : nodes_) {
        if (n.key == key)
            return n.parent;
    }
    return QString();
}

void FakeControls::setExpanded(const QString& key, bool expanded)
{
    expanded ? void(expanded_.insert(key)) : void(expanded_.remove(key));
}

void FakeControls::ensureVisible(const QString& key)
{
    for (QString parent = nodeParent(key); !parent.isEmpty(); parent = nodeParent(parent))
        expanded_.insert(parent);
}

void FakeControls::closeWindow()
{
    closed = true;
    if (onClose)
        onClose();
}

} // namespace vnt::test
