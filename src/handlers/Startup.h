#pragma once

#include "editor/EditorContext.h"

namespace vnt {

// Start-up: names the working copy, finds the temporary folder, looks for the game,
// loads the definitions, builds the tree, shows the window and tells the user
// whether the game was found.
void Form_Load(EditorContext& ctx);

// The Quit button: asks, stores pending changes if wanted, deletes both working
// copies and closes the window.
void btnQuit_Click(EditorContext& ctx);

// The window closes (after Quit or by its close command): deletes the working copy.
void Form_Unload(EditorContext& ctx);

// The folder for temporary files; also leaves the variable's value in TempFolder.
QString GetTempFolder(EditorContext& ctx);

} // namespace vnt
