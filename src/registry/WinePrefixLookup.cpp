// Looking up one key in a Wine registry file without parsing the whole file.
#include "registry/RegistryBackend.h"
#include "registry/WinePrefixes.h"

#include <algorithm>
#include <cstring>

namespace vnt {

namespace {

bool sameName(const QString& a, const char* b)
{
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

// The start of the next line at or after p that opens a section ("[" after
// blanks, as the parser decides), or end; *header is then past its "[".
const char* nextSection(const char* p, const char* begin, const char* end, const char** header)
{
    for (;;) {
        const char* bracket = static_cast<const char*>(std::memchr(p, '[', std::size_t(end - p)));
        if (!bracket)
            return end;
        const char* line = bracket;
        while (line > begin && (line[-1] == ' ' || line[-1] == '\t'))
            --line;
        if (line == begin || line[-1] == '\n') {
            *header = bracket + 1;
            return line;
        }
        p = bracket + 1;
    }
}

// Whether the header at p (past its "[") may name one of the wanted paths
// (folded and sorted). Decided by the header's plain start, where bytes and
// unescaped units match one to one (ASCII, and "\\\\" for one backslash): a
// header that differs there names none of them. Past its plain start only the
// full unescape can tell.
bool mayName(const char* p, const char* end, const QStringList& wanted)
{
    // The paths that agree with the header so far: a range of the sorted list.
    auto first = wanted.cbegin();
    auto last = wanted.cend();
    for (qsizetype i = 0; first != last && p < end; ++i) {
        const char c = *p;
        if (c == ']')
            return first->size() == i; // the shortest comes first
        if (c == '\n' || uchar(c) >= 0x80 || (c == '\\' && (end - p < 2 || p[1] != '\\')))
            return true;
        const int unit = c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
        p += c == '\\' ? 2 : 1;
        const auto unitAt = [i](const QString& path) { return path.size() > i ? int(path.at(i).unicode()) : -1; };
        first = std::lower_bound(first, last, unit, [&](const QString& path, int u) { return unitAt(path) < u; });
        last = std::upper_bound(first, last, unit, [&](int u, const QString& path) { return u < unitAt(path); });
    }
    return first != last;
}

// The key path of the section at p (past its "["), folded as the tree folds
// names; empty when the header cannot be read.
QString foldedHeader(const char* p, const char* end)
{
    const char* nl = static_cast<const char*>(std::memchr(p, '\n', std::size_t(end - p)));
    QString path;
    return unescapeWineText(p, nl ? nl : end, ']', &path) ? foldName(path) : QString();
}

const RegNode* findKey(const RegNode& root, const QStringList& path)
{
    const RegNode* node = &root;
    for (const QString& part : path) {
        node = node->findSubkey(part);
        if (!node)
            return nullptr;
    }
    return node;
}

} // namespace

WineHive parseWineSections(const QByteArray& text, const QStringList& keyPaths)
{
    QStringList wanted;
    for (const QString& path : keyPaths)
        wanted.append(foldName(path.split(QLatin1Char('\\'), Qt::SkipEmptyParts).join(QLatin1Char('\\'))));
    wanted.sort();
    wanted.removeDuplicates();

    const char* const begin = text.constData();
    const char* const end = begin + text.size();
    const char* header = nullptr;
    const char* line = nextSection(begin, begin, end, &header);
    QByteArray kept(begin, line - begin); // the file's header lines
    while (line < end) {
        const char* const thisHeader = header;
        const char* const next = nextSection(thisHeader, begin, end, &header);
        if (mayName(thisHeader, end, wanted) && std::binary_search(wanted.cbegin(), wanted.cend(), foldedHeader(thisHeader, end)))
            kept.append(line, next - line);
        line = next;
    }
    return parseWineRegistry(kept);
}

std::optional<QString> wineMachineString(const QByteArray& systemReg, const QString& keyPath, const QString& valueName)
{
    const QStringList path = keyPath.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    // File types (Software\Classes) are shared by both views.
    QStringList redirected;
    if (path.size() >= 2 && sameName(path[0], "Software") && !sameName(path[1], "Wow6432Node") && !sameName(path[1], "Classes"))
        redirected = QStringList{path[0], QStringLiteral("Wow6432Node")} + path.mid(1);
    QStringList wanted{keyPath};
    if (!redirected.isEmpty())
        wanted.append(redirected.join(QLatin1Char('\\')));
    const WineHive hive = parseWineSections(systemReg, wanted);
    QList<QStringList> views{path};
    if (!redirected.isEmpty() && hive.arch == "win64")
        views.prepend(redirected);
    for (const QStringList& view : views) {
        const RegNode* key = findKey(*hive.root, view);
        if (!key)
            continue;
        const RegValue* value = key->findValue(valueName);
        if (!value || !reg::isStringType(value->type))
            return std::nullopt;
        QString text = fromUtf16Bytes(value->data);
        while (text.endsWith(QChar(0)))
            text.chop(1);
        return text;
    }
    return std::nullopt;
}

} // namespace vnt
