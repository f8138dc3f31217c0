#include "reports/arithmetic_functions.h"

#include <limits>
#include <memory>

#include "template/arguments.h"
#include "template/numbers.h"
#include "template/parser.h"
#include "template/value_commands.h"

namespace zeb {

namespace {

constexpr int64_t kLargest = std::numeric_limits<int64_t>::max();
constexpr int64_t kSmallest = std::numeric_limits<int64_t>::min();

// A variable's text as a number. Results below zero are stored as "-5", so
// such a text is read back as the negative number; any other text that is
// not all digits counts as 0. Beyond 64 bits a number is the largest (or
// smallest) value.
int64_t ValueOf(const std::string& text) {
  const std::string_view magnitude = std::string_view(text).substr(text.empty() ? 0 : 1);
  if (text.size() > 1 && text[0] == '-' && ClassifyNumber(magnitude) == 1)
    return CompareDigits(magnitude, "9223372036854775808") >= 0 ? kSmallest : -TextToInt(magnitude);
  return TextToInt(text);
}

// The end of the range a result beyond it is held at: the largest value
// when it grew past it, else the smallest.
int64_t Saturated(bool positive) { return positive ? kLargest : kSmallest; }

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
  int64_t sum;
  return __builtin_add_overflow(a, b, &sum) ? Saturated(b > 0) : sum;
}

int64_t SubValues(int64_t a, int64_t b) {
  int64_t difference;
  return __builtin_sub_overflow(a, b, &difference) ? Saturated(b < 0) : difference;
}

int64_t MulValues(int64_t a, int64_t b) {
  int64_t product;
  return __builtin_mul_overflow(a, b, &product) ? Saturated((a < 0) == (b < 0)) : product;
}

// The one quotient beyond the range is the smallest value divided by -1.
int64_t DivValues(int64_t a, int64_t b) {
  if (b == 0) return 0;
  return a == kSmallest && b == -1 ? kLargest : a / b;
}

int64_t ModValues(int64_t a, int64_t b) {
  if (b == 0 || b == -1) return 0;
  return a % b;
}

}  // namespace zeb
