#pragma once

#include "support/TestEditor.h"

#include <QLocale>
#include <QMap>
#include <QString>

namespace vnt::test {

// One <attribute> element: valid fields (0..1 x100 at offset 9, Medium default 0.3)
// with the given ones replaced; an empty replacement text leaves the field out.
QString attributeXml(const QMap<QString, QString>& changes = {});

// Writes a definition file with the given body inside <aidata> and loads it.
void loadDefinitions(TestEditor& editor, const QString& body);

// Makes a locale the default for its lifetime.
struct LocaleScope {
    explicit LocaleScope(const char* name) : LocaleScope(QLocale(QString::fromLatin1(name))) {}
    explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(saved); }
    QLocale saved;
};

// Little-endian bytes of a float and of an integer of the given size.
QByteArray singleBytes(float value);
QByteArray intBytes(qint64 value, int size);

// Puts a slot into a file image: the tag word at position-4, the value's bytes at
// position (1-based).
void putSlot(QByteArray& file, int position, quint16 tag, const QByteArray& value);

} // namespace vnt::test
