#pragma once

#include "model/TypedValue.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <QStringList>

namespace vnt::cli {

// What a command prints: rows of aligned columns under a header for people, or
// one JSON array of objects for scripts. Both go to standard output.
class Report {
public:
    explicit Report(QStringList header) : header_(std::move(header)) {}

    // One row: the texts of the columns, and the same row as a JSON object.
    void add(const QStringList& columns, const QJsonObject& object);
    bool isEmpty() const { return rows_.isEmpty(); }
    // Prints the table (nothing at all when there are no rows) or the JSON document.
    void print(bool json) const;

private:
    QStringList header_;
    QList<QStringList> rows_;
    QJsonArray objects_;
};

// Writes text and a line break to standard output or standard error.
void printLine(const QString& text);
void printError(const QString& text);

// A value as the editor shows it ("." as decimal mark: the program runs in the C
// locale); "-" for an empty value in a table.
QString cellText(const TypedValue& value);
// A number as JSON: the shown text read back, so 0.3 stays 0.3; null for an
// empty value or a text that is no number.
QJsonValue jsonNumber(const TypedValue& value);
QJsonValue jsonNumber(const QString& text);

} // namespace vnt::cli
