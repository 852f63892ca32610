#include "registry/WineServer.h"

#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace vnt {

QString wineServerFolder(const QString& prefix, const QString& root)
{
    struct stat info {};
    if (prefix.isEmpty() || ::stat(QFile::encodeName(prefix).constData(), &info) != 0)
        return QString();
    const QString base = root.isEmpty() ? QStringLiteral("/tmp/.wine-%1").arg(::getuid()) : root;
    return QStringLiteral("%1/server-%2-%3")
        .arg(base)
        .arg(qulonglong(info.st_dev), 0, 16)
        .arg(qulonglong(info.st_ino), 0, 16);
}

} // namespace vnt
