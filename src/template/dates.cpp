#include "template/dates.h"

#include "platform/system.h"

namespace zeb {

namespace {

constexpr int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr const char* kMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                         "July",    "August",   "September", "October", "November", "December"};
constexpr const char* kDayNames[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
constexpr int64_t kDay = 86400;
// 400 Gregorian years have a whole number of days; skipping them keeps
// absurd times from walking year by year.
constexpr int64_t kFourCenturies = 146097 * kDay;
// 9999-12-31 23:59:59, the last moment a four-digit year can show.
constexpr int64_t kLastSecond = 253402300799;

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int MonthDays(int month, int year) { return kMonthDays[month - 1] + (month == 2 && IsLeap(year) ? 1 : 0); }

int64_t YearSeconds(int year) { return (IsLeap(year) ? 366 : 365) * kDay; }

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

TDateTime UnixToDate(int64_t seconds) {
  TDateTime dt;
  if (seconds < 0) seconds = 0;
  if (seconds > kLastSecond) seconds = kLastSecond;
  dt.DayOfWeek = static_cast<int>((seconds / kDay + 4) % 7);  // 1970-01-01 was a Thursday
  int year = 1970;
  year += static_cast<int>(seconds / kFourCenturies) * 400;
  seconds %= kFourCenturies;
  while (seconds >= YearSeconds(year)) seconds -= YearSeconds(year++);
  int month = 1;
  while (seconds >= MonthDays(month, year) * kDay) seconds -= MonthDays(month++, year) * kDay;
  dt.Year = year;
  dt.Month = month;
  dt.Day = static_cast<int>(seconds / kDay) + 1;
  seconds %= kDay;
  dt.Hour = static_cast<int>(seconds / 3600);
  dt.Minute = static_cast<int>(seconds / 60 % 60);
  dt.Second = static_cast<int>(seconds % 60);
  dt.Millisecond = 0;
  return dt;
}

int64_t DateToUnix(int second, int minute, int hour, int day, int month, int year) {
  int64_t total = 0;
  for (int y = 1970; y < year; ++y) total += YearSeconds(y);
  for (int m = 1; m < month && m <= 12; ++m) total += MonthDays(m, year) * kDay;
  return total + (day - 1) * kDay + hour * 3600 + minute * 60 + second;
}

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
