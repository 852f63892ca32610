#pragma once

#include <QString>
#include <QStringView>

#include <span>

namespace vnt {

// One node of the attribute tree: its key (what selects an attribute), the caption
// shown, and its parent's key (empty for the root).
struct CatalogueNode {
    QStringView key;
    QStringView caption;
    QStringView parent;
};

constexpr int AttributeNodeCount = 92;

// The fixed hierarchy of the attribute tree, parents before their children, in the
// order the nodes are added (node 1 is the root "aidata").
std::span<const CatalogueNode> AttributeCatalogue();

// True for the captions of the root and the three sections ("aidata", "AI",
// "PCAI", "PENALTY"), which the collapse and expand walks leave alone.
bool IsSectionCaption(const QString& caption);

} // namespace vnt
