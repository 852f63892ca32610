// The sample definitions and the demo installation built from them: every leaf of
// the attribute tree selects an attribute whose defaults the editor can show and
// whose slot the demo entries carry with that level's default.

#include "DemoInstall.h"
#include "DemoSlots.h"

#include "app/Error.h"
#include "archive/VivArchive.h"
#include "model/AttributeCatalogue.h"
#include "model/Definitions.h"
#include "model/NumberText.h"
#include "model/TypedValue.h"
#include "support/TestEditor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <set>

namespace vnt {
namespace {

const QString SampleDefinitions = QStringLiteral(VANTOR_SOURCE_DIR "/data/aidata.xml");

// Keys of the catalogue's nodes that have no children: the editable attributes.
std::vector<QString> leafKeys()
{
    std::set<QString> parents;
    for (const CatalogueNode& node : AttributeCatalogue())
        parents.insert(node.parent.toString());
    std::vector<QString> leaves;
    for (const CatalogueNode& node : AttributeCatalogue())
        if (!parents.count(node.key.toString()))
            leaves.push_back(node.key.toString());
    return leaves;
}

struct SampleDefinitionsTest : ::testing::Test {
    void SetUp() override { LoadDefinitions(editor.ctx, SampleDefinitions); }

    AttributeDefinition find(const QString& key)
    {
        const std::optional<AttributeDefinition> found = FindAttribute(editor.ctx, key);
        if (!found)
            throw std::runtime_error("no attribute " + key.toStdString());
        return *found;
    }

    test::TestEditor editor;
};

TEST_F(SampleDefinitionsTest, EveryLeafSelectsAnAttributeAndNoGroupDoes)
{
    const std::vector<QString> leaves = leafKeys();
    ASSERT_EQ(leaves.size(), 45u);
    const std::set<QString> leafSet(leaves.begin(), leaves.end());
    for (const CatalogueNode& node : AttributeCatalogue()) {
        const QString key = node.key.toString();
        EXPECT_EQ(FindAttribute(editor.ctx, key).has_value(), leafSet.count(key) == 1) << key.toStdString();
    }
}

TEST_F(SampleDefinitionsTest, DefaultsLieInsideTheirRangeOnASliderStep)
{
    for (const QString& key : leafKeys()) {
        const AttributeDefinition def = find(key);
        SCOPED_TRACE(key.toStdString());
        EXPECT_FALSE(def.name.isEmpty());
        EXPECT_FALSE(def.description.isEmpty());
        const double low = NumberFromText(def.min_range);
        const double high = NumberFromText(def.max_range);
        EXPECT_LT(low, high);
        for (const char* skill : demo::SkillNames) {
            const double value = NumberFromText(def.DefaultFor(QString::fromLatin1(skill)).value());
            EXPECT_GE(value, low) << skill;
            EXPECT_LE(value, high) << skill;
            const double steps = value * def.range_mult;
            EXPECT_NEAR(steps, std::nearbyint(steps), 1e-9) << skill;
        }
    }
}

TEST_F(SampleDefinitionsTest, SlotsStayClearOfTheSkillIndexAndOfEachOther)
{
    // A slot spans its tag at P-4 to the value's last byte at P+3; settings files
    // keep the skill index at positions 17 and 18.
    std::vector<int> offsets;
    for (const QString& key : leafKeys())
        offsets.push_back(find(key).offset);
    std::sort(offsets.begin(), offsets.end());
    EXPECT_GT(offsets.front() - 4, 18);
    for (std::size_t i = 1; i < offsets.size(); ++i)
        EXPECT_GE(offsets[i] - 4, offsets[i - 1] + 4) << offsets[i - 1] << " and " << offsets[i];
}

struct DemoArchiveTest : SampleDefinitionsTest {
    void SetUp() override
    {
        SampleDefinitionsTest::SetUp();
        demo::writeDemoArchive(SampleDefinitions, archive);
    }

    QByteArray entry(std::size_t skill) const { return VivArchive::open(archive).extract(demo::SkillEntries.at(skill)); }

