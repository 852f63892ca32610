// Finding the game across the Wine prefixes of a user, and the quick look-up of
// one registry key.
#include "base/FileOps.h"
#include "registry/PlatformRegistry.h"
#include "registry/WinePrefix.h"
#include "registry/WinePrefixes.h"
#include "registry/WineRegistry.h"
#include "support/EnvGuard.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

using namespace vnt;
using namespace vnt::test;

namespace {

const QString GameFolder = QStringLiteral("drive_c/Program Files (x86)/EA Sports/NHL08");

// Every key of the tree with its path, depth first.
void eachKey(const RegNode& node, const QString& path, const std::function<void(const QString&, const RegNode&)>& f)
{
    f(path, node);
    for (const auto& sub : node.subkeys)
        eachKey(*sub, path.isEmpty() ? sub->name : path + QLatin1Char('\\') + sub->name, f);
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
        SCOPED_TRACE(name);
        const QByteArray text = readFile(wineFixture(QString::fromLatin1(name)));
        const WineHive full = parseWineRegistry(text);
        QStringList paths;
        eachKey(*full.root, QString(), [&](const QString& path, const RegNode&) { paths.append(path.toUpper()); });
        const WineHive quick = parseWineSections(text, paths);
        EXPECT_EQ(quick.arch, full.arch);
        eachKey(*full.root, QString(), [&](const QString& path, const RegNode& key) {
            const RegNode* node = quick.root.get();
            for (const QString& part : path.split(QLatin1Char('\\'), Qt::SkipEmptyParts))
                node = node ? node->findSubkey(part) : nullptr;
            ASSERT_TRUE(node) << path.toStdString();
            ASSERT_EQ(node->values.size(), key.values.size()) << path.toStdString();
            for (std::size_t i = 0; i < key.values.size(); ++i)
                EXPECT_TRUE(std::tie(node->values[i].name, node->values[i].data)
                            == std::tie(key.values[i].name, key.values[i].data)) << path.toStdString();
            EXPECT_EQ(node->isLink, key.isLink);
        });
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
    for (const char* place : places) {
        SCOPED_TRACE(place);
        QTemporaryDir home;
        // ~/.wine names the game without having it; odd folders come first in Lutris' place.
        const QString plain = prefixAt(home.path(), QStringLiteral(".wine"), false);
        ASSERT_TRUE(QDir().mkpath(home.filePath(QStringLiteral("Games/0 broken/system.reg"))));
        ASSERT_TRUE(QFile::link(QStringLiteral("/nowhere"), home.filePath(QStringLiteral("Games/1 dangling"))));
        const QString expected = prefixAt(home.path(), QString::fromLatin1(place), true);

        const WineGameInstall found = findWineGame(winePrefixCandidates(home.path(), QString()));
        EXPECT_EQ(found.prefix, expected);
        EXPECT_EQ(found.archivePath, found.installDir + QStringLiteral("gamedata/aidata.viv"));

        EnvGuard env;
        env.set("HOME", home.path().toLocal8Bit());
        env.unset("WINEPREFIX");
        EXPECT_EQ(std::static_pointer_cast<WineRegistry>(makePlatformRegistry())->prefix(), expected);
        // Without any archive, the first prefix that names the game; WINEPREFIX alone when set.
        QFile::remove(found.archivePath);
        EXPECT_EQ(std::static_pointer_cast<WineRegistry>(makePlatformRegistry())->prefix(), plain);
        env.set("WINEPREFIX", home.filePath(QStringLiteral("elsewhere")).toLocal8Bit());
        EXPECT_EQ(std::static_pointer_cast<WineRegistry>(makePlatformRegistry())->prefix(),
                  home.filePath(QStringLiteral("elsewhere")));
    }
}
