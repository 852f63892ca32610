#include "cli/TextTuning.h"

#include "base/Error.h"
#include "base/FileOps.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace vnt::cli {

namespace {

const QString HeaderStart = QStringLiteral("# Tuning of the level ");
// A text tuning is a few kilobytes; anything far larger is not one.
constexpr qint64 LargestTuning = 1024 * 1024;

QString header(const Source& source, bool all)
{
    return HeaderStart + levelName(source.level)
           + QStringLiteral(" (%1) of %2, %3\n")
                 .arg(QString::fromLatin1(levelEntry(source.level)), QFileInfo(source.archive).fileName(),
                      all ? QStringLiteral("every value") : QStringLiteral("the values off the level's default"))
           + QStringLiteral("# key = value; after each \"#\": the attribute's name and the level's default\n");
}

// A file that may be replaced: none yet, or a text tuning written earlier.
void refuseOtherFile(const QString& path)
{
    if (!QFileInfo::exists(path))
        return;
    const QFileInfo info(path);
    if (info.isFile() && info.size() <= LargestTuning && readFile(path).startsWith(HeaderStart.toUtf8()))
        return;
    throw Error(err::BadFileFormat,
                QStringLiteral("'%1' is there and is not a text tuning: it is left as it is").arg(QDir::toNativeSeparators(path)));
}

UsageError badLine(const QString& path, int line, const QString& reason)
{
    return UsageError{QStringLiteral("%1:%2: %3").arg(QDir::toNativeSeparators(path)).arg(line).arg(reason)};
}

} // namespace

void writeTextTuning(const Source& source, const pugi::xml_document& definitions, const QString& path, bool all)
{
    refuseOtherFile(path);
    QString text = header(source, all);
    for (const AttributeDefinition& a : definedAttributes(definitions)) {
        const TypedValue value = slotValue(source.file, a.offset);
        const QString fallback = a.DefaultFor(levelName(source.level)).value_or(QString());
        if (value.isEmpty() || (!all && HoldsNumber(value, fallback)))
            continue;
        text += QStringLiteral("%1 = %2  # %3, default %4\n").arg(a.key, value.text(), a.name, fallback);
    }
    writeFileAtomically(path, text.toUtf8(),
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
}

std::vector<TuningLine> readTextTuning(const QString& path)
{
    if (QFileInfo(path).size() > LargestTuning)
        throw UsageError{QStringLiteral("'%1' is larger than 1 MiB: it is no text tuning").arg(QDir::toNativeSeparators(path))};
    const QStringList lines = QString::fromUtf8(readFile(path)).split(QLatin1Char('\n'));
    std::vector<TuningLine> tuning;
    for (int i = 0; i < lines.size(); ++i) {
        const QString content = lines[i].section(QLatin1Char('#'), 0, 0).trimmed();
        if (content.isEmpty())
            continue;
        const qsizetype equals = content.indexOf(QLatin1Char('='));
        const QString key = content.left(equals).trimmed();
        const QString value = content.mid(equals + 1).trimmed();
        if (equals < 0 || key.isEmpty() || value.isEmpty())
            throw badLine(path, i + 1, QStringLiteral("'%1' is not key = value").arg(content));
        tuning.push_back({key + QLatin1Char('=') + value, i + 1});
    }
    return tuning;
}

} // namespace vnt::cli
