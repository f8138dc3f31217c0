#include "template/dates.h"

#include "platform/system.h"

namespace zeb {

namespace {

constexpr const char* kMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                         "July",    "August",   "September", "October", "November", "December"};
constexpr const char* kDayNames[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

void AppendTwoDigits(std::string& out, int value) {
  const char digits[2] = {static_cast<char>('0' + value / 10 % 10), static_cast<char>('0' + value % 10)};
  out.append(digits, 2);
}

void AppendNumber(std::string& out, int value) {
  if (value >= 0 && value < 100) {
    if (value >= 10) out += static_cast<char>('0' + value / 10);
    out += static_cast<char>('0' + value % 10);
  } else {
    out += std::to_string(value);
  }
}

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

// Names of a moment that did not come from UnixToDate may be out of range.
void AppendName(std::string& out, const char* const* names, int count, int index, size_t length) {
  if (index < 0 || index >= count) return;
  out.append(std::string_view(names[index]).substr(0, length));
}

}  // namespace

std::string FormatDatePattern(std::string_view pattern, const TDateTime& moment) {
  std::string out;
  out.reserve(pattern.size() + 16);
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
        if (count == 1) AppendNumber(out, moment.Day);
        else if (count == 2) AppendTwoDigits(out, moment.Day);
        else AppendName(out, kDayNames, 7, moment.DayOfWeek, count == 3 ? 3 : std::string_view::npos);
        break;
      case 'M':
        if (count == 1) AppendNumber(out, moment.Month);
        else if (count == 2) AppendTwoDigits(out, moment.Month);
        else AppendName(out, kMonthNames, 12, moment.Month - 1, count == 3 ? 3 : std::string_view::npos);
        break;
      case 'Y':
        if (count <= 2) {
          AppendTwoDigits(out, moment.Year % 100);
        } else {
          const std::string year = std::to_string(moment.Year);
          if (year.size() < 4) out.append(4 - year.size(), '0');
          out += year;
        }
        break;
      case 'H':
        if (count == 1) AppendNumber(out, moment.Hour);
        else AppendTwoDigits(out, moment.Hour);
        break;
      case 'N':
        if (count == 1) AppendNumber(out, moment.Minute);
        else AppendTwoDigits(out, moment.Minute);
        break;
      case 'S':
        if (count == 1) AppendNumber(out, moment.Second);
        else AppendTwoDigits(out, moment.Second);
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
