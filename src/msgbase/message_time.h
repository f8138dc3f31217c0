// The one moment a message is stamped with, in the forms the message formats
// store it: broken down, as local Unix seconds, as DOS date and time words
// and as the FTS-0001 date string.
#pragma once

#include <cstdint>
#include <string>

#include "platform/dos_time.h"

namespace zeb {

struct TMessageTime {
  TDateTime Local;    // whole seconds
  uint32_t Unix = 0;  // seconds since 1970-01-01 00:00:00 of the local clock
};

// The moment of `local`, milliseconds dropped.
TMessageTime MessageTime(const TDateTime& local);
TMessageTime MessageTimeNow();

// "dd Mmm yy  hh:mm:ss", 19 characters.
std::string FtsDate(const TDateTime& dt);

// The two halves of a packed DOS date-time.
uint16_t DosDateWord(const TDateTime& dt);
uint16_t DosTimeWord(const TDateTime& dt);

}  // namespace zeb
