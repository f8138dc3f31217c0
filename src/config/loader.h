// The configuration file loader.
#pragma once

#include <string>

#include "config/section_table.h"

namespace zeb {

// Reads one configuration file (and its includes) line by line, dispatching
// every line to the current section's table. An empty path means "zeb.ctl"
// in HomeDir; a relative path is taken from HomeDir. Relative paths inside
// the file are taken from the file's own directory. Reading stops at the
// first rejected line, which is reported with AnnounceError. True when every
// line was accepted. A file may end inside a section: the section stays open
// for whatever is read next. The lines fill `context`'s configuration.
bool LoadConfig(TLoadContext& context, const std::string& path);

}  // namespace zeb
