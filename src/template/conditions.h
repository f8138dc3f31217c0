// The statements if and while, and the condition they test.
#pragma once

#include <string>

#include "template/block_command.h"

namespace zeb {

// @if(condition) ... [@else ...] @end. A condition is one operand (false
// when empty or "0", otherwise true, and never evaluated) or three parts
// "left, operator, right" separated by "," or ";" with the operators = < >
// <> <= >=; two numbers compare as numbers, anything else as bytes.
class TIfCommand : public TBlockCommand {
 public:
  TIfCommand() : TBlockCommand("if", true, false) {}
  void Execute(TInterpreter& caller, bool enabled, bool active, TBufStream& params) override;

 protected:
  TIfCommand(std::string name, bool hasElse, bool breakable) : TBlockCommand(std::move(name), hasElse, breakable) {}
  // Evaluates the condition and runs the body once (skipping it when the
  // condition is false); returns the condition.
  bool Test(TInterpreter& caller, bool enabled, bool active, const std::string& params);
};

// @while(condition) ... @end: runs the body again, re-evaluating the
// condition each time, until it is false, a @break or an error.
class TWhileCommand : public TIfCommand {
 public:
  TWhileCommand() : TIfCommand("while", false, true) {}
  void Execute(TInterpreter& caller, bool enabled, bool active, TBufStream& params) override;
};

}  // namespace zeb
