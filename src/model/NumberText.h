#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace vnt {

// Numbers as the user reads and types them: texts in the user's locale (QLocale(),
// the default locale), and the one rule for bringing a number to an integer.

// A single-precision value with at most 7 significant digits, a double with at
// most 15: no trailing zeros, the locale's decimal separator and minus sign, a
// leading zero before the separator, no group separators. Exponent form only when
// the decimal exponent is below -4 or at least the digit count: 1E-05, 1.234568E+07.
QString SingleText(float value);
QString DoubleText(double value);
// Whole numbers as plain digits.
QString IntegerText(qint64 value);

// Reads a decimal number in the user's locale (its own signs included, however
// many characters they take); white space around it is ignored. Nothing when the
// text is not a finite number.
std::optional<double> ParseNumber(const QString& text);
// Reads a number as shared files write it: "." as the decimal mark, no group
// separators ("1.000" is one); only when that fails, as ParseNumber does.
std::optional<double> ParseFileNumber(const QString& text);
// The same, throwing a TypeMismatch Error that quotes the text.
double NumberFromText(const QString& text);

// The nearest integer, halves going to the even neighbour (2.5 gives 2, 3.5 gives
// 4, -2.5 gives -2). Nothing when the result does not fit the target form.
std::optional<qint32> RoundToInt32(double value);
std::optional<qint16> RoundToInt16(double value);
// The same, throwing an Overflow Error when the result does not fit.
qint32 ToInt32(double value);
qint16 ToInt16(double value);

} // namespace vnt
