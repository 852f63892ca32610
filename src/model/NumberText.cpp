#include "model/NumberText.h"

#include "base/Error.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

namespace vnt {

namespace {

// Shortest general form (like printf's %G) with the given number of significant
// digits, then dressed in the locale's separator and minus sign. The exponent keeps
// its ASCII sign and at least two digits.
template <typename Float> QString generalText(Float value, int digits)
{
    if (value == 0)
        value = 0; // no "-0"
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    const QString plain = QString::fromLatin1(buffer, result.ptr - buffer);

    const QLocale locale;
    QString text;
    for (qsizetype i = 0; i < plain.size(); ++i) {
        const QChar c = plain.at(i);
        if (i == 0 && c == QLatin1Char('-'))
            text += locale.negativeSign();
        else if (c == QLatin1Char('.'))
            text += locale.decimalPoint();
        else if (c == QLatin1Char('e'))
            text += QLatin1Char('E');
        else
            text += c;
    }
    return text;
}

std::optional<double> roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    double whole = std::floor(value);
    const double fraction = value - whole; // exact: both lie within one binade step
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    return whole;
}

template <typename Int> std::optional<Int> roundTo(double value)
{
    const std::optional<double> whole = roundHalfEven(value);
    if (!whole || *whole < double(std::numeric_limits<Int>::min()) || *whole > double(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return Int(*whole);
}

[[noreturn]] void failOverflow(double value, int bits)
{
    throw Error(err::Overflow, QStringLiteral("The number %1 does not fit in a %2-bit integer").arg(DoubleText(value)).arg(bits));
}

} // namespace

QString SingleText(float value)
{
    return generalText(value, 7);
}

QString DoubleText(double value)
{
    return generalText(value, 15);
}

QString IntegerText(qint64 value)
{
    const quint64 magnitude = value < 0 ? quint64(0) - quint64(value) : quint64(value);
    const QString digits = QString::number(magnitude);
    return value < 0 ? QLocale().negativeSign() + digits : digits;
}

std::optional<double> ParseNumber(const QString& text)
{
    // Many locales write their signs as several characters (a direction mark
    // before the sign), which QLocale::toDouble does not take back: read them
    // as the plain signs.
    const QLocale locale;
    QString plain = text.trimmed();
    for (const auto& [sign, ascii] : {std::pair(locale.negativeSign(), '-'), std::pair(locale.positiveSign(), '+')}) {
        if (!sign.isEmpty() && plain.startsWith(sign)) {
            plain.replace(0, sign.size(), QLatin1Char(ascii));
            break;
        }
    }
    bool ok = false;
    const double value = locale.toDouble(plain, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> ParseFileNumber(const QString& text)
{
    const QByteArray plain = text.trimmed().toLatin1();
    const char* begin = plain.constData();
    const char* const end = begin + plain.size();
    if (begin != end && *begin == '+' && end - begin > 1 && begin[1] != '-')
        ++begin;
    double value = 0;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (error == std::errc() && stop == end && begin != end && std::isfinite(value))
        return value;
    return ParseNumber(text);
}

double NumberFromText(const QString& text)
{
    const std::optional<double> value = ParseNumber(text);
    if (!value)
        throw Error(err::TypeMismatch, QStringLiteral("'%1' is not a number").arg(text));
    return *value;
}

std::optional<qint32> RoundToInt32(double value)
{
    return roundTo<qint32>(value);
}

std::optional<qint16> RoundToInt16(double value)
{
    return roundTo<qint16>(value);
}

qint32 ToInt32(double value)
{
    const std::optional<qint32> result = RoundToInt32(value);
    if (!result)
        failOverflow(value, 32);
    return *result;
}

qint16 ToInt16(double value)
{
    const std::optional<qint16> result = RoundToInt16(value);
    if (!result)
        failOverflow(value, 16);
    return *result;
}

} // namespace vnt
