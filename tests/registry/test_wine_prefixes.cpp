// Finding the game across the Wine prefixes of a user, and the quick look-up of
// one registry key.
#include "base/FileOps.h"
#include "registry/PlatformRegistry.h"
#include "support/ScratchWinePrefix.h"
#include "registry/WinePrefixes.h"
#include "registry/WineRegFile.h"
#include "registry/WineRegistry.h"
#include "support/EnvGuard.h"

#include <gtest/gtest.h>

using namespace vnt;
using namespace vnt::test;

namespace {

const QString GameFolder = QStringLiteral("drive_c/Program Files (x86)/EA Sports/NHL08");

// The paths of the tree's keys in capitals, depth first.
void collectPaths(const RegNode& node, const QString& path, QStringList& out)
{
    out.append(path.toUpper());
    for (const auto& sub : node.subkeys)
        collectPaths(*sub, path.isEmpty() ? sub->name : path + QLatin1Char('\\') + sub->name, out);
}

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

TEST(WinePrefixes, QuickLookUpAgreesWithTheFullParserOnTheRealFiles)
{
    for (const char* name : {"system.reg", "user.reg"}) {
        const QByteArray text = readFile(wineFixture(QString::fromLatin1(name)));
        QStringList paths;
        collectPaths(*parseWineRegistry(text).root, QString(), paths);
        EXPECT_TRUE(formatWineRegistry(parseWineSections(text, paths)) == text) << name;
    }
    // As a 32-bit program sees it: under Wow6432Node, letter case ignored; strings only.
    const QByteArray text = readFile(wineFixture(QStringLiteral("system.reg")));
    EXPECT_EQ(wineMachineString(text, QStringLiteral("SOFTWARE\\Ea Sports\\NHL08\\"), QStringLiteral("install dir")),
              QStringLiteral("C:\\Program Files (x86)\\EA Sports\\NHL08\\"));
    EXPECT_FALSE(wineMachineString(text, QStringLiteral("SOFTWARE\\Ea Sports\\NHL08"), QStringLiteral("Version")));
}

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
