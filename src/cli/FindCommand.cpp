// find: the archive the editor offers at start-up.

#include "cli/CliOutput.h"
#include "cli/Commands.h"

#include "registry/PlatformRegistry.h"
#include "services/GameArchive.h"

namespace vnt::cli {

namespace {

int find(Invocation&)
{
    const QString archive = offeredArchive(makePlatformRegistry());
    if (archive.isEmpty()) {
        printError(QStringLiteral("vantor08-cli: no installation of the game is recorded in the registry"));
        return ExitFound;
    }
    printLine(archive);
    return ExitOk;
}

const Command Commands[] = {
    {"find", "", "The archive the editor would offer at start-up; exit 1 when none.", 0, 0, 0, false, find},
};

} // namespace

std::span<const Command> findCommands()
{
    return Commands;
}

} // namespace vnt::cli
