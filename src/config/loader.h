// The configuration file loader.
#pragma once

#include <string>

namespace zeb {

// Reads one configuration file (and its includes). An empty path means
// "zeb.ctl" in HomeDir; a relative path is taken from HomeDir. True when
// every line was accepted.
bool LoadConfig(const std::string& path);

}  // namespace zeb
