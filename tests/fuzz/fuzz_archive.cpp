// The archive reader and writer: open, list and extract every entry, then store
// one entry; every other entry keeps its bytes and the file its conventions, and
// a refused store leaves the file byte-identical.
#include "FuzzSupport.h"

#include "base/Error.h"
#include "archive/VivArchive.h"

#include <vector>

using namespace vnt;
using namespace vnt::fuzz;

namespace {

QByteArray bytesAt(const QByteArray& file, const VivEntry& e)
{
    return file.mid(qsizetype(e.offset), qsizetype(e.size));
}

// What a rewrite keeps of the file's conventions: the signature, the byte order
// of the total length, and what the header field holds.
bool sameConventions(const VivLayout& layout, const VivArchive& after)
{
    const VivDirectory& d = after.directory();
    std::int64_t field = layout.headerFieldValue;
    if (layout.headerField == VivHeaderField::FirstDataOffset)
        field = d.firstDataOffset;
    else if (layout.headerField == VivHeaderField::DirectoryEnd)
        field = d.directoryEnd + layout.headerFieldValue;
    return d.magic == layout.magic && after.layout().sizeLittleEndian == layout.sizeLittleEndian
           && std::int64_t(d.headerFieldRaw) == field;
}

void checkStore(const QString& path, const QByteArray& before, const VivArchive& archive, const VivLayout& layout)
{
    // Replace the middle entry (or add one), with bytes of a different length.
    const std::vector<VivEntry>& entries = archive.entries();
    const std::size_t replaced = entries.size() / 2;
    const QByteArray name = entries.empty() ? QByteArray("fuzz.ubc") : entries[replaced].name;
    const QByteArray data = QByteArray("stored by the fuzz target") + before.left(7);
    try {
        VivArchive::store(path, name, data);
    } catch (const Error&) {
        VANTOR_FUZZ_EXPECT(get(path) == before, "a refused store changed the archive");
        return;
    }
    const QByteArray after = get(path);
    const VivArchive stored = VivArchive::open(path);
    const std::size_t target = archive.find(name) ? std::size_t(archive.find(name) - entries.data()) : entries.size();
    VANTOR_FUZZ_EXPECT(stored.entries().size() == entries.size() + (target == entries.size()), "the entry count changed");
    for (std::size_t i = 0; i < stored.entries().size(); ++i) {
        const VivEntry& e = stored.entries()[i];
        VANTOR_FUZZ_EXPECT(i == target ? bytesAt(after, e) == data
                                       : e.name == entries[i].name && bytesAt(after, e) == bytesAt(before, entries[i]),
                           "the stored entry does not read back, or another entry changed");
    }
    VANTOR_FUZZ_EXPECT(sameConventions(layout, stored), "the archive's conventions changed");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = scratchPath("aidata.viv");
    const QByteArray before = bytesOf(data, size);
    put(path, before);
    try {
        const VivArchive archive = VivArchive::open(path);
        for (const VivEntry& e : archive.entries()) {
            try {
                const QByteArray bytes = archive.extract(e.name);
                VANTOR_FUZZ_EXPECT(bytes.size() <= qsizetype(size), "an entry is larger than the archive");
            } catch (const Error& error) {
                VANTOR_FUZZ_EXPECT(error.number() == err::BadFileFormat, "an entry could not be extracted");
            }
        }
        checkStore(path, before, archive, archive.layout());
    } catch (const Error&) {
        // Not an archive, or not one that can be edited: refused.
    }
    return 0;
}
