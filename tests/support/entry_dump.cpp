// Reads a game archive for the end-to-end test, through the editor's own reader:
//
//   vantor08-e2e-entry <archive> list      the names of its entries, one a line
//   vantor08-e2e-entry <archive> <entry>   the bytes of that entry, on stdout
//
// Exits with 1 and a message on stderr when the archive or the entry cannot be read.

#include "base/Error.h"
#include "archive/VivArchive.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "Usage: %s <archive> list|<entry>\n", argv[0]);
        return 2;
    }
    try {
        const vnt::VivArchive archive = vnt::VivArchive::open(QString::fromLocal8Bit(argv[1]));
        if (std::strcmp(argv[2], "list") == 0) {
            for (const vnt::VivEntry& entry : archive.entries())
                std::printf("%s\n", entry.name.constData());
            return 0;
        }
        const QByteArray bytes = archive.extract(QByteArray(argv[2]));
        if (std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout) != std::size_t(bytes.size()))
            return 1;
        return std::fflush(stdout) == 0 ? 0 : 1;
    } catch (const vnt::Error& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
