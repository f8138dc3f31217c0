// TBlockCommand: the base of the block statements (if, while, foreach, for,
// fordown). A block runs its body by reading on in its caller's input up to
// the matching @end, with output off when the body is only being skipped;
// loops re-position that input for every pass.
#pragma once

#include <string>

#include "template/command.h"

namespace zeb {

class TBlockCommand : public TTemplateCommand {
 public:
  TBlockCommand(std::string name, bool hasElse, bool breakable)
      : TTemplateCommand(std::move(name), true, false), HasElse(hasElse), Breakable(breakable) {}

  // An @else met directly in the body flips the branch.
  const bool HasElse;
  // A @break met in the body ends the loop.
  const bool Breakable;

  // A block statement cannot stand inside an evaluated text.
  std::string Capture(TInterpreter& caller, bool enabled, TBufStream& params) override;

 protected:
  // Runs the body from the caller's input position, starting with
  // SwallowLineEnd: commands in it get the body's flags, @else flips it
  // (HasElse), @break silences the rest (Breakable), @end ends it. With
  // `aborted` (the statement reported an error) output stays off.
  void ExecuteBlock(TInterpreter& caller, bool enabled, bool active, bool aborted = false);
};

}  // namespace zeb
