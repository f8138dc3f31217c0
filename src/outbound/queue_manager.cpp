#include "outbound/queue_manager.h"

#include <atomic>
#include <cstddef>
#include <thread>

#include "config/records.h"
#include "frame/exit_steps.h"
#include "log/log_queue.h"
#include "outbound/for_queue.h"
#include "outbound/queue.h"
#include "platform/system.h"
#include "support/text.h"

namespace zeb {

namespace {

std::thread g_manager;
std::atomic<bool> g_shutdownRequest{false};

void ManagerLog(int id, const char* text) { LogLine(Format("[%d] %s", id, text), 0); }

void QueueManager() {
  const int id = static_cast<int>(CurrentThreadId());
  TForQueueList& list = ForQueueList();
  size_t nextRecord = 0;
  bool stopping = false;
  ManagerLog(id, "Queue Manager - started");
  while (!stopping || nextRecord != list.Count()) {
    if (nextRecord < list.Count()) {
      MergeRecord(list[nextRecord]);
      ++nextRecord;
    } else {
      list.WaitBeyond(nextRecord);
    }
    if (g_shutdownRequest.exchange(false)) {
      stopping = true;
      ManagerLog(id, "Detect a shutdown flag");
      if (MainConfig().Reports.empty()) {
        // Nobody will read the queue: what still waits is not merged.
        ManagerLog(id, "Reports not found");
        nextRecord = list.Count();
      }
    }
  }
  ManagerLog(id, "Finished");
}

void QueueManagerExitStep() {
  ControlPoint(4);
  StopQueueManager();
  ControlPoint(5);
  ClearForQueue();
  ControlPoint(6);
  ClearQueue();
  ControlPoint(7);
}

}  // namespace

void StartQueueManager() {
  StopQueueManager();
  AddExitStep(QueueManagerExitStep);
  ClearForQueue();
  ClearQueue();
  g_shutdownRequest.store(false);
  g_manager = std::thread(QueueManager);
}

void StopQueueManager() {
  g_shutdownRequest.store(true);
  ForQueueList().WakeReader();
  if (g_manager.joinable()) g_manager.join();
}

}  // namespace zeb
