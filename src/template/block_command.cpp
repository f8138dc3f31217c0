#include "template/block_command.h"

#include "template/parser.h"

namespace zeb {

std::string TBlockCommand::Capture(TInterpreter&, bool, TBufStream&) {
  ReportError("Block statement @%s is not allowed here\n\r", {Name});
  return {};
}

void TBlockCommand::ExecuteBlock(TInterpreter& caller, bool enabled, bool active, bool aborted) {
  TTemplateParser& root = *Owner;
  if (root.blockDepth_ >= TTemplateParser::kMaxNesting) {
    ReportError("Nesting too deep\n\r");
    return;
  }
  if (!root.TakeSteps()) return;
  // Saved and restored: the same statement may be nested inside itself.
  const bool savedEnabled = Enabled, savedActive = Active;
  TBufStream* savedInput = Input;
  Enabled = enabled && !aborted;
  Active = active;
  Input = caller.Input;
  root.BreakSeen = false;
  ++root.blockDepth_;
  root.SwallowLineEnd();
  root.RunBody(*this, *Input, this);
  --root.blockDepth_;
  // The body ran to the end of the template.
  if (!root.EndSeen && !root.Stopped)
    root.NoteProblem(false, std::string(1, CommandChar) + Name + " without " + CommandChar + "end");
  root.EndSeen = false;
  Enabled = savedEnabled;
  Active = savedActive;
  Input = savedInput;
}

}  // namespace zeb
