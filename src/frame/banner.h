// The banner and the help text.
#pragma once

#include <cstdint>

namespace zeb {

// The three banner lines, shown and logged.
void ShowBanner(uint64_t freeMemory);

// The help text, console only.
void ShowHelp();

}  // namespace zeb
