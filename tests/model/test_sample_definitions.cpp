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

const QString SampleDefinitions = QStringLiteral(VANTOR_SOURCE_DIR "/data/aidata.xml");

TEST(SampleDefinitions, EveryLeafAndNoGroupSelectsAnAttributeWithDefaultsInRangeOnAStepAndInTheDemoSlots)
{
    test::TestEditor editor;
    LoadDefinitions(editor.ctx.definitions, SampleDefinitions);
    const QString archive = editor.path(QStringLiteral("aidata.viv"));
    demo::writeDemoArchive(SampleDefinitions, archive);
    for (const char* entry : demo::SkillEntries) // each level's entry as a file of its own
        test::writeBytes(editor.path(QLatin1String(entry)), VivArchive::open(archive).extract(entry));
    std::set<QString> leaves; // the keys of nodes without children: the editable attributes
    for (const CatalogueNode& node : AttributeCatalogue())
        leaves.insert(node.key.toString());
    for (const CatalogueNode& node : AttributeCatalogue())
        leaves.erase(node.parent.toString());
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
            const AttributeDefinition def = FindAttribute(editor.ctx.definitions, key).value();
            EXPECT_FALSE(def.description.isEmpty());
            const double low = NumberFromText(def.min_range), high = NumberFromText(def.max_range);
            for (std::size_t skill = 0; skill < demo::SkillEntries.size(); ++skill) {
                SCOPED_TRACE(demo::SkillNames[skill]);
                const double value = NumberFromText(def.DefaultFor(QLatin1String(demo::SkillNames[skill])).value());
                EXPECT_TRUE(low <= value && value <= high);
                EXPECT_NEAR(value * def.range_mult, std::nearbyint(value * def.range_mult), 1e-9);
                // The level's demo entry holds the default in a slot tagged with its form.
                const QString entry = editor.path(QLatin1String(demo::SkillEntries[skill]));
                QString tag;
                const TypedValue stored = ReadValue(entry, entry, def.offset, tag);
                ASSERT_TRUE(tag == "B810" || tag == "B17B") << tag.toStdString();
                EXPECT_EQ(stored, tag == "B810" ? TypedValue(qint32(value)) : TypedValue(float(value)));
            }
        }
    }
}

TEST(DemoBuilder, SlotsAreIntegersOnlyForWholeNumbersOnWholeStepsAndBreakingDefinitionsAreRefused)
{
    using enum demo::SlotForm;
    // An attribute as (key, offset, range_mult, min, max, easy, medium, difficlt).
    using DemoAttribute = std::vector<QString>;
    const DemoAttribute good = {"a", "37", "1", "0", "100", "1", "2", "3"};
    // The forms of the slots; none when the definitions are refused.
    const std::vector<std::pair<std::vector<DemoAttribute>, std::vector<demo::SlotForm>>> rows = {
        {{{"count", "37", "1", "-50", "50", "-5", "0", "7"},
          {"share", "49", "1", "0", "1", "0", "0.5", "1"},
          {"scaled", "61", "10", "0", "10", "1", "2", "3"}},
         {Int32, Float, Float}},
        {{good, {"b", "45", "1", "0", "9", "1", "1", "1"}}, {Int32, Int32}}, // tag right after the slot before
        {{{"a", "36", "1", "0", "100", "1", "2", "3"}}, {}},                 // tag inside the header
        {{good, {"b", "44", "1", "0", "9", "1", "1", "1"}}, {}},             // tag on the slot before
        {{good, good}, {}},                                                  // the same key twice
        {{{"a", "37", "1", "0", "100", "1", "101", "3"}}, {}},               // default above its range
        {{{"a", "37", "1", "low", "100", "1", "2", "3"}}, {}},               // not a number
    };
    QTemporaryDir dir;
    const QString file = dir.filePath("defs.xml");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        QString xml;
        for (const DemoAttribute& a : rows[i].first)
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
        if (rows[i].second.empty())
            EXPECT_THROW(demo::readDemoSlots(file), Error) << "row " << i;
        else
            for (const demo::DemoSlot& slot : demo::readDemoSlots(file))
                forms.push_back(slot.form);
        EXPECT_EQ(forms, rows[i].second) << "row " << i;
    }
}

} // namespace
} // namespace vnt
