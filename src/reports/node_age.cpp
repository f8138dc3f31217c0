#include "reports/node_age.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "support/text.h"
#include "template/arguments.h"
#include "template/dates.h"

namespace zeb {

namespace {

constexpr int64_t kDaySeconds = 86400;

// A decimal integer with an optional sign, or `fallback`.
int64_t DecimalOr(std::string_view text, int64_t fallback) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() && !text.empty() ? value : fallback;
}

// Cuts at the first comma; both parts trimmed and unquoted.
bool CutParams(std::string_view params, std::string& before, std::string& after) {
  const size_t comma = params.find(',');
  if (comma == std::string_view::npos) return false;
  before = ExpandQuotes(TrimSpaces(params.substr(0, comma)));
  after = ExpandQuotes(TrimSpaces(params.substr(comma + 1)));
  return true;
}

}  // namespace

int64_t NodeAge(const TQueueNode& node, int64_t now) {
  return std::max<int64_t>(0, now - DateToUnix(UnixToDate(node.Oldest)));
}

std::optional<std::string> AgeText(const TQueueNode* node, int64_t now, std::string_view kinds) {
  bool wanted[4] = {false, false, false, false};  // netmail, echomail, files, requests
  for (char c : kinds) {
    const size_t kind = std::string_view("NEFR").find(UpperChar(c));
    if (kind == std::string_view::npos) return std::nullopt;
    wanted[kind] = true;
  }
  if (node == nullptr) return std::string();
  std::optional<int64_t> oldest;
  for (size_t i = 0; i < node->Items.Count(); ++i) {
    const TQIStr& item = node->Items[i];
    const bool request = item.Flavour == kFlavourRequest;
    if (!(request ? wanted[3] : item.Kind >= 1 && item.Kind <= 3 && wanted[item.Kind - 1])) continue;
    if (!oldest || item.Stamp < *oldest) oldest = item.Stamp;
  }
  if (!oldest) return std::string();
  return std::to_string(std::max<int64_t>(0, now - *oldest));
}

std::string OldText(const TQueueNode* node, int64_t now) {
  if (node == nullptr) return "0";
  return std::to_string(std::llround(static_cast<double>(NodeAge(*node, now)) / kDaySeconds));
}

std::string CDayTimeText(const TQueueNode* node, int64_t now, std::string_view params, TTextUnits units) {
  std::string limitText, mark;
  if (!CutParams(params, limitText, mark)) mark = params;
  if (node == nullptr) return Format("%11s", "00:00");
  const int64_t limit = DecimalOr(limitText, 65025);
  const int64_t age = NodeAge(*node, now);
  const int64_t days = age / kDaySeconds;
  const int64_t rest = age % kDaySeconds;
  const std::string time = Format("%02d:%02d", static_cast<int>(rest / 3600), static_cast<int>(rest % 3600 / 60));
  std::string text = days == 0 ? Format("%11s", time.c_str()) : Format("  %3lld-%s", static_cast<long long>(days), time.c_str());
  if (days >= limit && !mark.empty()) text.replace(0, 1, units.Part(mark, 0, 1));
  return text;
}

std::string FDaysText(const TQueueNode* node, int64_t now, std::string_view params, TTextUnits units) {
  std::string limitText, mark;
  if (!CutParams(params, limitText, mark)) limitText = params;
  if (mark.empty()) mark = "!";
  if (node == nullptr) return " !";
  const int64_t limit = std::min<int64_t>(DecimalOr(limitText, 0), 99);
  const int64_t days = NodeAge(*node, now) / kDaySeconds;
  if (days > limit) return " " + std::string(units.Part(mark, 0, 1));
  return Format("%2lld", static_cast<long long>(days));
}

std::string FromDayText(const TQueueNode* node, const TDateTime& today) {
  return FormatDatePattern("dd-mm-yyyy", node == nullptr ? today : UnixToDate(node->Oldest));
}

}  // namespace zeb
