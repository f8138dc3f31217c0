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

void QueueManager(std::atomic<bool>& shutdownRequest, TForQueueList& list, TQueue& queue,
                  bool reportsConfigured) {
  const int id = static_cast<int>(CurrentThreadId());
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

void StartQueueManager(TQueueManager& manager, TForQueueList& list, TQueue& queue, bool reportsConfigured) {
  StopQueueManager(manager);
  manager.List = &list;
  manager.ShutdownRequest.store(false);
  manager.Thread = std::thread(QueueManager, std::ref(manager.ShutdownRequest), std::ref(list), std::ref(queue),
                               reportsConfigured);
}

void StopQueueManager(TQueueManager& manager) {
  if (!manager.Thread.joinable()) return;
  manager.ShutdownRequest.store(true);
  manager.List->WakeReader();
  manager.Thread.join();
}

TQueue ScanQueue(const TMainConfig& config, bool directoryTrace) {
  TForQueueList list;
  TQueue queue;
  TQueueManager manager;
  StartQueueManager(manager, list, queue, !config.Reports.empty());
  TScanContext scan(directoryTrace, true);
  ScanOutbounds(list, scan, config);
  StopQueueManager(manager);
  return queue;
}

}  // namespace zeb
