#include "support/ModelFixtures.h"

#include "model/Definitions.h"

#include <gtest/gtest.h>

using namespace vnt;
using namespace vnt::test;

namespace {

const QString Key = "pass_intercept_cpu";

std::optional<AttributeDefinition> findIn(const QString& body, const QString& key = Key)
{
    TestEditor editor;
    loadDefinitions(editor, body);
    return FindAttribute(editor.ctx.definitions, key);
}

// An attribute whose offset, range step and name need reading with care.
AttributeDefinition sample()
{
    return findIn(attributeXml({{"offset", " 100\n"}, {"range_mult", "2.5"}, {"name", " A & <b> "}})).value();
}

} // namespace

TEST(Definitions, FindsTheFields)
{
    const auto found = sample();
    EXPECT_EQ(found.name + found.description + found.min_range + found.max_range,
              " A & <b> How often the CPU intercepts passes01");
    EXPECT_EQ(found.offset, 100);
}

TEST(Definitions, RoundsTheRangeStepHalvesToEven)
{
    EXPECT_EQ(sample().range_mult, 2);
    EXPECT_EQ(findIn(attributeXml({{"range_mult", "3.5"}, {"offset", "32767"}}))->range_mult, 4);
}

TEST(Definitions, GivesTheDefaultOfALevelByItsExactName)
{
    const auto found = sample();
    EXPECT_EQ(*found.DefaultFor("Easy") + "|" + *found.DefaultFor("Medium") + "|" + *found.DefaultFor("Difficlt"),
              "0.2|0.3|0.45");
    EXPECT_FALSE(found.DefaultFor("easy") || found.DefaultFor("Select Skill"));
}

TEST(Definitions, MatchesTheFirstElementWithExactlyThatKeyAsDirectChild)
{
    EXPECT_EQ(findIn("<g><h>" + attributeXml({{"name", "first"}}) + "</h></g>" + attributeXml())->name, "first");
    // An unusable first element hides the later one rather than handing it out.
    EXPECT_FALSE(findIn(attributeXml({{"range_mult", "0"}}) + attributeXml()));
    EXPECT_FALSE(findIn(attributeXml(), "Pass_Intercept_CPU"));
    EXPECT_FALSE(findIn(attributeXml().replace("<key>" + Key + "</key>", "<w><key>" + Key + "</key></w>")));
    // Defaults may lie at any depth; the first in document order counts.
    const QString nested = attributeXml({{"easy", ""}}).replace("<defaults>", "<defaults><a><easy>1</easy></a><easy>0</easy>");
    EXPECT_EQ(findIn(nested)->DefaultFor("Easy"), "1");
}

TEST(Definitions, AttributesThatCannotBeEditedSafelyAreNotFound)
{
    const std::vector<QMap<QString, QString>> bad{
        {{"offset", "32768"}},
        {{"offset", "4"}},
        {{"offset", "nine"}},
        {{"range_mult", "0.4"}},
        {{"range_mult", "2147483648"}},
        {{"min_range", "2"}},
        {{"min_range", "low"}},
        {{"max_range", "21474837"}},
        {{"medium", "n/a"}},
        {{"difficlt", "1.01"}},
        {{"easy", "-0.1"}},
    };
    for (const auto& change : bad)
        EXPECT_FALSE(findIn(attributeXml(change))) << change.firstKey().toStdString() << change.first().toStdString();
    for (const char* field :
         {"key", "name", "description", "min_range", "max_range", "range_mult", "offset", "easy", "medium", "difficlt"})
        EXPECT_FALSE(findIn(attributeXml({{field, ""}}))) << "without " << field;
}

// Numbers in a definition file, for a user with the decimal comma.
struct GermanDefinitions : ::testing::Test {
    LocaleScope german{"de_DE"};
    const AttributeDefinition dotted = findIn(attributeXml({{"max_range", "1.000"}})).value();
    const AttributeDefinition local = findIn(attributeXml({{"range_mult", "2,5"}, {"max_range", "1,5"}, {"easy", "0,2"}})).value();
};

TEST_F(GermanDefinitions, NumbersAreReadWithADotBeforeTheUsersDecimalMark)
{
    EXPECT_EQ(dotted.max_range, "1");
    EXPECT_EQ(local.range_mult, 2);
}

TEST_F(GermanDefinitions, NumbersAreShownWithTheUsersDecimalMark)
{
    EXPECT_EQ(*dotted.DefaultFor("Easy") + "|" + *dotted.DefaultFor("Difficlt"), "0,2|0,45");
    EXPECT_EQ(local.max_range + "|" + *local.DefaultFor("Easy"), "1,5|0,2");
}

TEST(Definitions, Windows1252FilesAreRead)
{
    TestEditor editor;
    writeBytes(editor.path("aidata.xml"), "<?xml version='1.0' encoding='Windows-1252'?><aidata>"
                                              + attributeXml({{"name", "x"}}).toUtf8().replace(">x<", ">\x80\x93\xe9<")
                                              + "</aidata>");
    LoadDefinitions(editor.ctx.definitions, editor.path("aidata.xml"));
    EXPECT_EQ(FindAttribute(editor.ctx.definitions, Key)->name, QStringLiteral("\u20ac\u201c\u00e9"));
}

TEST(Definitions, DeeplyNestedTextIsRead)
{
    const int depth = 500000;
    const QString deep = QStringLiteral("<b>").repeated(depth) + "deep" + QStringLiteral("</b>").repeated(depth);
    EXPECT_EQ(findIn(attributeXml({{"name", "x"}}).replace(">x<", ">" + deep + "<"))->name, "deep");
}

// A missing or broken file replaces what was loaded before, and nothing before a fault is used.
TEST(Definitions, MissingBrokenOrForeignFilesFindNothing)
{
    TestEditor editor;
    writeBytes(editor.path("broken.xml"), ("<aidata>" + attributeXml() + "<attribute>").toUtf8());
    for (const char* file : {"missing.xml", "broken.xml"}) {
        loadDefinitions(editor, attributeXml());
        LoadDefinitions(editor.ctx.definitions, editor.path(file));
        EXPECT_FALSE(FindAttribute(editor.ctx.definitions, Key)) << file;
    }
    EXPECT_FALSE(findIn("<other><key>pass_intercept_cpu</key></other>"));
}
