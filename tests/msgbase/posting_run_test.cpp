// msg, netmail and pkt reports in a whole run of the zeb executable: the new
// files' names, and headers a strict reader accepts with the configured
// parties, subject and area.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <string>

#include "msgbase/msg_writer.h"
#include "msgbase/msgbase_test_util.h"
#include "msgbase/pkt_writer.h"
#include "zeb_binary.h"

namespace zeb::test {
namespace {

using PostingRun = ZebBinaryTest;

TEST_F(PostingRun, MsgNetmailAndPktFilesWithValidHeaders) {
  Write("msg/7.msg", std::string(190, '\0') + std::string("old\0", 4));  // taken: the new message is 8.msg
  std::filesystem::create_directories(Path("net"));
  std::filesystem::create_directories(Path("pkt"));
  Write("queue.tpl", "Queue is empty\n");
  std::string config = ConfigHead();
  for (const std::string& postto :
       {"msg " + Path("msg"), "netmail " + Path("net"), "pkt " + Path("pkt") + " ZEB.QUEUE secret"}) {
    config += "def report fidonet\ntemplate " + Path("queue.tpl") + "\npostto " + postto +
              "\nfrom Robot 2:5020/9999\nto Sysop 2:10/20\nsubject Queue\nend\n";
  }
  Write("zeb.ctl", config);
  ASSERT_EQ(Run("zeb.ctl"), 0) << Read("console0.txt");

  const TDiskImage image = LoadDirectory(Dir());
  const TStrictRead msg = ReadFilesStrict(image, Path("msg"), "msg");
  const TStrictRead net = ReadFilesStrict(image, Path("net"), "msg");
  const TStrictRead pkt = ReadFilesStrict(image, Path("pkt"), "pkt");
  ASSERT_EQ(msg.Error + net.Error + pkt.Error, "");
  ASSERT_EQ(msg.Texts.size(), 2u);
  ASSERT_EQ(net.Texts.size(), 1u);
  ASSERT_EQ(pkt.Texts.size(), 1u);

  // Echomail-style message: addressed to the sender's own node.
  const std::string m = Read("msg/8.msg");
  ASSERT_GT(m.size(), kMsgHeaderSize) << "the next number after the highest";
  EXPECT_EQ(Field(m, 0, 36), "Robot");
  EXPECT_EQ(Field(m, 36, 36), "Sysop");
  EXPECT_EQ(Field(m, 72, 72), "Queue");
  EXPECT_EQ(U16(m, 166), 9999);
  EXPECT_EQ(U16(m, 168), 9999);
  EXPECT_EQ(U16(m, 172), 5020);
  EXPECT_EQ(U16(m, 174), 5020);
  EXPECT_NE(m.find("Queue is empty\r"), std::string::npos);

  // Netmail: addressed to the to-address, with its INTL line.
  const std::string n = Read("net/1.msg");
  ASSERT_GT(n.size(), kMsgHeaderSize);
  EXPECT_EQ(Field(n, 36, 36), "Sysop");
  EXPECT_EQ(U16(n, 166), 20);
  EXPECT_EQ(U16(n, 168), 9999);
  EXPECT_EQ(U16(n, 172), 5020);
  EXPECT_EQ(U16(n, 174), 10);
  EXPECT_NE(U16(n, 186) & 0x0001, 0) << "private";
  EXPECT_NE(n.find("\x01INTL: 2:10/20 2:5020/9999\r"), std::string::npos);

  // The packet: eight hexadecimal digits, the Type 2+ header from our node
  // with the password, one message of the area.
  std::string pktName;
  for (const auto& entry : std::filesystem::directory_iterator(Path("pkt"))) pktName = entry.path().filename();
  EXPECT_TRUE(std::regex_match(pktName, std::regex("[0-9a-f]{8}\\.pkt"))) << pktName;
  const std::string p = Read("pkt/" + pktName);
  EXPECT_EQ(U16(p, 0), 9999) << "origin node";
  EXPECT_EQ(U16(p, 20), 5020) << "origin net";
  EXPECT_EQ(Field(p, 26, 8), "secret");
  EXPECT_EQ(U16(p, 18), 2);
  EXPECT_EQ(U16(p, kPacketHeaderSize), 2) << "a message follows";
  EXPECT_NE(pkt.Texts[0].find("AREA:ZEB.QUEUE\r"), std::string::npos);
  EXPECT_NE(pkt.Texts[0].find("Queue is empty\r"), std::string::npos);
}

TEST_F(PostingRun, RunsOfOneSecondNeverShareAMsgId) {
  std::filesystem::create_directories(Path("msg"));
  std::filesystem::create_directories(Path("pkt"));
  Write("queue.tpl", "Queue is empty\n");
  std::string config = ConfigHead();
  for (int i = 0; i < 3; ++i) {
    for (const std::string& postto : {"msg " + Path("msg"), "pkt " + Path("pkt") + " ZEB.QUEUE"})
      config += "def report fidonet\ntemplate " + Path("queue.tpl") + "\npostto " + postto + "\nend\n";
  }
  Write("zeb.ctl", config);
  // The second run names the file that the first one found beside its log.
  Write("named.ctl", config + "def main\nmsgidfile " + Path("zeb.msgid") + "\nend\n");
  ASSERT_EQ(Run("zeb.ctl"), 0) << Read("console0.txt");
  ASSERT_EQ(Run("named.ctl"), 0) << Read("console0.txt");

  std::set<std::string> serials;
  const std::regex msgId("\x01MSGID: 2:5020/9999 ([0-9a-f]{8})\r");
  const TDiskImage image = LoadDirectory(Dir());
  for (const TStrictRead& read : {ReadFilesStrict(image, Path("msg"), "msg"), ReadFilesStrict(image, Path("pkt"), "pkt")}) {
    ASSERT_EQ(read.Error, "");
    for (const std::string& text : read.Texts) {
      std::smatch m;
      if (std::regex_search(text, m, msgId)) serials.insert(m[1]);
    }
  }
  EXPECT_EQ(serials.size(), 12u) << "two runs of six messages each";
  EXPECT_EQ(Read("zeb.msgid"), *serials.rbegin() + "\n") << "the last serial, beside the log";
}

}  // namespace
}  // namespace zeb::test