    const QString archive = editor.path(QStringLiteral("aidata.viv"));
};

TEST_F(DemoArchiveTest, EachSkillEntryHoldsThatLevelsDefaultsInTaggedSlots)
{
    for (std::size_t skill = 0; skill < demo::SkillEntries.size(); ++skill) {
        const QString skillName = QString::fromLatin1(demo::SkillNames[skill]);
        test::writeBytes(editor.workFile(), entry(skill));
        for (const QString& key : leafKeys()) {
            SCOPED_TRACE(key.toStdString() + " " + skillName.toStdString());
            const AttributeDefinition def = find(key);
            const double expected = NumberFromText(def.DefaultFor(skillName).value());
            QString typeName;
            const TypedValue value = ReadValue(editor.ctx.state, editor.workFile(), def.offset, typeName);
            if (typeName == QLatin1String("B810"))
                EXPECT_EQ(value.int32(), qint32(expected));
            else if (typeName == QLatin1String("B17B"))
                EXPECT_EQ(value.single(), float(expected));
            else
                ADD_FAILURE() << "tag " << typeName.toStdString();
            // The slider shows the default where the definition file puts it.
            EXPECT_EQ(RoundToInt32(value.toDouble() * def.range_mult), RoundToInt32(expected * def.range_mult));
        }
    }
}

TEST_F(DemoArchiveTest, SkillEntriesDifferOnlyInValueBytesAndCarryNoZeroFiller)
{
    std::vector<bool> isValue;
    const QByteArray easy = entry(0), medium = entry(1), difficlt = entry(2);
    ASSERT_EQ(easy.size(), medium.size());
    ASSERT_EQ(easy.size(), difficlt.size());
    isValue.resize(std::size_t(easy.size()));
    for (const QString& key : leafKeys())
        for (int i = 0; i < 4; ++i)
            isValue.at(std::size_t(find(key).offset - 1 + i)) = true;
    // After the header's first 16 bytes every byte that is no value is a tag or
    // filler, so a write that misses its slot changes a non-zero byte.
    for (int i = 0; i < easy.size(); ++i) {
        if (isValue[std::size_t(i)])
            continue;
        EXPECT_EQ(easy[i], medium[i]) << i;
        EXPECT_EQ(easy[i], difficlt[i]) << i;
        EXPECT_TRUE(i < 16 || easy[i] != 0) << i;
    }
}

// Definition files for the demo builder's checks: one attribute per entry of
// (key, offset, range_mult, min, max, easy, medium, difficlt).
QString definitionsFile(const QTemporaryDir& dir, const std::vector<std::vector<QString>>& attributes)
{
    QString xml = QStringLiteral("<aidata>");
    for (const std::vector<QString>& a : attributes)
        xml += QStringLiteral("<attribute><key>%1</key><name>n</name><description>d</description>"
                              "<offset>%2</offset><range_mult>%3</range_mult><min_range>%4</min_range>"
                              "<max_range>%5</max_range><defaults><easy>%6</easy><medium>%7</medium>"
                              "<difficlt>%8</difficlt></defaults></attribute>")
                   .arg(a.at(0), a.at(1), a.at(2), a.at(3), a.at(4), a.at(5), a.at(6), a.at(7));
    xml += QStringLiteral("</aidata>");
    const QString path = dir.filePath(QStringLiteral("defs.xml"));
    test::writeBytes(path, xml.toUtf8());
    return path;
}

quint32 wordAt(const QByteArray& bytes, int index, int width)
{
    quint32 value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = value << 8 | quint8(bytes[index + i]);
    return value;
}

TEST(DemoBuilder, SlotFormFollowsTheNumbersOfItsAttribute)
{
    QTemporaryDir dir;
    const auto slots = demo::readDemoSlots(definitionsFile(dir, {
        {"count", "37", "1", "-50", "50", "-5", "0", "7"},
        {"share", "49", "1", "0", "1", "0", "0.5", "1"},
        {"scaled", "61", "10", "0", "10", "1", "2", "3"},
    }));
    ASSERT_EQ(slots.size(), 3u);
    EXPECT_EQ(slots[0].form, demo::SlotForm::Int32);
    EXPECT_EQ(slots[1].form, demo::SlotForm::Float);
    EXPECT_EQ(slots[2].form, demo::SlotForm::Float);

    const QByteArray difficlt = demo::buildSkillEntry(slots, 2);
    EXPECT_EQ(wordAt(difficlt, 37 - 5, 2), demo::Int32Tag);
    EXPECT_EQ(wordAt(difficlt, 37 - 1, 4), 7u);
    EXPECT_EQ(wordAt(difficlt, 49 - 5, 2), demo::FloatTag);
    EXPECT_EQ(wordAt(difficlt, 49 - 1, 4), std::bit_cast<quint32>(1.0f));
    EXPECT_EQ(wordAt(difficlt, 61 - 1, 4), std::bit_cast<quint32>(3.0f));
    EXPECT_EQ(wordAt(demo::buildSkillEntry(slots, 0), 37 - 1, 4), quint32(-5));
}

TEST(DemoBuilder, RefusesDefinitionsThatWouldBreakTheEntries)
{
    const std::vector<QString> good = {"a", "37", "1", "0", "100", "1", "2", "3"};
    auto with = [&](int field, const char* text) {
        std::vector<QString> a = good;
        a.at(std::size_t(field)) = QString::fromLatin1(text);
        return a;
    };
    const std::vector<std::vector<std::vector<QString>>> cases = {
        {with(1, "36")},                        // tag inside the header
        {with(1, "19")},                        // slot over the skill index at 17-18
        {with(1, "32768")},                     // beyond a 16-bit position
        {good, {"b", "44", "1", "0", "9", "1", "1", "1"}}, // tag inside the slot before
        {good, good},                           // the same key twice
        {with(6, "101")},                       // default above its range
        {with(2, "0")},                         // no slider steps
        {with(3, "low")},                       // not a number
        {},                                     // nothing to build
    };
    QTemporaryDir dir;
    for (std::size_t i = 0; i < cases.size(); ++i)
        EXPECT_THROW(demo::readDemoSlots(definitionsFile(dir, cases[i])), Error) << "case " << i;
    EXPECT_EQ(demo::readDemoSlots(definitionsFile(dir, {good, {"b", "45", "1", "0", "9", "1", "1", "1"}})).size(), 2u);
}

TEST(DemoPrefix, RegistryNamesTheFolderWhereDriveCHoldsTheArchive)
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("prefix"));
    // A stale drive link from an earlier build is pointed at drive_c again.
    ASSERT_TRUE(QDir().mkpath(prefix + QStringLiteral("/dosdevices")));
    std::filesystem::create_directory_symlink("../elsewhere", QFile::encodeName(prefix + "/dosdevices/c:").toStdString());
    demo::writeDemoPrefix(SampleDefinitions, prefix);
    demo::writeDemoPrefix(SampleDefinitions, prefix);

