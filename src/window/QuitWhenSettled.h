#pragma once

namespace vnt {

// For measuring start-up only (bench/bench_startup): when the environment sets
// VANTOR_QUIT_WHEN_SETTLED, the first time the event loop has nothing left to do
// the program writes "settled" to standard output, then closes what start-up
// opened, as a user would: a message box as its Escape key does (the answer that
// changes nothing), then the window, so the program ends as after Quit. Without
// the variable this does nothing.
void quitWhenSettledIfAsked();

} // namespace vnt
