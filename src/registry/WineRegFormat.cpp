// Writing the registry files of a Wine prefix, in the form Wine writes them.
#include "registry/RegistryBackend.h"
#include "registry/WineRegFile.h"

#include <QStringList>

namespace vnt {

namespace {

constexpr quint64 FileTimeOf1970 = 116444736000000000ull;
constexpr int HexLineWidth = 76;

bool isAsciiHexDigit(ushort u)
{
    return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F');
}

// Appends text with the escapes the format uses: units above 127 as \x, control
// characters as C or octal escapes, and a backslash before "\" and before the
// two given characters.
void appendEscaped(QByteArray& out, const QString& text, char escape1, char escape2)
{
    static const char controlLetters[33] = ".......abtnvfr.............e....";
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const ushort u = text[i].unicode();
        const ushort next = i + 1 < n ? text[i + 1].unicode() : 0;
        const bool hasNext = i + 1 < n;
        if (u > 127) {
            const bool pad = hasNext && isAsciiHexDigit(next);
            out += pad ? QByteArray::number(u, 16).rightJustified(4, '0').prepend("\\x") : QByteArray::number(u, 16).prepend("\\x");
        } else if (u < 32) {
            out += '\\';
            if (controlLetters[u] != '.')
                out += controlLetters[u];
            else if (hasNext && next >= '0' && next <= '7')
                out += QByteArray::number(u, 8).rightJustified(3, '0');
            else
                out += QByteArray::number(u, 8);
        } else {
            if (u == '\\' || u == ushort(escape1) || u == ushort(escape2))
                out += '\\';
            out += char(u);
        }
    }
}

void appendHex(QByteArray& out, const QByteArray& data, int column)
{
    static const char digits[] = "0123456789abcdef";
    for (qsizetype i = 0; i < data.size(); ++i) {
        out += digits[uchar(data[i]) >> 4];
        out += digits[uchar(data[i]) & 15];
        column += 2;
        if (i + 1 < data.size()) {
            out += ',';
            if (++column > HexLineWidth) {
                out += "\\\n  ";
                column = 2;
            }
        }
    }
}

// A NUL-terminated UTF-16 string is written as text, anything else as bytes.
bool writtenAsText(const RegValue& value)
{
    const QByteArray& d = value.data;
    return reg::isStringType(value.type) && d.size() >= 2 && d.size() % 2 == 0 && d[d.size() - 1] == 0 && d[d.size() - 2] == 0;
}

void appendValue(QByteArray& out, const RegValue& value)
{
    const qsizetype lineStart = out.size();
    if (value.name.isEmpty()) {
        out += '@';
    } else {
        out += '"';
        appendEscaped(out, value.name, '"', '"');
        out += '"';
    }
    out += '=';
    if (writtenAsText(value)) {
        if (value.type == reg::ExpandSz)
            out += "str(2):";
        else if (value.type == reg::MultiSz)
            out += "str(7):";
        out += '"';
        appendEscaped(out, fromUtf16Bytes(value.data.chopped(2)), '"', '"');
        out += '"';
    } else if (value.type == reg::Dword && value.data.size() == 4) {
        const auto* b = reinterpret_cast<const uchar*>(value.data.constData());
        const quint32 v = b[0] | (b[1] << 8) | (b[2] << 16) | (quint32(b[3]) << 24);
        out += "dword:" + QByteArray::number(v, 16).rightJustified(8, '0');
    } else {
        out += value.type == reg::Binary ? QByteArray("hex:") : "hex(" + QByteArray::number(value.type, 16) + "):";
        appendHex(out, value.data, int(out.size() - lineStart));
    }
    out += '\n';
}

void appendPath(QByteArray& out, const QStringList& path)
{
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (i > 0)
            out += "\\\\";
        appendEscaped(out, path[i], '[', ']');
    }
}

void appendKey(QByteArray& out, const RegNode& key, QStringList& path)
{
    // A key with subkeys but nothing of its own is implied by its subkeys' lines.
    if (!key.values.empty() || key.subkeys.empty() || key.hasClass || key.isLink) {
        const quint64 ticks = key.modified >= FileTimeOf1970 ? key.modified : currentFileTime();
        out += "\n[";
        appendPath(out, path);
        out += "] " + QByteArray::number(quint32((ticks - FileTimeOf1970) / 10000000ull)) + '\n';
        out += "#time=" + QByteArray::number(quint32(ticks >> 32), 16)
               + QByteArray::number(quint32(ticks), 16).rightJustified(8, '0') + '\n';
        if (key.hasClass) {
            out += "#class=\"";
            appendEscaped(out, key.className, '"', '"');
            out += "\"\n";
        }
        if (key.isLink)
            out += "#link\n";
        for (const RegValue& value : key.values)
            appendValue(out, value);
    }
    for (const auto& sub : key.subkeys) {
        path.append(sub->name);
        appendKey(out, *sub, path);
        path.removeLast();
    }
}

} // namespace

QByteArray formatWineRegistry(const WineHive& hive)
{
    QByteArray out; // grows as needed: a fixed reservation costs small hives more than the text
    out += "WINE REGISTRY Version 2\n;; All keys relative to " + hive.relativeTo + '\n';
    if (!hive.arch.isEmpty())
        out += "\n#arch=" + hive.arch + '\n';
    QStringList path;
    const RegNode& root = *hive.root;
    if (!root.values.empty() || root.hasClass) {
        appendKey(out, root, path);
        return out;
    }
    for (const auto& sub : root.subkeys) {
        path.append(sub->name);
        appendKey(out, *sub, path);
        path.removeLast();
    }
    return out;
}

} // namespace vnt
