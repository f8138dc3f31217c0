#include "outbound/queue_manager.h"

#include <cstddef>
#include <functional>

#include "log/log_queue.h"
#include "outbound/for_queue.h"
#include "outbound/scan.h"
#include "platform/system.h"
#include "support/text.h"

namespace zeb {

namespace {

void ManagerLog(int id, const char* text) { LogLine(Format("[%d] %s", id, text), 0); }

void QueueManager(std::atomic<bool>& shutdownRequest, TQueue& queue, bool reportsConfigured) {
  const int id = static_cast<int>(CurrentThreadId());
  TForQueueList& list = ForQueueList();
  size_t nextRecord = 0;
  bool stopping = false;
  ManagerLog(id, "Queue Manager - started");
  while (!stopping || nextRecord != list.Count()) {
    if (nextRecord < list.Count()) {
      MergeRecord(queue, list[nextRecord]);
      ++nextRecord;
    } else {
      list.WaitBeyond(nextRecord);
    }
    if (shutdownRequest.exchange(false)) {
      stopping = true;
      ManagerLog(id, "Detect a shutdown flag");
      if (!reportsConfigured) {
        // Nobody will read the queue: what still waits is not merged.
        ManagerLog(id, "Reports not found");
        nextRecord = list.Count();
      }
    }
  }
  ManagerLog(id, "Finished");
}

}  // namespace

TQueueManager::~TQueueManager() { StopQueueManager(*this); }

void StartQueueManager(TQueueManager& manager, TQueue& queue, bool reportsConfigured) {
  StopQueueManager(manager);
  manager.ShutdownRequest.store(false);
  manager.Thread = std::thread(QueueManager, std::ref(manager.ShutdownRequest), std::ref(queue), reportsConfigured);
}

void StopQueueManager(TQueueManager& manager) {
  if (manager.Thread.joinable()) {
    manager.ShutdownRequest.store(true);
    ForQueueList().WakeReader();
    manager.Thread.join();
  }
  // Everything handed over is merged now: the list's memory goes back
  // before the reports need theirs.
  ClearForQueue();
}

TQueue ScanQueue(const TMainConfig& config) {
  TQueue queue;
  TQueueManager manager;
  StartQueueManager(manager, queue, !config.Reports.empty());
  ScanOutbounds(config);
  StopQueueManager(manager);
  return queue;
}

}  // namespace zeb
