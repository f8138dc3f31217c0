// The configuration loader over a whole file on the fake disk. Only that
// one file exists, so every include fails (or is caught as a loop).
#include <cstddef>
#include <cstdint>
#include <string>

#include "config/loader.h"
#include "config/paths.h"
#include "config/records.h"
#include "config/section_table.h"
#include "fake_disk.h"
#include "log/console.h"
#include "log/log_queue.h"
#include "log/logger.h"
#include "support/net_addr.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zeb::test::FakeDisk disk;
  zeb::test::ScopedDisk scoped(disk);
  zeb::SetHomeDir("/opt/zeb/");
  disk.AddFile("/opt/zeb/zeb.ctl", std::string(reinterpret_cast<const char*>(data), size));
  // A number that is not one ends the run through its unhandled-error path
  // by design, as the run catches it.
  zeb::TMainConfig config;
  zeb::TLoadContext loading(config, zeb::StartLogger);
  try {
    zeb::LoadConfig(loading, "zeb.ctl");
  } catch (const zeb::EConvertError&) {
  }
  // A log section starts the logger on this disk: stop it before the disk goes.
  zeb::LoggerExitStep();
  zeb::TakeLogRecords();
  return 0;
}
