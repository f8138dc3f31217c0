// Configuration files no sysop would write: lines of a megabyte, binary
// junk and numbers beyond 64 bits. Loading ends, with the line refused or
// the conversion error raised that the run reports.
#include <gtest/gtest.h>

#include "config_fixture.h"
#include "config/records.h"
#include "support/net_addr.h"

namespace zeb::test {
namespace {

class HostileConfig : public ConfigTest {};

TEST_F(HostileConfig, MegabyteLinesAndJunk) {
  const std::string mega(1 << 20, 'x');
  EXPECT_FALSE(Load(mega + "\n"));
  EXPECT_FALSE(Load("def " + mega + "\n"));
  EXPECT_FALSE(Load("\"" + mega + "\n")) << "an unclosed quote of a megabyte";
  EXPECT_TRUE(Load("def main\nsysop " + mega + "\nend\n")) << "a long name is a name";
  EXPECT_EQ(config_.Sysop.size(), mega.size());
  std::string junk;
  for (int i = 0; i < 1 << 16; ++i) junk += static_cast<char>((i * 7919) & 0xFF);
  EXPECT_FALSE(Load(junk));
  EXPECT_FALSE(Load(std::string(1 << 20, '\0')));
  EXPECT_TRUE(Load(std::string(1 << 20, '\n'))) << "empty lines only";
}

TEST_F(HostileConfig, NumbersBeyondSixtyFourBits) {
  EXPECT_FALSE(Load("def main\naddress 2:99999999999999999999999/1\nend\n"));
  EXPECT_EQ(Logged().back(), "Error: Bad address: 2:99999999999999999999999/1");
  ResetLoader();
  EXPECT_FALSE(Load("def main\naddress 18446744073709551617:1/1\nend\n"));
  EXPECT_EQ(Logged().back(), "Error: Bad address: 18446744073709551617:1/1");
}

}  // namespace
}  // namespace zeb::test
