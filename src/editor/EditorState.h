#pragma once

#include "editor/EditHistory.h"

#include <QString>
#include <QtGlobal>

namespace vnt {

// The working copy's names in the temporary folder: the extracted entry, and an
// imported settings file.
inline const QString WorkCopyName = QStringLiteral("vnt08.tmp");
inline const QString ImportCopyName = QStringLiteral("vnt08exp.tmp");

// The values every part of the editor shares: where the archive is, where the
// working copy lies, which skill level and attribute are selected, and whether
// the working copy holds changes the archive does not have yet. The program has
// one instance (in its EditorContext); tests make their own.
struct EditorState {
    QString WorkFileName;    // file name of the working copy ("vnt08.tmp", after an import "vnt08exp.tmp")
    QString TempFolder;      // folder of the working copy, no trailing separator
    QString InstallDir;      // the game's folder as found, with its trailing separator
    QString AIFilePath;      // the archive being edited
    QString SkillName;       // "Easy", "Medium", "Difficlt", or empty
    QString EntryName;       // SkillName + ".ubc"
    qint16 AttrOffset = 0;   // 1-based position of the selected attribute's value
    qint32 RangeMult = 0;    // slider steps per unit of the selected attribute
    QString AttrDisplayName; // display name of the selected attribute
    QString AttrKey;         // tree key of the selected attribute
    bool ImportInProgress = false;
    bool ChangesPending = false;
    EditHistory History; // the edits of this level's working copy, for undo

    // TempFolder joined with WorkFileName.
    QString workFilePath() const;

    void reset() { *this = EditorState(); }
};

// Joins a folder and a name with the platform's separator.
QString joinPath(const QString& folder, const QString& name);

} // namespace vnt
