#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace vnt::test {

namespace {

void report(const std::function<void(const std::string&)>& fail, const std::string& message)
{
    if (fail)
        fail(message);
    else
        ADD_FAILURE() << message;
}

} // namespace

ScriptedDialogs::~ScriptedDialogs()
{
    for (const Expected& e : expected_)
        report(fail, "expected dialog never shown: " + e.title.toStdString());
}

ScriptedDialogs::Expected ScriptedDialogs::next(Kind kind, const QString& title, const QString& text)
{
    const std::string shown = "dialog \"" + title.toStdString() + "\" (" + text.toStdString() + ")";
    if (expected_.empty()) {
        report(fail, "unexpected " + shown);
        return {kind, title, Answer::Cancel, {}};
    }
    Expected e = expected_.front();
    expected_.pop_front();
    if (e.kind != kind || e.title != title)
        report(fail, shown + " where \"" + e.title.toStdString() + "\" of its kind was expected");
    return e;
}

Answer ScriptedDialogs::ask(const QString& title, const QString& text, Buttons buttons, Icon icon)
{
    shown_.push_back({Kind::Message, title, text, {}, buttons, icon});
    return next(Kind::Message, title, text).answer;
}

QString ScriptedDialogs::openFile(const QString& title, const QString& folder, const QString& filter)
{
    shown_.push_back({Kind::Open, title, filter, folder, Buttons::Ok, Icon::None});
    return next(Kind::Open, title, filter).path;
}

QString ScriptedDialogs::saveFile(const QString& title, const QString& folder, const QString& filter)
{
    shown_.push_back({Kind::Save, title, filter, folder, Buttons::Ok, Icon::None});
    return next(Kind::Save, title, filter).path;
}

} // namespace vnt::test
