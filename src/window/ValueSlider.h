#pragma once

#include <QSlider>

namespace vnt {

// The value slider: a horizontal slider with ticks below that tells moves made
// by the user (keys, wheel, clicks in the groove, dragging the handle) from
// positions and ranges set by code. Only the former emit userMoved, once per
// step, after the new position has become the slider's value.
class ValueSlider : public QSlider {
    Q_OBJECT
public:
    explicit ValueSlider(QWidget* parent = nullptr);

Q_SIGNALS:
    void userMoved();

private:
    void onAction(int action);
    void onValueChanged(int value);

    bool userMove_ = false;  // a user action is about to change the value
    bool reporting_ = false; // userMoved's receivers are running
};

} // namespace vnt
