// The text, number and clock-free date functions in whole runs of the zeb
// executable: one report using each of them, and one report per argument
// error, which ends that report's run (and only that one) with the error
// text as the last thing written, and is an error of the run.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "zeb_binary.h"

namespace zeb::test {
namespace {

using TextFunctionsRun = ZebBinaryTest;

std::string Report(const std::string& tpl, const std::string& out) {
  return "def report fidonet\ntemplate " + tpl + "\npostto file " + out + "\nend\n";
}

TEST_F(TextFunctionsRun, EveryFunctionAndEachErrorEndingItsReport) {
  Write("all.tpl",
        "[@center(abc, 7)|@center(abcd, 7)|@center(abcdefg, 3)|@center(abc, x)]\n"
        "[@sizetostr(1234567)|@sizetype(1572864, M)|@sizetype(2048, K)|@sizetolimitstr(123456, 5)|"
        "@sizetolimitstr(5000000, 5)]\n"
        "[@just(ab, 5, R)|@just(ab, 5, L)|@just(abcdef, 4, C)|@just(\"a, b\", 6, R)]\n"
        "[@time(dddd dd mmmm yyyy)|@date(hh:nn:ss)|@date()]\n"
        "[@char(65)@char(321)@char(x)|@code(abc)|@code()|@len(\"a, b\")|@len()]\n"
        "@define(@t, 10)[@add(@t, 5)@t|@sub(@t, 3)@t|@mul(@t, 4)@t|@div(@t, 5)@t|@mod(@t, 5)@t|@div(@t, 0)@t]\n");

  // Each error comes after some output and before more. The arithmetic
  // errors end in a line break whose LF becomes a CR like every line end of
  // a template without CRs; an error inside a value shows where the value's
  // call stood.
  const std::vector<std::pair<std::string, std::string>> errors = {
      {"@sizetostr(12a)", "Bad type of @Integer parametr"},
      {"@sizetype(2048, ZZ)", "Bad type of @Format parametr"},
      {"@sizetype(x, K)", "Bad type of @Integer parametr"},
      {"@sizetolimitstr(x, y)", "Bad type of @MaxLen parametr"},
      {"@sizetolimitstr(x, 5)", "Bad type of @Integer parametr"},
      {"@just(abcdef, 4, Zebra)", "Bad type of @Format parametr"},
      {"@just(abcdef, four, L)", "Bad type of @MaxLen parametr"},
      {"@add(@center, 1)", "Can't replace function @center\n"},
      {"@sub(@len, 1)", "Can't replace function @len\n"},
      {"@mul(@code, 2)", "Can't replace function @code\n"},
      {"@div(@char, 2)", "Can't replace function @char\n"},
      {"@mod(@time, 2)", "Can't replace function @time\n"},
      {"@define(@v, @just(ab, x, L))", "Bad type of @MaxLen parametr"},
  };
  std::string config = ConfigHead() + Report(Path("all.tpl"), Path("all.txt"));
  for (size_t i = 0; i < errors.size(); ++i) {
    const std::string n = std::to_string(i);
    Write("e" + n + ".tpl", "line one\nbefore " + errors[i].first + " after\nline three\n");
    config += Report(Path("e" + n + ".tpl"), Path("e" + n + ".txt"));
  }
  // A report after all the failed ones still runs.
  Write("last.tpl", "@len(done)\n");
  config += Report(Path("last.tpl"), Path("last.txt"));
  Write("zeb.ctl", config);
  ASSERT_EQ(Run("zeb.ctl"), 2) << Read("console0.txt");

  EXPECT_EQ(Read("all.txt"), "[  abc  | abcd  |cde|abc]\n"
                              "[1.234.567|1M,50|2K|120K|4M]\n"
                              "[   ab|ab   |bcde|  a, b]\n"
                              "[Saturday 30 December 1899|00:00:00|]\n"
                              "[AA" + std::string(1, '\0') + "|97|0|4|0]\n"
                              "[15|12|48|9|4|0]\n");
  const std::string console = Read("console0.txt");
  for (size_t i = 0; i < errors.size(); ++i) {
    const std::string n = std::to_string(i), message = errors[i].second.substr(0, errors[i].second.find('\n'));
    EXPECT_EQ(Read("e" + n + ".txt"), "line one\nbefore " + errors[i].second) << errors[i].first;
    // Where the outermost call stands, and the function that failed.
    EXPECT_NE(console.find("Error: Template " + Path("e" + n + ".tpl") + " (2:8): " + message + " in @"),
              std::string::npos) << console;
  }
  EXPECT_EQ(Read("last.txt"), "4\n");
}

}  // namespace
}  // namespace zeb::test
