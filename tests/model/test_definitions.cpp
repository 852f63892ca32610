#include "ModelFixtures.h"

#include "model/Definitions.h"

#include <gtest/gtest.h>

using namespace vnt;
using namespace vnt::test;

namespace {

const QString Key = QStringLiteral("pass_intercept_cpu");

std::optional<AttributeDefinition> findOnly(const AttributeXml& attribute)
{
    TestEditor editor;
    loadDefinitions(editor, attribute.xml());
    return FindAttribute(editor.ctx, Key);
}

} // namespace

TEST(Definitions, FindsAllFieldsAndConvertsTheNumbers)
{
    const auto found = findOnly(AttributeXml().set(QStringLiteral("offset"), QStringLiteral("100"))
                                    .set(QStringLiteral("range_mult"), QStringLiteral("1000"))
                                    .set(QStringLiteral("min_range"), QStringLiteral("0.0"))
                                    .set(QStringLiteral("name"), QStringLiteral("  Spaced & <odd>  ")));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->key, Key);
    EXPECT_EQ(found->name, QStringLiteral("  Spaced & <odd>  "));
    EXPECT_EQ(found->description, QStringLiteral("How often the CPU intercepts passes"));
    EXPECT_EQ(found->min_range, QStringLiteral("0.0"));
    EXPECT_EQ(found->max_range, QStringLiteral("1"));
    EXPECT_EQ(found->range_mult, 1000);
    EXPECT_EQ(found->offset, 100);
    EXPECT_EQ(found->DefaultFor(QStringLiteral("Easy")), QStringLiteral("0.2"));
    EXPECT_EQ(found->DefaultFor(QStringLiteral("Medium")), QStringLiteral("0.3"));
    EXPECT_EQ(found->DefaultFor(QStringLiteral("Difficlt")), QStringLiteral("0.45"));
    EXPECT_FALSE(found->DefaultFor(QStringLiteral("easy")));
    EXPECT_FALSE(found->DefaultFor(QStringLiteral("Select Skill")));
}

TEST(Definitions, WholeNumberFieldsRoundHalvesToEven)
{
    EXPECT_EQ(findOnly(AttributeXml().set(QStringLiteral("range_mult"), QStringLiteral("2.5")))->range_mult, 2);
    EXPECT_EQ(findOnly(AttributeXml().set(QStringLiteral("range_mult"), QStringLiteral("3.5")))->range_mult, 4);
    EXPECT_EQ(findOnly(AttributeXml().set(QStringLiteral("offset"), QStringLiteral("12.5")))->offset, 12);
    EXPECT_EQ(findOnly(AttributeXml().set(QStringLiteral("offset"), QStringLiteral("32767")))->offset, 32767);
    EXPECT_EQ(findOnly(AttributeXml().set(QStringLiteral("offset"), QStringLiteral("5")))->offset, 5);
    EXPECT_EQ(findOnly(AttributeXml().set(QStringLiteral("offset"), QStringLiteral(" 7\n")))->offset, 7);
}

TEST(Definitions, NumbersAreReadInTheUsersLocale)
{
    LocaleScope german(QStringLiteral("de_DE"));
    const auto found = findOnly(AttributeXml().set(QStringLiteral("range_mult"), QStringLiteral("2,5"))
                                    .set(QStringLiteral("max_range"), QStringLiteral("1,5"))
                                    .set(QStringLiteral("easy"), QStringLiteral("0,2"))
                                    .set(QStringLiteral("medium"), QStringLiteral("0,3"))
                                    .set(QStringLiteral("difficlt"), QStringLiteral("1")));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->range_mult, 2);
    EXPECT_EQ(found->max_range, QStringLiteral("1,5"));
    // The same file with points is not readable as numbers under this locale.
    EXPECT_FALSE(findOnly(AttributeXml()));
}

TEST(Definitions, AttributesThatCannotBeEditedSafelyAreNotFound)
{
    const std::vector<std::pair<QString, QString>> badValues{
        {QStringLiteral("offset"), QStringLiteral("32768")},
        {QStringLiteral("offset"), QStringLiteral("4")},
        {QStringLiteral("offset"), QStringLiteral("-9")},
        {QStringLiteral("offset"), QStringLiteral("nine")},
        {QStringLiteral("offset"), QString()},
        {QStringLiteral("range_mult"), QStringLiteral("0")},
        {QStringLiteral("range_mult"), QStringLiteral("0.4")},
        {QStringLiteral("range_mult"), QStringLiteral("2147483648")},
        {QStringLiteral("range_mult"), QStringLiteral("inf")},
        {QStringLiteral("min_range"), QStringLiteral("2")}, // above max_range 1
        {QStringLiteral("max_range"), QStringLiteral("21474837")}, // x100 beyond 32 bits
        {QStringLiteral("min_range"), QStringLiteral("low")},
        {QStringLiteral("medium"), QStringLiteral("n/a")},
        {QStringLiteral("difficlt"), QStringLiteral("1e9")},
    };
    for (const auto& [field, text] : badValues)
        EXPECT_FALSE(findOnly(AttributeXml().set(field, text))) << field.toStdString() << " = " << text.toStdString();

    for (const char* field : {"key", "name", "description", "min_range", "max_range", "range_mult", "offset", "easy",
                              "medium", "difficlt"})
        EXPECT_FALSE(findOnly(AttributeXml().drop(QString::fromLatin1(field)))) << "without " << field;
}

