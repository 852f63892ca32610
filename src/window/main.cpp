// The editor's program: one window over the editor's context.

#include "window/MainWindow.h"
#include "window/QtDialogs.h"

#include "archive/ArchiveAccess.h"
#include "base/FileOps.h"
#include "base/Version.h"
#include "editor/EditorContext.h"
#include "registry/PlatformRegistry.h"

#include <QApplication>
#include <QDir>

#include <cstdio>
#include <cstring>

namespace {

// Without a display Qt stops the program with a long message; say what to do
// instead. A platform named in the environment or on the command line is left
// to Qt.
bool displayAvailable(int argc, char** argv)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return true;
    }
    return false;
#else
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    return true;
#endif
}

// The services of this platform, made here and only here: the registry the game
// is looked up in and the archive library.
void installPlatformServices(vnt::EditorContext& ctx)
{
    ctx.archive = vnt::makeArchiveAccess();
    ctx.registry = vnt::makePlatformRegistry();
}

} // namespace

int main(int argc, char** argv)
{
    if (!displayAvailable(argc, argv)) {
        std::fputs("No display found: run the editor under a virtual one with "
                   "'xvfb-run -a build/bin/vantor08'.\n",
                   stderr);
        return 1;
    }
    vnt::reportFileSizeLimitAsError();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantor 08"));
    QApplication::setApplicationVersion(QString::fromLatin1(vnt::ProgramVersion));

    vnt::QtDialogs dialogs;
    vnt::MainWindow window(dialogs);
    dialogs.setParentWidget(&window);
    vnt::EditorContext& ctx = window.context();
    ctx.programFolder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    installPlatformServices(ctx);

    window.load();
    // A start-up that failed before showing the window has been reported; with
    // no window to close, the program would otherwise run on unseen.
    if (!window.isVisible())
        return 1;
    return app.exec();
}
