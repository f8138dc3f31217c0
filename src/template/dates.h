// The date-time patterns of reports, message stamps and log lines, and the
// Unix times (support/unix_time.h) they are formatted from.
#pragma once

#include <string>
#include <string_view>

#include "platform/dos_time.h"
#include "support/unix_time.h"

namespace zeb {

// Formats a moment with a pattern whose letters are not case-sensitive:
// d dd ddd dddd (day number, two digits, "Sun", "Sunday"), m mm mmm mmmm
// (month number, two digits, "Jan", "January"), yy yyyy, h hh, n nn, s ss;
// m or mm after an hour letter is the minute. "/" and ":" give the locale's
// date and time separators; text in single or double quotes is copied
// without its quotes; everything else is copied.
std::string FormatDatePattern(std::string_view pattern, const TDateTime& moment);

}  // namespace zeb
