// @add, @sub, @mul, @div and @mod(@variable, operand): integer arithmetic
// on a template variable, which they create when it does not exist.
#pragma once

#include <cstdint>
#include <string>

#include "template/command.h"

namespace zeb {

class TArithmeticFunction : public TTemplateCommand {
 public:
  using Operation = int64_t (*)(int64_t a, int64_t b);

  TArithmeticFunction(std::string name, Operation operation)
      : TTemplateCommand(std::move(name), true, true), operation_(operation) {}

  // Acts only with output on; the result is always empty.
  std::string InvokeText(TInterpreter& caller, const std::string& text) override;

 private:
  Operation operation_;
};

// The operations, wrapping around on overflow; a division by zero gives 0.
int64_t AddValues(int64_t a, int64_t b);
int64_t SubValues(int64_t a, int64_t b);
int64_t MulValues(int64_t a, int64_t b);
int64_t DivValues(int64_t a, int64_t b);
int64_t ModValues(int64_t a, int64_t b);

}  // namespace zeb
