#include "handlers/GameLocation.h"

#include "editor/Controls.h"
#include "base/FileOps.h"
#include "services/GameArchive.h"

namespace vnt {

namespace {

const QString ArchiveName = QStringLiteral("aidata.viv");

} // namespace

QString GetRegistryValue(EditorContext& ctx, qint32 hive, const QString& keyPath, const QString& valueName)
{
    return registryString(ctx.registry, hive, keyPath, valueName);
}

QString nativeInstallFolder(EditorContext& ctx, const QString& storedValue)
{
    return nativeInstallFolder(ctx.registry.get(), storedValue);
}

QString proposedArchivePath(const QString& installDir)
{
    return archiveInInstallFolder(installDir);
}

void btnBrowseAIFile_Click(EditorContext& ctx)
{
    const QString fileName = ctx.dialogs.openFile(QStringLiteral("Select aidata.viv file"), ctx.programFolder,
                                                  QStringLiteral("aidata file, (aidata.viv)|aidata.viv"));
    if (fileName.endsWith(ArchiveName, Qt::CaseSensitive))
        SetAIFile(ctx, fileName);
    else if (!fileName.isEmpty())
        ctx.controls.setVisible(Control::InvalidFileMsg, true);
}

void SetAIFile(EditorContext& ctx, const QString& path)
{
    ctx.state.AIFilePath = path;
    ctx.controls.setCaption(Control::labAIfilePath, ctx.state.AIFilePath);
    ctx.controls.setVisible(Control::InvalidFileMsg, false);
    ctx.controls.setEnabled(Control::lstSkill, true);
}

bool FileExists(const QString& path)
{
    return fileExists(path);
}

QString GetFileName(const QString& path)
{
    // Both separators count, and a trailing one is passed over; a drive alone
    // ("C:") has no file name.
    qsizetype end = path.size();
    while (end > 0 && (path[end - 1] == QLatin1Char('\\') || path[end - 1] == QLatin1Char('/')))
        --end;
    qsizetype start = end;
    while (start > 0 && path[start - 1] != QLatin1Char('\\') && path[start - 1] != QLatin1Char('/'))
        --start;
    const QString name = path.mid(start, end - start);
    if (start == 0 && name.size() == 2 && name[1] == QLatin1Char(':'))
        return QString();
    return name;
}

} // namespace vnt
