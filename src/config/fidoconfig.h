// Reading husky's fidoconfig (the configuration of hpt, htick and their
// friends) for what zeb shares with the tosser: the node's addresses, the
// sysop, the outbound, the file boxes of the links and the message areas.
// The result is a plain value; what is done with it (and what zeb.ctl
// overrides) is up to the caller.
#pragma once

#include <string>
#include <vector>

#include "config/foreign_config.h"

namespace zeb {

// A link's address and its own file box (empty for none).
struct TFidoLink {
  TDomainAddress Aka;
  std::string FileBox;
};

struct TFidoConfig {
  std::vector<TDomainAddress> Addresses;  // the main address first
  std::string Sysop;
  std::string Outbound;      // BinkleyTerm-style, for the main address's domain
  std::string FileBoxesDir;  // boxes named z.n.f.p, or z.n.f.p.h for hold
  std::vector<TFidoLink> Links;
  std::vector<TTosserArea> Areas;  // in the order of their lines, each tag once
  std::vector<TConfigNote> Notes;
  // Lines with a backquoted command, which zeb does not run: skipped.
  std::vector<TConfigNote> Commands;
};

// Reads the fidoconfig file `path` and the files it includes, with its
// variables and conditions ([OS] is UNIX, [module] is empty). A relative
// include is taken from the including file's directory. Addresses without
// "@domain" are in the main address's domain, or in none (empty) when that
// has none either. False with `error` set when a file cannot be read or the
// includes form a loop; every other fault is a note.
bool ReadFidoConfig(DiskInterface& disk, const std::string& path, TFidoConfig& out, std::string& error);

}  // namespace zeb
