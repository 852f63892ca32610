#pragma once

#include "editor/Controls.h"
#include "editor/Dialogs.h"
#include "editor/EditorState.h"

#include <QDateTime>
#include <QLockFile>
#include <QString>

#include <pugixml.hpp>

#include <exception>
#include <functional>
#include <memory>

namespace vnt {

class RegistryBackend;
class ArchiveAccess;
class Transaction;

// Everything a handler works with: the shared state, the window and its dialogs,
// the loaded definitions, and the services that tests replace (registry, archive
// library, clock). The program owns one; each test builds its own.
struct EditorContext {
    EditorContext(Controls& controls, Dialogs& dialogs);
    ~EditorContext();
    EditorContext(const EditorContext&) = delete;
    EditorContext& operator=(const EditorContext&) = delete;

    EditorState state;
    Controls& controls;
    Dialogs& dialogs;

    // The definition document, loaded once at start-up; empty when it could not be.
    pugi::xml_document definitions;

    // The registry the game is looked up in (Windows' own, or a Wine prefix's files).
    std::shared_ptr<RegistryBackend> registry;
    // The archive container behind ExportFile and AddFile.
    std::shared_ptr<ArchiveAccess> archive;
    // Local date and time; backup names depend on it.
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };
    // The folder of the executable, without a trailing separator.
    QString programFolder;

    // Held while this editor runs: one editor at a time shares the temporary folder.
    std::unique_ptr<QLockFile> instanceLock;

    // Bookkeeping of handler runs (see Events.h): the running action's transaction.
    Transaction* transaction = nullptr;
    int handlerDepth = 0;
    std::exception_ptr nestedFailure;
};

} // namespace vnt
