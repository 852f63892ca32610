#include "DemoSlots.h"

#include "base/Error.h"

#include <QDir>
#include <QFile>

#include <pugixml.hpp>

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <set>

namespace vnt::demo {

namespace {

constexpr int SlotBefore = 4; // the tag and two unused bytes in front of the value
constexpr int SlotValue = 4;  // the value itself
constexpr int TrailerSize = 32;

[[noreturn]] void refuse(const QString& what)
{
    throw Error(err::BadFileFormat, what);
}

// Text of the first element a query finds below an attribute element.
QString fieldText(const pugi::xml_node& attribute, const char* query, const QString& key)
{
    const pugi::xml_node field = attribute.select_node(query).node();
    if (!field)
        refuse(QStringLiteral("The attribute '%1' has no element '%2'").arg(key, QString::fromLatin1(query)));
    return QString::fromUtf8(field.text().get());
}

double numberField(const pugi::xml_node& attribute, const char* query, const QString& key)
{
    const QString text = fieldText(attribute, query, key);
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        refuse(
            QStringLiteral("The attribute '%1' has '%2' in '%3', which is not a number").arg(key, text, QString::fromLatin1(query)));
    return value;
}

bool isWhole(double value)
{
    return std::floor(value) == value && std::fabs(value) <= std::numeric_limits<std::int32_t>::max();
}

// A value's position: whole, inside the 16-bit range, and with its tag after the
// header, which holds the skill index of settings files.
int readOffset(const pugi::xml_node& attribute, const QString& key)
{
    constexpr int first = HeaderSize + SlotBefore + 1;
    constexpr int last = std::numeric_limits<std::int16_t>::max();
    const double offset = numberField(attribute, "offset", key);
    if (!isWhole(offset) || offset < first || offset > last)
        refuse(QStringLiteral("The attribute '%1' has the position %2; values lie from %3 to %4, after the header")
                   .arg(key)
                   .arg(offset)
                   .arg(first)
                   .arg(last));
    return int(offset);
}

DemoSlot readSlot(const pugi::xml_node& attribute)
{
    DemoSlot slot;
    const pugi::xml_node keyNode = attribute.child("key");
    if (!keyNode)
        refuse(QStringLiteral("An attribute has no key"));
    slot.key = QString::fromUtf8(keyNode.text().get());

    slot.offset = readOffset(attribute, slot.key);

    const double rangeMult = numberField(attribute, "range_mult", slot.key);
    const double low = numberField(attribute, "min_range", slot.key);
    const double high = numberField(attribute, "max_range", slot.key);
    if (rangeMult == 0 || low > high)
        refuse(QStringLiteral("The attribute '%1' has no usable range").arg(slot.key));

    bool whole = rangeMult == 1 && isWhole(low) && isWhole(high);
    const char* queries[] = {".//easy", ".//medium", ".//difficlt"};
    for (std::size_t i = 0; i < slot.defaults.size(); ++i) {
        const double value = numberField(attribute, queries[i], slot.key);
        if (value < low || value > high)
            refuse(QStringLiteral("The %1 default of '%2' lies outside its range").arg(SkillNames[i], slot.key));
        slot.defaults[i] = value;
        whole = whole && isWhole(value);
    }
    slot.form = whole ? SlotForm::Int32 : SlotForm::Float;
    return slot;
}

// Slots are sorted by position; each must end before the next one's tag.
void refuseOverlaps(std::vector<DemoSlot> slots)
{
    std::sort(slots.begin(), slots.end(), [](const DemoSlot& a, const DemoSlot& b) { return a.offset < b.offset; });
    for (std::size_t i = 1; i < slots.size(); ++i)
        if (slots[i].offset - SlotBefore < slots[i - 1].offset + SlotValue)
            refuse(QStringLiteral("The slots of '%1' and '%2' overlap").arg(slots[i - 1].key, slots[i].key));
}

std::uint8_t fillerByte(int index)
{
    return std::uint8_t(1 + (index * 151 + 89) % 255);
}

} // namespace

std::vector<DemoSlot> readDemoSlots(const QString& definitionPath)
{
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_file(QFile::encodeName(definitionPath).constData());
    if (!parsed)
        refuse(QStringLiteral("Cannot read the definitions '%1': %2")
                   .arg(QDir::toNativeSeparators(definitionPath), QString::fromUtf8(parsed.description())));

    std::vector<DemoSlot> slots;
    std::set<QString> keys;
    for (const pugi::xpath_node& node : document.select_nodes("//attribute")) {
        DemoSlot slot = readSlot(node.node());
        if (!keys.insert(slot.key).second)
            refuse(QStringLiteral("The key '%1' is defined twice").arg(slot.key));
        slots.push_back(std::move(slot));
    }
    if (slots.empty())
        refuse(QStringLiteral("The definitions '%1' hold no attribute").arg(QDir::toNativeSeparators(definitionPath)));
    refuseOverlaps(slots);
    return slots;
}

void putLittleEndian(QByteArray& bytes, int index, std::uint32_t value, int width)
{
    for (int i = 0; i < width; ++i)
        bytes[index + i] = char((value >> (8 * i)) & 0xFF);
}

QByteArray newTable(int size, int slotCount, int fillerStart)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char(fillerByte(fillerStart + i));
    const char mark[] = {'A', 'I', 'D', 'T'};
    for (int i = 0; i < 4; ++i)
        bytes[i] = mark[i];
    putLittleEndian(bytes, 4, 1, 4);
    putLittleEndian(bytes, 8, std::uint32_t(slotCount), 4);
    putLittleEndian(bytes, 12, std::uint32_t(size), 4);
    return bytes;
}

QByteArray buildSkillEntry(const std::vector<DemoSlot>& slots, int skill)
{
    int end = HeaderSize;
    for (const DemoSlot& slot : slots)
        end = std::max(end, slot.offset - 1 + SlotValue + SlotBefore);
    const int size = (end + TrailerSize + 15) / 16 * 16;

    QByteArray bytes = newTable(size, int(slots.size()));

    for (const DemoSlot& slot : slots) {
        const double value = slot.defaults.at(std::size_t(skill));
        const int at = slot.offset - 1; // counted from 0
        if (slot.form == SlotForm::Int32) {
            putLittleEndian(bytes, at - SlotBefore, Int32Tag, 2);
            putLittleEndian(bytes, at, std::uint32_t(std::int32_t(value)), 4);
        } else {
            putLittleEndian(bytes, at - SlotBefore, FloatTag, 2);
            putLittleEndian(bytes, at, std::bit_cast<std::uint32_t>(float(value)), 4);
        }
    }
    return bytes;
}

} // namespace vnt::demo
