// Extracting and storing one entry in archives of growing size, beside copying
// the same bytes. Extraction should not depend on the archive's size; a store
// (unchanged bytes copied in the kernel, flushed before the rename) should cost
// no more than one flushed copy of the archive.
#include "base/FileOps.h"
#include "archive/VivArchive.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>

#include <cstdio>
#include <unistd.h>

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

// The same bytes copied by reading and writing, flushed to disk before the
// rename: what a store costs at most.
void BM_CopyArchiveFlushed(benchmark::State& state)
{
    const QString& path = archiveOf(static_cast<int>(state.range(0)));
    const QString copy = path + QStringLiteral(".copy");
    for (auto _ : state) {
        QFile in(path), out(copy + QStringLiteral(".new"));
        if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
            state.SkipWithError("open failed");
        while (!in.atEnd())
            out.write(in.read(1 << 20));
        out.flush();
        ::fsync(out.handle());
        out.close();
        ::rename(QFile::encodeName(out.fileName()).constData(), QFile::encodeName(copy).constData());
    }
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
BENCHMARK(BM_CopyArchiveFlushed)->Arg(1)->Arg(64)->Arg(512)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyArchivePlain)->Arg(1)->Arg(64)->Arg(512)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
