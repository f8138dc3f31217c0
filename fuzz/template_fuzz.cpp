// The template engine: any template run by a full parser with the built-in
// statements and functions.
#include <cstddef>
#include <cstdint>
#include <string>

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
  // template asks for, not a fault: such a run ends after this many steps,
  // the way an error ends it.
  parser.SetStepLimit(500);
  parser.Run();
  zeb::TakeLogRecords();
  return 0;
}
