// Finding the game across the Wine prefixes of a user.
#include "base/FileOps.h"
#include "registry/PlatformRegistry.h"
#include "support/ScratchWinePrefix.h"
#include "registry/WinePrefixes.h"
#include "registry/WineRegistry.h"
#include "support/EnvGuard.h"

#include <gtest/gtest.h>

using namespace vnt;
using namespace vnt::test;

namespace {

const QString GameFolder = QStringLiteral("drive_c/Program Files (x86)/EA Sports/NHL08");

// A prefix at home/relative; with the game's archive when asked.
QString prefixAt(const QString& home, const QString& relative, bool withArchive)
{
    const QString root = home + QLatin1Char('/') + relative;
    makeWinePrefix(root);
    if (withArchive) {
        EXPECT_TRUE(QDir().mkpath(root + QLatin1Char('/') + GameFolder + QStringLiteral("/gamedata")));
        writeFileAtomically(root + QLatin1Char('/') + GameFolder + QStringLiteral("/gamedata/aidata.viv"), "viv");
    }
    return root;
}

} // namespace

// A user's home with ~/.wine naming the game without having it, and odd folders
// first in Lutris' place.
struct WinePrefixes : ::testing::Test {
    WinePrefixes()
    {
        env.set("HOME", home.path().toLocal8Bit());
        env.unset("WINEPREFIX");
        EXPECT_TRUE(QDir().mkpath(home.filePath(QStringLiteral("Games/0 broken/system.reg"))));
        EXPECT_TRUE(QFile::link(QStringLiteral("/nowhere"), home.filePath(QStringLiteral("Games/1 dangling"))));
    }
    static QString prefixInUse() { return std::static_pointer_cast<WineRegistry>(makePlatformRegistry())->prefix(); }

    QTemporaryDir home;
    EnvGuard env;
    const QString plain = prefixAt(home.path(), QStringLiteral(".wine"), false);
};

struct ManagerPlace {
    const char* name;
    const char* folder; // below home
    friend void PrintTo(const ManagerPlace& row, std::ostream* os) { *os << row.folder; }
};
struct WinePrefixesOfManagers : WinePrefixes, ::testing::WithParamInterface<ManagerPlace> {};

TEST_P(WinePrefixesOfManagers, ThePrefixWithTheArchiveIsChosen)
{
    EXPECT_EQ(prefixInUse(), prefixAt(home.path(), QString::fromLatin1(GetParam().folder), true));
}

INSTANTIATE_TEST_SUITE_P(
    Managers, WinePrefixesOfManagers,
    ::testing::Values(ManagerPlace{"Bottles", ".local/share/bottles/bottles/NHL 08"},
                      ManagerPlace{"BottlesFromFlatpak", ".var/app/com.usebottles.bottles/data/bottles/bottles/nhl"},
                      ManagerPlace{"Lutris", "Games/nhl-08"}, ManagerPlace{"PlayOnLinux", ".PlayOnLinux/wineprefix/NHL08"},
                      ManagerPlace{"SteamsProton", ".steam/steam/steamapps/compatdata/12210/pfx"},
                      ManagerPlace{"SteamsProtonInItsDataFolder", ".local/share/Steam/steamapps/compatdata/12210/pfx"},
                      ManagerPlace{"CrossOver", ".cxoffice/NHL08"}),
    [](const ::testing::TestParamInfo<ManagerPlace>& info) { return std::string(info.param.name); });

TEST_F(WinePrefixes, WithoutAnArchiveTheFirstPrefixNamingTheGameIsChosen)
{
    prefixAt(home.path(), QStringLiteral("Games/nhl-08"), false);
    EXPECT_EQ(prefixInUse(), plain);
}

TEST_F(WinePrefixes, WinePrefixOverridesTheManagersPrefixes)
{
    prefixAt(home.path(), QStringLiteral("Games/nhl-08"), true);
    env.set("WINEPREFIX", home.filePath(QStringLiteral("elsewhere")).toLocal8Bit());
    EXPECT_EQ(prefixInUse(), home.filePath(QStringLiteral("elsewhere")));
}
