// Two zeb processes posting at once into the same JAM base, Squish base,
// *.MSG directory and packet directory: every message of both arrives whole,
// once, in bases whose numbers and links stay sound, under names no other
// message took.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <string>

#include "zeb_binary.h"

namespace zeb::test {
namespace {

constexpr int kReportsPerRun = 100;

class ConcurrentPosting : public ZebBinaryTest {
 protected:
  // A configuration whose reports post the messages `tag`000 ... `tag`099,
  // each into all four places in turn.
  std::string Config(char tag) const {
    std::string config = ConfigHead();
    for (int i = 0; i < kReportsPerRun; ++i) {
      const std::string name = Tag(tag, i);
      Write("tpl/" + name + ".tpl", "Message " + name + "\n");
      const std::string head = "def report fidonet\ntemplate " + Path("tpl/" + name + ".tpl") + "\n";
      for (const std::string& postto : {"jam " + Path("jam/queue"), "squish " + Path("sq/queue"), "msg " + Path("msg"),
                                        "pkt " + Path("pkt") + " ZEB.QUEUE"})
        config += head + "postto " + postto + "\nend\n";
    }
    return config;
  }
  static std::string Tag(char tag, int i) {
    std::string name(1, tag);
    name += static_cast<char>('0' + i / 100);
    name += static_cast<char>('0' + i / 10 % 10);
    name += static_cast<char>('0' + i % 10);
    return name;
  }
  // Every message of both runs once among the texts, nothing else.
  static void ExpectAllOnce(const TStrictRead& read, const std::string& place) {
    ASSERT_EQ(read.Error, "") << place;
    std::map<std::string, int> seen;
    const std::regex tag("Message ([AB][0-9]{3})");
    for (const std::string& text : read.Texts) {
      std::smatch m;
      if (std::regex_search(text, m, tag)) ++seen[m[1]];
    }
    EXPECT_EQ(read.Texts.size(), 2u * kReportsPerRun) << place;
    for (char t : {'A', 'B'}) {
      for (int i = 0; i < kReportsPerRun; ++i) EXPECT_EQ(seen[Tag(t, i)], 1) << place << " " << Tag(t, i);
    }
  }
};

TEST_F(ConcurrentPosting, TwoRunsLoseNothingAndKeepBasesSound) {
  for (const char* sub : {"jam", "sq", "msg", "pkt"}) std::filesystem::create_directories(Path(sub));
  Write("a.ctl", Config('A'));
  Write("b.ctl", Config('B'));
  const std::vector<int> codes = RunAll({"a.ctl", "b.ctl"});
  SCOPED_TRACE("console of run A:\n" + Read("console0.txt") + "\nconsole of run B:\n" + Read("console1.txt") +
               "\nlog:\n" + Read("zeb.log"));
  EXPECT_EQ(codes, (std::vector<int>{0, 0}));

  const TDiskImage image = LoadDirectory(Dir());
  const TStrictRead jam = ReadJamStrict(image, Path("jam/queue"));
  EXPECT_FALSE(jam.ActiveCountLags) << "no append was left half done";
  ExpectAllOnce(jam, "jam");
  ExpectAllOnce(ReadSquishStrict(image, Path("sq/queue")), "squish");
  ExpectAllOnce(ReadFilesStrict(image, Path("msg"), "msg"), "msg");
  ExpectAllOnce(ReadFilesStrict(image, Path("pkt"), "pkt"), "pkt");

  // The *.MSG files are numbered 2 to 201 without a gap (1.msg is a
  // tosser's high-water mark); packets are named
  // by eight hexadecimal digits.
  std::set<std::string> msgNames, pktNames;
  for (const auto& entry : std::filesystem::directory_iterator(Path("msg"))) msgNames.insert(entry.path().filename());
  for (const auto& entry : std::filesystem::directory_iterator(Path("pkt"))) pktNames.insert(entry.path().filename());
  std::set<std::string> numbered;
  for (int n = 2; n <= 2 * kReportsPerRun + 1; ++n) numbered.insert(std::to_string(n) + ".msg");
  EXPECT_EQ(msgNames, numbered);
  EXPECT_EQ(pktNames.size(), 2u * kReportsPerRun);

  // Both runs take their MSGID serials from the one file beside the log.
  std::set<std::string> serials;
  const std::regex msgId("\x01MSGID: 2:5020/9999 ([0-9a-f]{8})\r");
  for (const TStrictRead& read : {ReadFilesStrict(image, Path("msg"), "msg"), ReadFilesStrict(image, Path("pkt"), "pkt")}) {
    for (const std::string& text : read.Texts) {
      std::smatch m;
      if (std::regex_search(text, m, msgId)) serials.insert(m[1]);
    }
  }
  EXPECT_EQ(serials.size(), 4u * kReportsPerRun) << "every message of both runs its own MSGID";
  for (const std::string& name : pktNames) EXPECT_TRUE(std::regex_match(name, std::regex("[0-9a-f]{8}\\.pkt"))) << name;
}

}  // namespace
}  // namespace zeb::test
