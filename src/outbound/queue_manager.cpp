#include "outbound/queue_manager.h"

#include <atomic>
#include <cstddef>
#include <thread>

#include "log/log_queue.h"
#include "outbound/for_queue.h"
#include "outbound/queue.h"
#include "platform/system.h"
#include "support/text.h"

namespace zeb {

namespace {

std::atomic<bool> g_shutdownRequest{false};

void RequestShutdownAndWait(std::thread& manager) {
  g_shutdownRequest.store(true);
  ForQueueList().WakeReader();
  if (manager.joinable()) manager.join();
}

// Owns the manager thread. After an unhandled error only the logger's exit
// step runs, so the thread may still be running when the program ends: the
// owner ends it then, before what the thread reads is destroyed.
struct TManagerThread {
  std::thread Thread;
  ~TManagerThread() { RequestShutdownAndWait(Thread); }
};

TManagerThread& Manager() {
  // Made after the hand-over list and the queue, hence destroyed before them.
  ForQueueList();
  Queue();
  static TManagerThread manager;
  return manager;
}

void ManagerLog(int id, const char* text) { LogLine(Format("[%d] %s", id, text), 0); }

void QueueManager(bool reportsConfigured) {
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

void QueueManagerExitStep() {
  ControlPoint(4);
  StopQueueManager();
  ControlPoint(5);
  ClearForQueue();
  ControlPoint(6);
  ClearQueue();
  ControlPoint(7);
}

void StartQueueManager(bool reportsConfigured) {
  StopQueueManager();
  ClearForQueue();
  ClearQueue();
  g_shutdownRequest.store(false);
  Manager().Thread = std::thread(QueueManager, reportsConfigured);
}

void StopQueueManager() {
  RequestShutdownAndWait(Manager().Thread);
  // Everything handed over is merged now: the list's memory goes back
  // before the reports need theirs.
  ClearForQueue();
}

}  // namespace zeb
