#include "reports/layout_functions.h"

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
  return CenterText(self.Units, text,
                    ClassifyNumber(cut.After) == 1 ? WidthOf(cut.After) : self.Units.Length(text));
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
