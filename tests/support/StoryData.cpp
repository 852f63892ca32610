#include "support/StoryData.h"

#include <QtEndian>

namespace vnt::test {

namespace {

const char* const Definitions = R"(<?xml version="1.0"?>
<aidata>
  <attribute><key>pass_intercept_cpu</key><name>Pass Intercept CPU</name><description>How often the CPU cuts passes.</description>
    <min_range>0</min_range><max_range>1</max_range><range_mult>100</range_mult><offset>37</offset>
    <defaults><easy>0.25</easy><medium>0.5</medium><difficlt>0.75</difficlt></defaults></attribute>
  <attribute><key>faceoffs_cpu_chances</key><name>Faceoff Chances</name><description>Faceoffs the CPU wins.</description>
    <min_range>0</min_range><max_range>100</max_range><range_mult>1</range_mult><offset>49</offset>
    <easy>30</easy><medium>50</medium><difficlt>70</difficlt></attribute>
</aidata>
)";

} // namespace

QByteArray StoryData::levelEntry(int level)
{
    QByteArray bytes(64, char(0xA0 + level));
    qToLittleEndian(quint16(0xB17B), bytes.data() + 32); // each value's tag four bytes before it
    qToLittleEndian(float(0.1 + 0.2 * level), bytes.data() + 36);
    qToLittleEndian(quint16(0xB810), bytes.data() + 44);
    qToLittleEndian(qint32(20 * level), bytes.data() + 48);
    return bytes;
}

QByteArray StoryData::definitions()
{
    return Definitions;
}

} // namespace vnt::test
