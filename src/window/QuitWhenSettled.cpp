#include "window/QuitWhenSettled.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace vnt {

namespace {

// One step towards the end each time the event loop would wait: a modal box
// first (start-up's question runs its own loop inside the start-up handler),
// then the windows.
void closeOneStep()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        modal->close();
    else
        QApplication::closeAllWindows();
}

} // namespace

void quitWhenSettledIfAsked()
{
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    if (!dispatcher || qEnvironmentVariableIsEmpty("VANTOR_QUIT_WHEN_SETTLED"))
        return;
    static bool settled = false;
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, qApp, [] {
        if (!settled) {
            settled = true;
            std::fputs("settled\n", stdout);
            std::fflush(stdout);
        }
        // Queued: the dispatcher is between two rounds of events here.
        QTimer::singleShot(0, qApp, &closeOneStep);
    });
}

} // namespace vnt
