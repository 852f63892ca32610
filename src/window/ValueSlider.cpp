#include "window/ValueSlider.h"

namespace vnt {

ValueSlider::ValueSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent)
{
    setTickPosition(QSlider::TicksBelow);
    setRange(0, 10);
    setTickInterval(1);
    setSingleStep(1);
    setPageStep(5);
    setFocusPolicy(Qt::StrongFocus);
    // Every user path (keyboard, wheel, page clicks, dragging, the release after a
    // drag) runs through triggerAction, which reports the action before it hands
    // the new position on as the value. Code uses setValue and setRange, which
    // trigger no action.
    connect(this, &QAbstractSlider::actionTriggered, this, &ValueSlider::onAction);
    connect(this, &QAbstractSlider::valueChanged, this, &ValueSlider::onValueChanged);
}

void ValueSlider::onAction(int)
{
    if (sliderPosition() == value())
        return; // the action moves nothing (already at the end of the range)
    if (reporting_) {
        // A move while the last one is still being handled, which can only
        // happen while that handler shows a dialog: a held mouse button on the
        // groove keeps paging. Stop the repeat and keep the slider where it is.
        setRepeatAction(SliderNoAction);
        setSliderPosition(value());
        return;
    }
    userMove_ = true;
}

void ValueSlider::onValueChanged(int)
{
    if (!userMove_)
        return;
    userMove_ = false;
    reporting_ = true;
    Q_EMIT userMoved();
    reporting_ = false;
}

} // namespace vnt
