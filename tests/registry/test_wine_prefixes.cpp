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

TEST(WinePrefixes, EachManagersPrefixIsFoundAndWinePrefixOverridesThem)
{
    const char* const places[] = {
        ".local/share/bottles/bottles/NHL 08",
        ".var/app/com.usebottles.bottles/data/bottles/bottles/nhl",
        "Games/nhl-08",
        ".PlayOnLinux/wineprefix/NHL08",
        ".steam/steam/steamapps/compatdata/12210/pfx",
        ".local/share/Steam/steamapps/compatdata/12210/pfx",
        ".cxoffice/NHL08",
    };
    const auto prefixInUse = [] { return std::static_pointer_cast<WineRegistry>(makePlatformRegistry())->prefix(); };
    for (const char* place : places) {
        SCOPED_TRACE(place);
        QTemporaryDir home;
        EnvGuard env;
        env.set("HOME", home.path().toLocal8Bit());
        env.unset("WINEPREFIX");
        // ~/.wine names the game without having it; odd folders come first in Lutris' place.
        const QString plain = prefixAt(home.path(), QStringLiteral(".wine"), false);
        ASSERT_TRUE(QDir().mkpath(home.filePath(QStringLiteral("Games/0 broken/system.reg"))));
        ASSERT_TRUE(QFile::link(QStringLiteral("/nowhere"), home.filePath(QStringLiteral("Games/1 dangling"))));
        const QString expected = prefixAt(home.path(), QString::fromLatin1(place), true);
        EXPECT_EQ(prefixInUse(), expected);
        // Without any archive, the first prefix that names the game; WINEPREFIX alone when set.
        QFile::remove(expected + QLatin1Char('/') + GameFolder + QStringLiteral("/gamedata/aidata.viv"));
        EXPECT_EQ(prefixInUse(), plain);
        env.set("WINEPREFIX", home.filePath(QStringLiteral("elsewhere")).toLocal8Bit());
        EXPECT_EQ(prefixInUse(), home.filePath(QStringLiteral("elsewhere")));
    }
}
