#pragma once

#include "model/AttributeDefinition.h"
#include "model/Definitions.h"
#include "model/TypedValue.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <pugixml.hpp>

#include <memory>
#include <optional>
#include <vector>

namespace vnt::cli {

// A request the program refuses before doing anything: a usage error or bad
// input of the user's own (exit status 2).
struct UsageError {
    QString message;
};

// The skill levels 1 Easy, 2 Medium, 3 Difficlt.
constexpr int LevelCount = 3;
QString levelName(int level);
QByteArray levelEntry(int level); // "Easy.ubc", ...
// "Easy", "medium", "DIFFICLT", "1" to "3"; nothing for any other text.
std::optional<int> parseLevel(const QString& text);

// What a command reads values from: a level of an archive, or a settings file.
// The values are read from file, a private copy of the entry (or the settings
// file itself, which is only read).
struct Source {
    QString archive; // empty for a settings file
    int level = 0;
    QString file;
    QByteArray bytes;
    std::shared_ptr<QTemporaryDir> folder; // holds the copy of an archive's entry
};

// ARCHIVE:LEVEL (the last colon splits it) or a settings file.
Source openSource(const QString& text);
// ARCHIVE:LEVEL only.
Source openLevel(const QString& text);
// The entry of a level of an opened archive, copied into a private folder.
Source levelOfArchive(const QString& archive, int level);

// The definitions at path. A file that is missing, cannot be parsed or defines
// no attribute is refused with an Error.
void loadDefinitions(pugi::xml_document& document, const QString& path);

// The leaves of the attribute tree, in the tree's order.
std::vector<QString> attributeLeaves();
// The attributes the definitions give for those leaves, in the same order; by
// default only those the editor can use.
std::vector<AttributeDefinition> definedAttributes(const pugi::xml_document& definitions, DefaultRule rule = DefaultRule::InRange);

// The value of the slot at offset, read as the editor reads it (its form taken
// from the slot's tag); empty when the tag names no form or the slot lies
// outside the file.
TypedValue slotValue(const QString& file, int offset);

} // namespace vnt::cli
