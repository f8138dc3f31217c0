// Every single open, read, seek and write of a post made to fail in turn
// (and every write made short), for each kind of destination: the post
// fails with the message of its operation, the base or directory reads
// strictly with every earlier message as it was, and the next post works.
#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <string>

#include "log_capture.h"
#include "msgbase_test_util.h"
#include "strict_readers.h"

namespace zeb::test {
namespace {

using Op = FakeDisk::Op;

struct TTarget {
  const char* Name;
  TPostKind Kind;
  const char* Path;
  TStrictRead (*Read)(const TDiskImage&);
};

const TTarget kTargets[] = {
    {"Squish", TPostKind::Squish, "/base/sq", [](const TDiskImage& d) { return ReadSquishStrict(d, "/base/sq"); }},
    {"JAM", TPostKind::Jam, "/base/jam", [](const TDiskImage& d) { return ReadJamStrict(d, "/base/jam"); }},
    {"MSG", TPostKind::Msg, "/base/msg", [](const TDiskImage& d) { return ReadFilesStrict(d, "/base/msg", "msg"); }},
    {"PKT", TPostKind::Pkt, "/base/pkt", [](const TDiskImage& d) { return ReadFilesStrict(d, "/base/pkt", "pkt"); }},
};

struct TFault {
  const char* Name;
  Op Kind;
  bool Short;
  const char* Logged;  // the verbs the failure may be logged with
};

const TFault kFaults[] = {
    {"open", Op::Open, false, "open|create"},
    {"read", Op::Read, false, "read"},
    {"seek", Op::Seek, false, "read|write to"},
    {"write", Op::Write, false, "write to"},
    {"short write", Op::Write, true, "write to"},
};

class FaultMatrix : public ::testing::Test {
 protected:
  FakeDisk disk_;
  ScopedDisk scoped_{disk_};
  LogCapture log_;
  int posts_ = 0;

  bool Post(const TTarget& target, const std::string& text) {
    TReport r = SampleReport(target.Kind, target.Path);
    if (target.Kind == TPostKind::Pkt) r.PostTo.Area = "ZEB.REPORTS";
    // Each post a minute after the last, so that no packet name is taken
    // already: a taken name is passed over, and so would be a failed open.
    TDateTime t;
    t.Year = 2012;
    t.Month = 4;
    t.Day = 19;
    t.Hour = 19;
    t.Minute = ++posts_ % 60;
    return PostReport(r, text, nullptr, MessageTime(t));
  }
};

TEST_F(FaultMatrix, EveryOperationOfEveryPostFailsCleanly) {
  for (const TTarget& target : kTargets) {
    for (const TFault& fault : kFaults) {
      disk_.Nodes().clear();
      disk_.AddDir(target.Path);
      ASSERT_TRUE(Post(target, "first\r"));
      ASSERT_TRUE(Post(target, "second\r"));
      // How many operations of the kind a sound post makes.
      const TDiskImage sound = disk_.Nodes();
      disk_.ResetOps();
      ASSERT_TRUE(Post(target, "probe\r"));
      const int operations = disk_.OpCount(fault.Kind);
      disk_.Nodes() = sound;
      const TStrictRead before = target.Read(sound);
      ASSERT_EQ(before.Error, "") << target.Name;
      ASSERT_EQ(before.Texts.size(), 2u) << target.Name;

      // The matrix of the cases run, for the record of the test run.
      RecordProperty(std::string(target.Name) + " " + fault.Name, operations);
      std::printf("[ fault    ] %-6s %-11s %d cases\n", target.Name, fault.Name, operations);
      for (int k = 0; k < operations; ++k) {
        const std::string where = std::string(target.Name) + ", " + fault.Name + " " + std::to_string(k);
        disk_.ResetOps();
        disk_.FailOp(fault.Kind, k, fault.Short);
        log_.Reset();
        EXPECT_FALSE(Post(target, "lost\r")) << where;
        disk_.ResetOps();
        const std::vector<std::string> logged = log_.Texts();
        ASSERT_GE(logged.size(), 2u) << where;
        const std::regex message(std::string("Error: Can't (") + fault.Logged + ") file " + target.Path + ".*");
        const std::string& failure = logged[logged.size() - 2];
        EXPECT_TRUE(std::regex_match(failure, message)) << where << ": " << failure;
        EXPECT_EQ(logged.back(), "Reason: Input/output error") << where;
        EXPECT_EQ(disk_.OpenFiles(), 0) << where;
        const TStrictRead after = target.Read(disk_.Nodes());
        EXPECT_EQ(after.Error, "") << where;
        EXPECT_EQ(after.Texts, before.Texts) << where;
        EXPECT_FALSE(after.ActiveCountLags) << where;
        // The run goes on: the next report is posted after the failed one.
        EXPECT_TRUE(Post(target, "next\r")) << where;
        const TStrictRead next = target.Read(disk_.Nodes());
        EXPECT_EQ(next.Error, "") << where;
        ASSERT_EQ(next.Texts.size(), 3u) << where;
        EXPECT_NE(next.Texts[2].find("next\r"), std::string::npos) << where;
        disk_.Nodes() = sound;
      }
    }
  }
}

}  // namespace
}  // namespace zeb::test
