#pragma once

// Helpers for the window's Qt Test programs: a window whose events run
// recorders instead of the editor's handlers.

#include "MainWindow.h"
#include "QtDialogs.h"

#include <QStringList>

#include <functional>
#include <memory>

namespace vnt::test {

// Records the name of every handler the window runs, in order.
struct HandlerLog {
    QStringList calls;
    QStringList clickedKeys;
    // Runs inside the named handler, when set (to act from within a handler).
    std::function<void(const QString&)> during;

    WindowHandlers handlers()
    {
        auto rec = [this](const QString& name) {
            return [this, name](EditorContext&) {
                calls << name;
                if (during)
                    during(name);
            };
        };
        WindowHandlers h;
        h.load = rec(QStringLiteral("load"));
        h.unload = rec(QStringLiteral("unload"));
        h.quit = rec(QStringLiteral("quit"));
        h.browse = rec(QStringLiteral("browse"));
        h.collapseAll = rec(QStringLiteral("collapseAll"));
        h.expandAll = rec(QStringLiteral("expandAll"));
        h.nodeClick = [this](EditorContext&, const QString& key) {
            calls << QStringLiteral("nodeClick");
            clickedKeys << key;
        };
        h.scroll = rec(QStringLiteral("scroll"));
        h.setDefault = rec(QStringLiteral("setDefault"));
        h.skillChanged = rec(QStringLiteral("skillChanged"));
        h.apply = rec(QStringLiteral("apply"));
        h.cancel = rec(QStringLiteral("cancel"));
        h.exportSettings = rec(QStringLiteral("exportSettings"));
        h.importSettings = rec(QStringLiteral("importSettings"));
        return h;
    }

    int count(const QString& name) const { return int(calls.count(name)); }
};

// A window with recorders behind its events and dialogs answered from the queue.
struct RecordedWindow {
    RecordedWindow() : window(std::make_unique<MainWindow>(dialogs, log.handlers())) { QtDialogs::clearQueue(); }
    ~RecordedWindow() { QtDialogs::clearQueue(); }

    template <typename T = QWidget>
    T* control(Control c) const { return qobject_cast<T*>(window->widget(c)); }

    HandlerLog log;
    QtDialogs dialogs;
    std::unique_ptr<MainWindow> window;
};

} // namespace vnt::test
