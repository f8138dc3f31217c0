// A Squish or JAM append stopped after each of its writes in turn, as a
// crash stops it: the later writes never happen and nothing is undone. The
// base must read strictly with the earlier messages intact and the new one
// whole or absent, and the next append must work on it and mend it. So must
// every base and file of the zeb executable killed before each write-like
// call in turn (ZEB_CRASH_BEFORE_WRITE), and the next run remove the
// temporary files (made two hours old) that the kill left.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "msgbase_test_util.h"
#include "strict_readers.h"
#include "zeb_binary.h"

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
        EXPECT_FALSE(next.ActiveCountLags || next.UncountedFrameLinked) << where << ": the next append mends the base";
        ASSERT_EQ(next.Texts.size(), crashed.Texts.size() + 1) << where;
        EXPECT_TRUE(Contains(next.Texts.back(), "after\r")) << where;
      };
      for (int k = 0; k < writes; ++k) stopAfter(k);
    }
  }
}

using CrashPoint = ZebBinaryTest;

TEST_F(CrashPoint, KilledBeforeEachWriteLeavesReadableFiles) {
  // The log goes to the console: the log thread's writes would move the
  // positions of the writers' calls from run to run.
  std::string config = ConfigHead();
  config.replace(config.find(Path("zeb.log")), Path("zeb.log").size(), "con");
  config.insert(config.find("end\n"), "msgidfile " + Path("zeb.msgid") + "\n");
  for (const std::string& postto : {"file " + Path("b/report.txt"), "jam " + Path("b/jam"), "squish " + Path("b/sq"),
                                    "msg " + Path("b/msg"), "pkt " + Path("b/pkt") + " ZEB.QUEUE"})
    config += "def report fidonet\ntemplate " + Path("queue.tpl") + "\npostto " + postto + "\nend\n";
  Write("zeb.ctl", config);
  Write("queue.tpl", "Links: @queue\n");
  Write("out/01f40064.cut", std::string(60, 'n'));
  for (const char* dir : {"b/msg", "b/pkt"}) std::filesystem::create_directories(Path(dir));
  for (int run = 0; run < 2; ++run) ASSERT_EQ(Run("zeb.ctl"), 0) << Read("console0.txt");
  std::filesystem::copy(Path("b"), Path("pristine"), std::filesystem::copy_options::recursive);
  // What the readers find wrong, and what the next run has not mended.
  auto damage = [&](bool mended) {
    const TDiskImage image = LoadDirectory(Dir());
    const TStrictRead jam = ReadJamStrict(image, Path("b/jam")), squish = ReadSquishStrict(image, Path("b/sq"));
    std::string found = Read("b/report.txt") == "Links: 1\n" ? "" : "report of " + std::to_string(Read("b/report.txt").size()) + " bytes; ";
    for (const TStrictRead& read : {jam, squish, ReadFilesStrict(image, Path("b/msg"), "msg"), ReadFilesStrict(image, Path("b/pkt"), "pkt")})
      found += read.Error.empty() ? "" : read.Error + "; ";
    for (const auto& entry : std::filesystem::recursive_directory_iterator(Path("b")))
      if (mended && entry.path().extension() == ".tmp") found += "left " + entry.path().string() + "; ";
    return found + (mended && (jam.ActiveCountLags || squish.UncountedFrameLinked) ? "not mended" : "");
  };
  std::string table;
  int position = 1;
  for (;; ++position) {
    std::filesystem::remove_all(Path("b"));
    std::filesystem::copy(Path("pristine"), Path("b"), std::filesystem::copy_options::recursive);
    setenv("ZEB_CRASH_BEFORE_WRITE", std::to_string(position).c_str(), 1);
    const int code = Run("zeb.ctl");
    unsetenv("ZEB_CRASH_BEFORE_WRITE");
    if (code == 0) break;
    ASSERT_EQ(code, 128 + SIGKILL) << "position " << position << ": " << Read("console0.txt");
    const std::string killed = damage(false);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(Path("b")))
      std::filesystem::last_write_time(entry.path(), std::filesystem::file_time_type::clock::now() - std::chrono::hours(2));
    ASSERT_EQ(Run("zeb.ctl"), 0) << Read("console0.txt");
    const std::string next = damage(true);
    if (!killed.empty() || !next.empty()) table += std::to_string(position) + ": " + killed + " | next run: " + next + "\n";
  }
  EXPECT_GT(position, 10) << "the run makes its writes";
  EXPECT_EQ(table, "");
}

}  // namespace
}  // namespace zeb::test
