#pragma once

#include "editor/EditorContext.h"
#include "support/EnvGuard.h"
#include "support/FakeControls.h"
#include "support/ScriptedDialogs.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <ostream>

// Readable QStrings in test failures.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace vnt::test {

// An editor without widgets for handler tests: a fake window, scripted dialogs,
// and a temporary folder that serves as program folder and temp folder (the
// TEMP variable points at it while the editor lives, so start-up finds it too). The
// skill list runs lstSkill_Click like the real one; closing runs Form_Unload.
struct TestEditor {
    TestEditor();

    QString path(const QString& name) const { return dir.filePath(name); }
    // The working copy's path as the state names it.
    QString workFile() const;

    QTemporaryDir dir;
    EnvGuard env;
    FakeControls controls;
    ScriptedDialogs dialogs;
    EditorContext ctx;
};

// Small file helpers for tests; they fail the test on an I/O error.
void writeBytes(const QString& path, const QByteArray& bytes);
QByteArray readBytes(const QString& path);

// A level's bytes as a settings file holds them: the skill index at bytes 17-18.
inline QByteArray withIndex(QByteArray bytes, int index)
{
    return bytes.replace(16, 2, QByteArray(1, char(index)) + '\0');
}

} // namespace vnt::test
