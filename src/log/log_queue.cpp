#include "log/log_queue.h"

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/system.h"

namespace zeb {

namespace {

std::atomic_flag g_appendBusy = ATOMIC_FLAG_INIT;
std::atomic<TLogRec*> g_tail{nullptr};
std::atomic<int> g_level{1};

}  // namespace

void LogLine(std::string_view text, int level) {
  auto* rec = new TLogRec;
  rec->Level = static_cast<uint16_t>(level);
  rec->Time = LocalUnixNow();
  rec->Text = std::string(text);

  while (g_appendBusy.test_and_set(std::memory_order_acquire))
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  TLogRec* prev = g_tail.load(std::memory_order_relaxed);
  rec->Prev = prev;
  // The record is complete before anybody can reach it through Next.
  if (prev != nullptr) std::atomic_ref<TLogRec*>(prev->Next).store(rec, std::memory_order_release);
  g_tail.store(rec, std::memory_order_release);
  g_appendBusy.clear(std::memory_order_release);
}

int LogLevel() { return g_level.load(std::memory_order_relaxed); }
void SetLogLevel(int level) { g_level.store(level, std::memory_order_relaxed); }

TLogRec* LogTail() { return g_tail.load(std::memory_order_acquire); }

}  // namespace zeb
