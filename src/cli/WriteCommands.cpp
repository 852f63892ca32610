// Commands that write: set values of a level, export a level as a settings file,
// import a settings file. The archive is changed only after the whole request
// has been checked, and always after its dated backup.

#include "cli/CliOutput.h"
#include "cli/CliSource.h"
#include "cli/Commands.h"
#include "cli/TextTuning.h"

#include "base/FileOps.h"
#include "model/Definitions.h"
#include "model/NumberText.h"
#include "services/ArchiveBackup.h"
#include "services/SettingsFile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace vnt::cli {

namespace {

struct Assignment {
    AttributeDefinition attribute;
    QString form;  // the slot's tag
    double stored; // the value on the slider's step
};

// KEY=VALUE checked against the definitions and the entry: a known key, a
// number within the range, a slot that holds a value.
Assignment assignment(const QString& text, const pugi::xml_document& definitions, const Source& entry)
{
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    if (equals < 1)
        throw UsageError{QStringLiteral("'%1' is not KEY=VALUE").arg(text)};
    const QString key = text.left(equals);
    const QString valueText = text.mid(equals + 1);
    const std::optional<AttributeDefinition> a = FindAttribute(definitions, key);
    if (!a)
        throw UsageError{QStringLiteral("unknown key '%1'").arg(key)};
    const std::optional<double> value = ParseNumber(valueText);
    if (!value)
        throw UsageError{QStringLiteral("'%1' is not a number").arg(valueText)};
    if (*value < NumberFromText(a->min_range) || *value > NumberFromText(a->max_range))
        throw UsageError{QStringLiteral("%1 for %2 lies outside %3 to %4").arg(valueText, key, a->min_range, a->max_range)};
    const QString form = ReadTypeTag(entry.file, a->offset);
    if (form != QStringLiteral("B17B") && form != QStringLiteral("B810"))
        throw UsageError{QStringLiteral("%1 holds no value that can be set (its tag is %2)").arg(key, form)};
    // As the slider: to the nearest step of 1/range_mult.
    const double stored = double(ToInt32(*value * a->range_mult)) / a->range_mult;
    return Assignment{*a, form, stored};
}

void printBackup(const QString& backup)
{
    printLine(QStringLiteral("backup: ") + backup);
}

// The assignments of --from's file, each refused with its file and line, then
// those of the arguments, in that order: a key given twice takes the last value.
std::vector<Assignment> requestedChanges(Invocation& call, const Source& entry)
{
    std::vector<Assignment> changes;
    if (call.isSet(QStringLiteral("from"))) {
        const QString path = call.option(QStringLiteral("from"));
        for (const TuningLine& line : readTextTuning(path)) {
            try {
                changes.push_back(assignment(line.assignment, call.definitions(), entry));
            } catch (const UsageError& e) {
                throw UsageError{QStringLiteral("%1:%2: %3").arg(QDir::toNativeSeparators(path)).arg(line.line).arg(e.message)};
            }
        }
    }
    for (const QString& text : call.arguments().mid(1))
        changes.push_back(assignment(text, call.definitions(), entry));
    if (changes.empty())
        throw UsageError{call.usage()};
    return changes;
}

int set(Invocation& call)
{
    const Source entry = openLevel(call.argument(0));
    const std::vector<Assignment> changes = requestedChanges(call, entry);
    for (const Assignment& change : changes) {
        WriteValue(entry.file, change.attribute.offset, change.stored, change.form);
        printLine(change.attribute.key + QLatin1Char('=') + slotValue(entry.file, change.attribute.offset).text());
    }
    printBackup(backUpAndStore(entry.archive, levelEntry(entry.level), readFile(entry.file), QDateTime::currentDateTime()));
    return ExitOk;
}

int exportLevel(Invocation& call)
{
    const bool text = call.isSet(QStringLiteral("text"));
    if (call.arguments().size() != (text ? 1 : 2) || (call.isSet(QStringLiteral("all")) && !text))
        throw UsageError{call.usage()};
    const Source entry = openLevel(call.argument(0));
    if (text) {
        writeTextTuning(entry, call.definitions(), call.option(QStringLiteral("text")), call.isSet(QStringLiteral("all")));
        return ExitOk;
    }
    // A file already there is replaced only when it is a settings file: a slip of
    // the arguments must not turn an archive into one level's entry.
    if (QFileInfo::exists(call.argument(1)))
        settingsFileLevel(call.argument(1));
    writeSettingsFile(entry.file, call.argument(1), entry.level);
    return ExitOk;
}

int importFile(Invocation& call)
{
    const int level = settingsFileLevel(call.argument(0));
    const QByteArray bytes = settingsEntryBytes(call.argument(0));
    printBackup(backUpAndStore(call.argument(1), levelEntry(level), bytes, QDateTime::currentDateTime()));
    return ExitOk;
}

const Command Commands[] = {
    {"set", "ARCHIVE:LEVEL [--from FILE] KEY=VALUE...",
     "Change values; a dated backup beside the archive first, then one atomic store.", 1, -1, option::From, false, set},
    {"export", "ARCHIVE:LEVEL FILE | ARCHIVE:LEVEL --text FILE [--all]",
     "Write a settings file, as Export Settings does; with --text, the values off the default as text.", 1, 2, option::Text,
     false, exportLevel},
    {"import", "FILE ARCHIVE", "Store a settings file as the entry of the level it names, backup first.", 2, 2, 0, false,
     importFile},
};

} // namespace

std::span<const Command> writeCommands()
{
    return Commands;
}

} // namespace vnt::cli
