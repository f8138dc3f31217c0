#include "template/value_commands.h"

#include <memory>

#include "template/arguments.h"
#include "template/parser.h"

namespace zeb {

bool SplitNamedValue(const std::string& text, char commandChar, std::string& name, std::string& rest) {
  const size_t comma = text.find(',');
  if (comma == std::string::npos) return false;
  const std::string part = TrimSpaces(std::string_view(text).substr(0, comma));
  if (part.empty() || part[0] != commandChar) return false;
  name = part.substr(1);
  rest = TrimSpaces(std::string_view(text).substr(comma + 1));
  return true;
}

bool FreeValueName(TTemplateCommand& statement, const std::string& name) {
  const TTemplateCommand* existing = statement.Owner->FindCommand(name);
  if (existing != nullptr && !existing->Replaceable) {
    statement.ReportError("Can't replace function @%s\n\r", {name});
    return false;
  }
  statement.Owner->RemoveCommand(name);
  return true;
}

std::string TValueCommand::Invoke(TInterpreter&, TBufStream&) { return Value; }

std::string TAliasCommand::Invoke(TInterpreter&, TBufStream&) { return Owner->Evaluate(Enabled && Active, Value); }

std::string TDefineCommand::InvokeText(TInterpreter&, const std::string& text) {
  std::string name, rest;
  if (text.empty() || !Enabled || !Active || !SplitNamedValue(text, CommandChar, name, rest)) return {};
  const std::string value = Owner->Evaluate(true, ExpandQuotes(rest, CommandChar));
  if (FreeValueName(*this, name)) Owner->AddCommand(std::make_unique<TValueCommand>(name, value));
  return {};
}

std::string TAliasStatement::InvokeText(TInterpreter&, const std::string& text) {
  std::string name, body;
  if (text.empty() || !SplitNamedValue(text, CommandChar, name, body)) return {};
  if (FreeValueName(*this, name))
    Owner->AddCommand(std::make_unique<TAliasCommand>(name, ExpandQuotes(body, CommandChar)));
  return {};
}

}  // namespace zeb
