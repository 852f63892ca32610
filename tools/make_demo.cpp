// Builds the demo installation from a definition file: a Wine prefix whose
// registry names the game's folder and whose drive C holds the demo archive.
//
//   vantor08-make-demo <aidata.xml> <prefix folder>
//
// Point the editor at it with WINEPREFIX=<prefix folder>.

#include "DemoInstall.h"

#include "base/Error.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "Usage: %s <aidata.xml> <prefix folder>\n", argv[0]);
        return 2;
    }
    try {
        vnt::demo::writeDemoPrefix(args.at(1), QDir::cleanPath(args.at(2)));
    } catch (const vnt::Error& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
