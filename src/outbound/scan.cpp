#include "outbound/scan.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>

#include "config/domains.h"
#include "outbound/dir_lookup.h"
#include "outbound/name_parts.h"
#include "outbound/scan_directory.h"
#include "outbound/tmail.h"
#include "support/text.h"

namespace zeb {

namespace {

// The queue manager merges and the logger writes beside the scanning
// threads: two scanners already keep two cores busy.
constexpr size_t kMaxScanThreads = 2;

// Entries of a directory part: a zone directory of a hub holds thousands.
constexpr size_t kPartEntries = 256;

// The zone of a zone directory: its extension of three hexadecimal digits
// (four for zones above 4095); any other name keeps the default zone.
uint16_t ZoneOfDirectory(const std::string& name, uint16_t defaultZone) {
  const size_t dot = name.find_last_of('.');
  if (dot == std::string::npos) return defaultZone;
  const std::string digits = name.substr(dot + 1);
  if (digits.size() != 3 && digits.size() != 4) return defaultZone;
  bool digitError = false;
  return ParseNumber(16, defaultZone, digits, digitError);
}

// One configured outbound directory P and its siblings P.zzz, whose
// hexadecimal extension gives their zone; P itself has `defaultZone`.
void AddZoneJobs(std::vector<TScanJob>& jobs, const std::string& configured, uint16_t defaultZone) {
  std::string path = configured;
  if (path.size() > 1 && path.back() == '/') path.pop_back();
  const size_t slash = path.find_last_of('/');
  const std::string parent = slash == std::string::npos ? std::string() : slash == 0 ? "/" : path.substr(0, slash);
  const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  std::vector<TDirEntry> found;
  ListDirectory(parent, base + ".*", found);
  std::vector<std::string> zoneDirs;
  bool configuredFound = false;
  for (const TDirEntry& entry : found) {
    if (!entry.IsDirectory()) continue;
    zoneDirs.push_back(entry.Name);
    configuredFound = configuredFound || SameText(entry.Name, base);
  }
  // The configured directory itself must be there, even beside zone
  // directories of its name.
  if (!configuredFound) jobs.push_back(TScanJob{.Path = path, .Zone = defaultZone, .Configured = true});
  for (const std::string& name : zoneDirs) {
    const std::string full = slash == std::string::npos ? name : JoinPath(parent, name);
    jobs.push_back(TScanJob{.Path = full, .Zone = ZoneOfDirectory(name, defaultZone)});
  }
}

}  // namespace

std::vector<TScanJob> ScanJobs(const TMainConfig& config) {
  std::vector<TScanJob> jobs;
  for (const auto& group : config.Outbounds) {
    // A group always names a domain once its section has ended; the main
    // address stands in for one that does not.
    const uint16_t zone = group->Domains.Empty() ? config.Address.Zone : DefaultAddrOf(*group->Domains[0]).Zone;
    for (const std::string& path : group->Paths) AddZoneJobs(jobs, path, zone);
  }
  for (const auto& domain : config.Domains) {
    if (!domain->Boxes) continue;
    for (const auto& box : *domain->Boxes)
      jobs.push_back(TScanJob{.Path = box->Path,
                              .Zone = box->Addr.Zone,
                              .Mode = TScanMode::Box,
                              .Addr = box->Addr,
                              .Flavour = box->Flavour,
                              .Configured = true});
  }
  for (const std::string& dir : config.BoxDirs)
    jobs.push_back(TScanJob{.Path = dir, .Zone = config.Address.Zone, .Mode = TScanMode::BoxDir, .Configured = true});
  if (!config.TMailOutbound.empty()) jobs.push_back(TScanJob{.Path = config.TMailOutbound, .TMail = true});
  return jobs;
}

size_t ScanThreads(unsigned wanted, size_t jobs) {
  return std::max(size_t{1}, std::min({size_t{wanted}, kMaxScanThreads, jobs}));
}

std::vector<TScanJob> SplitScanJobs(std::vector<TScanJob> jobs, TScanContext& scan) {
  std::vector<TScanJob> parts;
  for (TScanJob& job : jobs) {
    if (job.TMail) {
      parts.push_back(std::move(job));
      continue;
    }
    auto listed = std::make_shared<TListedDirectory>();
    if (!ListScanDirectory(scan, job.Path, job.Zone, job.Configured, *listed)) continue;
    for (size_t from = 0; from < listed->Entries.size(); from += kPartEntries) {
      TScanJob part = job;
      part.Listed = listed;
      part.From = from;
      part.To = std::min(from + kPartEntries, listed->Entries.size());
      parts.push_back(std::move(part));
    }
  }
  return parts;
}

namespace {

void RunScanJob(TForQueueList& list, TScanContext& scan, const TMainConfig& config, const TScanJob& job) {
  if (job.TMail)
    ScanTMail(list, scan, config, job.Path);
  else if (job.Listed)
    ScanListedEntries(list, scan, config, *job.Listed, job.From, job.To, job.Zone, job.Mode, job.Addr, job.Flavour);
  else
    ScanDirectory(list, scan, config, job.Path, job.Zone, job.Mode, job.Addr, job.Flavour, job.Configured);
}

}  // namespace

void ScanOutbounds(TForQueueList& list, TScanContext& scan, const TMainConfig& config) {
  for (const TScanJob& job : ScanJobs(config)) RunScanJob(list, scan, config, job);
}

TScanTally RunScanJobs(std::span<TForQueueList> lists, const std::vector<TScanJob>& jobs, const TMainConfig& config,
                       bool directoryTrace, size_t threads) {
  std::atomic<size_t> nextJob{0};
  const size_t scanners = std::max(size_t{1}, std::min(threads, jobs.size()));
  // One per thread, the calling thread's last.
  std::vector<TScanTally> tallies(scanners);
  const auto scanJobs = [&](TScanTally& tally) {
    TScanContext scan(directoryTrace, true);
    try {
      for (size_t k = nextJob++; k < jobs.size(); k = nextJob++) {
        RunScanJob(lists[k], scan, config, jobs[k]);
        lists[k].Close();
      }
    } catch (...) {
      // The other threads take no further job.
      nextJob = jobs.size();
      throw;
    }
    tally = scan.Tally();
  };
  std::vector<std::exception_ptr> failures(scanners - 1);
  {
    std::vector<std::jthread> helpers;
    for (size_t h = 0; h < failures.size(); ++h)
      helpers.emplace_back([&, h] {
        try {
          scanJobs(tallies[h]);
        } catch (...) {
          failures[h] = std::current_exception();
        }
      });
    scanJobs(tallies.back());
  }
  for (const std::exception_ptr& failure : failures)
    if (failure) std::rethrow_exception(failure);
  for (size_t t = 1; t < tallies.size(); ++t) tallies[0].Add(tallies[t]);
  return tallies[0];
}

}  // namespace zeb
