// What the log section of the configuration sets for the logger.
#pragma once

#include <string>

#include "log/marks.h"

namespace zeb {

struct TLogSettings {
  std::string Path;        // empty: "zeb.log" in the current directory
  int Level = 1;           // 0 low .. 4 debug
  std::string DateFormat;  // empty: "DD/MM/YY"
  std::string TimeFormat;  // empty: "HH:NN:SS"
  std::string LogFormat;   // empty: "@date @time", the bullet mark, "@log"
  bool Rewritable = false;
  int SleepTime = 1000;    // milliseconds

  // The settings with the defaults put in for empty texts.
  TLogSettings WithDefaults() const {
    TLogSettings s = *this;
    if (s.Path.empty()) s.Path = "zeb.log";
    if (s.DateFormat.empty()) s.DateFormat = "DD/MM/YY";
    if (s.TimeFormat.empty()) s.TimeFormat = "HH:NN:SS";
    if (s.LogFormat.empty()) s.LogFormat = std::string("@date @time ") + kBulletMark + " @log";
    return s;
  }
};

}  // namespace zeb
