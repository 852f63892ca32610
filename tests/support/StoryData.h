#pragma once

#include "archive/VivArchive.h"
#include "editor/Events.h"
#include "support/TestEditor.h"

namespace vnt::test {

// An editor on a small real archive: Easy.ubc, Medium.ubc, Difficlt.ubc and one
// other entry, and a definition file with a float attribute (pass_intercept_cpu at
// position 37, 0..1, 100 steps per unit) and an integer one (faceoffs_cpu_chances
// at 49, 0..100). Start-up has run without finding the game.
struct StoryEditor : TestEditor {
    StoryEditor();

    // The level's entry as created: the float slot holds 0.3/0.5/0.7, the
    // integer slot 20/40/60 for Easy/Medium/Difficlt.
    static QByteArray levelEntry(int level);
    // The definition file's text.
    static QByteArray definitions();
    // An exported settings file of the level (its index at bytes 17-18), written at name.
    QString exported(const char* name, int level) const;

    void browseTo(const QString& archive);
    void moveSlider(int position);
    QByteArray entry(const char* name) const { return VivArchive::open(archive).extract(name); }

    QString archive;
};

} // namespace vnt::test
