#include "template/statements.h"

#include "template/arguments.h"
#include "template/parser.h"

namespace zeb {

std::string TFixedTextCommand::Invoke(TInterpreter&, TBufStream&) { return text_; }

namespace {

// Out of line, so that the flag statements (every @end of a run) stay cheap.
[[gnu::noinline, gnu::cold]] void NoteOutsideBlock(TTemplateParser& owner, char commandChar, const std::string& name) {
  owner.NoteProblem(true, std::string(1, commandChar) + name + " without a block");
}

}  // namespace

std::string TFlagCommand::Invoke(TInterpreter&, TBufStream&) {
  if (Owner->BlockDepth() == 0) [[unlikely]]
    NoteOutsideBlock(*Owner, CommandChar, Name);
  if (!onlyWithOutput_ || (Enabled && Active)) Owner->*flag_ = true;
  return {};
}

std::string TSwitchCommand::InvokeText(TInterpreter&, const std::string& text) {
  const std::string word = Owner->Evaluate(true, TrimmedSpaces(text));
  if (word == "1" || word == "on" || word == "true") Owner->*flag_ = true;
  if (word == "0" || word == "off" || word == "false") Owner->*flag_ = false;
  return {};
}

std::string TRaiseErrorCommand::InvokeText(TInterpreter&, const std::string& text) {
  if (Enabled || Active) {
    const std::string message = Owner->Evaluate(true, ExpandQuotes(TrimSpaces(text), CommandChar));
    // The template's own words: they need not name the statement.
    Owner->ReportError("User raise error: %s\n\r", {message});
  }
  return {};
}

std::string TDiscardCommand::Invoke(TInterpreter&, TBufStream&) {
  if (Enabled && Active) Owner->Discard();
  return {};
}

}  // namespace zeb
