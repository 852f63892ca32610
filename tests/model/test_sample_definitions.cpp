// The sample definitions and the demo installation built from them: every leaf of
// the attribute tree selects an attribute whose defaults the editor can show, and
// the demo entries carry each attribute's slot with that level's default.

#include "DemoInstall.h"
#include "DemoSlots.h"
#include "ModelFixtures.h"

#include "base/Error.h"
#include "handlers/GameLocation.h"
#include "archive/VivArchive.h"
#include "model/AttributeCatalogue.h"
#include "model/Definitions.h"
#include "model/NumberText.h"
#include "model/TypedValue.h"
#include "registry/WineRegistry.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>

namespace vnt {
namespace {

const QString SampleDefinitions = QStringLiteral(VANTOR_SOURCE_DIR "/data/aidata.xml");

// Keys of the catalogue's nodes that have no children: the editable attributes.
std::set<QString> leafKeys()
{
    std::set<QString> keys, parents;
    for (const CatalogueNode& node : AttributeCatalogue()) {
        keys.insert(node.key.toString());
        parents.insert(node.parent.toString());
    }
    for (const QString& parent : parents)
        keys.erase(parent);
    return keys;
}

struct SampleDefinitionsTest : ::testing::Test {
    void SetUp() override { LoadDefinitions(editor.ctx.definitions, SampleDefinitions); }
    AttributeDefinition find(const QString& key) { return FindAttribute(editor.ctx.definitions, key).value(); }

