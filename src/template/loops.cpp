#include "template/loops.h"

#include <memory>

#include "template/arguments.h"
#include "template/numbers.h"
#include "template/parser.h"
#include "template/value_commands.h"

namespace zeb {

void TForeachCommand::Execute(TInterpreter& caller, bool enabled, bool active, TBufStream& params) {
  // Read with output off in a branch that is not taken, where the body is
  // only skipped: the functions in the count then change nothing.
  const std::string count = Owner->Evaluate(enabled && active, TrimmedSpaces(ReadAll(params)));
  // A number is the count; any other text counts its characters, except a
  // name that is no command.
  int64_t n = TextToInt(count);
  if (ClassifyNumber(count) == 2 && count[0] != CommandChar) n = static_cast<int64_t>(TrimSpaces(count).size());
  TBufStream& input = *caller.Input;
  const int64_t start = static_cast<int64_t>(input.Position());
  do {
    SwallowLineEnd();
    input.Seek(TBufStream::kFromStart, start);
    ExecuteBlock(caller, enabled, n > 0 && active);
    --n;
  } while (n > 0 && !Owner->BreakSeen && active && !Owner->Stopped);
  Owner->BreakSeen = false;
}

void TForCommand::Execute(TInterpreter& caller, bool enabled, bool active, TBufStream& params) {
  TTemplateParser& root = *Owner;
  const std::string p = TrimSpaces(ReadAll(params));
  // A loop in a branch that is not taken is inert: its parameters are
  // neither read nor checked, and a value of the counter's name stays.
  if (!enabled || !active) {
    ExecuteBlock(caller, false, false);
    return;
  }
  const size_t comma = p.find(',');
  const std::string counter = comma == std::string::npos ? std::string() : TrimSpaces(p.substr(0, comma));
  if (counter.empty() || counter[0] != CommandChar) {
    ReportError("Bad parameters for operator @%s (%s)\n\r", {Name, p});
    ExecuteBlock(caller, false, false, true);
    return;
  }
  const std::string name = counter.substr(1);
  const TTemplateCommand* existing = root.FindCommand(name);
  if (existing != nullptr && !existing->Replaceable) {
    ReportError("Can't replace function @%s\n\r", {name});
    ExecuteBlock(caller, false, false, true);
    return;
  }
  root.RemoveCommand(name);
  const std::string bounds = root.Evaluate(true, ExpandQuotes(TrimSpaces(p.substr(comma + 1)), CommandChar));
  const size_t split = bounds.find(',');
  const std::string from = TrimSpaces(std::string_view(bounds).substr(0, split));
  const std::string to = split == std::string::npos ? std::string() : TrimSpaces(bounds.substr(split + 1));
  if (ClassifyNumber(from) != 1 || ClassifyNumber(to) != 1) {
    ReportError("Bad parameters for operator @%s (%s)\n\r", {Name, p});
    ExecuteBlock(caller, false, false, true);
    return;
  }
  const int64_t limit = TextToInt(to);
  int64_t current = TextToInt(from);
  root.AddCommand(std::make_unique<TValueCommand>(name, std::to_string(current)));

  TBufStream& input = *caller.Input;
  const int64_t start = static_cast<int64_t>(input.Position());
  bool more;
  do {
    SwallowLineEnd();
    input.Seek(TBufStream::kFromStart, start);
    const bool inRange = InRange(current, limit);
    ExecuteBlock(caller, inRange, inRange);
    if (root.Stopped) break;  // the error that stopped the run stays the last output
    auto* value = dynamic_cast<TValueCommand*>(root.FindCommand(name));
    if (value == nullptr) {
      ReportError("Undeclared value %s", {name});
      break;
    }
    if (ClassifyNumber(value->Value) != 1) {
      ReportError("The changed type for value %s", {name});
      break;
    }
    current = TextToInt(value->Value);
    more = StepsBefore(current, limit) && !root.BreakSeen && !root.Stopped;
    if (more) {
      current = Step(current);
      value->Value = std::to_string(current);
    }
  } while (more);
  root.RemoveCommand(name);
  root.BreakSeen = false;
}

}  // namespace zeb
