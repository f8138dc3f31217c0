#include "reports/char_functions.h"

#include "template/arguments.h"
#include "template/numbers.h"

namespace zeb {

std::string CharFunction(TEvaluatedFunction& self, const std::string& evaluated) {
  const int64_t code = TextToInt(ExpandQuotes(evaluated, self.CommandChar));
  return std::string(1, static_cast<char>(static_cast<uint64_t>(code) & 0xFF));
}

std::string CodeFunction(TEvaluatedFunction& self, const std::string& evaluated) {
  const std::string text = ExpandQuotes(evaluated, self.CommandChar);
  return std::to_string(text.empty() ? 0 : static_cast<unsigned char>(text[0]));
}

std::string LenFunction(TEvaluatedFunction& self, const std::string& evaluated) {
  return std::to_string(self.Units.Length(ExpandQuotes(evaluated, self.CommandChar)));
}

}  // namespace zeb
