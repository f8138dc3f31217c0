#include "log/log_queue.h"

#include <condition_variable>
#include <mutex>

#include "platform/system.h"
#include "support/text.h"

namespace zeb {

namespace {

std::mutex g_mutex;
std::condition_variable g_arrived;
TLogRecs g_pending;  // guarded by g_mutex
std::atomic<int> g_level{1};
std::atomic<bool> g_filter{false};

}  // namespace

void ControlPoint(int n) { LogLine(Format("Control point - %d", n), 4); }

bool LogWanted(int level) { return !g_filter.load(std::memory_order_relaxed) || level <= LogLevel(); }

void LogLine(std::string_view text, int level) {
  if (!LogWanted(level)) return;
  auto rec = std::make_unique<TLogRec>();
  rec->Level = static_cast<uint16_t>(level);
  rec->Time = LocalUnixNow();
  rec->Text = std::string(text);
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_pending.push_back(std::move(rec));
  }
  g_arrived.notify_one();
}

int LogLevel() { return g_level.load(std::memory_order_relaxed); }
void SetLogLevel(int level) { g_level.store(level, std::memory_order_relaxed); }

void SetLogLineFilter(bool on) { g_filter.store(on, std::memory_order_relaxed); }

TLogRecs TakeLogRecords() {
  TLogRecs taken;
  std::lock_guard<std::mutex> lock(g_mutex);
  taken.swap(g_pending);
  return taken;
}

void WaitForLogRecords(std::chrono::milliseconds timeout, const std::atomic<bool>& wake) {
  std::unique_lock<std::mutex> lock(g_mutex);
  g_arrived.wait_for(lock, timeout, [&] { return !g_pending.empty() || wake.load(); });
}

void WakeLogConsumer() {
  // Taking the lock orders the caller's flag before the waiter's check.
  { std::lock_guard<std::mutex> lock(g_mutex); }
  g_arrived.notify_all();
}

}  // namespace zeb
