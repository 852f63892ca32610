#pragma once

#include "registry/RegistryTree.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace vnt {

// One registry file of a Wine prefix (system.reg, user.reg, userdef.reg), parsed.
struct WineHive {
    std::unique_ptr<RegNode> root = std::make_unique<RegNode>();
    bool valid = false;    // the file began with the format's header line
    QByteArray relativeTo; // what the header comment names, as written
    QByteArray arch;       // "win32", "win64", or empty when the file does not say
};

// Reads the text of a registry file. A line that cannot be understood is skipped
// (a malformed key line also skips the values below it); a text without the
// header line gives an empty, invalid hive.
WineHive parseWineRegistry(const QByteArray& text);

// Reads an escaped text of a registry file (a key path, value name, string or
// class) from p up to the unescaped end character, leaving p past it; false when
// end comes first. Bytes above 127 are taken as UTF-8.
bool unescapeWineText(const char*& p, const char* end, char endChar, QString* out);

// Writes a hive as Wine does: keys in order, each with its modification time,
// class, link mark and values; strings escaped, binary data wrapped.
QByteArray formatWineRegistry(const WineHive& hive);

} // namespace vnt
