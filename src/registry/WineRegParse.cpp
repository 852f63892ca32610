// Reading the registry files of a Wine prefix.
#include "registry/RegistryBackend.h"
#include "registry/WineRegFile.h"

#include <QStringList>

#include <algorithm>
#include <cstring>

namespace vnt {

namespace {

constexpr quint64 FileTimeOf1970 = 116444736000000000ull;
constexpr char Header[] = "WINE REGISTRY Version 2";
constexpr char RelativeToComment[] = ";; All keys relative to ";

struct Span {
    const char* p;
    const char* end;
    bool empty() const { return p >= end; }
    bool startsWith(const char* s) const
    {
        const std::size_t n = std::strlen(s);
        return std::size_t(end - p) >= n && std::memcmp(p, s, n) == 0;
    }
    void skipSpaces()
    {
        while (p < end && (*p == ' ' || *p == '\t'))
            ++p;
    }
};

// Hands out the lines of the text without their line ends (LF or CR LF).
class Lines {
public:
    explicit Lines(const QByteArray& text) : p_(text.constData()), end_(p_ + text.size()) {}
    bool next(Span* line)
    {
        if (p_ >= end_)
            return false;
        const char* nl = static_cast<const char*>(std::memchr(p_, '\n', std::size_t(end_ - p_)));
        const char* stop = nl ? nl : end_;
        *line = Span{p_, stop > p_ && stop[-1] == '\r' ? stop - 1 : stop};
        p_ = nl ? nl + 1 : end_;
        return true;
    }

private:
    const char* p_;
    const char* end_;
};

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

QChar controlEscape(char c)
{
    switch (c) {
    case 'a':
        return QChar(7);
    case 'b':
        return QChar(8);
    case 't':
        return QChar(9);
    case 'n':
        return QChar(10);
    case 'v':
        return QChar(11);
    case 'f':
        return QChar(12);
    case 'r':
        return QChar(13);
    case 'e':
        return QChar(27);
    default:
        return QChar(c);
    }
}

bool parseText(Span& s, char endChar, QString* out)
{
    return unescapeWineText(s.p, s.end, endChar, out);
}

bool parseHexNumber(Span& s, int maxDigits, quint64* value)
{
    int digits = 0;
    *value = 0;
    while (s.p < s.end && digits < maxDigits && hexDigit(*s.p) >= 0) {
        *value = *value * 16 + quint64(hexDigit(*s.p++));
        ++digits;
    }
    return digits > 0;
}

// Comma-separated hex bytes; a backslash at the end of a line continues them on
// the next one.
bool parseHexBytes(Span s, Lines& lines, QByteArray* out)
{
    for (;;) {
        s.skipSpaces();
        if (s.empty())
            return true;
        if (*s.p == ',') {
            ++s.p;
            continue;
        }
        if (*s.p == '\\') {
            ++s.p;
            s.skipSpaces();
            if (!s.empty() || !lines.next(&s))
                return s.empty();
            continue;
        }
        quint64 byte = 0;
        if (!parseHexNumber(s, 2, &byte))
            return false;
        out->append(char(byte));
    }
}

QByteArray stringData(const QString& text)
{
    QByteArray data = toUtf16Bytes(text);
    data.append(2, '\0');
    return data;
}

// "str:", "str(N):" and the plain quote: a string of that type.
bool parseStringValue(Span& s, quint32* type, QByteArray* data)
{
    *type = reg::Sz;
    if (s.startsWith("str:")) {
        s.p += 4;
    } else if (s.startsWith("str(")) {
        s.p += 4;
        quint64 t = 0;
        if (!parseHexNumber(s, 8, &t) || !s.startsWith("):"))
            return false;
        s.p += 2;
        *type = quint32(t);
    }
    QString text;
    if (s.empty() || *s.p++ != '"' || !parseText(s, '"', &text))
        return false;
    *data = stringData(text);
    return true;
}

bool parseData(Span s, Lines& lines, quint32* type, QByteArray* data)
{
    if (s.startsWith("dword:")) {
        s.p += 6;
        quint64 v = 0;
        if (!parseHexNumber(s, 8, &v))
            return false;
        *type = reg::Dword;
        for (int i = 0; i < 4; ++i)
            data->append(char((v >> (8 * i)) & 0xFF));
        return true;
    }
    if (s.startsWith("hex:")) {
        *type = reg::Binary;
        return parseHexBytes(Span{s.p + 4, s.end}, lines, data);
    }
    if (s.startsWith("hex(")) {
        s.p += 4;
        quint64 t = 0;
        if (!parseHexNumber(s, 8, &t) || !s.startsWith("):"))
            return false;
        *type = quint32(t);
        return parseHexBytes(Span{s.p + 2, s.end}, lines, data);
    }
    return parseStringValue(s, type, data);
}

void parseValue(Span s, Lines& lines, RegNode* key)
{
    QString name;
    if (*s.p == '@') {
        ++s.p;
    } else {
        ++s.p;
        if (!parseText(s, '"', &name))
            return;
    }
    s.skipSpaces();
    if (s.empty() || *s.p++ != '=')
        return;
    s.skipSpaces();
    quint32 type = 0;
    QByteArray data;
    if (key && parseData(s, lines, &type, &data))
        key->setValue(name, type, std::move(data));
}

RegNode* parseKey(Span s, RegNode* root)
{
    ++s.p;
    QString path;
    if (!parseText(s, ']', &path))
        return nullptr;
    RegNode* node = root;
    if (!path.isEmpty()) {
        for (const QString& part : path.split(QLatin1Char('\\'))) {
            if (part.isEmpty())
                return nullptr;
            node = node->ensureSubkey(part);
        }
    }
    s.skipSpaces();
    quint64 seconds = 0;
    for (; s.p < s.end && *s.p >= '0' && *s.p <= '9'; ++s.p)
        seconds = seconds * 10 + quint64(*s.p - '0');
    if (seconds)
        node->modified = FileTimeOf1970 + seconds * 10000000ull;
    return node;
}

void parseOption(Span s, RegNode* key, WineHive& hive)
{
    if (s.startsWith("#arch=")) {
        hive.arch = QByteArray(s.p + 6, s.end - s.p - 6).trimmed();
    } else if (!key) {
        return;
    } else if (s.startsWith("#time=")) {
        s.p += 6;
        quint64 ticks = 0;
        if (parseHexNumber(s, 16, &ticks))
            key->modified = ticks;
    } else if (s.startsWith("#class=\"")) {
        s.p += 8;
        QString text;
        if (parseText(s, '"', &text)) {
            key->hasClass = true;
            key->className = text;
        }
    } else if (s.startsWith("#link")) {
        key->isLink = true;
    }
}

} // namespace

bool unescapeWineText(const char*& p, const char* end, char endChar, QString* out)
{
    // Most texts hold no escape and nothing above 127: take them whole.
    const char* stop = static_cast<const char*>(std::memchr(p, endChar, std::size_t(end - p)));
    if (stop && std::find_if(p, stop, [](char c) { return c == '\\' || uchar(c) >= 0x80; }) == stop) {
        *out = QString::fromLatin1(p, stop - p);
        p = stop + 1;
        return true;
    }
    out->clear();
    while (p < end && *p != endChar) {
        const char c = *p;
        if (uchar(c) >= 0x80) {
            const char* start = p;
            while (p < end && uchar(*p) >= 0x80)
                ++p;
            out->append(QString::fromUtf8(start, p - start));
            continue;
        }
        ++p;
        if (c != '\\') {
            out->append(QLatin1Char(c));
            continue;
        }
        if (p >= end)
            return false;
        const char e = *p++;
        if (e == 'x' && p < end && hexDigit(*p) >= 0) {
            ushort unit = 0;
            for (int i = 0; i < 4 && p < end && hexDigit(*p) >= 0; ++i)
                unit = ushort(unit * 16 + hexDigit(*p++));
            out->append(QChar(unit));
        } else if (e >= '0' && e <= '7') {
            ushort unit = ushort(e - '0');
            for (int i = 1; i < 3 && p < end && *p >= '0' && *p <= '7'; ++i)
                unit = ushort(unit * 8 + (*p++ - '0'));
            out->append(QChar(unit));
        } else {
            out->append(controlEscape(e));
        }
    }
    if (p >= end)
        return false;
    ++p;
    return true;
}

WineHive parseWineRegistry(const QByteArray& text)
{
    WineHive hive;
    Lines lines(text);
    Span line{nullptr, nullptr};
    if (!lines.next(&line) || QByteArray(line.p, line.end - line.p) != Header)
        return hive;
    hive.valid = true;
    RegNode* key = nullptr;
    while (lines.next(&line)) {
        line.skipSpaces();
        if (line.empty())
            continue;
        switch (*line.p) {
        case ';':
            if (hive.relativeTo.isEmpty() && line.startsWith(RelativeToComment)) {
                const char* start = line.p + std::strlen(RelativeToComment);
                hive.relativeTo = QByteArray(start, line.end - start);
            }
            break;
        case '#':
            parseOption(line, key, hive);
            break;
        case '[':
            key = parseKey(line, hive.root.get());
            break;
        case '@':
        case '"':
            parseValue(line, lines, key);
            break;
        default:
            break; // not a line of the format: skipped
        }
    }
    return hive;
}

} // namespace vnt
