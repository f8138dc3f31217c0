// What the outbound scanners log and hand over for one directory entry.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/disk.h"

namespace zeb {

// The level-3 line for every entry looked at, with its real name.
void LogFoundFile(const TDirEntry& entry);

// A level-3 detail line: an arrow, a space and the text.
void LogDetail(std::string_view text);

// The local date and time now, packed in the DOS format.
uint32_t CurrentDosTime();

}  // namespace zeb
