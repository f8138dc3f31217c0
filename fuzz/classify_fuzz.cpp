// ClassifyName over any name, attribute and zone, in the outbound and in
// file boxes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "log/log_queue.h"
#include "outbound/classify.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const uint8_t attribute = data[0];
  const uint16_t zone = static_cast<uint16_t>(data[1] | (data[2] << 8));
  const std::string_view name(reinterpret_cast<const char*>(data + 3), size - 3);
  zeb::ClassifyName(name, attribute, zone, true);
  zeb::ClassifyName(name, attribute, zone, false);
  zeb::TakeLogRecords();
  return 0;
}
