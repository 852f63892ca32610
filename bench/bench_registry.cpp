// How long finding the game in a Wine prefix's registry takes: parsing the real
// system.reg (1.7 MB) and looking up the game's folder, as start-up does; and
// looking through a Steam library of 50 Proton prefixes for it.
#include "base/FileOps.h"
#include "registry/GameKey.h"
#include "registry/WineRegFile.h"
#include "registry/WinePrefixes.h"
#include "registry/WineRegistry.h"
#include "registry/cRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A real registry file written by Wine, kept with the tests.
const QString SystemReg = QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/../tests/data/wine/system.reg");

void ParseSystemReg(benchmark::State& state)
{
    const QByteArray text = vnt::readFile(SystemReg);
    for (auto _ : state) {
        vnt::WineHive hive = vnt::parseWineRegistry(text);
        benchmark::DoNotOptimize(hive.root.get());
    }
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(ParseSystemReg)->Unit(benchmark::kMillisecond);

void FormatSystemReg(benchmark::State& state)
{
    const vnt::WineHive hive = vnt::parseWineRegistry(vnt::readFile(SystemReg));
    for (auto _ : state) {
        QByteArray text = vnt::formatWineRegistry(hive);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(FormatSystemReg)->Unit(benchmark::kMillisecond);

// What start-up does: a new registry over the prefix (nothing parsed yet), one
// read of the game's folder.
void FindTheGameAtStartUp(benchmark::State& state)
{
    QTemporaryDir prefix;
    QFile::copy(SystemReg, prefix.filePath(QStringLiteral("system.reg")));
    for (auto _ : state) {
        vnt::cRegistry registry(std::make_shared<vnt::WineRegistry>(prefix.path()));
        registry.setClassKey(qint32(vnt::reg::LocalMachine));
        registry.setSectionKey(QString::fromLatin1(vnt::game::RegistryKey));
        registry.setValueKey(QString::fromLatin1(vnt::game::RegistryValue));
        registry.setValueType(1);
        QVariant value = registry.Value();
        if (value.toString().isEmpty())
            state.SkipWithError("the game's folder was not found");
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(FindTheGameAtStartUp)->Unit(benchmark::kMillisecond);

// Later lookups on the same registry reuse the parsed file.
void LookUpAgain(benchmark::State& state)
{
    QTemporaryDir prefix;
    QFile::copy(SystemReg, prefix.filePath(QStringLiteral("system.reg")));
    vnt::cRegistry registry(std::make_shared<vnt::WineRegistry>(prefix.path()));
    registry.setClassKey(qint32(vnt::reg::LocalMachine));
    registry.setSectionKey(QString::fromLatin1(vnt::game::RegistryKey));
    registry.setValueKey(QString::fromLatin1(vnt::game::RegistryValue));
    for (auto _ : state)
        benchmark::DoNotOptimize(registry.Value());
}
BENCHMARK(LookUpAgain)->Unit(benchmark::kMicrosecond);

// 50 Proton prefixes, each with a copy of the real system.reg; only the last one
// names the game (and holds its archive). Start-up reads and parses each one's
// system.reg until it finds the game.
void FindTheGameIn50Prefixes(benchmark::State& state)
{
    const QByteArray withGame = vnt::readFile(SystemReg);
    const qsizetype from = withGame.indexOf("[Software\\\\Wow6432Node\\\\EA Sports\\\\NHL08]");
    QByteArray withoutGame = withGame;
    withoutGame.remove(from, withGame.indexOf("\n\n", from) + 1 - from);

    QTemporaryDir home;
    for (int i = 0; i < 50; ++i) {
        const QString prefix = home.filePath(QStringLiteral(".local/share/Steam/steamapps/compatdata/%1/pfx").arg(1000 + i));
        QDir().mkpath(prefix + QStringLiteral("/dosdevices"));
        QDir().mkpath(prefix + QStringLiteral("/drive_c/Program Files (x86)/EA Sports/NHL08/gamedata"));
        QFile::link(QStringLiteral("../drive_c"), prefix + QStringLiteral("/dosdevices/c:"));
        vnt::writeFileAtomically(prefix + QStringLiteral("/system.reg"), i == 49 ? withGame : withoutGame);
    }
    vnt::writeFileAtomically(home.filePath(QStringLiteral(".local/share/Steam/steamapps/compatdata/1049/pfx/drive_c/"
                                                          "Program Files (x86)/EA Sports/NHL08/gamedata/aidata.viv")),
                             "viv");
    for (auto _ : state) {
        const vnt::WineGameInstall found = vnt::findWineGame(vnt::winePrefixCandidates(home.path(), QString()));
        if (!found.prefix.endsWith(QStringLiteral("1049/pfx")) || found.archivePath.isEmpty())
            state.SkipWithError("the game was not found in the last prefix");
        benchmark::DoNotOptimize(found.archivePath);
    }
}
BENCHMARK(FindTheGameIn50Prefixes)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
