// The sample definitions and the demo installation built from them: every leaf of
// the attribute tree selects an attribute whose defaults the editor can show, and
// the demo entries carry each attribute's slot with that level's default.

#include "DemoInstall.h"
#include "DemoSlots.h"
#include "support/ModelFixtures.h"

#include "base/Error.h"
#include "archive/VivArchive.h"
#include "model/AttributeCatalogue.h"
#include "model/Definitions.h"
#include "model/NumberText.h"
#include "model/TypedValue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace vnt {
namespace {

const QString SampleFile = QStringLiteral(VANTOR_SOURCE_DIR "/data/aidata.xml");

// The sample definitions loaded, the demo archive built from them and each level's
// entry written out as a file of its own; the keys of the nodes without children.
struct SampleDefinitions : ::testing::Test {
    void SetUp() override
    {
        LoadDefinitions(editor.ctx.definitions, SampleFile);
        const QString archive = editor.path(QStringLiteral("aidata.viv"));
        demo::writeDemoArchive(SampleFile, archive);
        for (const char* entry : demo::SkillEntries)
            test::writeBytes(editor.path(QLatin1String(entry)), VivArchive::open(archive).extract(entry));
        for (const CatalogueNode& node : AttributeCatalogue())
            leaves.insert(node.key.toString());
        for (const CatalogueNode& node : AttributeCatalogue())
            leaves.erase(node.parent.toString());
    }
    // Runs check on each leaf's attribute with each level's default and entry. The file
    // writes "." decimals; users with other decimal marks select every value too.
    template <typename Check> void forEachDefault(Check check)
    {
        for (const char* locale : {"C", "de_DE", "fr_FR"}) {
            test::LocaleScope scope(locale);
            for (const QString& key : leaves) {
                SCOPED_TRACE(key.toStdString() + " " + locale);
                const std::optional<AttributeDefinition> def = FindAttribute(editor.ctx.definitions, key);
                for (std::size_t skill = 0; def && skill < demo::SkillEntries.size(); ++skill) {
                    SCOPED_TRACE(demo::SkillNames[skill]);
                    check(*def, NumberFromText(def->DefaultFor(QLatin1String(demo::SkillNames[skill])).value()),
                          editor.path(QLatin1String(demo::SkillEntries[skill])));
                }
            }
        }
    }
    test::TestEditor editor;
    std::set<QString> leaves;
};

TEST_F(SampleDefinitions, ExactlyTheLeavesSelectADescribedAttribute)
{
    ASSERT_EQ(leaves.size(), 45u);
    for (const char* locale : {"C", "de_DE", "fr_FR"}) {
        test::LocaleScope scope(locale);
        for (const CatalogueNode& node : AttributeCatalogue()) {
            const QString key = node.key.toString();
            SCOPED_TRACE(key.toStdString() + " " + locale);
            ASSERT_EQ(FindAttribute(editor.ctx.definitions, key).has_value(), leaves.count(key) == 1);
            if (leaves.count(key)) {
                EXPECT_FALSE(FindAttribute(editor.ctx.definitions, key)->description.isEmpty());
            }
        }
    }
}

TEST_F(SampleDefinitions, EveryDefaultLiesInItsRange)
{
    forEachDefault([](const AttributeDefinition& def, double value, const QString&) {
        EXPECT_TRUE(NumberFromText(def.min_range) <= value && value <= NumberFromText(def.max_range));
    });
}

TEST_F(SampleDefinitions, EveryDefaultLiesOnAStep)
{
    forEachDefault([](const AttributeDefinition& def, double value, const QString&) {
        EXPECT_NEAR(value * def.range_mult, std::nearbyint(value * def.range_mult), 1e-9);
    });
}

// The level's demo entry holds the default in a slot tagged with its form.
TEST_F(SampleDefinitions, EveryDemoEntryHoldsTheLevelsDefaultInTheFormItsTagNames)
{
    forEachDefault([](const AttributeDefinition& def, double value, const QString& entry) {
        QString tag;
        const TypedValue stored = ReadValue(entry, entry, def.offset, tag);
        ASSERT_TRUE(tag == "B810" || tag == "B17B") << tag.toStdString();
        EXPECT_EQ(stored, tag == "B810" ? TypedValue(qint32(value)) : TypedValue(float(value)));
    });
}

// An attribute as (key, offset, range_mult, min, max, easy, medium, difficlt).
using DemoAttribute = std::vector<QString>;
// Definitions and the forms of their slots; none when the definitions are refused.
struct DemoRow {
    const char* name;
    std::vector<DemoAttribute> attributes;
    std::vector<demo::SlotForm> forms;
};

struct DemoBuilder : ::testing::TestWithParam<DemoRow> {};

TEST_P(DemoBuilder, ReadsTheSlots)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("defs.xml");
    QString xml;
    for (const DemoAttribute& a : GetParam().attributes)
        xml += test::attributeXml({{"key", a[0]},
                                   {"offset", a[1]},
                                   {"range_mult", a[2]},
                                   {"min_range", a[3]},
                                   {"max_range", a[4]},
                                   {"easy", a[5]},
                                   {"medium", a[6]},
                                   {"difficlt", a[7]}});
    test::writeBytes(file, ("<aidata>" + xml + "</aidata>").toUtf8());
    std::vector<demo::SlotForm> forms;
    if (GetParam().forms.empty())
        EXPECT_THROW(demo::readDemoSlots(file), Error);
    else
        for (const demo::DemoSlot& slot : demo::readDemoSlots(file))
            forms.push_back(slot.form);
    EXPECT_EQ(forms, GetParam().forms);
}

using enum demo::SlotForm;
const DemoAttribute Good = {"a", "37", "1", "0", "100", "1", "2", "3"};
INSTANTIATE_TEST_SUITE_P(
    , DemoBuilder,
    ::testing::Values(DemoRow{"IntegersOnlyForWholeNumbersOnWholeSteps",
                              {{"count", "37", "1", "-50", "50", "-5", "0", "7"},
                               {"share", "49", "1", "0", "1", "0", "0.5", "1"},
                               {"scaled", "61", "10", "0", "10", "1", "2", "3"}},
                              {Int32, Float, Float}},
                      DemoRow{"WithATagRightAfterTheSlotBefore", {Good, {"b", "45", "1", "0", "9", "1", "1", "1"}}, {Int32, Int32}},
                      DemoRow{"RefusingATagInsideTheHeader", {{"a", "36", "1", "0", "100", "1", "2", "3"}}, {}},
                      DemoRow{"RefusingATagOnTheSlotBefore", {Good, {"b", "44", "1", "0", "9", "1", "1", "1"}}, {}},
                      DemoRow{"RefusingTheSameKeyTwice", {Good, Good}, {}},
                      DemoRow{"RefusingADefaultAboveItsRange", {{"a", "37", "1", "0", "100", "1", "101", "3"}}, {}},
                      DemoRow{"RefusingARangeThatIsNoNumber", {{"a", "37", "1", "low", "100", "1", "2", "3"}}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace vnt
