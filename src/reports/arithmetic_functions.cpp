#include "reports/arithmetic_functions.h"

#include <limits>
#include <memory>

#include "template/arguments.h"
#include "template/numbers.h"
#include "template/parser.h"
#include "template/value_commands.h"

namespace zeb {

namespace {

// A variable's text as a number. Results below zero are stored as "-5", so
// such a text is read back as the negative number; any other text that is
// not all digits counts as 0.
int64_t ValueOf(const std::string& text) {
  if (text.size() > 1 && text[0] == '-' && ClassifyNumber(std::string_view(text).substr(1)) == 1)
    return static_cast<int64_t>(0 - static_cast<uint64_t>(DigitsToInt64(std::string_view(text).substr(1))));
  return DigitsToInt64(text);
}

bool Overflows(int64_t a, int64_t b) { return a == std::numeric_limits<int64_t>::min() && b == -1; }

}  // namespace

std::string TArithmeticFunction::InvokeText(TInterpreter&, const std::string& text) {
  std::string name, rest;
  if (!Enabled || !Active || !SplitNamedValue(text, CommandChar, name, rest)) return {};
  // Both sides are read before the variable is replaced, so that
  // @add(@x, @x) doubles x.
  const int64_t a = ValueOf(Owner->Evaluate(true, ExpandQuotes(CommandChar + name, CommandChar)));
  const int64_t b = ValueOf(Owner->Evaluate(true, ExpandQuotes(rest, CommandChar)));
  if (FreeValueName(*this, name))
    Owner->AddCommand(std::make_unique<TValueCommand>(name, Int64ToBase(operation_(a, b), 10)));
  return {};
}

int64_t AddValues(int64_t a, int64_t b) {
  return static_cast<int64_t>(static_cast<uint64_t>(a) + static_cast<uint64_t>(b));
}

int64_t SubValues(int64_t a, int64_t b) {
  return static_cast<int64_t>(static_cast<uint64_t>(a) - static_cast<uint64_t>(b));
}

int64_t MulValues(int64_t a, int64_t b) {
  return static_cast<int64_t>(static_cast<uint64_t>(a) * static_cast<uint64_t>(b));
}

int64_t DivValues(int64_t a, int64_t b) {
  if (b == 0) return 0;
  return Overflows(a, b) ? a : a / b;
}

int64_t ModValues(int64_t a, int64_t b) {
  if (b == 0 || Overflows(a, b)) return 0;
  return a % b;
}

}  // namespace zeb
