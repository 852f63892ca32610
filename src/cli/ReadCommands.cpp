// Commands that read a level: levels, list, get, scan, and the keys the shell
// completion offers.

#include "cli/CliOutput.h"
#include "cli/CliSource.h"
#include "cli/Commands.h"

#include "archive/VivArchive.h"

#include <QtEndian>

namespace vnt::cli {

namespace {

constexpr quint16 FloatTag = 0xB17B;
constexpr quint16 Int32Tag = 0xB810;
constexpr int TagDistance = 4;

int levels(Invocation& call)
{
    const VivArchive archive = VivArchive::open(call.argument(0));
    Report report({QStringLiteral("ENTRY"), QStringLiteral("SIZE")});
    for (int level = 1; level <= LevelCount; ++level) {
        if (const VivEntry* entry = archive.find(levelEntry(level))) {
            const QString name = QString::fromLatin1(entry->name);
            report.add({name, QString::number(entry->size)}, {{"entry", name}, {"size", double(entry->size)}});
        }
    }
    report.print(call.json());
    return ExitOk;
}

int list(Invocation& call)
{
    const Source source = openSource(call.argument(0));
    Report report({QStringLiteral("KEY"), QStringLiteral("NAME"), QStringLiteral("VALUE"), QStringLiteral("DEFAULT"),
                   QStringLiteral("MIN"), QStringLiteral("MAX")});
    for (const AttributeDefinition& a : definedAttributes(call.definitions())) {
        const TypedValue value = slotValue(source.file, a.offset);
        const QString fallback = a.DefaultFor(levelName(source.level)).value_or(QString());
        report.add({a.key, a.name, cellText(value), fallback, a.min_range, a.max_range}, {{"key", a.key},
                                                                                          {"name", a.name},
                                                                                          {"value", jsonNumber(value)},
                                                                                          {"default", jsonNumber(fallback)},
                                                                                          {"min", jsonNumber(a.min_range)},
                                                                                          {"max", jsonNumber(a.max_range)}});
    }
    report.print(call.json());
    return ExitOk;
}

int get(Invocation& call)
{
    const Source source = openSource(call.argument(0));
    for (const AttributeDefinition& a : definedAttributes(call.definitions())) {
        if (a.key == call.argument(1)) {
            printLine(slotValue(source.file, a.offset).text());
            return ExitOk;
        }
    }
    throw UsageError{QStringLiteral("unknown key '%1'").arg(call.argument(1))};
}

int scan(Invocation& call)
{
    const Source source = openSource(call.argument(0));
    const QByteArray& bytes = source.bytes;
    Report report({QStringLiteral("POSITION"), QStringLiteral("TAG"), QStringLiteral("VALUE")});
    // Position P (from 1) holds a value when the word at P-4 is a tag.
    for (qsizetype index = 0; index + 2 <= bytes.size(); ++index) {
        const quint16 word = qFromLittleEndian<quint16>(bytes.constData() + index);
        if (word != FloatTag && word != Int32Tag)
            continue;
        const int position = int(index) + 1 + TagDistance;
        const QString tag = TypeTagText(qint16(word));
        QString form = tag;
        TypedValue value;
        if (position + 3 <= bytes.size())
            value = ReadValue(source.file, source.file, position, form);
        report.add({QString::number(position), tag, cellText(value)},
                   {{"position", position}, {"tag", tag}, {"value", jsonNumber(value)}});
    }
    report.print(call.json());
    return ExitOk;
}

int keys(Invocation& call)
{
    for (const AttributeDefinition& a : definedAttributes(call.definitions()))
        printLine(a.key);
    return ExitOk;
}

const Command Commands[] = {
    {"levels", "ARCHIVE", "The skill entries in the archive: name and size.", 1, 1, option::Json, false, levels},
    {"list", "SOURCE", "Every attribute: key, name, value, default, min, max.", 1, 1, option::Json, false, list},
    {"get", "SOURCE KEY", "One value.", 2, 2, 0, false, get},
    {"scan", "SOURCE", "Every tagged slot in an entry: position, tag, value.", 1, 1, option::Json, false, scan},
    {"keys", "", "The keys of the definitions, one a line.", 0, 0, 0, true, keys},
};

} // namespace

std::span<const Command> readCommands()
{
    return Commands;
}

} // namespace vnt::cli
