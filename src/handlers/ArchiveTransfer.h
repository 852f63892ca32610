#pragma once

#include "editor/EditorContext.h"

namespace vnt {

enum TransferMode { TransferExtract = 1, TransferStore = 2 };

// Moves the current entry between the archive and the working copy: mode 1
// extracts entry EntryName of archivePath into the working copy, mode 2 stores the
// working copy into AIFilePath as EntryName (archivePath is ignored), any other
// mode does nothing. A failure is thrown and leaves the files as they were.
void ArchiveTransfer(EditorContext& ctx, int mode, const QString& archivePath);

} // namespace vnt
