#pragma once

#include "archive/VivFormat.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace vnt {

// An entry's name and bytes, for creating an archive.
struct VivContent {
    QByteArray name;
    QByteArray data;
};

// A game archive on disk. open() reads only the header and directory; each
// extraction reads only the bytes of its entry, so its cost does not depend on
// the archive's size. The file is opened for each access and closed after it.
// Every failure is thrown as vnt::Error.
class VivArchive {
public:
    // Reads the directory of the archive at path. Throws err::FileNotFound when
    // there is no such file, err::BadFileFormat when it is not a sound archive.
    static VivArchive open(const QString& path);

    const QString& path() const { return path_; }
    std::int64_t fileSize() const { return dir_.fileSize; }
    const QByteArray& magic() const { return dir_.magic; }
    const std::vector<VivEntry>& entries() const { return dir_.entries; }
    const VivDirectory& directory() const { return dir_; }

    // The archive's conventions (size byte order, header field, footer, padding).
    VivLayout layout() const;

    // The entry of that name, letter case ignored; the first in directory order
    // when several match. Null when there is none.
    const VivEntry* find(const QByteArray& name) const;

    // The bytes of the named entry. Throws err::FileNotFound when the archive
    // has no such entry and err::BadFileFormat when the entry is compressed.
    QByteArray extract(const QByteArray& name) const;

    // Stores data as the entry name of the existing archive at path: replaces the
    // entry of that name (letter case ignored, the stored name kept) or appends
    // one. Every other entry keeps its bytes and place; the archive keeps its
    // conventions. The new archive is written beside the old one, flushed and
    // renamed over it, so a failure or a crash leaves the old one whole. Never
    // creates an archive: a missing one is err::FileNotFound.
    static void store(const QString& path, const QByteArray& name, const QByteArray& data);

    // Writes a new archive with these entries in this order, replacing any file at
    // path (new files get the owner's read and write permissions and the group's
    // and others' read). For tests, benchmarks and tools; the editor only stores.
    static void create(const QString& path, const std::vector<VivContent>& entries, const VivLayout& layout = VivLayout());

private:
    VivArchive(QString path, VivDirectory dir) : path_(std::move(path)), dir_(std::move(dir)) {}

    QString path_;
    VivDirectory dir_;
};

} // namespace vnt
