#include "model/Definitions.h"

#include "model/NumberText.h"

#include <QFile>
#include <QRegularExpression>

#include <array>
#include <string>

namespace vnt {

namespace {

constexpr int FirstUsableOffset = 5; // the type tag lies four bytes before the value

// The element's text content: all text below it, in document order. Walked
// without recursion, so no depth of nesting can exhaust the stack.
QString textOf(const pugi::xml_node& element)
{
    std::string text;
    for (pugi::xml_node n = element.first_child(); n;) {
        if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata)
            text += n.value();
        if (n.type() == pugi::node_element && n.first_child()) {
            n = n.first_child();
            continue;
        }
        while (n != element && !n.next_sibling())
            n = n.parent();
        n = n == element ? pugi::xml_node() : n.next_sibling();
    }
    return QString::fromStdString(text);
}

std::optional<QString> fieldText(const pugi::xml_node& attribute, const char* query)
{
    const pugi::xml_node element = attribute.select_node(query).node();
    if (!element)
        return std::nullopt;
    return textOf(element);
}

// The text as a whole number of the target width, halves to even.
template <typename Int> bool wholeNumber(const QString& text, Int& out, std::optional<Int> (*round)(double))
{
    const std::optional<double> number = ParseFileNumber(text);
    const std::optional<Int> whole = number ? round(*number) : std::nullopt;
    if (!whole)
        return false;
    out = *whole;
    return true;
}

// A number of the file as the user reads it: as written when the user's locale
// reads it as the same number, else written anew in that locale.
QString shownNumber(const QString& written, double value)
{
    const std::optional<double> local = ParseNumber(written);
    return local && *local == value ? written : DoubleText(value);
}

// A number text times the scale must fit a slider position.
bool scaledFits(double number, qint32 scale)
{
    return RoundToInt32(number * scale).has_value();
}

std::optional<AttributeDefinition> readDefinition(const pugi::xml_node& attribute, const QString& key, bool defaultsInRange)
{
    const auto name = fieldText(attribute, "name");
    const auto description = fieldText(attribute, "description");
    const auto minText = fieldText(attribute, "min_range");
    const auto maxText = fieldText(attribute, "max_range");
    const auto multText = fieldText(attribute, "range_mult");
    const auto offsetText = fieldText(attribute, "offset");
    const auto easy = fieldText(attribute, ".//easy");
    const auto medium = fieldText(attribute, ".//medium");
    const auto difficlt = fieldText(attribute, ".//difficlt");
    if (!name || !description || !minText || !maxText || !multText || !offsetText || !easy || !medium || !difficlt)
        return std::nullopt;

    // Plain integers rather than optionals here: GCC's optimiser warns falsely
    // about optionals built from a conditional.
    qint32 rangeMult = 0;
    qint16 offset = 0;
    if (!wholeNumber(*multText, rangeMult, &RoundToInt32) || rangeMult <= 0 || !wholeNumber(*offsetText, offset, &RoundToInt16)
        || offset < FirstUsableOffset)
        return std::nullopt;

    const auto low = ParseFileNumber(*minText);
    const auto high = ParseFileNumber(*maxText);
    if (!low || !high || *low > *high || !scaledFits(*low, rangeMult) || !scaledFits(*high, rangeMult))
        return std::nullopt;
    // Each default must lie on the slider.
    std::array<QString, 3> defaults{*easy, *medium, *difficlt};
    for (QString& text : defaults) {
        const auto value = ParseFileNumber(text);
        if (!value || (defaultsInRange && (*value < *low || *value > *high)))
            return std::nullopt;
        text = shownNumber(text, *value);
    }

    return AttributeDefinition{
        key,         *name,       *description, shownNumber(*minText, *low), shownNumber(*maxText, *high), rangeMult, offset,
        defaults[0], defaults[1], defaults[2]};
}

// Whether the XML declaration at the start of data names windows-1252, which the
// XML library does not know.
bool declaresWindows1252(const QByteArray& data)
{
    if (!data.startsWith("<?xml"))
        return false;
    const qsizetype declarationEnd = data.indexOf("?>");
    if (declarationEnd < 0)
        return false;
    const QByteArray declaration = data.left(declarationEnd);
    static const QRegularExpression encoding(QStringLiteral("encoding\\s*=\\s*[\"']([^\"']*)[\"']"));
    const QString name = encoding.match(QString::fromLatin1(declaration)).captured(1);
    return name.compare(QLatin1String("windows-1252"), Qt::CaseInsensitive) == 0
           || name.compare(QLatin1String("cp1252"), Qt::CaseInsensitive) == 0;
}

// Windows-1252 as UTF-8: Latin-1 but for 0x80..0x9F (five of them are unassigned
// and kept as the control characters of those numbers, as Windows does).
QByteArray utf8FromWindows1252(const QByteArray& data)
{
    static const char16_t high[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                      0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString text(data.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < data.size(); ++i) {
        const uchar byte = uchar(data[i]);
        text[i] = QChar(byte >= 0x80 && byte < 0xA0 ? high[byte - 0x80] : char16_t(byte));
    }
    return text.toUtf8();
}

} // namespace

void LoadDefinitions(pugi::xml_document& definitions, const QString& path)
{
    definitions.reset();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return;
    // A document that fails part way keeps what was parsed before the fault; none
    // of a broken file is used.
    if (!ParseDefinitions(definitions, data))
        definitions.reset();
}

pugi::xml_parse_result ParseDefinitions(pugi::xml_document& definitions, QByteArray data)
{
    pugi::xml_encoding encoding = pugi::encoding_auto;
    if (declaresWindows1252(data)) {
        data = utf8FromWindows1252(data);
        encoding = pugi::encoding_utf8;
    }
    return definitions.load_buffer(data.constData(), std::size_t(data.size()), pugi::parse_default, encoding);
}

std::optional<AttributeDefinition> FindAttribute(const pugi::xml_document& definitions, const QString& key, DefaultRule rule)
{
    pugi::xpath_node_set attributes = definitions.select_nodes("//attribute");
    attributes.sort();
    for (const pugi::xpath_node& item : attributes) {
        const auto keyText = fieldText(item.node(), "key");
        if (keyText && keyText->trimmed() == key)
            return readDefinition(item.node(), key, rule == DefaultRule::InRange);
    }
    return std::nullopt;
}

} // namespace vnt
