// Commands that compare: two sources with each other (diff), and the definitions
// with every level of an archive (check).

#include "cli/CliOutput.h"
#include "cli/CliSource.h"
#include "cli/Commands.h"

#include "archive/VivArchive.h"
#include "base/Error.h"
#include "model/Definitions.h"
#include "model/NumberText.h"

#include <QMap>

#include <algorithm>

namespace vnt::cli {

namespace {

int diff(Invocation& call)
{
    const Source first = openSource(call.argument(0));
    const Source second = openSource(call.argument(1));
    Report report({QStringLiteral("KEY"), QStringLiteral("NAME"), QStringLiteral("FIRST"), QStringLiteral("SECOND")});
    for (const AttributeDefinition& a : definedAttributes(call.definitions())) {
        const TypedValue one = slotValue(first.file, a.offset);
        const TypedValue two = slotValue(second.file, a.offset);
        if (one.isEmpty() == two.isEmpty() && one.text() == two.text())
            continue;
        report.add({a.key, a.name, cellText(one), cellText(two)},
                   {{"key", a.key}, {"name", a.name}, {"first", jsonNumber(one)}, {"second", jsonNumber(two)}});
    }
    report.print(call.json());
    return report.isEmpty() ? ExitOk : ExitFound;
}

// The problems check finds, one row each.
class Problems {
public:
    void add(const QString& level, const QString& key, const QString& problem)
    {
        report_.add(
            {level.isEmpty() ? QStringLiteral("-") : level, key, problem},
            {{"level", level.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(level)}, {"key", key}, {"problem", problem}});
    }
    Report& report() { return report_; }

private:
    Report report_{{QStringLiteral("LEVEL"), QStringLiteral("KEY"), QStringLiteral("PROBLEM")}};
};

bool outside(const QString& text, const AttributeDefinition& a)
{
    const std::optional<double> value = ParseNumber(text);
    return value && (*value < NumberFromText(a.min_range) || *value > NumberFromText(a.max_range));
}

// Problems of the definitions themselves: keys twice, keys that are no leaf of
// the tree, attributes the editor cannot use, leaves without an attribute.
void checkDefinitions(const pugi::xml_document& definitions, Problems& problems)
{
    const std::vector<QString> leaves = attributeLeaves();
    QMap<QString, int> seen;
    for (const pugi::xpath_node& node : definitions.select_nodes("//attribute")) {
        const QString key = QString::fromUtf8(node.node().child("key").child_value()).trimmed();
        if (++seen[key] == 2)
            problems.add(QString(), key, QStringLiteral("the key appears more than once"));
        if (seen[key] > 1)
            continue;
        if (std::find(leaves.begin(), leaves.end(), key) == leaves.end())
            problems.add(QString(), key, QStringLiteral("the key is not a leaf of the attribute tree"));
        else if (!FindAttribute(definitions, key, DefaultRule::AnyNumber))
            problems.add(QString(), key, QStringLiteral("the attribute lacks a field or holds a value that is no number"));
    }
    for (const QString& leaf : leaves) {
        if (!seen.contains(leaf))
            problems.add(QString(), leaf, QStringLiteral("the definitions lack this leaf of the attribute tree"));
    }
}

void checkSlot(const Source& entry, const AttributeDefinition& a, Problems& problems)
{
    const QString level = levelName(entry.level);
    if (a.offset < 5 || a.offset + 3 > entry.bytes.size()) {
        problems.add(level, a.key,
                     QStringLiteral("offset %1 lies beyond the entry (%2 bytes)").arg(a.offset).arg(entry.bytes.size()));
        return;
    }
    const QString tag = ReadTypeTag(entry.file, a.offset);
    if (tag != QStringLiteral("B17B") && tag != QStringLiteral("B810"))
        problems.add(level, a.key, QStringLiteral("the tag at offset %1 is %2, not B17B or B810").arg(a.offset).arg(tag));
    else if (const QString value = slotValue(entry.file, a.offset).text(); outside(value, a))
        problems.add(level, a.key,
                     QStringLiteral("the stored value %1 lies outside %2 to %3").arg(value, a.min_range, a.max_range));
}

void checkLevel(const QString& archive, int level, const pugi::xml_document& definitions, Problems& problems)
{
    const VivArchive opened = VivArchive::open(archive);
    if (!opened.find(levelEntry(level))) {
        problems.add(levelName(level), QString(),
                     QStringLiteral("the archive has no entry %1").arg(QString::fromLatin1(levelEntry(level))));
        return;
    }
    const Source entry = levelOfArchive(archive, level);
    for (const AttributeDefinition& a : definedAttributes(definitions, DefaultRule::AnyNumber)) {
        const QString fallback = a.DefaultFor(levelName(level)).value_or(QString());
        if (outside(fallback, a))
            problems.add(levelName(level), a.key,
                         QStringLiteral("the default %1 lies outside %2 to %3").arg(fallback, a.min_range, a.max_range));
        checkSlot(entry, a, problems);
    }
}

int check(Invocation& call)
{
    const pugi::xml_document& definitions = call.definitions();
    VivArchive::open(call.argument(0));
    Problems problems;
    checkDefinitions(definitions, problems);
    for (int level = 1; level <= LevelCount; ++level)
        checkLevel(call.argument(0), level, definitions, problems);
    problems.report().print(call.json());
    return problems.report().isEmpty() ? ExitOk : ExitFound;
}

const Command Commands[] = {
    {"diff", "SOURCE SOURCE", "The attributes whose values differ.", 2, 2, option::Json, false, diff},
    {"check", "ARCHIVE", "The definitions against every level's entry.", 1, 1, option::Json, false, check},
};

} // namespace

std::span<const Command> compareCommands()
{
    return Commands;
}

} // namespace vnt::cli
