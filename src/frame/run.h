// The program from its first step to its exit.
#pragma once

#include <string>
#include <vector>

namespace zeb {

// Runs zeb with the command-line parameters 1..n; returns the exit code,
// which is always 0.
int RunZeb(std::vector<std::string> params);

}  // namespace zeb
