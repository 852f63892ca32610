#pragma once

#include <QByteArray>

namespace vnt::test {

// The stories' game data: a definition file with a float attribute (pass_intercept_cpu at position 37, 0..1,
// 100 steps per unit) and an integer one (faceoffs_cpu_chances at 49, 0..100), and the levels' entries.
struct StoryData {
    // The level's entry: the float slot holds 0.3/0.5/0.7, the integer slot 20/40/60 for Easy/Medium/Difficlt.
    static QByteArray levelEntry(int level);
    // The definition file's text.
    static QByteArray definitions();
};

} // namespace vnt::test
