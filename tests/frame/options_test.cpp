#include "frame/options.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

class OptionsTest : public ::testing::Test {
 protected:
  void TearDown() override { SetCommandLine({}); }
};

TEST_F(OptionsTest, WholeWordCaseSensitiveWithEitherPrefix) {
  SetCommandLine({"-?"});
  EXPECT_EQ(OptionIndex("h|hlp|help|?"), 4);
  SetCommandLine({"/help"});
  EXPECT_EQ(OptionIndex("h|hlp|help|?"), 3);
  SetCommandLine({"/H", "/Help", "help", "/hel"});
  EXPECT_EQ(OptionIndex("h|hlp|help|?"), 0);
  SetCommandLine({"/da"});
  EXPECT_EQ(OptionIndex("d"), 0) << "/da is not /d";
  EXPECT_EQ(OptionIndex("da"), 1);
}

TEST_F(OptionsTest, FirstMatchingParameterDecides) {
  SetCommandLine({"/l3", "/l1"});
  EXPECT_EQ(OptionIndex("l0|l1|l2|l3|l4"), 4);
  EXPECT_EQ(CommandLineLogLevel(), 3);
  SetCommandLine({"/l2", "/d"});
  EXPECT_EQ(CommandLineLogLevel(), 4) << "/d wins over the level options";
  SetCommandLine({"/da"});
  EXPECT_EQ(CommandLineLogLevel(), -1);
}

TEST_F(OptionsTest, ValueIsTheNextParameterWhateverItLooksLike) {
  SetCommandLine({"/c", "/d"});
  EXPECT_EQ(OptionValue("c|cfg|config"), "/d");
  EXPECT_EQ(OptionIndex("d"), 1) << "the value still counts as an option";
  SetCommandLine({"x", "-cfg"});
  EXPECT_EQ(OptionValue("c|cfg|config"), "") << "last parameter: empty value";
  SetCommandLine({"x"});
  EXPECT_EQ(OptionValue("a|addcfg", "dflt"), "dflt");
}

}  // namespace
}  // namespace zeb
