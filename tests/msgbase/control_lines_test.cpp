#include "msgbase/control_lines.h"

#include <gtest/gtest.h>

#include "msgbase/file_writer.h"
#include "msgbase/post_file.h"
#include "msgbase_test_util.h"

namespace zeb::test {
namespace {

TEST(ControlLines, LinesOfANodeToANode) {
  TReport r = SampleReport(TPostKind::Pkt, "/out");
  r.PostTo.Area = "ZEB.REPORTS";
  TControlLines lines(r, 0x4f906ca6);
  std::string buf;
  lines.WriteArea(buf);
  lines.WriteMsgId(buf);
  lines.WritePid(buf);
  lines.WriteFmpt(buf);
  lines.WriteTopt(buf);
  lines.WriteProgram(buf);
  lines.WriteTearline(buf);
  lines.WriteOrigin(buf);
  lines.WriteSeenBy(buf);
  lines.WritePath(buf);
  EXPECT_EQ(buf,
            "AREA:ZEB.REPORTS\r"
            "\x01MSGID: 2:5020/9999 4f906ca6\r"
            "\x01PID: ZEB-W 3.05\r"
            "\x01Program: Zebrant (Win32)  V 3.05\r"
            "--- zeb\r"
            " * Origin: Example Node (2:5020/9999)\r")
      << "no FMPT, TOPT, SEEN-BY or PATH between nodes";
}

TEST(ControlLines, PointsEmptyTextsAndBareKludges) {
  TReport r = SampleReport(TPostKind::Netmail, "/msg");
  r.From.Addr.Point = 5;
  r.To.Addr = {7, 20, 10, 3};
  r.Tearline.clear();
  r.Origin.clear();
  r.ShowLeftKludges = false;
  TControlLines lines(r, 0xab);
  std::string buf;
  lines.WriteMsgId(buf);
  lines.WriteFmpt(buf);
  lines.WriteTopt(buf);
  lines.WriteIntl(buf);
  lines.WriteProgram(buf);
  lines.WriteTearline(buf);
  lines.WriteOrigin(buf);
  lines.WriteSeenBy(buf);
  lines.WritePath(buf);
  EXPECT_EQ(buf,
            "\x01MSGID: 2:5020/9999.5 000000ab\r"
            "\x01" "FMPT 5\r"
            "\x01TOPT 7\r"
            "\x01INTL: 3:10/20 2:5020/9999\r"
            "--- \r"
            " * Origin:  (2:5020/9999.5)\r"
            "SEEN-BY: 5020/9999\r"
            "\x01PATH: 5020/9999\r");

  lines.BareKludges = true;
  buf.clear();
  lines.WriteMsgId(buf);
  lines.WritePid(buf);
  lines.WriteFmpt(buf);
  lines.WriteTopt(buf);
  lines.WriteIntl(buf);
  lines.WritePath(buf);
  lines.WriteTearline(buf);
  lines.WriteSeenBy(buf);
  EXPECT_EQ(buf,
            "\x01MSGID: 2:5020/9999.5 000000ab\x01PID: ZEB-W 3.05\x01" "FMPT 5\x01TOPT 7"
            "\x01INTL: 3:10/20 2:5020/9999\x01PATH: 5020/9999--- \rSEEN-BY: 5020/9999\r")
      << "only the control lines lose their CR";
}

TEST(ControlLines, SerialsOfOneSecondDiffer) {
  TMsgIdSerials serials;
  const uint32_t first = serials.Next(0xF0000000);
  EXPECT_GE(first, 0xF0000000u);
  const uint32_t second = serials.Next(0xF0000000);
  EXPECT_EQ(second, first + 1) << "two messages of one second get two MSGIDs";
  EXPECT_EQ(serials.Next(first + 100), first + 100) << "a later clock is taken as it is";
}

class PostFileTest : public ::testing::Test {
 protected:
  FakeDisk disk_;
  ScopedDisk scoped_{disk_};
};

TEST_F(PostFileTest, FileReplacedWithTheBareText) {
  disk_.AddFile("/rep/queue.txt", "an older and longer report");
  TReport r = SampleReport(TPostKind::File, "/rep/queue.txt");
  EXPECT_TRUE(PostReport(r, "line 1\rline 2\r"));
  EXPECT_EQ(*disk_.Contents("/rep/queue.txt"), "line 1\nline 2\n") << "nothing before or after the template text";
  EXPECT_EQ(disk_.OpenFiles(), 0);

  // A large report is written a block at a time: a line end on a block's
  // edge is still one LF.
  const size_t edge = 1 << 20;
  for (const std::string end : {"\r\n", "\r", "\n", "\r\r"}) {
    const std::string text = std::string(edge - 1, 'x') + end + "y";
    ASSERT_TRUE(PostToFile("/rep/big.txt", text));
    const std::string expected = std::string(edge - 1, 'x') + (end == "\r\r" ? "\n\n" : "\n") + "y";
    EXPECT_TRUE(*disk_.Contents("/rep/big.txt") == expected) << "line end " << testing::PrintToString(end);
  }
}

TEST_F(PostFileTest, ConsoleInAnyCaseCreatesNoFile) {
  testing::internal::CaptureStdout();
  EXPECT_TRUE(PostToFile("CoN", "a\rb\r\nc\n\r\r"));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "a\nb\nc\n\n\n");
  EXPECT_FALSE(disk_.Has("CoN"));
}

TEST_F(PostFileTest, FailuresAreLogged) {
  EXPECT_FALSE(PostToFile("/missing/dir/report.txt", "x"));
  EXPECT_EQ(LastLog(2), "Error: Can't create file /missing/dir/report.txt\nReason: No such file or directory");

  disk_.AddFile("/rep/r.txt", "old report");
  disk_.FailOp(FakeDisk::Op::Write, 0, true);
  EXPECT_FALSE(PostToFile("/rep/r.txt", "0123456789"));
  EXPECT_EQ(LastLog(2), "Error: Can't write to file /rep/r.txt\nReason: Input/output error");
  EXPECT_EQ(disk_.Nodes().size(), 2u) << "the temporary file is removed";
  EXPECT_EQ(*disk_.Contents("/rep/r.txt"), "old report") << "readers never see a report in part";
}

TEST_F(PostFileTest, NewFileTakesTheNextFreeNameAndNeverOverwrites) {
  disk_.AddFile("/d/1.x", "first");
  disk_.AddFile("/d/2.x", "second");
  std::string path;
  auto nameOf = [](uint32_t i) { return "/d/" + std::to_string(1 + i) + ".x"; };
  EXPECT_TRUE(PostToNewFile(nameOf, "third", path));
  EXPECT_EQ(path, "/d/3.x");
  EXPECT_EQ(*disk_.Contents("/d/1.x"), "first");
  EXPECT_EQ(*disk_.Contents("/d/3.x"), "third");

  disk_.ResetOps();
  disk_.FailOp(FakeDisk::Op::Write, 0, true);
  EXPECT_FALSE(PostToNewFile(nameOf, "fourth", path));
  EXPECT_EQ(LastLog(2), "Error: Can't write to file /d/4.x\nReason: Input/output error");
  EXPECT_FALSE(disk_.Has("/d/4.x")) << "a message file written in part is removed";
  EXPECT_EQ(disk_.OpenFiles(), 0);
}

}  // namespace
}  // namespace zeb::test
