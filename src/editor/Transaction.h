#pragma once

#include "editor/Controls.h"
#include "editor/EditorState.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <vector>

namespace vnt {

struct EditorContext;

// One user action as a unit. It keeps what the action may change: the shared
// state, what the window shows that the logic sets or reads, and the bytes of both
// working copies. When the action fails, rollback() puts all three back, so the
// window, the state and the files keep agreeing. A completed store is a commit
// point: once the archive holds the working copy, commit() makes that the state a
// later failure of the same action returns to. runHandler owns one per action.
class Transaction {
public:
    explicit Transaction(EditorContext& ctx);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();
    // Runs no handler and shows no dialog. Returns what could not be put back
    // (empty when everything was).
    QString rollback();

private:
    struct Window {
        QHash<Control, QString> captions;
        QHash<Control, bool> enabled;
        QHash<Control, bool> visible;
        QString skillTag;
        int sliderMinimum = 0, sliderMaximum = 0, sliderTicks = 0, sliderPosition = 0;
        std::vector<std::pair<QString, bool>> expanded; // tree node key, expanded
        QString currentNode;
    };
    struct WorkFile {
        QString path;
        bool tracked = false; // false: left alone (a link, or unreadable)
        bool existed = false;
        QByteArray bytes;
    };

    void snapshot();
    void restoreWindow();
    QString restoreFiles();

    EditorContext& ctx_;
    Transaction* outer_;
    EditorState state_;
    Window window_;
    std::vector<WorkFile> files_;
};

// Marks the end of a completed store in the running action (see Transaction).
void storeCompleted(EditorContext& ctx);

} // namespace vnt
