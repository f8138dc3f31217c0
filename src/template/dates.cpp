#include "template/dates.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "platform/system.h"

namespace zeb {

namespace {

constexpr std::string_view kMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                              "July",    "August",   "September", "October", "November", "December"};
constexpr std::string_view kDayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                           "Thursday", "Friday", "Saturday"};

// The longest decimal int, sign included.
constexpr size_t kMaxIntLength = 11;

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

enum class TKind : uint8_t { Literal, Number, TwoDigits, ShortYear, FullYear, DayName, MonthName };

// A pattern taken apart once into the pieces it writes: reports format the
// same few patterns for every file they list.
class TDatePattern {
 public:
  explicit TDatePattern(std::string_view pattern);
  std::string Format(const TDateTime& moment) const;

 private:
  struct TPiece {
    TKind Kind;
    int TDateTime::*Field = nullptr;  // Number, TwoDigits
    size_t Start = 0;   // Literal: where its text starts in literals_
    size_t Length = 0;  // Literal: its length; names: the letters written
  };

  void AddLiteral(std::string_view text);
  void Add(TKind kind, int TDateTime::*field = nullptr, size_t length = 0);
  char* Write(char* out, const TDateTime& moment) const;

  std::vector<TPiece> pieces_;
  std::string literals_;
  size_t maxLength_ = 0;  // of any result
};

TDatePattern::TDatePattern(std::string_view pattern) {
  // Both separators are the locale's, fixed for the whole run.
  const char dateSeparator = DateSeparator(), timeSeparator = TimeSeparator();
  char lastLetter = 0;
  size_t i = 0;
  while (i < pattern.size()) {
    const char c = pattern[i];
    char token = Upper(c);
    if (c == '"' || c == '\'') {
      const size_t close = pattern.find(c, i + 1);
      const size_t end = close == std::string_view::npos ? pattern.size() : close;
      AddLiteral(pattern.substr(i + 1, end - i - 1));
      i = end + 1;
      continue;
    }
    if (token < 'A' || token > 'Z') {
      const char written = c == '/' ? dateSeparator : c == ':' ? timeSeparator : c;
      AddLiteral(std::string_view(&written, 1));
      ++i;
      continue;
    }
    if (token == 'M' && lastLetter == 'H') token = 'N';
    lastLetter = token;
    size_t count = 1;
    while (i + count < pattern.size() && Upper(pattern[i + count]) == Upper(c)) ++count;
    const TKind numberKind = count == 1 ? TKind::Number : TKind::TwoDigits;
    const size_t nameLength = count == 3 ? 3 : std::string_view::npos;
    switch (token) {
      case 'D':
        if (count <= 2) Add(numberKind, &TDateTime::Day);
        else Add(TKind::DayName, nullptr, nameLength);
        break;
      case 'M':
        if (count <= 2) Add(numberKind, &TDateTime::Month);
        else Add(TKind::MonthName, nullptr, nameLength);
        break;
      case 'Y':
        Add(count <= 2 ? TKind::ShortYear : TKind::FullYear);
        break;
      case 'H': Add(numberKind, &TDateTime::Hour); break;
      case 'N': Add(numberKind, &TDateTime::Minute); break;
      case 'S': Add(numberKind, &TDateTime::Second); break;
      default: AddLiteral(pattern.substr(i, count)); break;
    }
    i += count;
  }
}

void TDatePattern::AddLiteral(std::string_view text) {
  if (text.empty()) return;
  maxLength_ += text.size();
  if (!pieces_.empty() && pieces_.back().Kind == TKind::Literal) {
    pieces_.back().Length += text.size();
  } else {
    pieces_.push_back({TKind::Literal, nullptr, literals_.size(), text.size()});
  }
  literals_ += text;
}

void TDatePattern::Add(TKind kind, int TDateTime::*field, size_t length) {
  pieces_.push_back({kind, field, 0, length});
  switch (kind) {
    case TKind::TwoDigits:
    case TKind::ShortYear: maxLength_ += 2; break;
    case TKind::DayName:
    case TKind::MonthName: maxLength_ += std::string_view("September").size(); break;
    default: maxLength_ += kMaxIntLength; break;
  }
}

// Names of a moment that did not come from UnixToDate may be out of range.
char* WriteName(char* out, const std::string_view* names, int count, int index, size_t length) {
  if (index < 0 || index >= count) return out;
  const std::string_view name = names[index].substr(0, length);
  return std::copy(name.begin(), name.end(), out);
}

char* WriteTwoDigits(char* out, int value) {
  *out++ = static_cast<char>('0' + value / 10 % 10);
  *out++ = static_cast<char>('0' + value % 10);
  return out;
}

char* TDatePattern::Write(char* out, const TDateTime& moment) const {
  for (const TPiece& piece : pieces_) {
    switch (piece.Kind) {
      case TKind::Literal:
        // mostly a single separator, not worth a library copy
        for (size_t k = 0; k < piece.Length; ++k) *out++ = literals_[piece.Start + k];
        break;
      case TKind::Number:
        out = std::to_chars(out, out + kMaxIntLength, moment.*piece.Field).ptr;
        break;
      case TKind::TwoDigits:
        out = WriteTwoDigits(out, moment.*piece.Field);
        break;
      case TKind::ShortYear:
        out = WriteTwoDigits(out, moment.Year % 100);
        break;
      case TKind::DayName:
        out = WriteName(out, kDayNames, 7, moment.DayOfWeek, piece.Length);
        break;
      case TKind::MonthName:
        out = WriteName(out, kMonthNames, 12, moment.Month - 1, piece.Length);
        break;
      case TKind::FullYear: {
        char digits[kMaxIntLength];
        const size_t length = static_cast<size_t>(std::to_chars(digits, digits + kMaxIntLength, moment.Year).ptr - digits);
        if (length < 4) out = std::fill_n(out, 4 - length, '0');
        out = std::copy_n(digits, length, out);
        break;
      }
    }
  }
  return out;
}

std::string TDatePattern::Format(const TDateTime& moment) const {
  // Written into a buffer on the stack, so that the result is allocated
  // once at its own size (not at all when it is short).
  char small[128];
  if (maxLength_ <= sizeof small) return std::string(small, Write(small, moment));
  std::string large(maxLength_, '\0');
  large.resize(static_cast<size_t>(Write(large.data(), moment) - large.data()));
  return large;
}

struct TTextHash {
  using is_transparent = void;
  size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

// The patterns met so far by this thread. A template may build patterns
// from changing values: past this many the cache starts afresh.
constexpr size_t kMaxCachedPatterns = 64;

const TDatePattern& CompiledPattern(std::string_view text) {
  using TPatterns = std::unordered_map<std::string, TDatePattern, TTextHash, std::equal_to<>>;
  thread_local TPatterns patterns;
  // The last one asked for, compared before any hashing: a report lists
  // every file with the same pattern.
  thread_local const TPatterns::value_type* last = nullptr;
  if (last != nullptr && last->first == text) return last->second;
  auto it = patterns.find(text);
  if (it == patterns.end()) {
    if (patterns.size() >= kMaxCachedPatterns) patterns.clear();
    it = patterns.emplace(std::string(text), TDatePattern(text)).first;
  }
  last = &*it;
  return it->second;
}

}  // namespace

std::string FormatDatePattern(std::string_view pattern, const TDateTime& moment) {
  return CompiledPattern(pattern).Format(moment);
}

}  // namespace zeb
