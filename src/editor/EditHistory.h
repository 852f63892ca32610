#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

namespace vnt {

// One edit of the working copy: the attribute (its tree key and slot) and the
// number it held before and after.
struct EditStep {
    QString key;
    qint16 offset = 0;
    double before = 0;
    double after = 0;
};

// The edits made to the working copy of one level, for undo and redo. A new edit
// drops what was undone. A slider drag is one edit: while it lasts, each move
// of the same attribute extends the edit the drag began with.
class EditHistory {
public:
    // Adds a finished edit, or extends the running drag's edit (dragging: the
    // slider is still held). An edit that leaves the number as it was is none.
    void record(const EditStep& step, bool dragging);
    // The drag has ended: the next move is a new edit.
    void endDrag() { dragging_ = false; }

    // The edit undo or redo would take back or make again; nullptr when none.
    const EditStep* toUndo() const;
    const EditStep* toRedo() const;
    void undone();
    void redone();

    void clear() { *this = EditHistory(); }

private:
    std::vector<EditStep> steps_;
    std::size_t done_ = 0; // steps_[0, done_) are in the working copy
    bool dragging_ = false;
};

} // namespace vnt
