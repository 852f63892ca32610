#pragma once

#include "app/Dialogs.h"

#include <QString>

#include <deque>
#include <vector>

class QWidget;

namespace vnt {

// Message boxes and file dialogs shown with Qt widgets.
//
// Tests (and scripted runs) answer them in advance: while the queue of next
// replies is not empty, a dialog takes the reply at its front instead of showing
// anything, and records what it would have shown.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}

    // The window the dialogs are shown over (and centred on).
    void setParentWidget(QWidget* parent) { parent_ = parent; }

    Answer ask(const QString& title, const QString& text, Buttons buttons, Icon icon) override;
    QString openFile(const QString& title, const QString& folder, const QString& filter) override;
    QString saveFile(const QString& title, const QString& folder, const QString& filter) override;

    // What a dialog answered from the queue would have shown, in the form handed
    // to Qt: line breaks as "\n", the filter in Qt's notation.
    enum class Kind { Message, Open, Save };
    struct Shown {
        Kind kind;
        QString title;
        QString text;   // message boxes
        QString folder; // file dialogs
        QString filter; // file dialogs
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::None;
    };

    // The next dialog answers with this instead of showing itself: a message box
    // returns the answer, a file dialog the path (empty: cancelled).
    static void queueAnswer(Answer answer);
    static void queuePath(const QString& path);
    static bool queueEmpty();
    // Empties the queue and the record.
    static void clearQueue();
    static const std::vector<Shown>& shown();

private:
    QString fileDialog(Kind kind, const QString& title, const QString& folder, const QString& filter);

    QWidget* parent_;

    struct Reply {
        Answer answer = Answer::Ok;
        QString path;
    };
    static std::deque<Reply> replies_;
    static std::vector<Shown> shown_;
};

// A message text as Qt shows it: each carriage return (or CR LF) a line break.
QString qtMessageText(const QString& text);

// A filter of the form "description|pattern" (patterns separated by ";", more
// entries by further "|") in Qt's form "description (pattern pattern)". A
// description that already ends with its patterns in brackets is kept as it is.
QString qtFileFilter(const QString& filter);

} // namespace vnt
