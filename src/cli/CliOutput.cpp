#include "cli/CliOutput.h"

#include "model/NumberText.h"

#include <QJsonDocument>

#include <algorithm>
#include <cstdio>

namespace vnt::cli {

namespace {

void write(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

QString tableLine(const QStringList& cells, const QList<qsizetype>& widths)
{
    QString line;
    for (qsizetype i = 0; i < cells.size(); ++i)
        line += i + 1 < cells.size() ? cells[i].leftJustified(widths[i] + 2) : cells[i];
    return line;
}

} // namespace

void Report::add(const QStringList& columns, const QJsonObject& object)
{
    rows_.append(columns);
    objects_.append(object);
}

void Report::print(bool json) const
{
    if (json) {
        const QByteArray text = objects_.isEmpty() ? QByteArray("[]\n") : QJsonDocument(objects_).toJson();
        write(stdout, QString::fromUtf8(text));
        return;
    }
    if (rows_.isEmpty())
        return;
    QList<qsizetype> widths;
    for (const QString& cell : header_)
        widths.append(cell.size());
    for (const QStringList& row : rows_) {
        for (qsizetype i = 0; i < row.size() && i < widths.size(); ++i)
            widths[i] = std::max(widths[i], row[i].size());
    }
    printLine(tableLine(header_, widths));
    for (const QStringList& row : rows_)
        printLine(tableLine(row, widths));
}

void printLine(const QString& text)
{
    write(stdout, text + QLatin1Char('\n'));
}

void printError(const QString& text)
{
    write(stderr, text + QLatin1Char('\n'));
}

QString cellText(const TypedValue& value)
{
    return value.isEmpty() ? QStringLiteral("-") : value.text();
}

QJsonValue jsonNumber(const TypedValue& value)
{
    return value.isEmpty() ? QJsonValue(QJsonValue::Null) : jsonNumber(value.text());
}

QJsonValue jsonNumber(const QString& text)
{
    const std::optional<double> number = ParseNumber(text);
    return number ? QJsonValue(*number) : QJsonValue(QJsonValue::Null);
}

} // namespace vnt::cli
