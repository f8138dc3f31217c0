#include "template/dates.h"

#include "platform/system.h"

namespace zeb {

namespace {

constexpr const char* kMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                         "July",    "August",   "September", "October", "November", "December"};
constexpr const char* kDayNames[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

std::string TwoDigits(int value) {
  std::string text(2, '0');
  text[0] = static_cast<char>('0' + value / 10 % 10);
  text[1] = static_cast<char>('0' + value % 10);
  return text;
}

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

// Names of a moment that did not come from UnixToDate may be out of range.
std::string MonthName(int month, size_t length) {
  if (month < 1 || month > 12) return {};
  return std::string(kMonthNames[month - 1]).substr(0, length);
}
std::string DayName(int dayOfWeek, size_t length) {
  if (dayOfWeek < 0 || dayOfWeek > 6) return {};
  return std::string(kDayNames[dayOfWeek]).substr(0, length);
}

}  // namespace

std::string FormatDatePattern(std::string_view pattern, const TDateTime& moment) {
  std::string out;
  char lastLetter = 0;
  size_t i = 0;
  while (i < pattern.size()) {
    const char c = pattern[i];
    char token = Upper(c);
    if (c == '"' || c == '\'') {
      const size_t close = pattern.find(c, i + 1);
      const size_t end = close == std::string_view::npos ? pattern.size() : close;
      out.append(pattern.substr(i + 1, end - i - 1));
      i = end + 1;
      continue;
    }
    if (c == '/') {
      out += DateSeparator();
      ++i;
      continue;
    }
    if (c == ':') {
      out += TimeSeparator();
      ++i;
      continue;
    }
    if (token < 'A' || token > 'Z') {
      out += c;
      ++i;
      continue;
    }
    if (token == 'M' && lastLetter == 'H') token = 'N';
    lastLetter = token;
    size_t count = 1;
    while (i + count < pattern.size() && Upper(pattern[i + count]) == Upper(c)) ++count;
    switch (token) {
      case 'D':
        if (count == 1) out += std::to_string(moment.Day);
        else if (count == 2) out += TwoDigits(moment.Day);
        else out += DayName(moment.DayOfWeek, count == 3 ? 3 : std::string::npos);
        break;
      case 'M':
        if (count == 1) out += std::to_string(moment.Month);
        else if (count == 2) out += TwoDigits(moment.Month);
        else out += MonthName(moment.Month, count == 3 ? 3 : std::string::npos);
        break;
      case 'Y':
        if (count <= 2) {
          out += TwoDigits(moment.Year % 100);
        } else {
          std::string year = std::to_string(moment.Year);
          out += std::string(year.size() < 4 ? 4 - year.size() : 0, '0') + year;
        }
        break;
      case 'H':
        out += count == 1 ? std::to_string(moment.Hour) : TwoDigits(moment.Hour);
        break;
      case 'N':
        out += count == 1 ? std::to_string(moment.Minute) : TwoDigits(moment.Minute);
        break;
      case 'S':
        out += count == 1 ? std::to_string(moment.Second) : TwoDigits(moment.Second);
        break;
      default:
        out.append(pattern.substr(i, count));
        break;
    }
    i += count;
  }
  return out;
}

}  // namespace zeb
