#include "reports/layout_functions.h"

#include <algorithm>

#include "support/text.h"
#include "template/arguments.h"
#include "template/numbers.h"

namespace zeb {

namespace {

// A width written as a number, read in 32 bits as it always was (a wider
// reading would ask for gigabytes of blanks); one that wraps below zero
// counts as 0.
size_t WidthOf(const std::string& number) {
  const auto width = static_cast<int32_t>(TextToInt(number));
  return width < 0 ? 0 : static_cast<size_t>(width);
}

// The text centred in `width` columns; a text longer than that keeps its
// middle part.
std::string CenterText(const std::string& text, size_t width) {
  if (width < text.size()) return text.substr((text.size() - width) / 2, width);
  std::string result(width, ' ');
  result.replace((width - text.size()) / 2, text.size(), text);
  return result;
}

}  // namespace

std::string CenterFunction(TEvaluatedFunction& self, const std::string& evaluated) {
  const TLastCommaCut cut = CutAtLastComma(evaluated);
  const std::string text = ExpandQuotes(cut.Before, self.CommandChar);
  return CenterText(text, ClassifyNumber(cut.After) == 1 ? WidthOf(cut.After) : text.size());
}

std::string JustFunction(TEvaluatedFunction& self, const std::string& evaluated) {
  const TLastCommaCut outer = CutAtLastComma(evaluated);
  const TLastCommaCut inner = CutAtLastComma(outer.Before);
  const std::string& mode = outer.After;
  const char kind = mode.empty() ? '\0' : UpperChar(mode[0]);
  if (mode.size() != 1 && kind != 'C' && kind != 'L' && kind != 'R') return self.BadParameter("Format");
  if (ClassifyNumber(inner.After) != 1) return self.BadParameter("MaxLen");
  const std::string text = ExpandQuotes(inner.Before, self.CommandChar);
  const size_t width = WidthOf(inner.After);
  std::string result(width, ' ');
  switch (kind) {
    case 'L':
      result.replace(0, std::min(width, text.size()), text.substr(0, width));
      break;
    case 'C':
      result = CenterText(text, width);
      break;
    case 'R':
      if (text.size() < width)
        result.replace(width - text.size(), text.size(), text);
      else
        result = text.substr(text.size() - width);
      break;
    default:
      break;
  }
  return result;
}

}  // namespace zeb
