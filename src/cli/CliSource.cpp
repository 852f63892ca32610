#include "cli/CliSource.h"

#include "archive/VivArchive.h"
#include "base/Error.h"
#include "base/FileOps.h"
#include "model/AttributeCatalogue.h"
#include "model/Definitions.h"
#include "services/SettingsFile.h"

#include <QDir>
#include <QFileInfo>

#include <set>

namespace vnt::cli {

namespace {

const char* const LevelNames[LevelCount] = {"Easy", "Medium", "Difficlt"};

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

QString levelName(int level)
{
    return QString::fromLatin1(LevelNames[level - 1]);
}

QByteArray levelEntry(int level)
{
    return QByteArray(LevelNames[level - 1]) + ".ubc";
}

std::optional<int> parseLevel(const QString& text)
{
    for (int level = 1; level <= LevelCount; ++level) {
        if (text.compare(levelName(level), Qt::CaseInsensitive) == 0 || text == QString::number(level))
            return level;
    }
    return std::nullopt;
}

Source levelOfArchive(const QString& archive, int level)
{
    const VivArchive opened = VivArchive::open(archive);
    if (!opened.find(levelEntry(level)))
        throw Error(err::BadFileFormat,
                    QStringLiteral("'%1' has no entry %2").arg(shown(archive), QString::fromLatin1(levelEntry(level))));
    Source source{archive, level, QString(), opened.extract(levelEntry(level)), std::make_shared<QTemporaryDir>()};
    if (!source.folder->isValid())
        throw Error(err::PathAccess, QStringLiteral("No temporary folder: %1").arg(source.folder->errorString()));
    source.file = source.folder->filePath(QStringLiteral("entry"));
    writeFileAtomically(source.file, source.bytes);
    return source;
}

Source openLevel(const QString& text)
{
    const qsizetype colon = text.lastIndexOf(QLatin1Char(':'));
    if (colon < 1)
        throw UsageError{QStringLiteral("'%1' names no level: give ARCHIVE:LEVEL").arg(text)};
    const QString levelText = text.mid(colon + 1);
    const std::optional<int> level = parseLevel(levelText);
    if (!level)
        throw UsageError{QStringLiteral("unknown level '%1': give Easy, Medium, Difficlt or 1 to 3").arg(levelText)};
    return levelOfArchive(text.left(colon), *level);
}

Source openSource(const QString& text)
{
    const qsizetype colon = text.lastIndexOf(QLatin1Char(':'));
    const bool namesLevel = colon > 0 && parseLevel(text.mid(colon + 1));
    // "C:\..." names a settings file on a drive, not ARCHIVE:LEVEL, also when it is missing.
    const bool driveLetter = colon == 1 && text.at(0).isLetter() && text.size() > 2
                             && (text.at(2) == QLatin1Char('\\') || text.at(2) == QLatin1Char('/'));
    if (namesLevel || (colon > 0 && !driveLetter && !QFileInfo(text).isFile()))
        return openLevel(text);
    const int level = settingsFileLevel(text);
    return Source{QString(), level, text, readFile(text), nullptr};
}

void loadDefinitions(pugi::xml_document& document, const QString& path)
{
    if (!QFileInfo(path).isFile())
        throw Error(err::FileNotFound, QStringLiteral("Definition file not found: '%1'").arg(shown(path)));
    const pugi::xml_parse_result parsed = ParseDefinitions(document, readFile(path));
    if (!parsed)
        throw Error(err::BadFileFormat, QStringLiteral("'%1' is not a definition file: %2 at byte %3")
                                            .arg(shown(path), QString::fromUtf8(parsed.description()))
                                            .arg(parsed.offset));
    if (document.select_nodes("//attribute").empty())
        throw Error(err::BadFileFormat, QStringLiteral("'%1' defines no attribute").arg(shown(path)));
}

std::vector<QString> attributeLeaves()
{
    std::set<QString> parents;
    for (const CatalogueNode& node : AttributeCatalogue())
        parents.insert(node.parent.toString());
    std::vector<QString> leaves;
    for (const CatalogueNode& node : AttributeCatalogue()) {
        if (!parents.count(node.key.toString()))
            leaves.push_back(node.key.toString());
    }
    return leaves;
}

std::vector<AttributeDefinition> definedAttributes(const pugi::xml_document& definitions, DefaultRule rule)
{
    std::vector<AttributeDefinition> found;
    for (const QString& key : attributeLeaves()) {
        if (std::optional<AttributeDefinition> attribute = FindAttribute(definitions, key, rule))
            found.push_back(std::move(*attribute));
    }
    return found;
}

TypedValue slotValue(const QString& file, int offset)
{
    try {
        QString form;
        return ReadValue(file, file, offset, form);
    } catch (const Error&) {
        return TypedValue();
    }
}

} // namespace vnt::cli
