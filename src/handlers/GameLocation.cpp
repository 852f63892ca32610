#include "handlers/GameLocation.h"

#include "editor/Controls.h"
#include "base/FileOps.h"
#include "registry/WinePrefixes.h"
#include "registry/cRegistry.h"

namespace vnt {

namespace {

const QString ArchiveName = QStringLiteral("aidata.viv");

} // namespace

QString GetRegistryValue(EditorContext& ctx, qint32 hive, const QString& keyPath, const QString& valueName)
{
    if (!ctx.registry)
        return QString();
    cRegistry registry(ctx.registry);
    registry.setClassKey(hive);
    registry.setSectionKey(keyPath);
    registry.setValueKey(valueName);
    registry.setValueType(qint32(reg::Sz));
    const QVariant value = registry.Value();
    return value.typeId() == QMetaType::QString ? value.toString() : QString();
}

QString nativeInstallFolder(EditorContext& ctx, const QString& storedValue)
{
    if (!ctx.registry || storedValue.isEmpty())
        return QString();
    return ctx.registry->toNativePath(storedValue);
}

QString proposedArchivePath(const QString& installDir)
{
    const QString written = installDir + joinPath(QStringLiteral("gamedata"), ArchiveName);
#ifdef Q_OS_WIN
    return written; // Windows finds the names in any letter case itself
#else
    const QString found = findPathIgnoringCase(installDir, {QStringLiteral("gamedata"), ArchiveName});
    return found.isEmpty() ? written : found;
#endif
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
