#include "base/AtomicFile.h"

#include <QDir>
#include <QFileInfo>

namespace vnt {

// The parts of an atomic write that every platform shares: how the new version
// beside the file is named, and how a leftover's writer is read off its name.

QString AtomicFile::temporaryPathFor(const QString& path, qint64 pid)
{
    const QFileInfo info(path);
    return info.dir().filePath(QStringLiteral(".%1.vantor-%2.tmp").arg(info.fileName()).arg(pid));
}

qint64 AtomicFile::temporaryOwner(const QString& path, const QString& name)
{
    const QString head = QStringLiteral(".%1.vantor-").arg(QFileInfo(path).fileName());
    const QLatin1String tail(".tmp");
    if (!name.startsWith(head) || !name.endsWith(tail) || name.size() <= head.size() + tail.size())
        return 0;
    const QStringView digits = QStringView(name).mid(head.size(), name.size() - head.size() - tail.size());
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return 0;
    }
    bool ok = false;
    const qint64 pid = digits.toLongLong(&ok);
    return ok ? pid : 0;
}

} // namespace vnt
