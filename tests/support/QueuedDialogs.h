#pragma once

#include "editor/Dialogs.h"

#include <QString>

#include <deque>
#include <vector>

namespace vnt::test {

// Dialogs for the window's Qt tests: each dialog takes the reply at the front of
// the queue instead of showing itself (an empty queue answers OK, or no path) and
// records what it would have shown.
class QueuedDialogs : public Dialogs {
public:
    enum class Kind { Message, Open, Save };
    struct Shown {
        Kind kind;
        QString title;
        QString text;   // message boxes
        QString folder; // file dialogs
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::None;
    };

    void queueAnswer(Answer answer) { replies_.push_back({answer, QString()}); }
    void queuePath(const QString& path) { replies_.push_back({Answer::Ok, path}); }
    const std::vector<Shown>& shown() const { return shown_; }

    Answer ask(const QString& title, const QString& text, Buttons buttons, Icon icon) override
    {
        shown_.push_back({Kind::Message, title, text, QString(), buttons, icon});
        return take().answer;
    }
    QString openFile(const QString& title, const QString& folder, const QString&) override
    {
        shown_.push_back({Kind::Open, title, QString(), folder});
        return take().path;
    }
    QString saveFile(const QString& title, const QString& folder, const QString&) override
    {
        shown_.push_back({Kind::Save, title, QString(), folder});
        return take().path;
    }

private:
    struct Reply {
        Answer answer = Answer::Ok;
        QString path;
    };
    Reply take()
    {
        Reply r = replies_.empty() ? Reply() : replies_.front();
        if (!replies_.empty())
            replies_.pop_front();
        return r;
    }

    std::deque<Reply> replies_;
    std::vector<Shown> shown_;
};

} // namespace vnt::test
