#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QTreeWidget>

#include <vector>

namespace vnt {

// The attribute tree: nodes identified by a key (kept in Qt::UserRole), added as
// the last child of a keyed parent, found by key or by their 1-based position in
// the order of addition. Keys are unique also when letter case is ignored;
// looking one up matches it exactly.
class AttributeTreeView : public QTreeWidget {
    Q_OBJECT
public:
    explicit AttributeTreeView(QWidget* parent = nullptr);

    // Throws Error when the key is taken or the parent key names no node. An
    // empty parent key adds a top-level node.
    void addNode(const QString& parentKey, const QString& key, const QString& caption);

    int nodeCount() const { return int(order_.size()); }
    // Throws Error for an index outside 1..nodeCount or a key without a node.
    QTreeWidgetItem* nodeAt(int index) const;
    QTreeWidgetItem* node(const QString& key) const;
    static QString keyOf(const QTreeWidgetItem* item);

    // Expands the node's ancestors and scrolls it into view; the selection and
    // the current node stay as they are.
    void ensureVisible(const QString& key);

    // Shows the node in bold, and tells assistive technology it is changed from
    // its default; the text stays as it is.
    void setMarked(const QString& key, bool marked);
    bool isMarked(const QString& key) const;

Q_SIGNALS:
    // A node was clicked, or became the current node by the keyboard.
    void nodeClicked(const QString& key);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QHash<QString, QTreeWidgetItem*> byKey_;
    QSet<QString> foldedKeys_;
    std::vector<QTreeWidgetItem*> order_;
};

} // namespace vnt
