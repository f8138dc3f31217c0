// Every text, date and drive function is offered under its name.
#include <gtest/gtest.h>

#include "reports/drive_functions.h"
#include "reports/text_functions.h"
#include "template/parser.h"

namespace zeb::test {
namespace {

TEST(FunctionRegistration, AllNamesAreRegisteredWithTheirCallingStyle) {
  TTemplateParser parser(false);
  RegisterTextFunctions(parser);
  RegisterDriveFunctions(parser);
  for (const char* name : {"center", "sizetolimitstr", "sizetostr", "sizetype", "just",    "time",  "date",
                           "char",   "code",           "len",       "add",      "sub",     "div",   "mul",
                           "mod",    "drvvalid",       "drvlabel",  "drvsize",  "drvfree", "drvfs", "drvfreeprc"}) {
    const TTemplateCommand* command = parser.FindCommand(name);
    ASSERT_NE(command, nullptr) << name;
    EXPECT_TRUE(command->HasParams && command->RawParams && !command->Replaceable) << name;
  }
  for (const char* name : {"year", "month", "day", "dayofweek", "hours", "minutes"}) {
    const TTemplateCommand* command = parser.FindCommand(name);
    ASSERT_NE(command, nullptr) << name;
    EXPECT_FALSE(command->HasParams || command->RawParams || command->Replaceable) << name;
  }
  EXPECT_EQ(parser.Commands().Count(), 27u);
}

TEST(FunctionRegistration, WorkInAMinimalParser) {
  TTemplateParser parser(false);
  RegisterTextFunctions(parser);
  EXPECT_EQ(parser.Evaluate(true, "@len(abcd)"), "4");
}

}  // namespace
}  // namespace zeb::test
