#include "window/AttributeTreeView.h"

#include "base/Error.h"

#include <QFont>
#include <QKeyEvent>

namespace vnt {

AttributeTreeView::AttributeTreeView(QWidget* parent) : QTreeWidget(parent)
{
    setColumnCount(1);
    setHeaderHidden(true);
    setSortingEnabled(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int) { Q_EMIT nodeClicked(keyOf(item)); });
}

void AttributeTreeView::addNode(const QString& parentKey, const QString& key, const QString& caption)
{
    const QString folded = key.toCaseFolded();
    if (foldedKeys_.contains(folded))
        throw Error(err::InvalidCall, QStringLiteral("The tree already has a node with the key '%1'.").arg(key));
    QTreeWidgetItem* parentItem = parentKey.isEmpty() ? nullptr : node(parentKey);
    auto* item = new QTreeWidgetItem(QStringList{caption});
    item->setData(0, Qt::UserRole, key);
    if (parentItem)
        parentItem->addChild(item);
    else
        addTopLevelItem(item);
    foldedKeys_.insert(folded);
    byKey_.insert(key, item);
    order_.push_back(item);
}

QTreeWidgetItem* AttributeTreeView::nodeAt(int index) const
{
    if (index < 1 || index > nodeCount())
        throw Error(err::InvalidCall, QStringLiteral("The tree has no node number %1.").arg(index));
    return order_[std::size_t(index - 1)];
}

QTreeWidgetItem* AttributeTreeView::node(const QString& key) const
{
    QTreeWidgetItem* item = byKey_.value(key);
    if (!item)
        throw Error(err::InvalidCall, QStringLiteral("The tree has no node with the key '%1'.").arg(key));
    return item;
}

QString AttributeTreeView::keyOf(const QTreeWidgetItem* item)
{
    return item ? item->data(0, Qt::UserRole).toString() : QString();
}

void AttributeTreeView::ensureVisible(const QString& key)
{
    QTreeWidgetItem* item = node(key);
    for (QTreeWidgetItem* up = item->parent(); up; up = up->parent())
        up->setExpanded(true);
    scrollToItem(item);
}

void AttributeTreeView::setMarked(const QString& key, bool marked)
{
    QTreeWidgetItem* item = node(key);
    QFont font = item->font(0);
    font.setBold(marked);
    item->setFont(0, font);
    item->setData(0, Qt::AccessibleDescriptionRole, marked ? QStringLiteral("changed from default") : QVariant());
}

bool AttributeTreeView::isMarked(const QString& key) const
{
    return node(key)->font(0).bold();
}

void AttributeTreeView::keyPressEvent(QKeyEvent* event)
{
    QTreeWidgetItem* before = currentItem();
    QTreeWidget::keyPressEvent(event);
    QTreeWidgetItem* after = currentItem();
    if (after && after != before)
        Q_EMIT nodeClicked(keyOf(after));
}

} // namespace vnt
