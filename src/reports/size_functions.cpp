#include "reports/size_functions.h"

#include "support/text.h"
#include "support/thousands.h"
#include "template/numbers.h"

namespace zeb {

namespace {

// Megabytes or gigabytes with two decimals after a comma: "1M,50". The
// hundredths are rounded (halves up); when they round up to a whole unit it
// is carried, so 1048575 bytes give "1M,00" rather than "0M,100".
std::string WithHundredths(int64_t value, int64_t unit, char suffix) {
  int64_t whole = value / unit;
  int64_t hundredths = (value % unit * 200 + unit) / (2 * unit);
  if (hundredths == 100) {
    ++whole;
    hundredths = 0;
  }
  return FormatInt64(whole) + suffix + "," + (hundredths < 10 ? "0" : "") + std::to_string(hundredths);
}

}  // namespace

std::string SizeToStrFunction(TEvaluatedFunction& self, const std::string& evaluated) {
  if (ClassifyNumber(evaluated) != 1) return self.BadParameter("Integer");
  // The size's own digits are grouped, so leading zeros remain.
  const char separator = ThousandSeparator();
  std::string result;
  for (size_t i = 0; i < evaluated.size(); ++i) {
    if (separator != '\0' && i > 0 && (evaluated.size() - i) % 3 == 0) result += separator;
    result += evaluated[i];
  }
  return result;
}

std::string SizeTypeFunction(TEvaluatedFunction& self, const std::string& evaluated) {
  const TLastCommaCut cut = CutAtLastComma(evaluated);
  const std::string& unit = cut.After;
  const char kind = unit.empty() ? '\0' : unit[0];
  const char upper = UpperChar(kind);
  if (unit.size() != 1 && upper != 'G' && upper != 'K' && upper != 'M') return self.BadParameter("Format");
  if (ClassifyNumber(cut.Before) != 1) return self.BadParameter("Integer");
  const int64_t value = TextToInt(cut.Before);
  switch (kind) {
    case 'K':
      return FormatSizeUnit(value, kKilo, 'K');
    case 'M':
      return WithHundredths(value, kMega, 'M');
    case 'G':
      return WithHundredths(value, kGiga, 'G');
    default:
      return {};
  }
}

std::string SizeToLimitStrFunction(TEvaluatedFunction& self, const std::string& evaluated) {
  const TLastCommaCut cut = CutAtLastComma(evaluated);
  size_t width;
  if (!ReadWidth(cut.After, width)) return self.BadParameter("MaxLen");
  if (ClassifyNumber(cut.Before) != 1) return self.BadParameter("Integer");
  return FormatSizeLimited(width, TextToInt(cut.Before));
}

}  // namespace zeb
