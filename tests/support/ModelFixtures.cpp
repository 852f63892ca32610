#include "support/ModelFixtures.h"

#include "model/Definitions.h"

#include <QtEndian>

#include <bit>

namespace vnt::test {

QString attributeXml(const QMap<QString, QString>& changes)
{
    QMap<QString, QString> fields{{"key", "pass_intercept_cpu"},
                                  {"name", "Pass Intercept CPU"},
                                  {"description", "How often the CPU intercepts passes"},
                                  {"min_range", "0"},
                                  {"max_range", "1"},
                                  {"range_mult", "100"},
                                  {"offset", "9"},
                                  {"easy", "0.2"},
                                  {"medium", "0.3"},
                                  {"difficlt", "0.45"}};
    fields.insert(changes);
    QString out = "<attribute>", defaults = "<defaults>";
    for (auto it = fields.begin(); it != fields.end(); ++it)
        if (!it.value().isEmpty())
            (QStringList{"easy", "medium", "difficlt"}.contains(it.key())
                 ? defaults
                 : out) += QStringLiteral("<%1>%2</%1>").arg(it.key(), it.value().toHtmlEscaped());
    return out + defaults + "</defaults></attribute>\n";
}

void loadDefinitions(TestEditor& editor, const QString& body)
{
    writeBytes(editor.path("aidata.xml"), ("<?xml version=\"1.0\"?>\n<aidata>\n" + body + "</aidata>\n").toUtf8());
    LoadDefinitions(editor.ctx.definitions, editor.path("aidata.xml"));
}

QByteArray singleBytes(float value)
{
    return intBytes(std::bit_cast<quint32>(value), 4);
}

QByteArray intBytes(qint64 value, int size)
{
    const quint64 little = qToLittleEndian(quint64(value));
    return QByteArray(reinterpret_cast<const char*>(&little), size);
}

void putSlot(QByteArray& file, int position, quint16 tag, const QByteArray& value)
{
    file.replace(position - 5, 2, intBytes(tag, 2));
    file.replace(position - 1, value.size(), value);
}

} // namespace vnt::test
