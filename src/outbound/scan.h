// Scanning every configured outbound into the queue.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "config/records.h"
#include "outbound/dir_lookup.h"
#include "outbound/for_queue.h"
#include "outbound/scan_directory.h"
#include "support/net_addr.h"

namespace zeb {

// One directory of the scan with what its scanner needs: a zone directory
// or a configured file box (scanned with ScanDirectory), or the T-Mail
// netmail directory; or a part of a directory listed beforehand.
struct TScanJob {
  std::string Path;
  bool TMail = false;
  uint16_t Zone = 0;
  TScanMode Mode = TScanMode::Outbound;
  TNetAddr Addr;
  uint8_t Flavour = 0;
  bool Configured = false;
  // For a part: the listing and the part's entries [From, To).
  std::shared_ptr<const TListedDirectory> Listed;
  size_t From = 0;
  size_t To = 0;
};

// The directories of the scan in the order their records reach the queue:
// every outbound group's directories, each P followed by its zone
// directories P.zzz (found by reading P's parent now), then every domain's
// file boxes, the directories of T-Mail file boxes, then the T-Mail
// directory.
std::vector<TScanJob> ScanJobs(const TMainConfig& config);

// The number of threads that scan `jobs` jobs when `wanted` are offered (the
// cores): one at least, two at most, and never more than there are jobs.
size_t ScanThreads(unsigned wanted, size_t jobs);

// The jobs with every directory but the T-Mail one listed now (as its scan
// would list it, errors and log lines included) and split into parts of a
// few hundred entries, in order. Threads share parts more evenly than
// directories, whose sizes differ widely, and a part's records wait for the
// queue manager only briefly.
std::vector<TScanJob> SplitScanJobs(std::vector<TScanJob> jobs, TScanContext& scan);

// Every job in the order of ScanJobs, handed over in one list.
void ScanOutbounds(TForQueueList& list, TScanContext& scan, const TMainConfig& config);

// Job k hands over in lists[k], which is closed when the job is done.
// `threads` scanning threads (the calling one among them) take the jobs in
// order, each with its own scan context; one thread, or one job, scans on the
// calling thread alone. An unhandled error of any of them comes out here
// once every thread has stopped. Returns what the threads met beside the
// queue.
TScanTally RunScanJobs(std::span<TForQueueList> lists, const std::vector<TScanJob>& jobs, const TMainConfig& config,
                       bool directoryTrace, size_t threads);

}  // namespace zeb
