#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace vnt::test {

ScriptedDialogs::~ScriptedDialogs()
{
    for (const Expected& e : expected_)
        ADD_FAILURE() << "expected dialog never shown: " << e.title.toStdString();
}

ScriptedDialogs::Expected ScriptedDialogs::next(Kind kind, const QString& title, const QString& text)
{
    if (expected_.empty()) {
        ADD_FAILURE() << "unexpected dialog \"" << title.toStdString() << "\": " << text.toStdString();
        return {kind, title, Answer::Cancel, {}};
    }
    Expected e = expected_.front();
    expected_.pop_front();
    EXPECT_EQ(e.kind, kind) << "dialog \"" << title.toStdString() << "\" is of another kind than expected";
    EXPECT_EQ(e.title.toStdString(), title.toStdString()) << "text: " << text.toStdString();
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
