#pragma once

#include <QString>
#include <QtGlobal>

#include <variant>

namespace vnt {

// One value read from a slot: nothing (an unknown form), a single-precision
// float, a 32-bit or a 16-bit signed integer.
class TypedValue {
public:
    TypedValue() = default;
    explicit TypedValue(float value) : value_(value) {}
    explicit TypedValue(qint32 value) : value_(value) {}
    explicit TypedValue(qint16 value) : value_(value) {}

    bool isEmpty() const { return std::holds_alternative<std::monostate>(value_); }
    bool isSingle() const { return std::holds_alternative<float>(value_); }
    bool isInt32() const { return std::holds_alternative<qint32>(value_); }
    bool isInt16() const { return std::holds_alternative<qint16>(value_); }
    float single() const { return std::get<float>(value_); }
    qint32 int32() const { return std::get<qint32>(value_); }
    qint16 int16() const { return std::get<qint16>(value_); }

    // The number it holds; 0 when empty.
    double toDouble() const;
    // Its text as the editor shows it: floats with up to 7 significant digits,
    // integers in plain digits, an empty value as an empty text.
    QString text() const;

    friend bool operator==(const TypedValue&, const TypedValue&) = default;

private:
    std::variant<std::monostate, float, qint32, qint16> value_;
};

// Whether value holds what writing the number text (in the user's locale) in the
// value's own form stores: a value that does not is changed from that number.
// An empty value or a text that is no number holds nothing.
bool HoldsNumber(const TypedValue& value, const QString& numberText);

// A slot at 1-based position P: a 16-bit little-endian type tag at P-4, two bytes
// the editor leaves alone, and the value at P (4 bytes, or 2 in the 16-bit form).

// The tag word as text: upper-case hexadecimal without leading zeros, a negative
// word as its four-digit pattern ("B17B", "B810", "302", "0").
QString TypeTagText(qint16 word);

// The tag text of the slot at position in the working copy at path.
QString ReadTypeTag(const QString& path, int position);

// Reads the value at position of the file at path in the form named by typeName:
// "B17B" (float), "B810" (32-bit), "INT" (16-bit), exact case; any other name reads
// nothing. An empty typeName is first replaced by ReadTypeTag(workFile, position),
// and the caller gets that tag text back in it.
TypedValue ReadValue(const QString& workFile, const QString& path, int position, QString& typeName);

// Writes a value at position of the file at path in the form named by typeName,
// upper-cased: "B17B", "B810" or "0302"; any other name writes nothing. Integer
// forms take the nearest integer, halves to even; texts are numbers in the user's
// locale. Only the value's bytes change; the file is never created or truncated,
// and a symbolic link is refused.
void WriteValue(const QString& path, int position, double value, const QString& typeName);
void WriteValue(const QString& path, int position, const QString& value, const QString& typeName);

// Every access above refuses, with an Error and without touching the file, a
// position below 1 (a tag below 5), a value that does not lie wholly inside the
// file, a missing file, and a value that is not a number or does not fit its form.

} // namespace vnt
