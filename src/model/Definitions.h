#pragma once

#include <pugixml.hpp>
#include "model/AttributeDefinition.h"

#include <QString>

#include <optional>

namespace vnt {

// Parses the definition file into the document; a missing or malformed file
// leaves the document empty and is not reported.
void LoadDefinitions(pugi::xml_document& definitions, const QString& path);

// The first attribute element in document order whose key equals key exactly.
// Nothing when no element has that key, or when the first one that has it cannot
// be edited safely: a missing field or default, a number that does not parse or
// does not fit, a range_mult of 0, an offset outside 5..32767, min_range above
// max_range, or a scaled range or default beyond 32 bits. Nothing is cached: every
// call reads the document again.
std::optional<AttributeDefinition> FindAttribute(const pugi::xml_document& definitions, const QString& key);

} // namespace vnt
