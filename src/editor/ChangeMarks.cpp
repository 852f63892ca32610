#include "editor/ChangeMarks.h"

#include "base/Error.h"
#include "editor/EditorContext.h"
#include "model/AttributeCatalogue.h"
#include "model/Definitions.h"
#include "model/TypedValue.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace vnt {

namespace {

// Whether the attribute with the key holds something other than the level's
// default. An attribute the definitions lack, or whose slot cannot be read, is
// not marked.
bool changedFromDefault(const EditorContext& ctx, const QString& key)
{
    const std::optional<AttributeDefinition> attribute = FindAttribute(ctx.definitions, key);
    const std::optional<QString> fallback = attribute ? attribute->DefaultFor(ctx.state.SkillName) : std::nullopt;
    if (!fallback)
        return false;
    try {
        const QString path = ctx.state.workFilePath();
        QString typeName;
        const TypedValue value = ReadValue(path, path, attribute->offset, typeName);
        return !value.isEmpty() && !HoldsNumber(value, *fallback);
    } catch (const Error&) {
        return false;
    }
}

QSet<QString> changedNodes(const EditorContext& ctx)
{
    QHash<QString, QString> parents;
    QSet<QString> marked;
    for (const CatalogueNode& node : AttributeCatalogue()) {
        const QString key = node.key.toString();
        parents.insert(key, node.parent.toString());
        if (!changedFromDefault(ctx, key))
            continue;
        for (QString up = key; !up.isEmpty() && !marked.contains(up); up = parents.value(up))
            marked.insert(up);
    }
    return marked;
}

} // namespace

void ShowChangeMarks(EditorContext& ctx)
{
    const EditorState& s = ctx.state;
    const bool levelCurrent = !s.SkillName.isEmpty() && !s.TempFolder.isEmpty();
    if (levelCurrent && !QFileInfo(s.workFilePath()).isFile())
        return;
    const QSet<QString> marked = levelCurrent ? changedNodes(ctx) : QSet<QString>();
    Controls& c = ctx.controls;
    for (int i = 1; i <= c.nodeCount(); ++i) {
        const QString key = c.nodeKey(i);
        if (c.isMarked(key) != marked.contains(key))
            c.setMarked(key, marked.contains(key));
    }
}

} // namespace vnt
