// The program from its first step to its exit.
#pragma once

#include <string>
#include <vector>

namespace zeb {

// Runs zeb with the command-line parameters 1..n; returns the exit status:
// 0 without errors, 1 when the configuration could not be used, 2 when the
// run went through with errors.
int RunZeb(std::vector<std::string> params);

}  // namespace zeb
