// The queue manager thread: the only writer of the queue while the scanners
// hand their findings over.
#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <span>
#include <thread>

#include "config/records.h"
#include "outbound/for_queue.h"
#include "outbound/queue.h"

namespace zeb {

// A manager thread, the hand-over lists it reads and its shutdown request.
// It outlives neither the lists nor the queue: ending it (a scan left by an
// unhandled error) stops a thread still running first.
struct TQueueManager {
  TQueueManager() = default;
  TQueueManager(const TQueueManager&) = delete;
  TQueueManager& operator=(const TQueueManager&) = delete;
  ~TQueueManager();

  std::thread Thread;
  std::span<TForQueueList> Lists;
  std::atomic<bool> ShutdownRequest{false};
  // Where the manager waits for the request once every list is merged.
  std::mutex RequestLock;
  std::condition_variable Requested;
};

// Starts the manager thread, which merges the records appended to the lists
// into `queue`: every record of lists[0] in order, then those of lists[1],
// and so on, each list as its records arrive. A list is emptied once it is
// closed and merged, or, after the stop, once merged. Without reports nobody
// reads the queue: at the stop the records still waiting are then dropped
// instead of merged.
void StartQueueManager(TQueueManager& manager, std::span<TForQueueList> lists, TQueue& queue, bool reportsConfigured);

// Asks the manager to finish and waits until it has: every record handed
// over by then has been merged (or, with no report configured, the waiting
// ones dropped). Returns at once when no manager runs.
void StopQueueManager(TQueueManager& manager);

// Scans every outbound while a manager merges what the scan hands over;
// returns the queue once the manager has finished. The hand-over lists are
// gone by then: their memory goes back before the reports need theirs. With
// `directoryTrace` every directory test is announced. Up to `scanThreads`
// threads scan; the queue is the same with any number.
TQueue ScanQueue(const TMainConfig& config, bool directoryTrace,
                 unsigned scanThreads = std::thread::hardware_concurrency());

}  // namespace zeb
