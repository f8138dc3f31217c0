#include "reports/node_sizes.h"

#include "support/text.h"

namespace zeb {

std::optional<int64_t> SumByType(const TReportShare& share, const TQueueNode* node, std::string_view letters,
                                 bool bytes) {
  bool fromReport = false;
  for (char c : letters) {
    const char upper = UpperChar(c);
    if (upper != 'N' && upper != 'E' && upper != 'F' && upper != 'T') return std::nullopt;
    if (upper == 'T') fromReport = true;
  }
  int64_t figures[3];
  if (fromReport) {
    figures[0] = bytes ? share.NetmailSize : share.NetmailCount;
    figures[1] = bytes ? share.EchomailSize : share.EchomailCount;
    figures[2] = bytes ? share.FilesSize : share.FilesCount;
  } else if (node != nullptr) {
    figures[0] = bytes ? node->NetmailSize : node->NetmailCount;
    figures[1] = bytes ? node->EchomailSize : node->EchomailCount;
    figures[2] = bytes ? node->FilesSize : node->FilesCount;
  } else {
    return 0;
  }
  bool counted[3] = {false, false, false};
  int64_t sum = 0;
  for (char c : letters) {
    const size_t kind = std::string_view("NEF").find(UpperChar(c));
    if (kind == std::string_view::npos || counted[kind]) continue;
    counted[kind] = true;
    sum += figures[kind];
  }
  return sum;
}

std::string PercentText(const TQueueNode* node, int64_t queueBytes) {
  int64_t hundredths = 0;
  if (node != nullptr && queueBytes != 0) {
    const int64_t bytes = node->NetmailSize + node->EchomailSize + node->FilesSize;
    hundredths = bytes * 10000 / queueBytes;
  }
  return Format("%6.2f", static_cast<double>(hundredths) / 100);
}

}  // namespace zeb
