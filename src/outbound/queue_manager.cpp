#include "outbound/queue_manager.h"

#include <cstddef>
#include <functional>
#include <vector>

#include "log/log_queue.h"
#include "outbound/for_queue.h"
#include "outbound/scan.h"
#include "outbound/strays.h"
#include "platform/system.h"
#include "support/text.h"

namespace zeb {

namespace {

void ManagerLog(int id, const char* text) { LogLine(Format("[%d] %s", id, text), 0); }

void QueueManager(TQueueManager& manager, TQueue& queue, bool reportsConfigured) {
  const int id = static_cast<int>(CurrentThreadId());
  const std::span<TForQueueList> lists = manager.Lists;
  size_t listIndex = 0;
  size_t nextRecord = 0;
  bool stopping = false;
  ManagerLog(id, "Queue Manager - started");
  while (!stopping || listIndex != lists.size()) {
    if (listIndex == lists.size()) {
      std::unique_lock<std::mutex> lock(manager.RequestLock);
      manager.Requested.wait(lock, [&] { return manager.ShutdownRequest.load(); });
    } else {
      TForQueueList& list = lists[listIndex];
      // Taken before the count: the count of a closed list is final.
      const bool closed = list.Closed();
      if (nextRecord < list.Count()) {
        MergeRecord(queue, list[nextRecord]);
        ++nextRecord;
      } else if (closed || stopping) {
        list.Clear();
        ++listIndex;
        nextRecord = 0;
      } else {
        list.WaitBeyond(nextRecord);
      }
    }
    if (manager.ShutdownRequest.exchange(false)) {
      stopping = true;
      ManagerLog(id, "Detect a shutdown flag");
      if (!reportsConfigured) {
        // Nobody will read the queue: what still waits is not merged.
        ManagerLog(id, "Reports not found");
        listIndex = lists.size();
      }
    }
  }
  ManagerLog(id, "Finished");
}

}  // namespace

TQueueManager::~TQueueManager() { StopQueueManager(*this); }

void StartQueueManager(TQueueManager& manager, std::span<TForQueueList> lists, TQueue& queue, bool reportsConfigured) {
  StopQueueManager(manager);
  manager.Lists = lists;
  manager.ShutdownRequest.store(false);
  manager.Thread = std::thread(QueueManager, std::ref(manager), std::ref(queue), reportsConfigured);
}

void StopQueueManager(TQueueManager& manager) {
  if (!manager.Thread.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(manager.RequestLock);
    manager.ShutdownRequest.store(true);
  }
  manager.Requested.notify_one();
  // The manager may wait on any list that is not closed yet.
  for (TForQueueList& list : manager.Lists) list.WakeReader();
  manager.Thread.join();
}

TQueue ScanQueue(const TMainConfig& config, bool directoryTrace, unsigned scanThreads) {
  std::vector<TScanJob> jobs = ScanJobs(config);
  const size_t threads = ScanThreads(scanThreads, jobs.size());
  // Lists the directories beforehand for two threads; keeps what it met.
  TScanContext listing(directoryTrace, threads > 1);
  if (threads > 1) jobs = SplitScanJobs(std::move(jobs), listing);
  std::vector<TForQueueList> lists(jobs.size());
  TQueue queue;
  TQueueManager manager;
  StartQueueManager(manager, lists, queue, !config.Reports.empty());
  const TScanTally tally = RunScanJobs(lists, jobs, config, directoryTrace, threads);
  StopQueueManager(manager);
  queue.Tally = listing.Tally();
  queue.Tally.Add(tally);
  // Without reports the queue stays empty and tells nothing of list files.
  if (!config.Reports.empty()) CountStrays(queue.Tally, queue);
  return queue;
}

}  // namespace zeb
