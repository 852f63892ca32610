#include "archive/VivFormat.h"

#include "base/Error.h"

#include <QDir>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <iterator>

namespace vnt {

namespace {

// The two header forms: BIG* with 32-bit fields, C0 FB with 24-bit records.
struct Form {
    int headerSize;
    int fieldBytes;        // bytes of a record's offset and of its size
    std::int64_t maxField; // largest offset or size a record can hold
    std::int64_t maxCount;
    std::int64_t maxHeaderField;
};

constexpr Form BigForm{16, 4, 0xFFFFFFFFLL, 0xFFFFFFFFLL, 0xFFFFFFFFLL};
constexpr Form C0Form{6, 3, 0xFFFFFFLL, 0xFFFFLL, 0xFFFFLL};

bool isBigMagic(const QByteArray& magic)
{
    return magic == "BIGF" || magic == "BIG4" || magic == "BIGH";
}

std::uint32_t readBE(const char* p, int bytes)
{
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = (v << 8) | static_cast<unsigned char>(p[i]);
    return v;
}

void appendBE(QByteArray& out, std::uint64_t v, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

std::int64_t alignUp(std::int64_t v, std::int64_t a)
{
    return (v + a - 1) / a * a;
}

[[noreturn]] void bad(const QString& path, const QString& why)
{
    throw Error(err::BadFileFormat,
                QStringLiteral("'%1' is not a sound game archive: %2").arg(QDir::toNativeSeparators(path), why));
}

QByteArray readAt(QFile& file, const QString& path, std::int64_t offset, std::int64_t size)
{
    QByteArray bytes;
    if (file.seek(offset))
        bytes = file.read(size);
    if (bytes.size() != size)
        throw Error(err::DeviceIO,
                    QStringLiteral("Reading '%1' failed: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    return bytes;
}

// Loads the directory block by block, never past the file's end.
class DirectoryBuffer {
public:
    DirectoryBuffer(QFile& file, const QString& path, std::int64_t start) : file_(file), path_(path), start_(start) {}

    // Makes bytes up to (not including) position `end` available; false when the file is shorter.
    bool load(std::int64_t end)
    {
        const std::int64_t fileEnd = file_.size();
        while (start_ + bytes_.size() < end) {
            const std::int64_t have = start_ + bytes_.size();
            if (have >= fileEnd)
                return false;
            const std::int64_t step = std::min<std::int64_t>(std::max<std::int64_t>(bytes_.size(), 64 * 1024), fileEnd - have);
            bytes_.append(readAt(file_, path_, have, step));
        }
        return true;
    }
    const char* at(std::int64_t pos) const { return bytes_.constData() + (pos - start_); }
    // Position of the next NUL at or after pos, or -1 when the file has none.
    std::int64_t findNul(std::int64_t pos)
    {
        std::int64_t from = pos;
        for (;;) {
            const std::int64_t end = start_ + bytes_.size();
            if (from < end) {
                const void* hit = std::memchr(at(from), '\0', static_cast<std::size_t>(end - from));
                if (hit)
                    return pos + (static_cast<const char*>(hit) - at(pos));
                from = end;
            }
            if (!load(end + 1))
                return -1;
        }
    }

private:
    QFile& file_;
    const QString& path_;
    std::int64_t start_;
    QByteArray bytes_;
};

void checkPlacement(const QString& path, VivDirectory& dir)
{
    std::vector<const VivEntry*> used;
    for (const VivEntry& e : dir.entries) {
        if (e.size > 0 && e.offset < dir.directoryEnd)
            bad(path, QStringLiteral("the data of entry '%1' lies inside the directory").arg(QString::fromLocal8Bit(e.name)));
        if (e.size > 0)
            used.push_back(&e);
    }
    std::sort(used.begin(), used.end(), [](const VivEntry* a, const VivEntry* b) { return a->offset < b->offset; });
    for (std::size_t i = 1; i < used.size(); ++i)
        if (used[i - 1]->offset + used[i - 1]->size > used[i]->offset)
            bad(path, QStringLiteral("the data of entries '%1' and '%2' overlap")
                          .arg(QString::fromLocal8Bit(used[i - 1]->name), QString::fromLocal8Bit(used[i]->name)));
    dir.firstDataOffset = used.empty() ? dir.fileSize : used.front()->offset;
    dir.dataEnd = used.empty() ? dir.fileSize : used.back()->offset + used.back()->size;
}

void readRecords(QFile& file, const QString& path, const Form& form, std::int64_t count, VivDirectory& dir)
{
    DirectoryBuffer buffer(file, path, form.headerSize);
    std::int64_t pos = form.headerSize;
    dir.entries.reserve(static_cast<std::size_t>(count));
    for (std::int64_t i = 0; i < count; ++i) {
        if (!buffer.load(pos + 2 * form.fieldBytes))
            bad(path, QStringLiteral("the directory is cut short at entry %1 of %2").arg(i + 1).arg(count));
        VivEntry e;
        e.offset = readBE(buffer.at(pos), form.fieldBytes);
        e.size = readBE(buffer.at(pos + form.fieldBytes), form.fieldBytes);
        pos += 2 * form.fieldBytes;
        const std::int64_t nul = buffer.findNul(pos);
        if (nul < 0)
            bad(path, QStringLiteral("the name of entry %1 has no end before the end of the file").arg(i + 1));
        e.name = QByteArray(buffer.at(pos), nul - pos);
        pos = nul + 1;
        if (e.offset > dir.fileSize || e.size > dir.fileSize - e.offset)
            bad(path, QStringLiteral("entry '%1' (%2 bytes at offset %3) runs past the end of the file (%4 bytes)")
                          .arg(QString::fromLocal8Bit(e.name))
                          .arg(e.size)
                          .arg(e.offset)
                          .arg(dir.fileSize));
        dir.entries.push_back(std::move(e));
    }
    dir.directoryEnd = pos;
}

} // namespace

VivDirectory readVivDirectory(QFile& file, const QString& path)
{
    VivDirectory dir;
    dir.fileSize = file.size();
    const QByteArray head = readAt(file, path, 0, std::min<std::int64_t>(dir.fileSize, BigForm.headerSize));
    std::int64_t count = 0;
    const Form* form = nullptr;
    if (head.size() >= 4 && isBigMagic(head.left(4))) {
        if (head.size() < BigForm.headerSize)
            bad(path, QStringLiteral("it is shorter than its header"));
        form = &BigForm;
        dir.magic = head.left(4);
        dir.sizeField = readBE(head.constData() + 4, 4);
        count = readBE(head.constData() + 8, 4);
        dir.headerFieldRaw = readBE(head.constData() + 12, 4);
    } else if (head.startsWith(VivMagicC0FB)) {
        if (head.size() < C0Form.headerSize)
            bad(path, QStringLiteral("it is shorter than its header"));
        form = &C0Form;
        dir.magic = VivMagicC0FB;
        dir.headerFieldRaw = readBE(head.constData() + 2, 2);
        count = readBE(head.constData() + 4, 2);
    } else {
        bad(path, QStringLiteral("it does not start with a known archive signature"));
    }
    const std::int64_t room = (dir.fileSize - form->headerSize) / (2 * form->fieldBytes + 1);
    if (count > room)
        bad(path,
            QStringLiteral("its directory claims %1 entries, more than a file of %2 bytes can hold").arg(count).arg(dir.fileSize));
    readRecords(file, path, *form, count, dir);
    checkPlacement(path, dir);
    return dir;
}

namespace {

std::vector<VivEntry> inFileOrder(const std::vector<VivEntry>& entries)
{
    std::vector<VivEntry> used;
    std::copy_if(entries.begin(), entries.end(), std::back_inserter(used), [](const VivEntry& e) { return e.size > 0; });
    std::sort(used.begin(), used.end(), [](const VivEntry& a, const VivEntry& b) { return a.offset < b.offset; });
    return used;
}

// The largest power of two that every data offset is a multiple of, provided
// some padding shows for it (between entries, or after the last one).
void detectDataAlignment(const VivDirectory& dir, VivLayout& layout)
{
    const std::vector<VivEntry> used = inFileOrder(dir.entries);
    const std::int64_t tail = dir.fileSize - dir.dataEnd;
    for (std::int64_t a = 4096; a >= 2 && !used.empty(); a /= 2) {
        const bool aligned = std::all_of(used.begin(), used.end(), [a](const VivEntry& e) { return e.offset % a == 0; });
        const bool endPadded = tail > 0 && tail < a && dir.fileSize % a == 0;
        bool padded = endPadded;
        for (std::size_t i = 1; i < used.size(); ++i) {
            const std::int64_t gap = used[i].offset - used[i - 1].offset - used[i - 1].size;
            padded = padded || (gap > 0 && gap < a);
        }
        if (aligned && padded) {
            layout.dataAlignment = static_cast<int>(a);
            layout.padEnd = endPadded;
            return;
        }
    }
}

// Between the directory and the data: a footer, then NUL padding up to an
// aligned start. Trailing NULs that alignment explains are padding.
void detectFooter(QFile& file, const QString& path, const VivDirectory& dir, VivLayout& layout)
{
    const QByteArray gap = readAt(file, path, dir.directoryEnd, dir.firstDataOffset - dir.directoryEnd);
    std::int64_t kept = gap.size();
    while (kept > 0 && gap.at(static_cast<qsizetype>(kept - 1)) == '\0')
        --kept;
    const std::int64_t nuls = gap.size() - kept;
    for (std::int64_t a = 4096; a >= 2 && nuls > 0; a /= 2)
        if (dir.firstDataOffset % a == 0 && nuls < a) {
            layout.headerAlignment = static_cast<int>(a);
            break;
        }
    const std::int64_t alignment = std::max(layout.headerAlignment, layout.dataAlignment);
    layout.footer = gap.left(std::max<std::int64_t>(kept, gap.size() - alignment + 1));
}

void detectHeaderField(const VivDirectory& dir, VivLayout& layout)
{
    const std::int64_t field = dir.headerFieldRaw;
    if (field == dir.firstDataOffset) {
        layout.headerField = VivHeaderField::FirstDataOffset;
    } else if (field + 16 >= dir.directoryEnd && field <= dir.firstDataOffset) {
        layout.headerField = VivHeaderField::DirectoryEnd;
        layout.headerFieldValue = field - dir.directoryEnd;
    } else {
        layout.headerField = VivHeaderField::Fixed;
        layout.headerFieldValue = field;
    }
}

[[noreturn]] void overflow(const QString& what)
{
    throw Error(err::Overflow, QStringLiteral("%1 does not fit the archive's format").arg(what));
}

const Form& checkedForm(const VivLayout& layout, const std::vector<VivEntry>& entries)
{
    if (!layout.isC0FB() && !isBigMagic(layout.magic))
        throw Error(err::InvalidCall,
                    QStringLiteral("Unknown archive signature '%1'").arg(QString::fromLatin1(layout.magic.toHex())));
    for (int a : {layout.headerAlignment, layout.dataAlignment})
        if (a < 1 || (a & (a - 1)) != 0)
            throw Error(err::InvalidCall, QStringLiteral("An archive alignment of %1 is not a power of two").arg(a));
    for (const VivEntry& e : entries)
        if (e.name.contains('\0'))
            throw Error(err::InvalidCall, QStringLiteral("An entry name may not contain a NUL character"));
    const Form& form = layout.isC0FB() ? C0Form : BigForm;
    if (static_cast<std::int64_t>(entries.size()) > form.maxCount)
        overflow(QStringLiteral("The number of entries (%1)").arg(entries.size()));
    return form;
}

std::int64_t headerFieldFor(const VivLayout& layout, const Form& form, std::int64_t directoryEnd, std::int64_t first)
{
    std::int64_t field = first;
    if (layout.headerField == VivHeaderField::DirectoryEnd)
        field = directoryEnd + layout.headerFieldValue;
    else if (layout.headerField == VivHeaderField::Fixed)
        field = layout.headerFieldValue;
    if (field < 0 || field > form.maxHeaderField)
        overflow(QStringLiteral("The header field value %1").arg(field));
    return field;
}

QByteArray buildHead(const VivLayout& layout, const Form& form, const std::vector<VivEntry>& entries, const VivPlan& plan,
                     std::int64_t field, std::int64_t first)
{
    QByteArray head;
    head.reserve(first);
    head.append(layout.magic);
    if (layout.isC0FB()) {
        appendBE(head, static_cast<std::uint64_t>(field), 2);
        appendBE(head, entries.size(), 2);
    } else {
        const auto total = static_cast<std::uint32_t>(plan.totalSize);
        appendBE(head, layout.sizeLittleEndian ? qbswap(total) : total, 4);
        appendBE(head, entries.size(), 4);
        appendBE(head, static_cast<std::uint64_t>(field), 4);
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        appendBE(head, static_cast<std::uint64_t>(plan.offsets[i]), form.fieldBytes);
        appendBE(head, static_cast<std::uint64_t>(entries[i].size), form.fieldBytes);
        head.append(entries[i].name).append('\0');
    }
    head.append(layout.footer);
    head.append(QByteArray(first - head.size(), '\0'));
    return head;
}

} // namespace

VivLayout detectVivLayout(QFile& file, const QString& path, const VivDirectory& dir)
{
    VivLayout layout;
    layout.magic = dir.magic;
    // The order in which the stored length is right; big-endian when neither is.
    layout.sizeLittleEndian = !layout.isC0FB() && qbswap(dir.sizeField) == dir.fileSize && dir.sizeField != dir.fileSize;
    detectDataAlignment(dir, layout);
    detectFooter(file, path, dir, layout);
    detectHeaderField(dir, layout);
    return layout;
}

VivPlan planVivArchive(const VivLayout& layout, const std::vector<VivEntry>& entries, std::int64_t trailerSize)
{
    const Form& form = checkedForm(layout, entries);
    std::int64_t directoryEnd = form.headerSize;
    for (const VivEntry& e : entries)
        directoryEnd += 2 * form.fieldBytes + e.name.size() + 1;
    const std::int64_t first = alignUp(alignUp(directoryEnd + layout.footer.size(), layout.headerAlignment), layout.dataAlignment);
    VivPlan plan;
    std::int64_t pos = first;
    for (const VivEntry& e : entries) {
        const std::int64_t offset = alignUp(pos, layout.dataAlignment);
        if (offset > form.maxField || e.size > form.maxField)
            overflow(
                QStringLiteral("Entry '%1' (%2 bytes at offset %3)").arg(QString::fromLocal8Bit(e.name)).arg(e.size).arg(offset));
        plan.offsets.push_back(offset);
        pos = offset + e.size;
    }
    plan.dataEnd = pos;
    plan.totalSize = (layout.padEnd ? alignUp(pos, layout.dataAlignment) : pos) + trailerSize;
    if (!layout.isC0FB() && plan.totalSize > 0xFFFFFFFFLL)
        overflow(QStringLiteral("An archive of %1 bytes").arg(plan.totalSize));
    const std::int64_t field = headerFieldFor(layout, form, directoryEnd, first);
    plan.head = buildHead(layout, form, entries, plan, field, first);
    return plan;
}

bool isRefPackSignature(const QByteArray& firstBytes)
{
    if (firstBytes.size() < 2)
        return false;
    const std::uint32_t sig = readBE(firstBytes.constData(), 2);
    return sig == 0x10FB || sig == 0x11FB || sig == 0x90FB || sig == 0x91FB;
}

bool vivNamesMatch(const QByteArray& a, const QByteArray& b)
{
    const auto fold = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    if (a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return fold(x) == fold(y); }))
        return true;
    const auto ascii = [](const QByteArray& s) { return std::all_of(s.begin(), s.end(), [](char c) { return (c & 0x80) == 0; }); };
    if (ascii(a) && ascii(b))
        return false;
    // Letters beyond ASCII, in the system's 8-bit encoding, when both names decode cleanly.
    const QString sa = QString::fromLocal8Bit(a), sb = QString::fromLocal8Bit(b);
    return sa.toLocal8Bit() == a && sb.toLocal8Bit() == b && sa.compare(sb, Qt::CaseInsensitive) == 0;
}

} // namespace vnt
