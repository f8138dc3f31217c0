#include "template/conditions.h"

#include <string_view>

#include "template/arguments.h"
#include "template/numbers.h"
#include "template/parser.h"

namespace zeb {

namespace {

// Byte-wise on unsigned characters, a proper prefix first.
int CompareBytes(std::string_view a, std::string_view b) {
  const int c = a.compare(b);  // char_traits<char> compares as unsigned char
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

bool Holds(std::string_view op, int c) {
  if (op == "=") return c == 0;
  if (op == "<") return c < 0;
  if (op == ">") return c > 0;
  if (op == "<>") return c != 0;
  if (op == "<=") return c <= 0;
  if (op == ">=") return c >= 0;
  return false;
}

}  // namespace

bool TIfCommand::Test(TInterpreter& caller, bool enabled, bool active, const std::string& params) {
  const std::string p = TrimSpaces(params);
  // A branch that is not taken is inert: its conditions are neither read
  // nor checked, the body is only skipped.
  if (p.empty() || p == "0" || !enabled || !active) {
    ExecuteBlock(caller, false, false);
    return false;
  }
  const size_t first = FindSeparator(p);
  if (first == std::string::npos) {
    ExecuteBlock(caller, true, true);
    return true;
  }
  const size_t second = FindSeparator(p, first + 1);
  if (second != std::string::npos && FindSeparator(p, second + 1) != std::string::npos) {
    ReportError("Bad parameters for operator @%s (%s)\n\r", {Name, p});
    ExecuteBlock(caller, false, false, true);
    return false;
  }
  std::string op;
  std::string_view rightPart = std::string_view(p).substr(first + 1);
  if (second != std::string::npos) {
    op = TrimSpaces(std::string_view(p).substr(first + 1, second - first - 1));
    rightPart = std::string_view(p).substr(second + 1);
  }
  const std::string left = ExpandQuotes(Owner->Evaluate(true, TrimmedSpaces(p.substr(0, first))), CommandChar);
  const std::string right = ExpandQuotes(Owner->Evaluate(true, TrimmedSpaces(rightPart)), CommandChar);
  int c;
  if (ClassifyNumber(left) == 1 && ClassifyNumber(right) == 1) {
    c = CompareDigits(left, right);
  } else {
    c = CompareBytes(left, right);
  }
  const bool condition = Holds(op, c);
  ExecuteBlock(caller, true, condition);
  return condition;
}

void TIfCommand::Execute(TInterpreter& caller, bool enabled, bool active, TBufStream& params) {
  Test(caller, enabled, active, ReadAll(params));
}

void TWhileCommand::Execute(TInterpreter& caller, bool enabled, bool active, TBufStream& params) {
  const std::string text = ReadAll(params);
  TBufStream& input = *caller.Input;
  const int64_t start = static_cast<int64_t>(input.Position());
  bool condition;
  do {
    input.Seek(TBufStream::kFromStart, start);
    condition = Test(caller, enabled, active, text);
  } while (condition && !Owner->BreakSeen && active && !Owner->Stopped);
  Owner->BreakSeen = false;
}

}  // namespace zeb
