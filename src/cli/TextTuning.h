#pragma once

#include "cli/CliSource.h"

#include <QString>

#include <pugixml.hpp>

#include <vector>

namespace vnt::cli {

// A tuning as text, for people to read and share: a header naming the level, then
// one "key = value" line per attribute, each with a comment giving the attribute's
// name and the level's default. What follows "#" on a line is a comment.

// One assignment of a text tuning: "KEY=VALUE" and where it stands.
struct TuningLine {
    QString assignment;
    int line = 0;
};

// Writes the values of source's level that differ from the level's default (every
// value with all). A file already at path is replaced only when it is a text
// tuning itself; the file is written in one atomic step.
void writeTextTuning(const Source& source, const pugi::xml_document& definitions, const QString& path, bool all);

// The assignments of the text tuning at path. A line that is neither blank, a
// comment nor "key = value" is refused with a UsageError naming the file and line.
std::vector<TuningLine> readTextTuning(const QString& path);

} // namespace vnt::cli
