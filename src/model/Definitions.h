#pragma once

#include <pugixml.hpp>
#include "model/AttributeDefinition.h"

#include <QString>

#include <optional>

namespace vnt {

// Parses the definition file into the document (UTF-8, UTF-16, Latin-1, or
// windows-1252 when its declaration names that); a missing or malformed file
// leaves the document empty and is not reported.
void LoadDefinitions(pugi::xml_document& definitions, const QString& path);

// Parses the bytes of a definition file into the document with the same decoding,
// for callers that report what is wrong with it.
pugi::xml_parse_result ParseDefinitions(pugi::xml_document& definitions, QByteArray data);

// The first attribute element in document order whose key equals key exactly.
// Nothing when no element has that key, or when the first one that has it cannot
// be edited safely: a missing field or default, a number that does not parse or
// does not fit, a range_mult of 0 or below, an offset outside 5..32767, min_range
// above max_range, a default outside the range, or a scaled range beyond 32 bits.
// Numbers are read with "." as the decimal mark first, in the user's locale only
// when that fails (ParseFileNumber). Nothing is cached: every call reads the
// document again.
// DefaultRule::AnyNumber drops the rule that the defaults lie in the range, for
// tools that report such a default rather than pass over the attribute.
enum class DefaultRule { InRange, AnyNumber };
std::optional<AttributeDefinition> FindAttribute(const pugi::xml_document& definitions, const QString& key,
                                                 DefaultRule rule = DefaultRule::InRange);

} // namespace vnt
