#pragma once

#include "support/TestEditor.h"

#include <QLocale>
#include <QString>

#include <map>

namespace vnt::test {

// The fields of one <attribute> element; each one can be replaced or left out.
struct AttributeXml {
    std::map<QString, QString> fields{
        {QStringLiteral("key"), QStringLiteral("pass_intercept_cpu")},
        {QStringLiteral("name"), QStringLiteral("Pass Intercept CPU")},
        {QStringLiteral("description"), QStringLiteral("How often the CPU intercepts passes")},
        {QStringLiteral("min_range"), QStringLiteral("0")},
        {QStringLiteral("max_range"), QStringLiteral("1")},
        {QStringLiteral("range_mult"), QStringLiteral("100")},
        {QStringLiteral("offset"), QStringLiteral("9")},
        {QStringLiteral("easy"), QStringLiteral("0.2")},
        {QStringLiteral("medium"), QStringLiteral("0.3")},
        {QStringLiteral("difficlt"), QStringLiteral("0.45")},
    };

    AttributeXml& set(const QString& field, const QString& text);
    AttributeXml& drop(const QString& field);
    // The element, with the three defaults wrapped in <defaults>.
    QString xml() const;
};

// Writes a definition file with the given body inside <aidata> and loads it.
void loadDefinitions(TestEditor& editor, const QString& body);

// Makes a locale the default for its lifetime.
class LocaleScope {
public:
    explicit LocaleScope(const QString& name) { QLocale::setDefault(QLocale(name)); }
    ~LocaleScope() { QLocale::setDefault(saved_); }
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;

private:
    QLocale saved_;
};

// Little-endian byte images of the three value forms and of a tag word.
QByteArray singleBytes(float value);
QByteArray int32Bytes(qint32 value);
QByteArray int16Bytes(qint16 value);

// A working-copy image of the given size filled with a recognisable pattern.
QByteArray patternFile(int size);
// Puts a slot at 1-based position: the tag word at position-4, the value at position.
void putSlot(QByteArray& file, int position, quint16 tag, const QByteArray& value);

} // namespace vnt::test
