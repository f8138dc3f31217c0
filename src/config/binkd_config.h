// Reading a binkd configuration file for what zeb shares with the mailer:
// its domains and their outbounds, the node's addresses, the sysop and the
// outbound file box of each link. The result is a plain value; what is done
// with it (and what zeb.ctl overrides) is up to the caller.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "config/foreign_config.h"

namespace zeb {

// "domain NAME OUTBOUND ZONE": mail for the domain's default zone lies in
// OUTBOUND, for other zones in OUTBOUND.xxx. Outbound is empty when the path
// written is not usable on this system (a note says so).
struct TBinkdDomain {
  std::string Name;
  std::string Outbound;
  uint16_t Zone = 0;
};

// "domain NAME alias-for DOMAIN": addresses written with @NAME belong to the
// domain DOMAIN (its name as its domain line gives it).
struct TBinkdAlias {
  std::string Name;
  std::string Domain;
};

// A link. Flavour is the file box's flavour letter: 'i', 'c', 'd', 'h', or
// '-' for normal; Obox is empty when the link has no usable file box.
struct TBinkdNode {
  TDomainAddress Address;  // aliases resolved
  char Flavour = '-';
  std::string Obox;
};

struct TBinkdConfig {
  std::vector<TBinkdDomain> Domains;  // in the order of their lines
  std::vector<TBinkdAlias> Aliases;
  std::vector<TDomainAddress> Addresses;  // the main address first
  std::string Sysop;
  std::vector<TBinkdNode> Nodes;  // one per address, later lines merged in
  std::vector<std::string> FileBoxes;   // "filebox": T-Mail boxes, read
  std::vector<std::string> BrakeBoxes;  // "brakebox": The Brake! boxes, not read
  std::vector<TConfigNote> Notes;
};

// Reads the binkd configuration `path` and the files it includes (a relative
// include is taken from the including file's directory). False with `error`
// set when a file cannot be read or the includes form a loop; every other
// fault is a note.
bool ReadBinkdConfig(DiskInterface& disk, const std::string& path, TBinkdConfig& out, std::string& error);

}  // namespace zeb
