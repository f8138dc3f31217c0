// The list-file reader over any list, with a few files on the fake disk for
// its lines to name.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fake_disk.h"
#include "log/log_queue.h"
#include "outbound/for_queue.h"
#include "outbound/list_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zeb::test::FakeDisk disk;
  zeb::test::ScopedDisk scoped(disk);
  for (const char* name : {"a.zip", "b.su0", "c.tic", "D.TXT"}) disk.AddFile(std::string("/files/") + name, name);
  disk.AddDir("/files/sub");
  disk.AddFile("/out/0001000a.flo", std::string(reinterpret_cast<const char*>(data), size));
  zeb::TForQueueList list;
  zeb::TScanContext scan(false, true);
  zeb::ScanListFile(list, scan, 4, "/out/0001000a.flo", zeb::TNetAddr{2, 1, 10, 0});
  zeb::TakeLogRecords();
  return 0;
}
