// The counting loops foreach, for and fordown.
#pragma once

#include <cstdint>
#include <string>

#include "template/block_command.h"

namespace zeb {

// @foreach(count) ... @end: runs the body count times; a count that is not
// a number counts its characters.
class TForeachCommand : public TBlockCommand {
 public:
  TForeachCommand() : TBlockCommand("foreach", false, true) {}
  void Execute(TInterpreter& caller, bool enabled, bool active, TBufStream& params) override;
};

// @for(@name, from, to) ... @end: runs the body with the named value @name
// counting from `from` up to `to`; the body may change the counter.
class TForCommand : public TBlockCommand {
 public:
  TForCommand() : TBlockCommand("for", false, true) {}
  void Execute(TInterpreter& caller, bool enabled, bool active, TBufStream& params) override;

 protected:
  explicit TForCommand(std::string name) : TBlockCommand(std::move(name), false, true) {}
  virtual bool InRange(int64_t current, int64_t limit) const { return current <= limit; }
  // Whether a step from `current` stays within `limit`; a counter at the
  // limit takes no step, so it never leaves the 64-bit range.
  virtual bool StepsBefore(int64_t current, int64_t limit) const { return current < limit; }
  virtual int64_t Step(int64_t current) const { return current + 1; }
};

// @fordown(@name, from, to) ... @end: counts down.
class TFordownCommand : public TForCommand {
 public:
  TFordownCommand() : TForCommand("fordown") {}

 protected:
  bool InRange(int64_t current, int64_t limit) const override { return current >= limit; }
  bool StepsBefore(int64_t current, int64_t limit) const override { return current > limit; }
  int64_t Step(int64_t current) const override { return current - 1; }
};

}  // namespace zeb
