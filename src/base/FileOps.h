#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

namespace vnt {

// File operations shared by the subsystems. Each opens its file for one access and
// closes it before returning; every failure is thrown as an Error with a message
// that names the file.

// Permissions of the editor's temporary files: the user's own, nobody else's.
constexpr QFileDevice::Permissions PrivateFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

bool fileExists(const QString& path); // a file (not a folder) is there
// How this platform's file systems compare names, and whether two paths name
// the same file (through links too, where both exist).
Qt::CaseSensitivity fileNameCase();
bool samePath(const QString& a, const QString& b);
bool isSymLink(const QString& path);
// Throws when the path is a symbolic link: a link planted at a temporary file's
// name must never redirect the editor's writes.
void refuseSymLink(const QString& path);

QByteArray readFile(const QString& path);

// Replaces the file at path with data: a new file in the same folder, flushed to
// disk, then renamed over the old one, so the old contents stay whole if anything
// fails. A symbolic link at path is refused. A new file gets the given
// permissions; an existing one keeps its own.
void writeFileAtomically(const QString& path, const QByteArray& data, QFileDevice::Permissions newFilePermissions = PrivateFile);

// Copies a file over another one the same way, streaming, so large archives are
// not held in memory.
void copyFile(const QString& from, const QString& to, QFileDevice::Permissions newFilePermissions = PrivateFile);

// Deletes a file; a missing file is not an error.
void removeFile(const QString& path);

// A write past the process's file-size limit then fails with EFBIG, which is
// reported as an error, instead of the system ending the program. Programs call
// it once at start.
void reportFileSizeLimitAsError();

} // namespace vnt
