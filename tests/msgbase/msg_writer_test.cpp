#include "msgbase/msg_writer.h"

#include <gtest/gtest.h>

#include "msgbase_test_util.h"
#include "support/text.h"

namespace zeb::test {
namespace {

class MsgWriterTest : public ::testing::Test {
 protected:
  FakeDisk disk_;
  ScopedDisk scoped_{disk_};
};

TEST_F(MsgWriterTest, NumberIsOneMoreThanTheHighest) {
  disk_.AddDir("/empty");
  EXPECT_EQ(NextMsgNumber("/empty"), 1u);
  EXPECT_EQ(NextMsgNumber("/nowhere"), 1u);
  TReport echo = SampleReport(TPostKind::Msg, "/empty"), net = SampleReport(TPostKind::Netmail, "/empty");
  TMsgWriter echoWriter(echo, SampleTime(), TestSerials());
  TNetmailWriter netWriter(net, SampleTime(), TestSerials());
  EXPECT_EQ(echoWriter.Destination(), "/empty/2.msg") << "tossers keep an echo area's high-water mark in 1.msg";
  EXPECT_EQ(netWriter.Destination(), "/empty/1.msg");
  disk_.AddFile("/area/1.msg", "");
  disk_.AddFile("/area/7.MSG", "");
  disk_.AddFile("/area/readme.msg", "");
  disk_.AddFile("/area/12.txt", "");
  disk_.AddDir("/area/30.msg");
  EXPECT_EQ(NextMsgNumber("/area"), 8u) << "readme counts as 0; other names and directories do not count";

  TReport r = SampleReport(TPostKind::Msg, "/area");
  TMsgWriter writer(r, SampleTime(), TestSerials());
  EXPECT_EQ(writer.Destination(), "/area/8.msg") << "the destination becomes the new file's name";
  EXPECT_EQ(r.PostTo.Path, "/area") << "the report keeps its own";
}

TEST_F(MsgWriterTest, EchomailStyleMessageBytes) {
  disk_.AddDir("/area");
  TReport r = SampleReport(TPostKind::Msg, "/area");
  r.From.Name = std::string(40, 'F');
  r.Subject = std::string(80, 'S');
  uint32_t serial = 0;
  ASSERT_TRUE(PostReport(r, "Queue text\r", &serial));
  const std::string* file = disk_.Contents("/area/2.msg");
  ASSERT_NE(file, nullptr);
  const std::string& m = *file;
  EXPECT_EQ(Field(m, 0, 36), std::string(35, 'F')) << "from-name cut to 35 characters";
  EXPECT_EQ(m[35], '\0');
  EXPECT_EQ(r.From.Name, std::string(40, 'F')) << "the report keeps its own text";
  EXPECT_EQ(Field(m, 36, 36), "All");
  EXPECT_EQ(Field(m, 72, 72), std::string(71, 'S'));
  EXPECT_EQ(m.substr(144, 20), std::string("19 Apr 12  19:51:02\0", 20));
  EXPECT_EQ(U16(m, 164), 1);       // times read
  EXPECT_EQ(U16(m, 166), 9999);    // destination node: the sender's own
  EXPECT_EQ(U16(m, 168), 9999);    // origin node
  EXPECT_EQ(U16(m, 170), 0);       // cost
  EXPECT_EQ(U16(m, 172), 5020);    // origin net
  EXPECT_EQ(U16(m, 174), 5020);    // destination net
  EXPECT_EQ(U16(m, 176), 0x4093);  // date written: date word first
  EXPECT_EQ(U16(m, 178), 0x9E61);
  EXPECT_EQ(U32(m, 180), 0u);      // date arrived
  EXPECT_EQ(U16(m, 184), 0);
  EXPECT_EQ(U16(m, 186), 0x0101) << "private and local, so that tossers export it";
  EXPECT_EQ(U16(m, 188), 0);
  EXPECT_EQ(m.substr(190), "\x01MSGID: 2:5020/9999 " + Format("%.8x", serial) +
                               "\r\x01PID: ZEB-W 3.05\r\x01Program: Zebrant (Win32)  V 3.05\r"
                               "Queue text\r--- zeb\r * Origin: Example Node (2:5020/9999)\r" + std::string(1, '\0'))
      << "ends with the origin line's CR and one NUL";
}

TEST_F(MsgWriterTest, NetmailToAPointFromANode) {
  disk_.AddDir("/net");
  TReport r = SampleReport(TPostKind::Netmail, "/net");
  r.To.Addr = {5, 20, 10, 3};
  r.ShowLeftKludges = false;
  ASSERT_TRUE(PostReport(r, "x\r"));
  const std::string& m = *disk_.Contents("/net/1.msg");
  EXPECT_EQ(U16(m, 166), 20) << "destination node of the to-address";
  EXPECT_EQ(U16(m, 168), 9999);
  EXPECT_EQ(U16(m, 172), 5020);
  EXPECT_EQ(U16(m, 174), 10) << "destination net of the to-address";
  EXPECT_EQ(U16(m, 186), 0x0181);
  const std::string text = m.substr(190);
  EXPECT_NE(text.find("\r\x01PID: ZEB-W 3.05\r\x01INTL: 3:10/20 2:5020/9999\r\x01TOPT 5\rx\r"), std::string::npos);
  EXPECT_EQ(text.find("FMPT"), std::string::npos);
  EXPECT_EQ(text.find("Program"), std::string::npos);
}

TEST_F(MsgWriterTest, TakenNumbersAreSkippedNeverOverwritten) {
  disk_.AddFile("/area/3.msg", "kept");
  TReport first = SampleReport(TPostKind::Msg, "/area");
  TReport second = SampleReport(TPostKind::Msg, "/area");
  auto a = MakeMessageWriter(first, SampleTime(), TestSerials());
  auto b = MakeMessageWriter(second, SampleTime(), TestSerials());
  EXPECT_EQ(a->Destination(), "/area/4.msg");
  EXPECT_EQ(b->Destination(), "/area/4.msg");
  EXPECT_TRUE(a->Post(Produce(*a, "one\r")));
  EXPECT_TRUE(b->Post(Produce(*b, "two\r")));
  EXPECT_EQ(b->Destination(), "/area/5.msg") << "a writer whose number was taken meanwhile takes the next";
  EXPECT_NE(disk_.Contents("/area/4.msg")->find("one\r"), std::string::npos);
  EXPECT_NE(disk_.Contents("/area/5.msg")->find("two\r"), std::string::npos);
  EXPECT_EQ(*disk_.Contents("/area/3.msg"), "kept");
}

TEST_F(MsgWriterTest, MissingDirectoryFailsToCreate) {
  TReport r = SampleReport(TPostKind::Msg, "/gone");
  EXPECT_FALSE(PostReport(r, "x"));
  EXPECT_EQ(LastLog(2), "Error: Can't create file /gone/2.msg\nReason: No such file or directory");
}

}  // namespace
}  // namespace zeb::test
