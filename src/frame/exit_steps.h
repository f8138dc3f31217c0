// Exit steps: what each unit must do when the program ends, run in the
// reverse order of their installation.
#pragma once

#include <functional>

namespace zeb {

void AddExitStep(std::function<void()> step);

// Runs the installed steps, newest first, and forgets them. After an
// unhandled error only the first installed step (the logger's) runs.
void RunExitSteps(bool onlyFirst = false);

}  // namespace zeb
