// The records that the configuration file fills: the node itself, its
// network domains, outbound groups, file boxes and reports.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "support/net_addr.h"
#include "support/sorted_list.h"
#include "support/text.h"

namespace zeb {

// A file box: everything found in its directory waits for one node with one
// flavour.
struct TBoxe {
  std::string Path;
  TNetAddr Addr;
  uint8_t Flavour = 6;  // 3 immediate, 4 crash, 5 direct, 6 normal, 7 hold
};

struct TBoxeCompare {
  int operator()(const std::unique_ptr<TBoxe>& a, const std::unique_ptr<TBoxe>& b) const {
    return CompareNetAddr(a->Addr, b->Addr);
  }
  int operator()(const std::unique_ptr<TBoxe>& a, const TNetAddr& key) const { return CompareNetAddr(a->Addr, key); }
};

struct TNetAddrCompare {
  int operator()(const TNetAddr& a, const TNetAddr& b) const { return CompareNetAddr(a, b); }
};

using TBoxeList = TSortedList<std::unique_ptr<TBoxe>, TBoxeCompare>;
using TNetAddrSet = TSortedList<TNetAddr, TNetAddrCompare>;

struct TDomain {
  std::string Name;             // as first written; looked up ignoring case
  TNetAddr Aka;                 // the node's own address in this domain
  std::vector<uint16_t> Zones;  // in the order first given, each once
  std::unique_ptr<TBoxeList> Boxes;  // file boxes (bink/+), or none
  std::unique_ptr<TNetAddrSet> Skip;  // addresses left out of reports, or none
};

// Orders domains by name without regard to case; works for owning and for
// referring lists, and with a name as the key.
struct TDomainCompare {
  static const std::string& NameOf(const TDomain* d) { return d->Name; }
  static const std::string& NameOf(const std::unique_ptr<TDomain>& d) { return d->Name; }
  static const std::string& NameOf(const std::string& name) { return name; }
  template <typename A, typename B>
  int operator()(const A& a, const B& b) const {
    return CompareText(NameOf(a), NameOf(b));
  }
};

using TDomainList = TSortedList<std::unique_ptr<TDomain>, TDomainCompare>;
using TDomainRefs = TSortedList<TDomain*, TDomainCompare>;

struct TPathCompare {
  int operator()(const std::string& a, const std::string& b) const { return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1); }
};

// One outbound section: BinkleyTerm-style directories and the domains whose
// mail they hold.
struct TOutboundGroup {
  TSortedList<std::string, TPathCompare> Paths;
  TDomainRefs Domains;
};

// Destination kinds of a report, in the order of the postto words.
enum class TPostKind : uint8_t { Jam = 0, Squish = 1, File = 2, Msg = 3, Pkt = 4, Netmail = 5 };
inline constexpr const char* kPostKindWords[] = {"jam", "squish", "file", "msg", "pkt", "netmail"};

struct TPostArea {
  TPostKind Kind = TPostKind::Jam;
  std::string Path;
  std::string Area;      // pkt: the echo tag
  std::string Password;  // pkt: at most 8 characters
};

// Sort keys of a report, in the order of the sortby words.
enum : uint8_t {
  kSortNone = 0,
  kSortSize = 1,
  kSortAddress = 2,
  kSortDays = 3,
  kSortNetmailSize = 4,
  kSortEchomailSize = 5,
  kSortFileEchomailSize = 6,
  kSortFlavour = 7,
  // Added to a key written with a leading "-": its order reversed.
  kSortReversed = 0x80,
};

// The steps (calls and loop passes) a report's template may take when its
// section sets no maxsteps: far more than a hub's reports take, so that only
// a loop that never ends spends them.
inline constexpr int64_t kDefaultMaxSteps = 100000000;

struct TReport {
  std::string Template;
  // The template as the configuration names it, for the messages about it.
  std::string TemplateName;
  std::array<uint8_t, 7> SortBy{};
  TPostArea PostTo;
  TFTAddr From;
  TFTAddr To;
  std::string Subject = "Queue Report";
  std::string Tearline;
  std::string Origin;
  bool ShowLeftKludges = true;
  // The value of the CHRS control line, for example "CP866 2"; empty for no
  // such line.
  std::string Charset;
  int32_t KeepDays = 0;
  TDomainRefs Domains;
  // The first domain the "def report" line names (without names, the first
  // by name): the report's own address is its address.
  const TDomain* FirstDomain = nullptr;
  bool SeenBy = false;
  bool Path = false;
  int64_t MaxSteps = kDefaultMaxSteps;
};

struct TMainConfig {
  TNetAddr Address;
  std::string Domain;
  std::string Sysop;
  TDomainList Domains;
  std::vector<std::unique_ptr<TOutboundGroup>> Outbounds;
  std::vector<std::unique_ptr<TReport>> Reports;
  std::string TMailOutbound;
  // Directories of T-Mail file boxes (binkd's filebox), each box a
  // subdirectory named by its node's address.
  std::vector<std::string> BoxDirs;
  bool SkipBusyFlag = false;
  bool EmptyPacketAsPoll = false;
  bool ParseBadQueue = false;
  std::string FileQueue;
  // The log file of the log section; empty: "zeb.log" in the current
  // directory.
  std::string LogPath;
  // The file that keeps the last MSGID serial given, across runs and
  // processes; empty: "zeb.msgid" in the directory of the log file.
  std::string MsgIdFile;
};

}  // namespace zeb
