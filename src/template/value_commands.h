// Named values and aliases — the template's variables and macros — and the
// statements define and alias that create them. Both live in the parser's
// command table like any function, so @name works for all alike.
#pragma once

#include <string>

#include "template/command.h"

namespace zeb {

// A named value: @name produces Value. Takes no parameter list, so
// "@x(1)" is the value followed by the text "(1)".
class TValueCommand : public TTemplateCommand {
 public:
  TValueCommand(std::string name, std::string value) : TTemplateCommand(std::move(name)), Value(std::move(value)) {
    Replaceable = true;
  }
  std::string Value;
  std::string Invoke(TInterpreter& caller, TBufStream& params) override;
};

// An alias: @name produces its body, evaluated anew at every use (with
// output off where output is off, so that its functions change nothing).
class TAliasCommand : public TValueCommand {
 public:
  using TValueCommand::TValueCommand;
  std::string Invoke(TInterpreter& caller, TBufStream& params) override;
};

// @define(@name, value): stores the value evaluated now. Acts only with
// output on.
class TDefineCommand : public TTemplateCommand {
 public:
  TDefineCommand() : TTemplateCommand("define", true, true) {}
  std::string InvokeText(TInterpreter& caller, const std::string& text) override;
};

// @alias(@name, body): stores the body unevaluated. Acts even in a branch
// that is not taken.
class TAliasStatement : public TTemplateCommand {
 public:
  TAliasStatement() : TTemplateCommand("alias", true, true) {}
  std::string InvokeText(TInterpreter& caller, const std::string& text) override;
};

// The name of "@name, rest" (plain search for the first comma; both parts
// trimmed), or false when there is no comma or the name part does not begin
// with the command character.
bool SplitNamedValue(const std::string& text, char commandChar, std::string& name, std::string& rest);

// Makes room for a new named value: removes any entry of that name, or,
// when the name belongs to a command that is not replaceable, reports
// "Can't replace function @%s\n\r" through `statement` and gives false.
bool FreeValueName(TTemplateCommand& statement, const std::string& name);

}  // namespace zeb
