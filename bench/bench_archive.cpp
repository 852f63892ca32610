// Extracting and storing one entry in archives of growing size, beside copying
// the same bytes. Extraction should not depend on the archive's size; a store
// should cost about one copy of the archive.
#include "base/FileOps.h"
#include "archive/VivArchive.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>

using namespace vnt;

namespace {

constexpr qsizetype EntrySize = 24 * 1024;

QTemporaryDir& folder()
{
    static QTemporaryDir dir;
    return dir;
}

QByteArray entryBytes(char fill)
{
    return QByteArray(EntrySize, fill);
}

// An archive of about `megabytes` MB: three skill entries around a large one.
const QString& archiveOf(int megabytes)
{
    static std::map<int, QString> made;
    auto it = made.find(megabytes);
    if (it != made.end())
        return it->second;
    const QString path = folder().filePath(QStringLiteral("aidata-%1.viv").arg(megabytes));
    const qsizetype filler = qsizetype(megabytes) * 1024 * 1024 - 3 * EntrySize - 128;
    VivLayout layout;
    layout.footer = QByteArray("L225\0\0\0\0", 8);
    VivArchive::create(path,
                       {{"Easy.ubc", entryBytes('e')},
                        {"movies.dat", QByteArray(filler, 'm')},
                        {"Medium.ubc", entryBytes('m')},
                        {"Difficlt.ubc", entryBytes('d')}},
                       layout);
    return made.emplace(megabytes, path).first->second;
}

void BM_ExtractEntry(benchmark::State& state)
{
    const QString& path = archiveOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        QByteArray data = VivArchive::open(path).extract("Medium.ubc");
        benchmark::DoNotOptimize(data.data());
    }
}

void BM_StoreEntry(benchmark::State& state)
{
    const QString& path = archiveOf(static_cast<int>(state.range(0)));
    const QByteArray a = entryBytes('1'), b = entryBytes('2');
    bool flip = false;
    for (auto _ : state) {
        VivArchive::store(path, "Medium.ubc", flip ? a : b);
        flip = !flip;
    }
    state.SetBytesProcessed(state.iterations() * QFile(path).size());
}

// The same bytes copied the way the editor copies files (new file, flushed, renamed).
void BM_CopyArchiveSafely(benchmark::State& state)
{
    const QString& path = archiveOf(static_cast<int>(state.range(0)));
    const QString copy = path + QStringLiteral(".copy");
    for (auto _ : state)
        copyFile(path, copy);
    QFile::remove(copy);
    state.SetBytesProcessed(state.iterations() * QFile(path).size());
}

// A plain copy to a new file, without flushing to disk.
void BM_CopyArchivePlain(benchmark::State& state)
{
    const QString& path = archiveOf(static_cast<int>(state.range(0)));
    const QString copy = path + QStringLiteral(".plain");
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(copy);
        state.ResumeTiming();
        if (!QFile::copy(path, copy))
            state.SkipWithError("copy failed");
    }
    QFile::remove(copy);
    state.SetBytesProcessed(state.iterations() * QFile(path).size());
}

} // namespace

BENCHMARK(BM_ExtractEntry)->Arg(1)->Arg(64)->Arg(512)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StoreEntry)->Arg(1)->Arg(64)->Arg(512)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyArchiveSafely)->Arg(1)->Arg(64)->Arg(512)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyArchivePlain)->Arg(1)->Arg(64)->Arg(512)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
