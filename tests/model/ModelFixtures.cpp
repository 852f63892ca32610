#include "ModelFixtures.h"

#include "model/Definitions.h"

#include <QtEndian>

#include <cstring>

namespace vnt::test {

AttributeXml& AttributeXml::set(const QString& field, const QString& text)
{
    fields[field] = text;
    return *this;
}

AttributeXml& AttributeXml::drop(const QString& field)
{
    fields.erase(field);
    return *this;
}

QString AttributeXml::xml() const
{
    QString out = QStringLiteral("<attribute>");
    QString defaults;
    for (const auto& [field, text] : fields) {
        const QString element = QStringLiteral("<%1>%2</%1>").arg(field, text.toHtmlEscaped());
        if (field == QLatin1String("easy") || field == QLatin1String("medium") || field == QLatin1String("difficlt"))
            defaults += element;
        else
            out += element;
    }
    return out + QStringLiteral("<defaults>") + defaults + QStringLiteral("</defaults></attribute>\n");
}

void loadDefinitions(TestEditor& editor, const QString& body)
{
    const QString path = editor.path(QStringLiteral("aidata.xml"));
    writeBytes(path, (QStringLiteral("<?xml version=\"1.0\"?>\n<aidata>\n") + body + QStringLiteral("</aidata>\n"))
                         .toUtf8());
    LoadDefinitions(editor.ctx, path);
}

QByteArray singleBytes(float value)
{
    quint32 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return int32Bytes(qint32(bits));
}

QByteArray int32Bytes(qint32 value)
{
    QByteArray out(4, '\0');
    qToLittleEndian(value, out.data());
    return out;
}

QByteArray int16Bytes(qint16 value)
{
    QByteArray out(2, '\0');
    qToLittleEndian(value, out.data());
    return out;
}

QByteArray patternFile(int size)
{
    QByteArray out(size, '\0');
    for (int i = 0; i < size; ++i)
        out[i] = char(0xA0 + i % 16);
    return out;
}

void putSlot(QByteArray& file, int position, quint16 tag, const QByteArray& value)
{
    file.replace(position - 5, 2, int16Bytes(qint16(tag)));
    file.replace(position - 1, value.size(), value);
}

} // namespace vnt::test
