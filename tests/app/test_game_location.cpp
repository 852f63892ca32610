// Finding the game's archive: the registry at start-up, and the Browse button.
#include "editor/Events.h"
#include "handlers/GameLocation.h"
#include "handlers/Startup.h"
#include "support/MemoryRegistry.h"
#include "archive/ArchiveAccess.h"
#include "archive/VivArchive.h"
#include "registry/WinePrefix.h"
#include "registry/WineRegistry.h"
#include "support/TestEditor.h"

#include <gtest/gtest.h>

using namespace vnt;
using namespace vnt::test;

namespace {

const QString GameKey = QStringLiteral("SOFTWARE\\Ea Sports\\NHL08\\");
const QString Found = QStringLiteral("Found NHL08...");

void storeInstallDir(MemoryRegistry& store, quint32 type, const QByteArray& data)
{
    RegKey key = 0;
    ASSERT_EQ(store.createKey(reg::LocalMachine, GameKey, reg::AllAccess, &key), reg::Success);
    ASSERT_EQ(store.setValue(key, QStringLiteral("Install Dir"), type, data), reg::Success);
    store.closeKey(key);
}

} // namespace

TEST(GameLocation, StartUpOffersTheArchiveOfTheGameInstalledInTheWinePrefix)
{
    // Every folder differs in letter case from what the registry and the editor name.
    WinePrefix prefix;
    const QString folder = prefix.makeFolder(QStringLiteral("PROGRAM FILES (X86)/ea sports/Nhl08/GameData"));
    const QByteArray medium(48, 'm');
    VivArchive::create(folder + QStringLiteral("/AIDATA.VIV"),
                       {{"Easy.ubc", QByteArray(48, 'e')}, {"Medium.ubc", medium}});
    const QString gameFolder = QFileInfo(folder + QStringLiteral("/..")).canonicalFilePath() + QLatin1Char('/');

    TestEditor e;
    e.ctx.registry = std::make_shared<WineRegistry>(prefix.root(), prefix.path(QStringLiteral("servers")));
    e.ctx.archive = makeArchiveAccess();
    e.dialogs.expectQuestion(Found, Answer::Yes);
    runHandler(e.ctx, &Form_Load);

    EXPECT_EQ(e.ctx.state.InstallDir, gameFolder);
    const auto& question = e.dialogs.last();
    EXPECT_EQ(question.text, QStringLiteral("VNT08 found NHL08 at the following location:\r\r") + gameFolder
                                 + QStringLiteral("\r\rDo you want to modify the AI data from this location?"));
    EXPECT_EQ(question.buttons, Buttons::YesNo);
    const QString archive = gameFolder + QStringLiteral("GameData/AIDATA.VIV");
    EXPECT_EQ(e.ctx.state.AIFilePath, archive);
    EXPECT_EQ(e.controls.caption(Control::labAIfilePath), archive);
    EXPECT_TRUE(e.controls.isEnabled(Control::lstSkill));
    e.controls.setSkillIndex(2);
    EXPECT_EQ(readBytes(e.workFile()), medium);
    // Where nothing lies on disk the path is formed as written.
    EXPECT_EQ(proposedArchivePath(e.path(QStringLiteral("none/"))), e.path(QStringLiteral("none/gamedata/aidata.viv")));
}

TEST(GameLocation, RegistryLookupGivesTextOnlyForStringValues)
{
    TestEditor e;
    const auto installDir = [&e](auto root) {
        return GetRegistryValue(e.ctx, root, GameKey, QStringLiteral("Install Dir"));
    };
    EXPECT_EQ(installDir(HKEY_LOCAL_MACHINE_KEY), QString());
    auto store = std::make_shared<MemoryRegistry>();
    e.ctx.registry = store;
    EXPECT_EQ(installDir(HKEY_LOCAL_MACHINE_KEY), QString());
    storeInstallDir(*store, reg::Sz, QByteArray("D:\\Games\\NHL08\\", 16));
    EXPECT_EQ(installDir(HKEY_LOCAL_MACHINE_KEY), QStringLiteral("D:\\Games\\NHL08\\"));
    EXPECT_EQ(installDir(HKEY_CURRENT_USER_KEY), QString());
    storeInstallDir(*store, reg::Dword, QByteArray::fromHex("01000000"));
    EXPECT_EQ(installDir(HKEY_LOCAL_MACHINE_KEY), QString());
    EXPECT_EQ(store->openHandleCount(), 0);
}

// (That a refused or cancelled choice keeps the archive and an accepted one enables
// the levels: ActionModel.EveryActionKeepsStateWindowAndFilesInStep.)
TEST(GameLocation, BrowseAcceptsOnlyAPathEndingInLowerCaseAidataViv)
{
    TestEditor e;
    SetAIFile(e.ctx, QStringLiteral("/games/first/aidata.viv"));
    const std::pair<const char*, bool> rows[] = {// picked, whether the notice shows after it
        {"/games/second/AIDATA.VIV", true}, {"", true}, {"/games/mod/myaidata.viv", false}};
    for (const auto& [picked, notice] : rows) {
        e.dialogs.expectOpen(QStringLiteral("Select aidata.viv file"), QString::fromLatin1(picked));
        runHandler(e.ctx, &btnBrowseAIFile_Click);
        EXPECT_EQ(e.controls.isVisible(Control::InvalidFileMsg), notice) << picked;
        EXPECT_EQ(e.controls.caption(Control::labAIfilePath),
                  QString::fromLatin1(notice ? "/games/first/aidata.viv" : picked)) << picked;
    }
    EXPECT_EQ(e.dialogs.last().folder, e.ctx.programFolder);
    EXPECT_EQ(e.dialogs.last().text, QStringLiteral("aidata file, (aidata.viv)|aidata.viv"));
}

TEST(GameLocation, FileHelpers)
{
    TestEditor e;
    writeBytes(e.path(QStringLiteral("present.VNTxp")), "x");
    EXPECT_TRUE(FileExists(e.path(QStringLiteral("present.VNTxp"))));
    EXPECT_FALSE(FileExists(e.path(QStringLiteral("absent.VNTxp"))));
    EXPECT_FALSE(FileExists(e.dir.path()));

    const std::pair<const char*, const char*> names[] = {{"C:\\Games\\settings.VNTxp", "settings.VNTxp"},
        {"/home/me/easy.VNTxp", "easy.VNTxp"}, {"C:\\Games\\", "Games"}, {"plain.txt", "plain.txt"}, {"C:\\", ""}};
    for (const auto& [path, name] : names)
        EXPECT_EQ(GetFileName(QString::fromLatin1(path)), QString::fromLatin1(name)) << path;
}
