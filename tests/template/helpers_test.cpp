// Numbers, sizes, date patterns and the argument operations.
#include <gtest/gtest.h>

#include "platform/system.h"
#include "support/thousands.h"
#include "template/arguments.h"
#include "template/dates.h"
#include "template/interpreter.h"
#include "template/numbers.h"

namespace zeb {
namespace {

TEST(Numbers, ClassifyNumber) {
  EXPECT_EQ(ClassifyNumber(""), 0);
  for (const char* n : {"0", "000", "42", "0042"}) EXPECT_EQ(ClassifyNumber(n), 1) << n;
  for (const char* n : {"-1", "+5", "4 2", " 4", "4a", "$10", "1.5", "1,000"}) EXPECT_EQ(ClassifyNumber(n), 2) << n;
}

TEST(Numbers, TextToInt) {
  EXPECT_EQ(TextToInt("$1F"), 0) << "numbers are decimal";
  EXPECT_EQ(TextToInt("12x"), 0);
  EXPECT_EQ(TextToInt(""), 0);
  EXPECT_EQ(TextToInt("-5"), 0);
  EXPECT_EQ(TextToInt("4294967297"), 4294967297);
  EXPECT_EQ(TextToInt("99999999999999999999"), INT64_MAX) << "decimal stops at the largest value";
  EXPECT_EQ(TextToInt("9876543210123"), 9876543210123);
}

TEST(Numbers, Int64ToBaseAndFormatInt64) {
  EXPECT_EQ(Int64ToBase(0, 10), "0");
  EXPECT_EQ(Int64ToBase(255, 16), "FF");
  EXPECT_EQ(Int64ToBase(-42, 10), "-42");
  SetThousandSeparator('.');
  EXPECT_EQ(FormatInt64(0), "0");
  EXPECT_EQ(FormatInt64(999), "999");
  EXPECT_EQ(FormatInt64(1000), "1.000");
  EXPECT_EQ(FormatInt64(1234567), "1.234.567");
  EXPECT_EQ(FormatInt64(-1234), "-1.234");
  SetThousandSeparator('\0');
  EXPECT_EQ(FormatInt64(1234567), "1234567");
  SetThousandSeparator('.');
}

TEST(Numbers, Sizes) {
  SetThousandSeparator('.');
  EXPECT_EQ(FormatSizeUnit(1023, kKilo, 'K'), "0K");
  EXPECT_EQ(FormatSizeUnit(1048576, kMega, 'M'), "1M");
  EXPECT_EQ(FormatSizeUnit(5 * kGiga + 1, kGiga, 'G'), "5G");
  EXPECT_EQ(FormatSizeLimited(5, 999), "999");
  EXPECT_EQ(FormatSizeLimited(5, 123456), "120K");
  EXPECT_EQ(FormatSizeLimited(5, 5000000), "4M");
  EXPECT_EQ(FormatSizeLimited(5, 50000000), "47M");
  EXPECT_EQ(FormatSizeLimited(3, 1000), "0K");
  EXPECT_EQ(FormatSizeLimited(1, 5000 * kGiga), "5.000G") << "the G form even when it does not fit";
}

TEST(Dates, FormatDatePattern) {
  const TDateTime t = UnixToDate(DateToUnix(9, 8, 7, 5, 3, 2002));  // Tuesday
  const std::string ts(1, TimeSeparator()), ds(1, DateSeparator());
  EXPECT_EQ(FormatDatePattern("dd mmm yy  hh:mm:ss", t), "05 Mar 02  07" + ts + "08" + ts + "09");
  EXPECT_EQ(FormatDatePattern("DD/MM/YY", t), "05" + ds + "03" + ds + "02");
  EXPECT_EQ(FormatDatePattern("HH:NN:SS", t), "07" + ts + "08" + ts + "09");
  EXPECT_EQ(FormatDatePattern("d.m.yyyy h:n:s", t), "5.3.2002 7" + ts + "8" + ts + "9");
  EXPECT_EQ(FormatDatePattern("ddd dddd mmmm", t), "Tue Tuesday March");
  EXPECT_EQ(FormatDatePattern("'dd' \"mm\" x-dd", t), "dd mm x-05") << "quoted text is copied";
  EXPECT_EQ(FormatDatePattern("hh 'h' mm", t), "07 h 08") << "m after an hour is the minute";
}

// Patterns are taken apart once and kept: a kept pattern must still follow
// the moment it is given, long results must come out whole, and a run that
// meets many patterns must not mix them up.
TEST(Dates, FormatDatePatternKeptPatterns) {
  TDateTime odd;  // not from UnixToDate: out-of-range names, a short year
  odd.Year = 7;
  odd.Month = 13;
  odd.DayOfWeek = 9;
  odd.Day = 123;
  const TDateTime t = UnixToDate(DateToUnix(9, 8, 7, 5, 3, 2002));
  EXPECT_EQ(FormatDatePattern("yyyy yy mmm ddd d", odd), "0007 07   123");
  EXPECT_EQ(FormatDatePattern("yyyy yy mmm ddd d", t), "2002 02 Mar Tue 5");
  std::string longPattern, longResult;
  for (int i = 0; i < 40; ++i) longPattern += "mmmm yyyy ", longResult += "March 2002 ";
  EXPECT_EQ(FormatDatePattern(longPattern, t), longResult);
  for (int i = 0; i < 200; ++i) {
    const std::string n = std::to_string(i);
    ASSERT_EQ(FormatDatePattern("'" + n + "' dd", t), n + " 05") << i;
  }
  EXPECT_EQ(FormatDatePattern("'0' dd", odd), "0 23");
}

TEST(Arguments, TrimSpacesOnlyBlanks) {
  EXPECT_EQ(TrimSpaces("  a b  "), "a b");
  EXPECT_EQ(TrimSpaces("\ta\t"), "\ta\t");
  EXPECT_EQ(TrimSpaces("   "), "");
}

TEST(Arguments, FindSeparatorSkipsQuotesAndParentheses) {
  EXPECT_EQ(FindSeparator("a, b"), 1u);
  EXPECT_EQ(FindSeparator("a; b"), 1u);
  EXPECT_EQ(FindSeparator("f(a, b), c"), 7u);
  EXPECT_EQ(FindSeparator("\"a,b\", c"), 5u);
  EXPECT_EQ(FindSeparator("'a;b'; c"), 5u);
  EXPECT_EQ(FindSeparator("a, b, c", 2), 4u);
  EXPECT_EQ(FindSeparator("abc"), std::string::npos);
}

TEST(Arguments, ExpandQuotes) {
  EXPECT_EQ(ExpandQuotes("\"a,b\""), "a,b");
  EXPECT_EQ(ExpandQuotes("'it''s'"), "it's");
  EXPECT_EQ(ExpandQuotes("\"x\" y \"z\""), "x y z");
  EXPECT_EQ(ExpandQuotes("\"@fn(\"a\")\""), "@fn(\"a\")") << "a command span is verbatim";
  EXPECT_EQ(ExpandQuotes("\"@fn (\"a\") b\""), "@fn (\"a\") b");
  EXPECT_EQ(ExpandQuotes("\"a@@b\""), "a@b");
  EXPECT_EQ(ExpandQuotes("plain \"q\""), "plain \"q\"");
  EXPECT_EQ(ExpandQuotes(""), "");
}

}  // namespace
}  // namespace zeb

namespace zeb {
namespace {

TEST(Messages, ArgumentsAreNeverReadAsFormats) {
  EXPECT_EQ(FormatMessage("Bad parameters for operator @%s (%s)\n\r", {"if", "%s, =, %d"}),
            "Bad parameters for operator @if (%s, =, %d)\n\r");
  EXPECT_EQ(FormatMessage("%s (%d): %s %%", {"zeb.ctl", 12, std::string("a\0b", 3)}),
            std::string("zeb.ctl (12): a\0b %", 19));
  EXPECT_EQ(FormatMessage("missing %s", {}), "missing ");
}

}  // namespace
}  // namespace zeb
