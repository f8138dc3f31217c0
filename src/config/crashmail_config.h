// Reading crashmail's configuration (crashmail.prefs) for what zeb shares
// with the tosser: the sysop, the node's addresses and the message areas.
// The result is a plain value; what is done with it (and what zeb.ctl
// overrides) is up to the caller.
#pragma once

#include <string>
#include <vector>

#include "config/foreign_config.h"

namespace zeb {

struct TCrashmailConfig {
  std::string Sysop;
  // AKA lines, the main address first, each with the domain of the DOMAIN
  // line that follows it (empty for none).
  std::vector<TDomainAddress> Addresses;
  std::vector<TTosserArea> Areas;  // in the order of their lines, each tag once
  std::vector<TConfigNote> Notes;
};

// False with `error` set when the file cannot be read; every other fault is
// a note.
bool ReadCrashmailConfig(DiskInterface& disk, const std::string& path, TCrashmailConfig& out, std::string& error);

}  // namespace zeb
