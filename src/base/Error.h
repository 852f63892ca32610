#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

namespace vnt {

// A failure the editor reports to the user: a number and a description, plus the
// component that raised it. Core services throw it; handlers catch it, show it in
// the error box and leave the editor's state as it was before the operation.
class Error : public std::exception {
public:
    Error(int number, QString description, QString source = QString());

    int number() const noexcept { return number_; }
    const QString& description() const noexcept { return description_; }
    const QString& source() const noexcept { return source_; }
    const char* what() const noexcept override { return what_.constData(); }

private:
    int number_;
    QString description_;
    QString source_;
    QByteArray what_;
};

// Numbers for the editor's own failures, following the classic run-time numbering
// that users of the old Windows tools will recognise.
namespace err {
constexpr int InvalidCall = 5;       // an argument outside what the operation accepts
constexpr int Overflow = 6;          // a number that does not fit its target form
constexpr int TypeMismatch = 13;     // a text that is not a number
constexpr int FileNotFound = 53;     // a file that should exist does not
constexpr int FileAlreadyOpen = 55;  // another editor holds the temporary files
constexpr int DeviceIO = 57;         // reading or writing failed part way
constexpr int DiskFull = 61;         // a write ran out of space
constexpr int PastEndOfFile = 62;    // a position outside the file
constexpr int PermissionDenied = 70; // the file or folder may not be written
constexpr int PathAccess = 75;       // the path cannot be used (a link, a folder, ...)
constexpr int BadFileFormat = 321;   // the file's contents are not what they must be
} // namespace err

} // namespace vnt
