// A Squish or JAM append stopped after each of its writes in turn, as a
// crash stops it: the later writes never happen and nothing is undone. The
// base must read strictly with the earlier messages intact and the new one
// whole or absent, and the next append must work on it.
#include <gtest/gtest.h>

#include <string>

#include "msgbase_test_util.h"
#include "strict_readers.h"

namespace zeb::test {
namespace {

struct TBase {
  const char* Name;
  TPostKind Kind;
  const char* Path;
  TStrictRead (*Read)(const TDiskImage&);
};

const TBase kBases[] = {
    {"Squish", TPostKind::Squish, "/base/sq", [](const TDiskImage& d) { return ReadSquishStrict(d, "/base/sq"); }},
    {"JAM", TPostKind::Jam, "/base/jam", [](const TDiskImage& d) { return ReadJamStrict(d, "/base/jam"); }},
};

bool Post(const TBase& base, const std::string& text) {
  TReport r = SampleReport(base.Kind, base.Path);
  return PostReport(r, text);
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(CrashConsistency, AppendStoppedAfterEachWrite) {
  for (const TBase& base : kBases) {
    // A new base (its creation counts too) and one with two messages.
    for (int earlier : {0, 2}) {
      FakeDisk disk;
      ScopedDisk scoped(disk);
      disk.AddDir("/base");
      for (int i = 0; i < earlier; ++i) ASSERT_TRUE(Post(base, "old " + std::to_string(i) + "\r"));
      const TDiskImage before = disk.Nodes();
      const std::vector<std::string> old = base.Read(before).Texts;
      disk.ResetOps();
      ASSERT_TRUE(Post(base, "new\r"));
      const int writes = disk.OpCount(FakeDisk::Op::Write);
      auto stopAfter = [&](int k) {
        const std::string where = std::string(base.Name) + " with " + std::to_string(earlier) +
                                  " messages, stopped after write " + std::to_string(k);
        disk.Nodes() = before;
        disk.ResetOps();
        disk.SnapshotAfterWrite(k);
        ASSERT_TRUE(Post(base, "new\r"));
        ASSERT_NE(disk.CrashImage(), nullptr) << where;
        disk.Nodes() = *disk.CrashImage();
        disk.ResetOps();
        const TStrictRead crashed = base.Read(disk.Nodes());
        EXPECT_EQ(crashed.Error, "") << where;
        ASSERT_GE(crashed.Texts.size(), old.size()) << where;
        ASSERT_LE(crashed.Texts.size(), old.size() + 1) << where;
        EXPECT_EQ(std::vector<std::string>(crashed.Texts.begin(), crashed.Texts.begin() + old.size()), old) << where;
        if (crashed.Texts.size() > old.size()) {
          EXPECT_TRUE(Contains(crashed.Texts.back(), "new\r")) << where;
        }
        // The next run appends to what the crash left.
        EXPECT_TRUE(Post(base, "after\r")) << where;
        const TStrictRead next = base.Read(disk.Nodes());
        EXPECT_EQ(next.Error, "") << where;
        EXPECT_FALSE(next.ActiveCountLags && !crashed.ActiveCountLags) << where;
        ASSERT_EQ(next.Texts.size(), crashed.Texts.size() + 1) << where;
        EXPECT_TRUE(Contains(next.Texts.back(), "after\r")) << where;
      };
      for (int k = 0; k < writes; ++k) stopAfter(k);
    }
  }
}

}  // namespace
}  // namespace zeb::test
