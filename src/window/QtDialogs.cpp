#include "window/QtDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <QWidget>

namespace vnt {

namespace {

QMessageBox::Icon boxIcon(Icon icon)
{
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// The buttons offered, the one Enter presses and the one Escape (or closing the
// box) stands for.
struct ButtonSet {
    QMessageBox::StandardButtons all;
    QMessageBox::StandardButton enter;
    QMessageBox::StandardButton escape;
};

ButtonSet buttonSet(Buttons buttons)
{
    switch (buttons) {
    case Buttons::YesNo:
        return {QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QMessageBox::No};
    case Buttons::YesNoCancel:
        return {QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes, QMessageBox::Cancel};
    case Buttons::Ok:
        break;
    }
    return {QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok};
}

Answer answerOf(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return Answer::Ok;
    }
}

QString joinedPatterns(const QString& patterns)
{
    QStringList list = patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& p : list)
        p = p.trimmed();
    list.removeAll(QString());
    return list.join(QLatin1Char(' '));
}

} // namespace

QString qtMessageText(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

QString qtFileFilter(const QString& filter)
{
    if (!filter.contains(QLatin1Char('|')))
        return filter;
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts.at(i).trimmed();
        const QString patterns = joinedPatterns(parts.at(i + 1));
        if (description.isEmpty())
            entries << patterns;
        else if (description.endsWith(QLatin1Char('(') + patterns + QLatin1Char(')')))
            entries << description;
        else
            entries << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

Answer QtDialogs::ask(const QString& title, const QString& text, Buttons buttons, Icon icon)
{
    const ButtonSet set = buttonSet(buttons);
    // Over the window once it is shown; before that (a refused start) centred on the screen.
    QWidget* over = parent_ && parent_->isVisible() ? parent_ : nullptr;
    QMessageBox box(boxIcon(icon), title, qtMessageText(text), set.all, over);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(set.enter);
    box.setEscapeButton(set.escape);
    box.exec();
    const QMessageBox::StandardButton pressed = box.standardButton(box.clickedButton());
    return answerOf(pressed == QMessageBox::NoButton ? set.escape : pressed);
}

QString QtDialogs::openFile(const QString& title, const QString& folder, const QString& filter)
{
    // The window's one file dialog, browseControl: an Open or a Save dialog with a
    // title, an initial folder and a one-entry filter, giving the full path or nothing.
    return QDir::toNativeSeparators(QFileDialog::getOpenFileName(parent_, title, folder, qtFileFilter(filter)));
}

QString QtDialogs::saveFile(const QString& title, const QString& folder, const QString& filter)
{
    // The editor asks its own question before replacing a file.
    return QDir::toNativeSeparators(
        QFileDialog::getSaveFileName(parent_, title, folder, qtFileFilter(filter), nullptr, QFileDialog::DontConfirmOverwrite));
}

} // namespace vnt
