#include "reports/node_flags.h"

#include "outbound/for_queue.h"

namespace zeb {

bool FlavourPresent(const TQueueNode& node, uint8_t flavour) {
  if (node.Flags.find(FlavourLetter(flavour)) != std::string::npos) return true;
  // The flavour's three item marks stand at 3f-5 .. 3f-3 (1-based).
  const size_t first = 3 * static_cast<size_t>(flavour) - 6;
  for (size_t i = first; i < first + 3 && i < node.Flags.size(); ++i) {
    if (node.Flags[i] != kNoFlag) return true;
  }
  return false;
}

bool BusyPresent(const TQueueNode& node) { return node.Flags.find('b') != std::string::npos; }

std::string FlagsText(const TQueueNode* node) {
  std::string text(10, ' ');
  if (node == nullptr) return text;
  if (BusyPresent(*node)) text[0] = 'b';
  for (uint8_t f = kFlavourImmediate; f <= kFlavourRequest; ++f) {
    if (FlavourPresent(*node, f)) text[f - 1] = FlavourLetter(f);
  }
  return text;
}

std::string PFlagsText(const TQueueNode* node) {
  if (node == nullptr) return std::string(6, ' ');
  std::string text;
  for (uint8_t f = kFlavourRequest; f >= kFlavourImmediate; --f) {
    if (!FlavourPresent(*node, f)) continue;
    const char letter = FlavourLetter(f);
    if (f >= kFlavourNormal || text.empty()) {
      text.insert(text.begin(), letter);
    } else if (text[0] == 'I' || text[0] == 'C' || text[0] == 'D') {
      // Only one of the direct flavours shows: the most urgent.
      text[0] = letter;
    } else {
      text.insert(text.begin(), letter);
    }
  }
  if (text.size() < 6) text.insert(0, 6 - text.size(), ' ');
  if (BusyPresent(*node)) text[0] = 'b';
  return text;
}

}  // namespace zeb
