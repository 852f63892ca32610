#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdint>
#include <vector>

namespace vnt {

// The game's archive container. Two header forms share one directory layout:
//   "BIGF" / "BIG4" / "BIGH": u32 total length (either byte order), u32 entry
//       count, u32 header field, then per entry a u32 offset, a u32 size and a
//       NUL-terminated name (all big-endian unless said otherwise);
//   C0 FB: u16 header field, u16 entry count, then per entry a 3-byte offset,
//       a 3-byte size and a NUL-terminated name.
// Writers disagree on the total length's byte order, on what the header field
// holds, on a footer after the directory and on padding, so a rewrite keeps
// whatever the original file did.

// Magic of the older 24-bit form.
inline const QByteArray VivMagicC0FB = QByteArrayLiteral("\xC0\xFB");

// What the header field (0x0C, or the u16 after the C0 FB magic) holds.
enum class VivHeaderField {
    FirstDataOffset, // where the first entry's data starts
    DirectoryEnd,    // the directory's end plus headerFieldValue (writers with a footer)
    Fixed,           // headerFieldValue, whatever the layout
};

// How an archive is laid out beyond its entries: read from an existing file,
// kept by a rewrite, chosen when creating one.
struct VivLayout {
    QByteArray magic = QByteArrayLiteral("BIGF"); // "BIGF", "BIG4", "BIGH" or VivMagicC0FB
    bool sizeLittleEndian = false;                // byte order of the total length at 0x04
    VivHeaderField headerField = VivHeaderField::FirstDataOffset;
    std::int64_t headerFieldValue = 0;
    QByteArray footer;       // bytes written right after the directory (e.g. "L225" and NULs)
    int headerAlignment = 1; // the data area starts at a multiple of this (NUL padding)
    int dataAlignment = 1;   // every entry's data starts at a multiple of this
    bool padEnd = false;     // the last entry's data is padded to dataAlignment as well

    bool isC0FB() const { return magic == VivMagicC0FB; }
};

// One directory record. Names are the archive's own 8-bit bytes.
struct VivEntry {
    QByteArray name;
    std::int64_t offset = 0;
    std::int64_t size = 0;
};

// The parsed header and directory of an archive file, checked against its length.
struct VivDirectory {
    QByteArray magic;
    std::vector<VivEntry> entries; // in directory order
    std::int64_t fileSize = 0;
    std::int64_t directoryEnd = 0;    // first byte after the last record
    std::int64_t firstDataOffset = 0; // lowest offset of a non-empty entry (the file's end if none)
    std::int64_t dataEnd = 0;         // end of the last entry's bytes (directoryEnd if none)
    std::uint32_t sizeField = 0;      // the total length as stored, big-endian reading
    std::uint32_t headerFieldRaw = 0;
};

// Reads and checks the header and directory from an open file. Every count,
// offset, size and name is checked against the file's real length; a file that
// is not an archive, is cut short, or whose records overlap or point outside
// it is refused with err::BadFileFormat. The path only names the file in messages.
VivDirectory readVivDirectory(QFile& file, const QString& path);

// Works out the conventions of an existing archive (reads the bytes between the
// directory and the first entry's data).
VivLayout detectVivLayout(QFile& file, const QString& path, const VivDirectory& dir);

// Where each entry goes when an archive with these names and sizes is written.
struct VivPlan {
    QByteArray head;                   // header, directory, footer and padding
    std::vector<std::int64_t> offsets; // data offset of each entry, in order
    std::int64_t dataEnd = 0;          // end of the last entry's data
    std::int64_t totalSize = 0;        // including end padding and trailer
};

// Lays out an archive; the trailer (bytes kept after the data) counts toward the
// total length. Throws err::Overflow when an offset, size or count does not fit
// the header form, err::InvalidCall for a name containing a NUL or an unknown magic.
VivPlan planVivArchive(const VivLayout& layout, const std::vector<VivEntry>& entries, std::int64_t trailerSize);

// Compressed entries start with one of the RefPack signatures; their values do not
// sit at their positions, so they are never handled as raw bytes.
bool isRefPackSignature(const QByteArray& firstBytes);

// Letter case ignored, the way the game looks names up.
bool vivNamesMatch(const QByteArray& a, const QByteArray& b);

} // namespace vnt