    const QFileInfo drive(prefix + QStringLiteral("/dosdevices/c:"));
    EXPECT_TRUE(drive.isSymLink());
    EXPECT_EQ(drive.canonicalFilePath(), QFileInfo(prefix + QStringLiteral("/drive_c")).canonicalFilePath());

    const QString registry = QString::fromLatin1(test::readBytes(prefix + QStringLiteral("/system.reg")));
    EXPECT_TRUE(registry.startsWith(QStringLiteral("WINE REGISTRY Version 2\n")));
    EXPECT_TRUE(registry.contains(QStringLiteral("\n#arch=win64\n")));
    EXPECT_TRUE(registry.contains(QStringLiteral("\n[Software\\\\Wow6432Node\\\\EA Sports\\\\NHL08] ")));

    // The installation folder, read back from the registry, leads through the
    // drive link to the archive with all its entries.
    QString installDir = QString::fromLatin1(demo::DemoInstallDir);
    EXPECT_TRUE(registry.contains(QStringLiteral("\"Install Dir\"=\"%1\"\n")
                                      .arg(QString(installDir).replace(QStringLiteral("\\"), QStringLiteral("\\\\")))));
    const QString native = prefix + QStringLiteral("/dosdevices/c:") +
                           installDir.mid(2).replace(QLatin1Char('\\'), QLatin1Char('/')) +
                           QStringLiteral("gamedata/aidata.viv");
    EXPECT_EQ(VivArchive::open(native).entries().size(), 5u);
}

TEST(DemoPrefix, LeavesAFolderInTheDriveLinksPlaceAlone)
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("prefix"));
    ASSERT_TRUE(QDir().mkpath(prefix + QStringLiteral("/dosdevices/c:")));
    test::writeBytes(prefix + QStringLiteral("/dosdevices/c:/keep.txt"), "mine");
    EXPECT_THROW(demo::writeDemoPrefix(SampleDefinitions, prefix), Error);
    EXPECT_EQ(test::readBytes(prefix + QStringLiteral("/dosdevices/c:/keep.txt")), QByteArray("mine"));
    EXPECT_FALSE(QFileInfo::exists(prefix + QStringLiteral("/system.reg")));
}

} // namespace
} // namespace vnt
