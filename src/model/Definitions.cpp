#include "model/Definitions.h"

#include "model/NumberText.h"

#include <QFile>

#include <string>

namespace vnt {

namespace {

constexpr int FirstUsableOffset = 5; // the type tag lies four bytes before the value

void appendText(const pugi::xml_node& element, std::string& text)
{
    for (pugi::xml_node n = element.first_child(); n; n = n.next_sibling()) {
        if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata)
            text += n.value();
        else if (n.type() == pugi::node_element)
            appendText(n, text);
    }
}

// The element's text content: all text below it, in document order.
QString textOf(const pugi::xml_node& element)
{
    std::string text;
    appendText(element, text);
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
template <typename Int>
bool wholeNumber(const QString& text, Int& out, std::optional<Int> (*round)(double))
{
    const std::optional<double> number = ParseNumber(text);
    const std::optional<Int> whole = number ? round(*number) : std::nullopt;
    if (!whole)
        return false;
    out = *whole;
    return true;
}

// A number text times the scale must fit a slider position.
bool scaledFits(double number, qint32 scale)
{
    return RoundToInt32(number * scale).has_value();
}

std::optional<AttributeDefinition> readDefinition(const pugi::xml_node& attribute, const QString& key)
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
    if (!wholeNumber(*multText, rangeMult, &RoundToInt32) || rangeMult == 0
        || !wholeNumber(*offsetText, offset, &RoundToInt16)
        || offset < FirstUsableOffset)
        return std::nullopt;

    const auto low = ParseNumber(*minText);
    const auto high = ParseNumber(*maxText);
    if (!low || !high || *low > *high || !scaledFits(*low, rangeMult) || !scaledFits(*high, rangeMult))
        return std::nullopt;
    for (const QString* text : {&*easy, &*medium, &*difficlt}) {
        const auto value = ParseNumber(*text);
        if (!value || !scaledFits(*value, rangeMult))
            return std::nullopt;
    }

    return AttributeDefinition{key, *name, *description, *minText, *maxText, rangeMult, offset,
                               *easy, *medium, *difficlt};
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
    if (!definitions.load_buffer(data.constData(), std::size_t(data.size())))
        definitions.reset();
}

std::optional<AttributeDefinition> FindAttribute(const pugi::xml_document& definitions, const QString& key)
{
    pugi::xpath_node_set attributes = definitions.select_nodes("//attribute");
    attributes.sort();
    for (const pugi::xpath_node& item : attributes) {
        const auto keyText = fieldText(item.node(), "key");
        if (keyText && keyText->trimmed() == key)
            return readDefinition(item.node(), key);
    }
    return std::nullopt;
}

} // namespace vnt
