// The log line layout expanded per record.
#include <gtest/gtest.h>

#include "log/log_writer.h"
#include "platform/system.h"
#include "template/dates.h"

namespace zeb {
namespace {

TLogRec Record(const std::string& text) {
  TLogRec rec;
  rec.Time = DateToUnix(9, 8, 7, 5, 3, 2002);
  rec.Text = text;
  return rec;
}

TEST(LogWriter, DefaultLayout) {
  TLogWriter writer{TLogSettings{}};
  const std::string d(1, DateSeparator()), t(1, TimeSeparator());
  EXPECT_EQ(writer.FormatRecord(Record("Make reports")),
            "05" + d + "03" + d + "02 07" + t + "08" + t + "09 \u25A0 Make reports");
}

TEST(LogWriter, MessageIsWrittenLiterally) {
  TLogSettings settings;
  settings.LogFormat = "[@log]";
  TLogWriter bare{settings};
  EXPECT_EQ(bare.FormatRecord(Record("mail to a@b @date @@ @if(1)")), "[mail to a@b @date @@ @if(1)]");
  EXPECT_EQ(bare.FormatRecord(Record("")), "[]");
}

TEST(LogWriter, ConfiguredFormatsAndNamesWithoutCase) {
  TLogSettings settings;
  settings.DateFormat = "yyyy-mm-dd";
  settings.TimeFormat = "hh'h'nn";
  settings.LogFormat = "@DATE @Time @@ @define(@x, 1) @log";
  TLogWriter writer{settings};
  EXPECT_EQ(writer.FormatRecord(Record("m")), "2002-03-05 07h08 @ @define(@x, 1) m")
      << "the log writer knows only its three functions";
}

}  // namespace
}  // namespace zeb
