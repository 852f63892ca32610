#pragma once

// Helpers for the window's Qt Test programs: a window whose events run
// recorders instead of the editor's handlers.

#include "window/MainWindow.h"
#include "support/ScriptedDialogs.h"

#include <QStringList>
#include <QTest>

#include <functional>
#include <memory>

namespace vnt::test {

// Records the name of every handler the window runs, in order; `during` runs
// inside each one, to act from within a handler.
struct HandlerLog {
    QStringList calls;
    QStringList clickedKeys;
    std::function<void(const QString&)> during;

    WindowHandlers handlers()
    {
        using H = WindowHandlers;
        const std::pair<H::Handler H::*, const char*> named[] = {{&H::load, "load"},
                                                                 {&H::unload, "unload"},
                                                                 {&H::quit, "quit"},
                                                                 {&H::browse, "browse"},
                                                                 {&H::collapseAll, "collapseAll"},
                                                                 {&H::expandAll, "expandAll"},
                                                                 {&H::scroll, "scroll"},
                                                                 {&H::setDefault, "setDefault"},
                                                                 {&H::skillChanged, "skillChanged"},
                                                                 {&H::apply, "apply"},
                                                                 {&H::cancel, "cancel"},
                                                                 {&H::exportSettings, "exportSettings"},
                                                                 {&H::importSettings, "importSettings"}};
        H h;
        for (const auto& [member, name] : named) {
            h.*member = [this, name = QString::fromLatin1(name)](EditorContext&) {
                calls << name;
                if (during)
                    during(name);
            };
        }
        h.nodeClick = [this](EditorContext&, const QString& key) { clickedKeys << key; };
        return h;
    }
};

// Scripted dialogs whose mismatches fail the running Qt test.
struct QtScriptedDialogs : ScriptedDialogs {
    QtScriptedDialogs()
    {
        fail = [](const std::string& why) { QTest::qFail(why.c_str(), __FILE__, __LINE__); };
    }
};

// A window with recorders behind its events and scripted dialogs.
struct RecordedWindow {
    RecordedWindow() : window(std::make_unique<MainWindow>(dialogs, log.handlers())) {}

    template <typename T = QWidget> T* control(Control c) const { return qobject_cast<T*>(window->widget(c)); }

    HandlerLog log;
    QtScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;
};

} // namespace vnt::test
