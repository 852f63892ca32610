// Finding the game's archive: the registry at start-up, and the Browse button.
#include "editor/Events.h"
#include "handlers/GameLocation.h"
#include "handlers/Startup.h"
#include "archive/ArchiveAccess.h"
#include "archive/VivArchive.h"
#include "support/ScratchWinePrefix.h"
#include "registry/WineRegistry.h"
#include "support/TestEditor.h"

#include <gtest/gtest.h>

using namespace vnt;
using namespace vnt::test;

TEST(GameLocation, StartUpOffersTheArchiveOfTheGameInstalledInTheWinePrefix)
{
    // Every folder differs in letter case from what the registry and the editor name.
    ScratchWinePrefix prefix;
    const QString folder = prefix.makeFolder(QStringLiteral("PROGRAM FILES (X86)/ea sports/Nhl08/GameData"));
    const QByteArray medium(48, 'm');
    VivArchive::create(folder + QStringLiteral("/AIDATA.VIV"), {{"Easy.ubc", QByteArray(48, 'e')}, {"Medium.ubc", medium}});
    const QString gameFolder = QFileInfo(folder + QStringLiteral("/..")).canonicalFilePath() + QLatin1Char('/');

    TestEditor e;
    e.ctx.registry = std::make_shared<WineRegistry>(prefix.root(), prefix.path(QStringLiteral("servers")));
    e.ctx.archive = makeArchiveAccess();
    e.dialogs.expectQuestion(QStringLiteral("Found NHL08..."), Answer::Yes);
    runHandler(e.ctx, &Form_Load);

    EXPECT_EQ(e.dialogs.last().text, QStringLiteral("VNT08 found NHL08 at the following location:\r\r") + gameFolder
                                         + QStringLiteral("\r\rDo you want to modify the AI data from this location?"));
    EXPECT_EQ(e.controls.caption(Control::labAIfilePath), gameFolder + QStringLiteral("GameData/AIDATA.VIV"));
    EXPECT_TRUE(e.controls.isEnabled(Control::lstSkill));
    e.controls.setSkillIndex(2);
    EXPECT_EQ(readBytes(e.workFile()), medium);
}

// (That a refused or cancelled choice keeps the archive and an accepted one enables
// the levels: ActionModel.EveryActionKeepsStateWindowAndFilesInStep.)
TEST(GameLocation, BrowseAcceptsOnlyAPathEndingInLowerCaseAidataViv)
{
    TestEditor e;
    SetAIFile(e.ctx, QStringLiteral("/games/first/aidata.viv"));
    const std::pair<const char*, bool> rows[] = {// picked, whether the notice shows after it
                                                 {"/games/second/AIDATA.VIV", true},
                                                 {"", true},
                                                 {"/games/mod/myaidata.viv", false}};
    for (const auto& [picked, notice] : rows) {
        e.dialogs.expectOpen(QStringLiteral("Select aidata.viv file"), QString::fromLatin1(picked));
        runHandler(e.ctx, &btnBrowseAIFile_Click);
        EXPECT_EQ(e.controls.isVisible(Control::InvalidFileMsg), notice) << picked;
        EXPECT_EQ(e.controls.caption(Control::labAIfilePath), QString::fromLatin1(notice ? "/games/first/aidata.viv" : picked))
            << picked;
    }
}

TEST(GameLocation, FileExistsOnlyForAFile)
{
    TestEditor e;
    writeBytes(e.path(QStringLiteral("present.VNTxp")), "x");
    EXPECT_TRUE(FileExists(e.path(QStringLiteral("present.VNTxp"))));
    EXPECT_FALSE(FileExists(e.path(QStringLiteral("absent.VNTxp"))) || FileExists(e.dir.path()));
}

TEST(GameLocation, GetFileNameTakesThePathsLastPart)
{
    const std::pair<const char*, const char*> names[] = {
        {"C:\\Games\\settings.VNTxp", "settings.VNTxp"}, {"/home/me/", "me"}, {"plain.txt", "plain.txt"}, {"C:\\", ""}};
    for (const auto& [path, name] : names)
        EXPECT_EQ(GetFileName(QString::fromLatin1(path)), QString::fromLatin1(name)) << path;
}
