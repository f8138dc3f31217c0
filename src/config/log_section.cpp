// The log section: the log file, its level and line layout; its end starts
// the logger.
#include "config/line_parse.h"
#include "config/paths.h"
#include "config/records.h"
#include "config/section_table.h"
#include "config/sections.h"
#include "frame/options.h"
#include "log/logger.h"
#include "support/text.h"

namespace zeb {

namespace {

TLogSettings g_settings;  // the settings of the open section

bool Path(const std::string& value) {
  std::string path = ExpandPath(value);
  if (path.empty()) return false;
  g_settings.Path = std::move(path);
  return true;
}

bool Level(const std::string& value) {
  static const char* const kLevels[] = {"low", "normal", "high", "detail", "debug"};
  const std::string word = LowerStr(value);
  for (int level = 0; level < 5; ++level) {
    if (word == kLevels[level]) {
      g_settings.Level = level;
      return true;
    }
  }
  return false;
}

// A format in double quotes, which are removed; it must not be empty.
bool QuotedFormat(const std::string& value, std::string& format) {
  if (value.size() < 3 || value.front() != '"' || value.back() != '"') return false;
  format = value.substr(1, value.size() - 2);
  return true;
}

bool DateFormat(const std::string& value) { return QuotedFormat(value, g_settings.DateFormat); }
bool TimeFormat(const std::string& value) { return QuotedFormat(value, g_settings.TimeFormat); }
bool LogFormat(const std::string& value) { return QuotedFormat(value, g_settings.LogFormat); }
bool Rewritable(const std::string& value) { return ParseBoolean(value, g_settings.Rewritable); }

bool SleepTime(const std::string& value) {
  const int64_t ms = TextToInt(value, -1);
  if (ms < 1 || ms > 10000) {
    SetPendingMessage(Format("Out of range: min %d - max %d", 1, 10000));
    return false;
  }
  g_settings.SleepTime = static_cast<int>(ms);
  return true;
}

// The command line's level wins over the configured one.
bool LogEnd() {
  const int commandLineLevel = CommandLineLogLevel();
  if (commandLineLevel >= 0) g_settings.Level = commandLineLevel;
  // Only the first log section's logger runs.
  if (StartLogger(g_settings)) MainConfig().LogPath = g_settings.Path;
  return true;
}

const TSectionTable kLogTable{{
                                  {"path", Path},
                                  {"level", Level},
                                  {"dateformat", DateFormat},
                                  {"timeformat", TimeFormat},
                                  {"logformat", LogFormat},
                                  {"rewritable", Rewritable},
                                  {"sleeptime", SleepTime},
                              },
                              LogEnd};

}  // namespace

bool OpenLogSection(const std::string& rest) {
  g_settings = TLogSettings{};
  return OpenPlainSection(rest, kLogTable);
}

}  // namespace zeb
