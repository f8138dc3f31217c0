#include "reports/node_notes.h"

#include "support/text.h"
#include "template/dates.h"

namespace zeb {

std::string HoldUntilText(const TQueueNode* node, int64_t now, std::string_view pattern) {
  if (node == nullptr || node->Notes.HoldUntil <= now) return {};
  return FormatDatePattern(pattern, UnixToDate(node->Notes.HoldUntil));
}

std::string TryCountText(const TQueueNode* node) {
  if (node == nullptr || !node->Notes.HasTries) return {};
  return Format("%u/%u", unsigned{node->Notes.GoodTries}, unsigned{node->Notes.BadTries});
}

std::string TryTextOf(const TQueueNode* node) {
  if (node == nullptr || !node->Notes.HasTries) return {};
  return node->Notes.TryText;
}

}  // namespace zeb
