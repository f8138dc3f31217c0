#include "config/paths.h"

#include <gtest/gtest.h>
#include <stdlib.h>

namespace zeb {
namespace {

class ExpandPathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = HomeDir();
    SetHomeDir("/opt/zeb/bin/");
  }
  void TearDown() override {
    SetHomeDir(saved_);
    unsetenv("ZEB_TEST_DIR");
  }
  std::string saved_;
};

TEST_F(ExpandPathTest, RelativePathsComeFromTheProgramsDirectory) {
  EXPECT_EQ(ExpandPath("zeb.ctl"), "/opt/zeb/bin/zeb.ctl");
  EXPECT_EQ(ExpandPath("./out/"), "/opt/zeb/bin/out");
  EXPECT_EQ(ExpandPath(".ob/out"), "/opt/zeb/bin/.ob/out") << "the dot of a name stays";
  EXPECT_EQ(ExpandPath("."), "/opt/zeb/bin");
  EXPECT_EQ(ExpandPath("..\\box"), "/opt/zeb/box") << "\"\\\" reads as \"/\"";
  EXPECT_EQ(ExpandPath("c:/fido"), "/opt/zeb/bin/c:/fido") << "no drive letters on Linux";
  EXPECT_EQ(ExpandPath("/var/spool/ftn/"), "/var/spool/ftn");
  EXPECT_EQ(ExpandPath("\"/var/a b/\""), "/var/a b");
}

TEST_F(ExpandPathTest, ConsoleAndEnvironment) {
  EXPECT_EQ(ExpandPath("CON"), "con");
  EXPECT_EQ(ExpandPath("\"con\""), "con");
  setenv("ZEB_TEST_DIR", "/srv/fido", 1);
  EXPECT_EQ(ExpandPath("%zeb_test_dir%\\outbound"), "/srv/fido/outbound") << "names match without regard to case";
  EXPECT_EQ(ExpandPath("%ZEB_NOT_SET_ANYWHERE%/x"), "/x");
  EXPECT_EQ(ExpandPath("%ZEB_TEST_DIR/x"), "") << "an unclosed % empties the path";
  EXPECT_EQ(ExpandPath(""), "");
}

}  // namespace
}  // namespace zeb
