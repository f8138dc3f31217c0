// Filling the configuration from another program's configuration file:
// each thing is taken only where zeb.ctl (or a file read before) left it
// empty, and logged at level 2 under the source's name ("binkd domain: ...").
#pragma once

#include <string>
#include <vector>

#include "config/foreign_config.h"
#include "config/records.h"

namespace zeb {

class TConfigFill {
 public:
  // `source` names the program in log lines and errors; relative paths are
  // taken from `baseDir`, the directory of the file read.
  TConfigFill(TMainConfig& config, std::string source, std::string baseDir)
      : config_(config), source_(std::move(source)), baseDir_(std::move(baseDir)) {}

  // Each line that could not be used is an error: a link, a domain or an
  // area left out would vanish from the reports unseen.
  void Notes(const std::vector<TConfigNote>& notes) const;
  // A domain zeb.ctl does not define, with its zones in the order given.
  void Domain(const std::string& name, const std::vector<uint16_t>& zones) const;
  // A BinkleyTerm-style outbound for the domain, unless zeb.ctl already
  // scans the domain: the same directory scanned twice would count its mail
  // twice.
  void Outbound(const std::string& domain, const std::string& path) const;
  // The first address is the main one when zeb.ctl gives none; every
  // address is its domain's own address when the domain has none yet. The
  // domains must exist.
  void Addresses(const std::vector<TDomainAddress>& addresses) const;
  void Sysop(const std::string& sysop) const;
  // As a line of the bink/+ section of the node's domain; a box zeb.ctl
  // gives for the same address is kept. `letter` is the flavour as the
  // source writes it, for the log.
  void Box(const TDomainAddress& node, const std::string& path, uint8_t flavour, char letter) const;
  // A directory of T-Mail style boxes.
  void BoxDir(const std::string& path, const char* keyword) const;

  // A path of the file read, relative ones taken from its directory; empty
  // when it expands to nothing.
  std::string Expand(const std::string& path) const;
  void Log(const std::string& text) const;

 private:
  TMainConfig& config_;
  const std::string source_;
  const std::string baseDir_;
};

// The domains named by a list of addresses, each with the zones of its
// addresses in order, for TConfigFill::Domain.
struct TDomainZones {
  std::string Name;
  std::vector<uint16_t> Zones;
};
void AddDomainZones(std::vector<TDomainZones>& domains, const TDomainAddress& address);

}  // namespace zeb
