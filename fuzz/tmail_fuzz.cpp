// The T-Mail packet reader over any packet (and a request beside it), by
// way of the directory scan.
#include <cstddef>
#include <cstdint>
#include <string>

#include "config/records.h"
#include "fake_disk.h"
#include "log/log_queue.h"
#include "outbound/for_queue.h"
#include "outbound/tmail.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  zeb::test::FakeDisk disk;
  zeb::test::ScopedDisk scoped(disk);
  zeb::TMainConfig config;
  config.EmptyPacketAsPoll = (data[0] & 1) != 0;
  const std::string packet(reinterpret_cast<const char*>(data + 1), size - 1);
  disk.AddFile("/tmail/a.pkt", packet);
  disk.AddFile("/tmail/b.phr", packet);
  disk.AddFile("/tmail/b.req", "files");
  zeb::TForQueueList list;
  zeb::TScanContext scan(false, true);
  zeb::ScanTMail(list, scan, config, "/tmail");
  zeb::TakeLogRecords();
  return 0;
}
