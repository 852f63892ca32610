#pragma once

#include "editor/Dialogs.h"

#include <QString>

class QWidget;

namespace vnt {

// Message boxes and file dialogs shown with Qt widgets.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}

    // The window the dialogs are shown over (and centred on).
    void setParentWidget(QWidget* parent) { parent_ = parent; }

    Answer ask(const QString& title, const QString& text, Buttons buttons, Icon icon) override;
    QString openFile(const QString& title, const QString& folder, const QString& filter) override;
    QString saveFile(const QString& title, const QString& folder, const QString& filter) override;

private:
    QWidget* parent_;
};

// A message text as Qt shows it: each carriage return (or CR LF) a line break.
QString qtMessageText(const QString& text);

// A filter of the form "description|pattern" (patterns separated by ";", more
// entries by further "|") in Qt's form "description (pattern pattern)". A
// description that already ends with its patterns in brackets is kept as it is.
QString qtFileFilter(const QString& filter);

} // namespace vnt
