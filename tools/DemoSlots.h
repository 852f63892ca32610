#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace vnt::demo {

// Tag words in front of a value: a single-precision float or a 32-bit integer.
constexpr std::uint16_t FloatTag = 0xB17B;
constexpr std::uint16_t Int32Tag = 0xB810;

// Every skill entry starts with a header of this many bytes. Positions 17 and 18
// (counted from 1) lie inside it: settings files keep their skill index there.
constexpr int HeaderSize = 32;

// The skill levels in the order of the skill list, with their archive entries.
constexpr std::array<const char*, 3> SkillNames = {"Easy", "Medium", "Difficlt"};
constexpr std::array<const char*, 3> SkillEntries = {"Easy.ubc", "Medium.ubc", "Difficlt.ubc"};

enum class SlotForm { Float, Int32 };

// One value of the demo entries, placed as the definition file says.
struct DemoSlot {
    QString key;
    int offset = 0; // position of the value, counted from 1
    SlotForm form = SlotForm::Float;
    std::array<double, 3> defaults{}; // Easy, Medium, Difficlt
};

// Reads the attributes of a definition file ("." as decimal separator). The
// form of each slot follows from its numbers: a 32-bit integer when range_mult
// is 1 and the range and every default are whole numbers, a float otherwise.
// Throws vnt::Error when the file cannot be read, an attribute lacks a field or
// holds a number that is not one, a key repeats, or a slot would leave the
// 16-bit position range, cover positions 17-18 or overlap another slot.
std::vector<DemoSlot> readDemoSlots(const QString& definitionPath);

// The bytes of one skill level's entry (skill 0 = Easy, 1 = Medium, 2 = Difficlt):
// the header, every slot's tag and that level's default, and non-zero filler in
// every other byte, so that a write in the wrong place shows.
QByteArray buildSkillEntry(const std::vector<DemoSlot>& slots, int skill);

// A table of the given size: the header (a mark, a version, the slot count and
// the size) and non-zero filler bytes after it, starting the filler pattern at
// fillerStart. Positions 17 and 18 hold filler.
QByteArray newTable(int size, int slotCount, int fillerStart = 0);

// Writes the lowest width bytes of value at index (counted from 0), little-endian.
void putLittleEndian(QByteArray& bytes, int index, std::uint32_t value, int width);

} // namespace vnt::demo