TEST(Definitions, TheFirstElementWithTheKeyDecides)
{
    TestEditor editor;
    const QString first = AttributeXml().set(QStringLiteral("name"), QStringLiteral("first")).xml();
    const QString second = AttributeXml().set(QStringLiteral("name"), QStringLiteral("second")).xml();
    // The first one in document order sits deeper than the second.
    loadDefinitions(editor, QStringLiteral("<group><sub>") + first + QStringLiteral("</sub></group>") + second);
    EXPECT_EQ(FindAttribute(editor.ctx, Key)->name, QStringLiteral("first"));
    EXPECT_EQ(FindAttribute(editor.ctx, Key)->name, QStringLiteral("first"));

    // A broken first element hides the later one instead of handing it out.
    loadDefinitions(editor, AttributeXml().set(QStringLiteral("range_mult"), QStringLiteral("0")).xml() + second);
    EXPECT_FALSE(FindAttribute(editor.ctx, Key));
}

TEST(Definitions, KeysMatchExactlyAsDirectChildren)
{
    TestEditor editor;
    loadDefinitions(editor, AttributeXml().set(QStringLiteral("key"), QStringLiteral(" Pass_Intercept_CPU ")).xml()
                                + QStringLiteral("<attribute><wrap><key>getcarrierdist_cpu</key></wrap>")
                                + AttributeXml().drop(QStringLiteral("key")).xml().mid(11));
    EXPECT_FALSE(FindAttribute(editor.ctx, Key));
    EXPECT_TRUE(FindAttribute(editor.ctx, QStringLiteral("Pass_Intercept_CPU")));
    EXPECT_FALSE(FindAttribute(editor.ctx, QStringLiteral(" Pass_Intercept_CPU ")));
    EXPECT_FALSE(FindAttribute(editor.ctx, QStringLiteral("getcarrierdist_cpu")));
    EXPECT_FALSE(FindAttribute(editor.ctx, QStringLiteral("defense_checking")));
}

TEST(Definitions, DefaultsAreFoundAtAnyDepthFirstMatchFirst)
{
    TestEditor editor;
    AttributeXml attribute;
    attribute.drop(QStringLiteral("easy"));
    QString xml = attribute.xml();
    xml.replace(QStringLiteral("<defaults>"),
                QStringLiteral("<defaults><a><b><easy>0.1</easy></b></a><easy>0.9</easy>"));
    loadDefinitions(editor, xml);
    const auto found = FindAttribute(editor.ctx, Key);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->DefaultFor(QStringLiteral("Easy")), QStringLiteral("0.1"));
}

TEST(Definitions, MissingBrokenOrEmptyFilesFindNothing)
{
    TestEditor editor;
    LoadDefinitions(editor.ctx, editor.path(QStringLiteral("missing.xml")));
    EXPECT_FALSE(FindAttribute(editor.ctx, Key));

    // The attribute before the fault is not used either.
    const QString path = editor.path(QStringLiteral("broken.xml"));
    writeBytes(path, (QStringLiteral("<aidata>") + AttributeXml().xml() + QStringLiteral("<attribute><key>")).toUtf8());
    LoadDefinitions(editor.ctx, path);
    EXPECT_FALSE(editor.ctx.definitions.first_child());
    EXPECT_FALSE(FindAttribute(editor.ctx, Key));

    loadDefinitions(editor, QStringLiteral("<other><key>pass_intercept_cpu</key></other>"));
    EXPECT_FALSE(FindAttribute(editor.ctx, Key));

    // Loading again replaces what was there.
    loadDefinitions(editor, AttributeXml().xml());
    EXPECT_TRUE(FindAttribute(editor.ctx, Key));
    LoadDefinitions(editor.ctx, editor.path(QStringLiteral("missing.xml")));
    EXPECT_FALSE(FindAttribute(editor.ctx, Key));
}
