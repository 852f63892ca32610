#include "ModelFixtures.h"

#include "app/Error.h"
#include "model/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vnt;
using namespace vnt::test;

namespace {

struct TextCase {
    double value;
    const char* c;      // in the C locale
    const char* german; // in de_DE (decimal comma)
};

template <typename Format>
void checkTexts(const std::vector<TextCase>& cases, Format format)
{
    for (const char* locale : {"C", "de_DE"}) {
        LocaleScope scope(QString::fromLatin1(locale));
        for (const TextCase& t : cases) {
            const char* expected = QLatin1String(locale) == QLatin1String("C") ? t.c : t.german;
            EXPECT_EQ(format(t.value).toStdString(), expected) << locale << " " << t.value;
        }
    }
}

} // namespace

TEST(NumberText, SinglesShowSevenSignificantDigits)
{
    checkTexts({{0.3, "0.3", "0,3"},
                {0.31, "0.31", "0,31"},
                {-0.25, "-0.25", "-0,25"},
                {1.0 / 3, "0.3333333", "0,3333333"},
                {2.5, "2.5", "2,5"},
                {100, "100", "100"},
                {1234567, "1234567", "1234567"},
                {12345678, "1.234568E+07", "1,234568E+07"},
                {10000000, "1E+07", "1E+07"},
                {0.0001, "0.0001", "0,0001"},
                {0.00001, "1E-05", "1E-05"},
                {-0.000012345, "-1.2345E-05", "-1,2345E-05"},
                {0, "0", "0"},
                {-0.0, "0", "0"}},
               [](double v) { return SingleText(float(v)); });
}

TEST(NumberText, DoublesShowFifteenSignificantDigits)
{
    checkTexts({{0.25, "0.25", "0,25"},
                {31.0 / 100, "0.31", "0,31"},
                {3, "3", "3"},
                {-1.5, "-1.5", "-1,5"},
                {1.0 / 3, "0.333333333333333", "0,333333333333333"},
                {123456789012345, "123456789012345", "123456789012345"},
                {1234567890123456, "1.23456789012346E+15", "1,23456789012346E+15"},
                {0.00001, "1E-05", "1E-05"},
                {1e-100, "1E-100", "1E-100"},
                {2147483647, "2147483647", "2147483647"}},
               [](double v) { return DoubleText(v); });
}

TEST(NumberText, IntegersArePlainDigits)
{
    checkTexts({{2000000, "2000000", "2000000"}, {-32768, "-32768", "-32768"}, {0, "0", "0"}},
               [](double v) { return IntegerText(qint64(v)); });
    EXPECT_EQ(IntegerText(std::numeric_limits<qint64>::min()).toStdString(), "-9223372036854775808");
}

TEST(NumberText, TextsAreReadInTheUsersLocale)
{
    {
        LocaleScope scope(QStringLiteral("C"));
        EXPECT_EQ(ParseNumber(QStringLiteral("0.31")), 0.31);
        EXPECT_EQ(ParseNumber(QStringLiteral(" -2.5\t")), -2.5);
        EXPECT_EQ(ParseNumber(QStringLiteral("1E-05")), 1e-05);
        EXPECT_FALSE(ParseNumber(QStringLiteral("0,31")));
    }
    LocaleScope scope(QStringLiteral("de_DE"));
    EXPECT_EQ(ParseNumber(QStringLiteral("0,31")), 0.31);
    EXPECT_EQ(ParseNumber(QStringLiteral("1,234568E+07")), 12345680.0);
    EXPECT_FALSE(ParseNumber(QStringLiteral("0.31")));
    for (const char* bad : {"", "  ", "abc", "1,2,3", "1e999", "inf", "nan", "0x10"})
        EXPECT_FALSE(ParseNumber(QString::fromLatin1(bad))) << bad;
    try {
        NumberFromText(QStringLiteral("abc"));
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), err::TypeMismatch);
        EXPECT_TRUE(e.description().contains(QStringLiteral("abc")));
    }
}

TEST(NumberText, ShownTextsReadBackToTheSameNumber)
{
    for (const char* locale : {"C", "de_DE", "fr_FR", "sv_SE"}) {
        LocaleScope scope(QString::fromLatin1(locale));
        for (double v : {0.31, -0.000012345, 12345678.0, -2.5e-7, -98765.4321, 1e21})
            EXPECT_EQ(ParseNumber(DoubleText(v)), v) << locale << " " << DoubleText(v).toStdString();
        EXPECT_EQ(ParseNumber(SingleText(-1.234568e7f)), -12345680.0) << locale;
    }
}

TEST(NumberText, IntegersRoundHalvesToEven)
{
    const std::vector<std::pair<double, qint32>> cases{
        {2.5, 2},   {3.5, 4},   {-2.5, -2}, {-3.5, -4},  {12.5, 12}, {13.5, 14}, {2.4999, 2},
        {2.5001, 3}, {-0.5, 0}, {0.5, 0},   {1.5, 2},    {-1.7, -2}, {2147483647.4, 2147483647},
        {-2147483648.5, std::numeric_limits<qint32>::min()}};
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(ToInt32(value), expected) << value;

    EXPECT_EQ(ToInt16(32767.4), 32767);
    EXPECT_EQ(ToInt16(-32768.5), -32768);
    for (double bad : {2147483647.5, -2147483649.0, 1e20, std::nan(""), std::numeric_limits<double>::infinity()}) {
        EXPECT_FALSE(RoundToInt32(bad)) << bad;
        EXPECT_THROW(ToInt32(bad), Error) << bad;
    }
    EXPECT_FALSE(RoundToInt16(32767.5));
    EXPECT_FALSE(RoundToInt16(-32769));
    try {
        ToInt16(40000);
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), err::Overflow);
    }
}
