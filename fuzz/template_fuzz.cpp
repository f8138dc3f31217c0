// The template engine: any template run by a full parser with the built-in
// statements and functions.
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "fake_disk.h"
#include "log/log_queue.h"
#include "template/parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  zeb::test::FakeDisk disk;
  zeb::test::ScopedDisk scoped(disk);
  disk.AddFile("/t/report.tpl", std::string(reinterpret_cast<const char*>(data + 1), size - 1));
  zeb::TTemplateParser parser((data[0] & 1) != 0, "/t/report.tpl");
  // "@while (1)" or a @for over four billion values is an endless loop the
  // template asks for, not a fault: such a run is stopped after a quarter of a second
  // the way an error stops it.
  std::mutex mutex;
  std::condition_variable done;
  bool finished = false;
  std::thread watchdog([&] {
    std::unique_lock<std::mutex> lock(mutex);
    if (!done.wait_for(lock, std::chrono::milliseconds(250), [&] { return finished; })) parser.Abort();
  });
  parser.Run();
  {
    std::lock_guard<std::mutex> lock(mutex);
    finished = true;
  }
  done.notify_one();
  watchdog.join();
  zeb::TakeLogRecords();
  return 0;
}