    test::TestEditor editor;
};

TEST_F(SampleDefinitionsTest, EveryLeafAndNoGroupSelectsAnAttributeWithDefaultsInRangeOnASliderStep)
{
    const std::set<QString> leaves = leafKeys();
    ASSERT_EQ(leaves.size(), 45u);
    // The file writes "." decimals; users with other decimal marks select every value too.
    for (const char* locale : {"C", "de_DE", "fr_FR"}) {
        test::LocaleScope scope(locale);
        for (const CatalogueNode& node : AttributeCatalogue()) {
            const QString key = node.key.toString();
            SCOPED_TRACE(key.toStdString() + " " + locale);
            ASSERT_EQ(FindAttribute(editor.ctx.definitions, key).has_value(), leaves.count(key) == 1);
            if (!leaves.count(key))
                continue;
            const AttributeDefinition def = find(key);
            EXPECT_FALSE(def.description.isEmpty());
            const double low = NumberFromText(def.min_range), high = NumberFromText(def.max_range);
            for (const char* skill : demo::SkillNames) {
                const double value = NumberFromText(def.DefaultFor(QString::fromLatin1(skill)).value());
                EXPECT_TRUE(low <= value && value <= high) << skill;
                const double steps = value * def.range_mult;
                EXPECT_NEAR(steps, std::nearbyint(steps), 1e-9) << skill;
            }
        }
    }
}

TEST_F(SampleDefinitionsTest, DemoArchiveHoldsEachLevelsDefaultsInTaggedSlots)
{
    const QString archive = editor.path(QStringLiteral("aidata.viv"));
    demo::writeDemoArchive(SampleDefinitions, archive);
    for (std::size_t skill = 0; skill < demo::SkillEntries.size(); ++skill) {
        const QString skillName = QString::fromLatin1(demo::SkillNames[skill]);
        test::writeBytes(editor.workFile(), VivArchive::open(archive).extract(demo::SkillEntries[skill]));
        for (const QString& key : leafKeys()) {
            SCOPED_TRACE(key.toStdString() + " " + skillName.toStdString());
            const AttributeDefinition def = find(key);
            const double expected = NumberFromText(def.DefaultFor(skillName).value());
            QString typeName;
            const TypedValue value = ReadValue(editor.ctx.state.workFilePath(), editor.workFile(), def.offset, typeName);
            if (typeName == QLatin1String("B810"))
                EXPECT_EQ(value.int32(), qint32(expected));
            else if (typeName == QLatin1String("B17B"))
                EXPECT_EQ(value.single(), float(expected));
            else
                ADD_FAILURE() << "tag " << typeName.toStdString();
            EXPECT_EQ(RoundToInt32(value.toDouble() * def.range_mult), RoundToInt32(expected * def.range_mult));
        }
    }
}

// A definition file for the demo builder with attributes given as
// (key, offset, range_mult, min, max, easy, medium, difficlt).
using DemoAttribute = std::vector<QString>;
QString definitionsFile(const QTemporaryDir& dir, const std::vector<DemoAttribute>& attributes)
{
    QString xml = QStringLiteral("<aidata>");
    for (const DemoAttribute& a : attributes)
        xml += QStringLiteral("<attribute><key>%1</key><offset>%2</offset><range_mult>%3</range_mult>"
                              "<min_range>%4</min_range><max_range>%5</max_range><defaults><easy>%6</easy>"
                              "<medium>%7</medium><difficlt>%8</difficlt></defaults></attribute>")
                   .arg(a.at(0), a.at(1), a.at(2), a.at(3), a.at(4), a.at(5), a.at(6), a.at(7));
    test::writeBytes(dir.filePath("defs.xml"), (xml + QStringLiteral("</aidata>")).toUtf8());
    return dir.filePath("defs.xml");
}

TEST(DemoBuilder, SlotsAreIntegersOnlyForWholeNumbersOnWholeStepsAndBreakingDefinitionsAreRefused)
{
    using enum demo::SlotForm;
    const DemoAttribute good = {"a", "37", "1", "0", "100", "1", "2", "3"};
    auto with = [&](std::size_t field, const char* text) {
        DemoAttribute a = good;
        a.at(field) = QString::fromLatin1(text);
        return a;
    };
    // The forms of the slots; none when the definitions are refused.
    const std::vector<std::pair<std::vector<DemoAttribute>, std::vector<demo::SlotForm>>> rows = {
        {{{"count", "37", "1", "-50", "50", "-5", "0", "7"}, {"share", "49", "1", "0", "1", "0", "0.5", "1"},
          {"scaled", "61", "10", "0", "10", "1", "2", "3"}}, {Int32, Float, Float}},
        {{good, {"b", "45", "1", "0", "9", "1", "1", "1"}}, {Int32, Int32}}, // tag right after the slot before
        {{with(1, "36")}, {}},                                    // tag inside the header
        {{with(1, "19")}, {}},                                    // over the skill index at 17-18
        {{good, {"b", "44", "1", "0", "9", "1", "1", "1"}}, {}},  // tag on the slot before
        {{good, good}, {}},                                       // the same key twice
        {{with(6, "101")}, {}},                                   // default above its range
        {{with(3, "low")}, {}},                                   // not a number
    };
    QTemporaryDir dir;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const QString file = definitionsFile(dir, rows[i].first);
        std::vector<demo::SlotForm> forms;
        if (rows[i].second.empty())
            EXPECT_THROW(demo::readDemoSlots(file), Error) << "row " << i;
        else
            for (const demo::DemoSlot& slot : demo::readDemoSlots(file))
                forms.push_back(slot.form);
        EXPECT_EQ(forms, rows[i].second) << "row " << i;
    }
}

TEST(DemoPrefix, EditorFindsTheArchiveThroughRegistryAndARepairedDriveLink)
{
    test::TestEditor editor;
    const QString prefix = editor.path(QStringLiteral("prefix"));
    ASSERT_TRUE(QDir().mkpath(prefix + QStringLiteral("/dosdevices")));
    std::filesystem::create_directory_symlink("../elsewhere", QFile::encodeName(prefix + "/dosdevices/c:").toStdString());
    demo::writeDemoPrefix(SampleDefinitions, prefix);

    editor.ctx.registry = std::make_shared<WineRegistry>(prefix);
    const QString stored = GetRegistryValue(editor.ctx, HKEY_LOCAL_MACHINE_KEY,
                                            QStringLiteral("SOFTWARE\\Ea Sports\\NHL08\\"), QStringLiteral("Install Dir"));
    EXPECT_EQ(stored, QString::fromLatin1(demo::DemoInstallDir));
    const QString folder = nativeInstallFolder(editor.ctx, stored);
    ASSERT_FALSE(folder.isEmpty());
    EXPECT_EQ(VivArchive::open(folder + QStringLiteral("gamedata/aidata.viv")).entries().size(), 5u);
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
