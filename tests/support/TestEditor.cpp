#include "support/TestEditor.h"

#include "editor/Events.h"
#include "handlers/SkillLevels.h"
#include "handlers/Startup.h"

#include <QFile>

#include <gtest/gtest.h>

namespace vnt::test {

TestEditor::TestEditor() : ctx(controls, dialogs)
{
    env.set("TEMP", dir.path().toLocal8Bit());
    ctx.programFolder = dir.path();
    ctx.state.TempFolder = dir.path();
    ctx.state.WorkFileName = QStringLiteral("vnt08.tmp");
    controls.onSkillChanged = [this] { onSkillListChanged(ctx); };
    controls.onClose = [this] { runHandler(ctx, &Form_Unload); };
}

QString TestEditor::workFile() const
{
    return ctx.state.workFilePath();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << path.toStdString();
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << path.toStdString();
        return {};
    }
    return f.readAll();
}

} // namespace vnt::test
