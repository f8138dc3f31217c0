// The queue manager thread: the only writer of the queue while the scanners
// hand their findings over.
#pragma once

#include <atomic>
#include <thread>

#include "config/records.h"
#include "outbound/for_queue.h"
#include "outbound/queue.h"

namespace zeb {

// A manager thread, the hand-over list it reads and its shutdown request.
// It outlives neither the list nor the queue: ending it (a scan left by an
// unhandled error) stops a thread still running first.
struct TQueueManager {
  TQueueManager() = default;
  TQueueManager(const TQueueManager&) = delete;
  TQueueManager& operator=(const TQueueManager&) = delete;
  ~TQueueManager();

  std::thread Thread;
  TForQueueList* List = nullptr;
  std::atomic<bool> ShutdownRequest{false};
};

// Starts the manager thread, which merges the records appended to `list`
// into `queue`. Without reports nobody reads the queue: at the stop
// the records still waiting are then dropped instead of merged.
void StartQueueManager(TQueueManager& manager, TForQueueList& list, TQueue& queue, bool reportsConfigured);

// Asks the manager to finish and waits until it has: every record handed
// over by then has been merged (or, with no report configured, the waiting
// ones dropped). Returns at once when no manager runs.
void StopQueueManager(TQueueManager& manager);

// Scans every outbound while a manager merges what the scan hands over;
// returns the queue once the manager has finished. The hand-over list is
// gone by then: its memory goes back before the reports need theirs. With
// `directoryTrace` every directory test is announced.
TQueue ScanQueue(const TMainConfig& config, bool directoryTrace);

}  // namespace zeb
