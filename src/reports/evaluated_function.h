// The calling style shared by the text, size, date, character and drive
// functions of report templates: the raw parameter text is trimmed and
// evaluated, and a body computes the result from the evaluated text.
#pragma once

#include <string>
#include <string_view>

#include "support/utf8.h"
#include "template/command.h"

namespace zeb {

class TEvaluatedFunction : public TTemplateCommand {
 public:
  // `evaluated` is the trimmed parameter text after Evaluate.
  using Body = std::string (*)(TEvaluatedFunction& self, const std::string& evaluated);

  TEvaluatedFunction(std::string name, Body body) : TTemplateCommand(std::move(name), true, true), body_(body) {}

  // A function met where output is off (a branch that is not taken) does
  // nothing: its result could not be seen, and a rejected argument there
  // would end the run without a visible message.
  std::string InvokeText(TInterpreter& caller, const std::string& text) override;

  // Writes "Bad type of @<argument> parametr" into the output and ends the
  // run; the result is empty.
  std::string BadParameter(const char* argument);

  // How @len, @center and @just count: in bytes, or in characters for a
  // report declared UTF-8.
  TTextUnits Units{false};

 private:
  Body body_;
};

// The evaluated text cut at its last comma (the part before may hold commas
// of its own); both parts trimmed. Without a comma the whole text is the
// part after and the part before is empty.
struct TLastCommaCut {
  std::string Before;
  std::string After;
};
TLastCommaCut CutAtLastComma(std::string_view text);

}  // namespace zeb
