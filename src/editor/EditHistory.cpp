#include "editor/EditHistory.h"

namespace vnt {

void EditHistory::record(const EditStep& step, bool dragging)
{
    if (dragging_ && done_ > 0 && steps_[done_ - 1].offset == step.offset) {
        EditStep& running = steps_[done_ - 1];
        running.after = step.after;
        dragging_ = dragging;
        if (running.before == running.after) {
            // Dragged back to where it began: nothing is left to undo of it.
            steps_.pop_back();
            --done_;
            dragging_ = false;
        }
        return;
    }
    dragging_ = false;
    if (step.before == step.after)
        return;
    steps_.resize(done_);
    steps_.push_back(step);
    ++done_;
    dragging_ = dragging;
}

const EditStep* EditHistory::toUndo() const
{
    return done_ > 0 ? &steps_[done_ - 1] : nullptr;
}

const EditStep* EditHistory::toRedo() const
{
    return done_ < steps_.size() ? &steps_[done_] : nullptr;
}

void EditHistory::undone()
{
    dragging_ = false;
    if (done_ > 0)
        --done_;
}

void EditHistory::redone()
{
    dragging_ = false;
    if (done_ < steps_.size())
        ++done_;
}

} // namespace vnt
