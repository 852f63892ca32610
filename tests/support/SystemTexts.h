#pragma once

#include "support/ScriptedDialogs.h"

#include <QString>
#include <QStringList>

namespace vnt::test {

// The dialogs the editor shows, each as the program shows it: title, text (line
// breaks are carriage returns), buttons and icon; for a file dialog its title and
// filter. The texts are the program's own, spelling included. Where a text holds
// a path, a level's name or a number, the table keeps a format (%1, %2, ...).
enum class Says {
    FoundGame,        // %1: the game's folder
    ChooseArchive,    // Browse's file dialog
    NoArchive,        // a store with no archive accepted yet
    SaveBeforeSwitch, // a switch of level with unsaved changes
    Saved,            // after that question's Yes
    ApplyQuestion,
    Applied,        // %1: the backup
    CancelQuestion, // %1: the level
    Cancelled,
    ResetQuestion,
    ChooseExport,          // Export's file dialog
    Overwrite,             // %1: the file's name
    Exported,              // %1: the level, %2: the file
    ExportOntoWorkingCopy, // %1: the error's number, %2: the file
    ChooseImport,          // Import's file dialog
    Imported,
    QuitQuestion,
    SaveBeforeQuit,
    ErrorBox, // %1: the error's number, %2: its description
};

// The table's dialog with its format filled in, and for a file dialog the folder
// it opens in.
ScriptedDialogs::Shown systemDialog(Says what, const QStringList& args = {}, const QString& folder = {});

// The dialog in words, for a failure's message.
QString describe(const ScriptedDialogs::Shown& dialog);

bool operator==(const ScriptedDialogs::Shown& a, const ScriptedDialogs::Shown& b);

} // namespace vnt::test
