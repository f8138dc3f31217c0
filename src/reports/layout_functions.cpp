#include "reports/layout_functions.h"

#include "support/text.h"
#include "template/arguments.h"
#include "template/numbers.h"

namespace zeb {

namespace {

// The text with blanks before and after it.
std::string Padded(size_t before, std::string_view text, size_t after) {
  std::string result(before, ' ');
  result += text;
  result.append(after, ' ');
  return result;
}

// The text centred in `width` columns; a text longer than that keeps its
// middle part.
std::string CenterText(const TTextUnits& units, const std::string& text, size_t width) {
  const size_t length = units.Length(text);
  if (width < length) return std::string(units.Part(text, (length - width) / 2, width));
  const size_t before = (width - length) / 2;
  return Padded(before, text, width - length - before);
}

}  // namespace

std::string CenterFunction(TEvaluatedFunction& self, const std::string& evaluated) {
  const TLastCommaCut cut = CutAtLastComma(evaluated);
  const std::string text = ExpandQuotes(cut.Before, self.CommandChar);
  size_t width = self.Units.Length(text);
  if (ClassifyNumber(cut.After) == 1 && !ReadWidth(cut.After, width)) return self.BadParameter("MaxLen");
  return CenterText(self.Units, text, width);
}

std::string JustFunction(TEvaluatedFunction& self, const std::string& evaluated) {
  const TLastCommaCut outer = CutAtLastComma(evaluated);
  const TLastCommaCut inner = CutAtLastComma(outer.Before);
  const std::string& mode = outer.After;
  const char kind = mode.empty() ? '\0' : UpperChar(mode[0]);
  if (mode.size() != 1 && kind != 'C' && kind != 'L' && kind != 'R') return self.BadParameter("Format");
  size_t width;
  if (!ReadWidth(inner.After, width)) return self.BadParameter("MaxLen");
  const std::string text = ExpandQuotes(inner.Before, self.CommandChar);
  const TTextUnits& units = self.Units;
  const size_t length = units.Length(text);
  switch (kind) {
    case 'L':
      return width < length ? std::string(units.Part(text, 0, width)) : Padded(0, text, width - length);
    case 'C':
      return CenterText(units, text, width);
    case 'R':
      return width < length ? std::string(units.Part(text, length - width, width)) : Padded(width - length, text, 0);
    default:
      return std::string(width, ' ');
  }
}

}  // namespace zeb
