#include "editor/EditorState.h"

#include <QDir>

namespace vnt {

QString EditorState::workFilePath() const
{
    return joinPath(TempFolder, WorkFileName);
}

QString joinPath(const QString& folder, const QString& name)
{
    return folder + QDir::separator() + name;
}

} // namespace vnt
