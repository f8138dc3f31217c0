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
  virtual bool InRange(int32_t current, int32_t limit) const { return current <= limit; }
  // One step in the loop's direction; counters wrap like 32-bit integers.
  virtual int32_t Step(int32_t current) const {
    return static_cast<int32_t>(static_cast<uint32_t>(current) + 1u);
  }
};

// @fordown(@name, from, to) ... @end: counts down.
class TFordownCommand : public TForCommand {
 public:
  TFordownCommand() : TForCommand("fordown") {}

 protected:
  bool InRange(int32_t current, int32_t limit) const override { return current >= limit; }
  int32_t Step(int32_t current) const override { return static_cast<int32_t>(static_cast<uint32_t>(current) - 1u); }
};

}  // namespace zeb
