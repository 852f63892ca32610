#include "support/ModelFixtures.h"

#include "base/Error.h"
#include "model/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vnt;
using namespace vnt::test;

namespace {

// Each form's text of a value in C; in de_DE with the decimal comma.
const auto single = [](double v) { return SingleText(float(v)); };
const auto dbl = [](double v) { return DoubleText(v); };
const std::tuple<QString (*)(double), double, const char*> Texts[]{
    {single, 0.3, "0.3"},
    {single, 1.0 / 3, "0.3333333"},
    {single, 1234567, "1234567"},
    {single, -0.0, "0"},
    {single, 12345678, "1.234568E+07"},
    {single, 0.0001, "0.0001"},
    {single, 0.00001, "1E-05"},
    {dbl, 1.0 / 3, "0.333333333333333"},
    {dbl, 1234567890123456, "1.23456789012346E+15"},
    {dbl, -1.5e-100, "-1.5E-100"},
    {[](double v) { return IntegerText(qint64(v)); }, -2e6, "-2000000"}};

// Runs check on each text in each of the two locales.
template <typename Check> void inBothLocales(Check check)
{
    for (const char* locale : {"C", "de_DE"}) {
        LocaleScope scope(locale);
        for (const auto& [format, value, text] : Texts)
            check(locale, format, value, text, locale[0] == 'C' ? QString(text) : QString(text).replace('.', ','));
    }
}

} // namespace

TEST(NumberText, TextsKeepTheDigitsOfTheirFormInTheUsersLocale)
{
    inBothLocales([](const char* locale, auto format, double value, const char*, const QString& expected) {
        EXPECT_EQ(format(value), expected) << locale;
    });
}

TEST(NumberText, TextsReadBack)
{
    inBothLocales([](const char* locale, auto, double, const char* text, const QString& expected) {
        EXPECT_EQ(ParseNumber(expected), std::stod(text)) << locale << " reads back " << text;
    });
}

TEST(NumberText, WhatIsNoNumberInTheUsersLocaleIsRefused)
{
    for (const char* locale : {"C", "de_DE"}) {
        LocaleScope scope(locale);
        for (const char* bad : {"", "abc", "1,2,3", "1e999", "inf", "nan"})
            EXPECT_FALSE(ParseNumber(bad)) << bad;
    }
    LocaleScope german("de_DE");
    EXPECT_FALSE(ParseNumber("0.31"));
    EXPECT_THROW(NumberFromText("abc"), Error);
}

// Files: "." first, the locale only when that fails.
TEST(NumberText, FileNumbersAreReadWithADotBeforeTheUsersDecimalMark)
{
    LocaleScope german("de_DE");
    const std::pair<const char*, std::optional<double>> fileCases[]{
        {"1.000", 1},        {" +0.35 ", 0.35},     {"-2e3", -2000},       {"1,5", 1.5},
        {"1.000,5", 1000.5}, {"+-1", std::nullopt}, {"inf", std::nullopt}, {"0x10", std::nullopt}};
    for (const auto& [text, expected] : fileCases)
        EXPECT_EQ(ParseFileNumber(text), expected) << text;
}

TEST(NumberText, NumberTextsOfEveryLocaleReadBack)
{
    const QList<QLocale> locales = QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    for (const char* multiCharacterSigns : {"he_IL", "ar_EG", "fa_IR"})
        EXPECT_TRUE(locales.contains(QLocale(QLatin1String(multiCharacterSigns)))) << multiCharacterSigns;
    for (const QLocale& locale : locales) {
        LocaleScope scope(locale);
        for (double value : {-1.5, 0.35, -2.5e-7})
            EXPECT_EQ(ParseNumber(DoubleText(value)), value) << locale.name().toStdString() << " " << value;
        EXPECT_EQ(ParseNumber(IntegerText(-7)), -7) << locale.name().toStdString();
        EXPECT_EQ(ParseNumber(locale.positiveSign() + QStringLiteral("2")), 2) << locale.name().toStdString();
    }
}

TEST(NumberText, IntegersRoundHalvesToEven)
{
    const std::pair<double, qint32> cases[]{{2.5, 2},   {3.5, 4},   {-2.5, -2},
                                            {-3.5, -4}, {12.5, 12}, {2.5001, 3},
                                            {-0.5, 0},  {-1.7, -2}, {-2147483648.5, -2147483647 - 1}};
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(ToInt32(value), expected) << value;
    EXPECT_EQ(ToInt16(-32768.5), -32768);
}

TEST(NumberText, IntegersThatDoNotFitAreRefused)
{
    for (double bad : {2147483647.5, std::nan(""), HUGE_VAL})
        EXPECT_FALSE(RoundToInt32(bad)) << bad;
    EXPECT_FALSE(RoundToInt16(32767.5));
    EXPECT_THROW(ToInt16(40000), Error);
}
