#include "window/QuitWhenSettled.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <vector>

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

// The event loop has settled once it is about to wait with every shown window
// painted: it also waits before the first window is exposed.
class SettleWatch : public QObject {
public:
    explicit SettleWatch(QObject* parent) : QObject(parent) { qApp->installEventFilter(this); }

    bool eventFilter(QObject* target, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && target->isWidgetType() && static_cast<QWidget*>(target)->isWindow())
            painted_.emplace_back(static_cast<QWidget*>(target));
        return false;
    }

    void aboutToBlock()
    {
        if (!settled_) {
            if (!everyWindowPainted())
                return;
            settled_ = true;
            qApp->removeEventFilter(this);
            std::fputs("settled\n", stdout);
            std::fflush(stdout);
        }
        // Queued: the dispatcher is between two rounds of events here.
        QTimer::singleShot(0, qApp, &closeOneStep);
    }

private:
    bool everyWindowPainted() const
    {
        bool any = false;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (!window->isVisible())
                continue;
            any = true;
            if (std::find(painted_.begin(), painted_.end(), window) == painted_.end())
                return false;
        }
        return any;
    }

    std::vector<QPointer<QWidget>> painted_;
    bool settled_ = false;
};

} // namespace

void quitWhenSettledIfAsked()
{
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    if (!dispatcher || qEnvironmentVariableIsEmpty("VANTOR_QUIT_WHEN_SETTLED"))
        return;
    auto* watch = new SettleWatch(qApp);
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, watch, &SettleWatch::aboutToBlock);
}

} // namespace vnt
