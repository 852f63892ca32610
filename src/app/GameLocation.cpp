// Placeholder until this subsystem lands.
#include "app/GameLocation.h"
#include "app/Controls.h"
#include "app/FileOps.h"
#include <QFileInfo>

namespace vnt {
QString GetRegistryValue(EditorContext&, qint32, const QString&, const QString&) { return QString(); }
QString nativeInstallFolder(EditorContext&, const QString& storedValue) { return storedValue; }
void btnBrowseAIFile_Click(EditorContext&) {}
void SetAIFile(EditorContext& ctx, const QString& path)
{
    ctx.state.AIFilePath = path;
    ctx.controls.setCaption(Control::labAIfilePath, path);
    ctx.controls.setVisible(Control::InvalidFileMsg, false);
    ctx.controls.setEnabled(Control::lstSkill, true);
}
bool FileExists(const QString& path) { return fileExists(path); }
QString GetFileName(const QString& path) { return QFileInfo(path).fileName(); }
} // namespace vnt
