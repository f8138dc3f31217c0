// The log section: the log file, its level and line layout; its end hands
// the settings to whoever starts the logger.
#include "config/line_parse.h"
#include "config/paths.h"
#include "config/records.h"
#include "config/section_table.h"
#include "config/sections.h"
#include "support/text.h"

namespace zeb {

namespace {

bool Path(TLoadContext& context, const std::string& value) {
  std::string path = ExpandPath(value, context.ConfigDir);
  if (path.empty()) return RejectEmptyPath(context);
  context.LogSettings.Path = std::move(path);
  return true;
}

bool Level(TLoadContext& context, const std::string& value) {
  static const char* const kLevels[] = {"low", "normal", "high", "detail", "debug"};
  const std::string word = LowerStr(value);
  for (int level = 0; level < 5; ++level) {
    if (word == kLevels[level]) {
      context.LogSettings.Level = level;
      return true;
    }
  }
  return RejectUnknown(context, "level", value, kLevels);
}

// A format in double quotes, which are removed; it must not be empty.
bool QuotedFormat(TLoadContext& context, const std::string& value, std::string& format) {
  if (value.size() < 3 || value.front() != '"' || value.back() != '"')
    return Reject(context, "the format must be written in double quotes and not be empty");
  format = value.substr(1, value.size() - 2);
  return true;
}

bool DateFormat(TLoadContext& context, const std::string& value) { return QuotedFormat(context, value, context.LogSettings.DateFormat); }
bool TimeFormat(TLoadContext& context, const std::string& value) { return QuotedFormat(context, value, context.LogSettings.TimeFormat); }
bool LogFormat(TLoadContext& context, const std::string& value) { return QuotedFormat(context, value, context.LogSettings.LogFormat); }
bool Rewritable(TLoadContext& context, const std::string& value) { return ParseBoolean(context, value, context.LogSettings.Rewritable); }

bool SleepTime(TLoadContext& context, const std::string& value) {
  const int64_t ms = TextToInt(value, -1);
  if (ms < 1 || ms > 10000) {
    context.PendingMessage = Format("Out of range: min %d - max %d", 1, 10000);
    return false;
  }
  context.LogSettings.SleepTime = static_cast<int>(ms);
  return true;
}

// The command line's level wins over the configured one.
bool LogEnd(TLoadContext& context) {
  if (context.CommandLineLogLevel >= 0) context.LogSettings.Level = context.CommandLineLogLevel;
  if (context.LogSectionEnded && context.LogSectionEnded(context.LogSettings))
    context.Config.LogPath = context.LogSettings.Path;
  return true;
}

// The lines of the run so far still reach the log file the section names,
// also when a later line of it is rejected.
bool LogRejected(TLoadContext& context) { return !context.LogSettings.Path.empty() && LogEnd(context); }

const TSectionTable kLogTable{{
                                  {"path", Path},
                                  {"level", Level},
                                  {"dateformat", DateFormat},
                                  {"timeformat", TimeFormat},
                                  {"logformat", LogFormat},
                                  {"rewritable", Rewritable},
                                  {"sleeptime", SleepTime},
                              },
                              LogEnd, nullptr, LogRejected};

}  // namespace

bool OpenLogSection(TLoadContext& context, const std::string& rest) {
  context.LogSettings = TLogSettings{};
  return OpenPlainSection(context, rest, kLogTable);
}

}  // namespace zeb
