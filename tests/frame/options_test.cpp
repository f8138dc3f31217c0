#include "frame/options.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

class OptionsTest : public ::testing::Test {
 protected:
  TCommandLine line_{std::vector<std::string>{}};
};

TEST_F(OptionsTest, WholeWordCaseSensitiveWithEitherPrefix) {
  line_ = TCommandLine({"-?"});
  EXPECT_EQ(line_.OptionIndex("h|hlp|help|?"), 4);
  line_ = TCommandLine({"/help"});
  EXPECT_EQ(line_.OptionIndex("h|hlp|help|?"), 3);
  line_ = TCommandLine({"/H", "/Help", "help", "/hel"});
  EXPECT_EQ(line_.OptionIndex("h|hlp|help|?"), 0);
  line_ = TCommandLine({"/da"});
  EXPECT_EQ(line_.OptionIndex("d"), 0) << "/da is not /d";
  EXPECT_EQ(line_.OptionIndex("da"), 1);
}

TEST_F(OptionsTest, FirstMatchingParameterDecides) {
  line_ = TCommandLine({"/l3", "/l1"});
  EXPECT_EQ(line_.OptionIndex("l0|l1|l2|l3|l4"), 4);
  EXPECT_EQ(line_.LogLevel(), 3);
  line_ = TCommandLine({"/l2", "/d"});
  EXPECT_EQ(line_.LogLevel(), 4) << "/d wins over the level options";
  line_ = TCommandLine({"/da"});
  EXPECT_EQ(line_.LogLevel(), -1);
}

TEST_F(OptionsTest, ValueIsTheNextParameterWhateverItLooksLike) {
  line_ = TCommandLine({"/c", "/d"});
  EXPECT_EQ(line_.OptionValue("c|cfg|config"), "/d");
  EXPECT_EQ(line_.OptionIndex("d"), 1) << "the value still counts as an option";
  line_ = TCommandLine({"x", "-cfg"});
  EXPECT_EQ(line_.OptionValue("c|cfg|config"), "") << "last parameter: empty value";
  line_ = TCommandLine({"x"});
  EXPECT_EQ(line_.OptionValue("a|addcfg", "dflt"), "dflt");
}

}  // namespace
}  // namespace zeb
