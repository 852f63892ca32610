#pragma once

#include "editor/Dialogs.h"

#include <QString>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace vnt::test {

// Dialogs that a test answers in advance. Each expected dialog is queued with its
// answer; a dialog nobody queued fails the test, so a test states the whole
// conversation. Every dialog shown is recorded. A mismatch is reported through
// `fail`: a GoogleTest failure unless a Qt Test program sets its own.
class ScriptedDialogs : public Dialogs {
public:
    enum class Kind { Message, Open, Save };
    struct Shown {
        Kind kind;
        QString title;
        QString text;   // message text, or the file dialog's filter
        QString folder; // file dialogs only
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::None;
    };

    ~ScriptedDialogs() override;

    // Queue the answer to the next message box (OK boxes answer themselves when
    // queued with expectNotice).
    void expectQuestion(const QString& title, Answer answer) { expected_.push_back({Kind::Message, title, answer, {}}); }
    void expectNotice(const QString& title) { expectQuestion(title, Answer::Ok); }
    // Queue the path the next file dialog returns (empty: cancelled).
    void expectOpen(const QString& title, const QString& path) { expected_.push_back({Kind::Open, title, Answer::Ok, path}); }
    void expectSave(const QString& title, const QString& path) { expected_.push_back({Kind::Save, title, Answer::Ok, path}); }

    Answer ask(const QString& title, const QString& text, Buttons buttons, Icon icon) override;
    QString openFile(const QString& title, const QString& folder, const QString& filter) override;
    QString saveFile(const QString& title, const QString& folder, const QString& filter) override;

    bool allAnswered() const { return expected_.empty(); }
    const std::vector<Shown>& shown() const { return shown_; }
    const Shown& last() const { return shown_.back(); }

    std::function<void(const std::string&)> fail;

private:
    struct Expected {
        Kind kind;
        QString title;
        Answer answer = Answer::Ok;
        QString path;
    };
    Expected next(Kind kind, const QString& title, const QString& text);

    std::deque<Expected> expected_;
    std::vector<Shown> shown_;
};

} // namespace vnt::test
