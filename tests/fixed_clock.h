// Stops the local clock at one moment for the life of the object.
#pragma once

#include "platform/system.h"
#include "template/dates.h"

namespace zeb::test {

class FixedClock {
 public:
  FixedClock(int year, int month, int day, int hour, int minute, int second) {
    SetFixedClock(DateToUnix(second, minute, hour, day, month, year));
  }
  ~FixedClock() { SetFixedClock(std::nullopt); }
  FixedClock(const FixedClock&) = delete;
  FixedClock& operator=(const FixedClock&) = delete;
};

}  // namespace zeb::test
