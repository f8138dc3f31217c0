// The base writers on the machine's own file system, where sizes, seeks and
// cuts are the kernel's.
#include <gtest/gtest.h>

#include "msgbase_test_util.h"
#include "scratch_dir.h"

namespace zeb::test {
namespace {

TEST(RealDiskBases, TwoMessagesEachInSquishAndJam) {
  const ScratchDir scratch;
  const std::string& dir = scratch.Dir();
  for (int i = 0; i < 2; ++i) {
    TReport sq = SampleReport(TPostKind::Squish, dir + "/sq");
    TReport jam = SampleReport(TPostKind::Jam, dir + "/jam");
    ASSERT_TRUE(PostReport(sq, "text\r"));
    ASSERT_TRUE(PostReport(jam, "text\r"));
  }
  std::string sqd, sqi, jhr, jdx, jdt, error;
  ASSERT_TRUE(RealDisk().ReadFile(dir + "/sq.sqd", sqd, error));
  ASSERT_TRUE(RealDisk().ReadFile(dir + "/sq.sqi", sqi, error));
  ASSERT_TRUE(RealDisk().ReadFile(dir + "/jam.jhr", jhr, error));
  ASSERT_TRUE(RealDisk().ReadFile(dir + "/jam.jdx", jdx, error));
  ASSERT_TRUE(RealDisk().ReadFile(dir + "/jam.jdt", jdt, error));
  EXPECT_TRUE(RealDisk().FileExists(dir + "/jam.jlr"));

  EXPECT_EQ(U32(sqd, 4), 2u);
  EXPECT_EQ(U32(sqd, 120), sqd.size());
  EXPECT_EQ(sqi.size(), 24u);
  EXPECT_EQ(U32(sqd, 256 + 4), U32(sqi, 12)) << "the first frame links to the second";
  EXPECT_EQ(U32(jhr, 12), 2u);
  EXPECT_EQ(jdx.size(), 16u);
  EXPECT_EQ(U32(jhr, U32(jdx, 12) + 48), 2u) << "the second message's number";
  EXPECT_EQ(U32(jhr, U32(jdx, 12) + 60), jdt.size() / 2) << "its text offset";
}

}  // namespace
}  // namespace zeb::test
