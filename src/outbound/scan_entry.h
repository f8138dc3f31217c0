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

// The entry's size as a hand-over record holds it: files of 2 GiB and more
// count as 2 GiB - 1 bytes rather than wrapping round to a negative size.
int32_t HandOverSize(const TDirEntry& entry);

// The local date and time now, packed in the DOS format.
uint32_t CurrentDosTime();

}  // namespace zeb
