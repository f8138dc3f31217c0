#include <gtest/gtest.h>

#include "config_fixture.h"

namespace zeb::test {
namespace {

TNetAddr Addr(uint16_t zone, uint16_t net, uint16_t node, uint16_t point = 0) {
  return TNetAddr{point, node, net, zone};
}

class ReportTest : public ConfigTest {
 protected:
  void SetUp() override {
    ConfigTest::SetUp();
    ASSERT_TRUE(
        Load("def main\naddress 2:34/6.1@fidonet\nend\ndef domain\nfsxnet 21\nend\n"
             "def mainaka\n21:1/100@fsxnet\nend\n",
             "base.ctl"));
  }
  // Loads one report section with a destination and the given lines and
  // returns it.
  const TReport* Report(const std::string& lines, const std::string& def = "def report") {
    if (!Load(def + "\npostto jam base\n" + lines + "end\n")) return nullptr;
    return config_.Reports.back().get();
  }
};

TEST_F(ReportTest, DefaultsOfASectionWithOnlyATemplate) {
  const TReport* r = Report("template tpl/queue.tpl\n");
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->Template, "/opt/zeb/tpl/queue.tpl");
  EXPECT_EQ(r->From.Name, "Zebrant");
  EXPECT_EQ(r->From.Addr, Addr(2, 34, 6, 1));
  EXPECT_EQ(r->To.Name, "All");
  EXPECT_EQ(r->To.Addr, Addr(2, 34, 6, 1));
  EXPECT_EQ(r->Subject, "Queue Report");
  EXPECT_TRUE(r->ShowLeftKludges);
  EXPECT_FALSE(r->SeenBy);
  EXPECT_FALSE(r->Path);
  EXPECT_EQ(r->PostTo.Kind, TPostKind::Jam);
  EXPECT_EQ(r->SortBy, (std::array<uint8_t, 7>{}));
  ASSERT_EQ(r->Domains.Count(), 2u) << "all domains defined so far";
  EXPECT_EQ(r->Domains[0]->Name, "fidonet");
  EXPECT_EQ(r->Domains[1]->Name, "fsxnet");
}

TEST_F(ReportTest, DefLineNamesDomainsThatMustExist) {
  const TReport* r = Report("", "def report FSXNET");
  ASSERT_NE(r, nullptr);
  ASSERT_EQ(r->Domains.Count(), 1u);
  EXPECT_EQ(r->Domains[0]->Name, "fsxnet");
  EXPECT_EQ(Report("", "def report fsxnet nosuch"), nullptr);
  EXPECT_EQ(Logged().back(), "Error: Bad parameters for section \"report\"");
  EXPECT_EQ(config_.Reports.size(), 1u);
}

TEST_F(ReportTest, ReportIsRegisteredOnlyAtItsEnd) {
  ASSERT_TRUE(Load("def report\ntemplate a.tpl\npostto file a.txt\n"));
  EXPECT_TRUE(config_.Reports.empty());
  ASSERT_TRUE(Load("end\n", "add.ctl"));
  EXPECT_EQ(config_.Reports.size(), 1u);
}

TEST_F(ReportTest, SortByCodes) {
  const TReport* r = Report("sortby Size Days\n");
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->SortBy, (std::array<uint8_t, 7>{1, 3, 0, 0, 0, 0, 0}));
  r = Report("sortby flavour fileechomailsize echomailsize netmailsize days address size bogus\n");
  ASSERT_NE(r, nullptr) << "words beyond the seventh are ignored";
  EXPECT_EQ(r->SortBy, (std::array<uint8_t, 7>{7, 6, 5, 4, 3, 2, 1}));
  r = Report("sortby days address\nsortby size\n");
  EXPECT_EQ(r->SortBy, (std::array<uint8_t, 7>{1, 2, 0, 0, 0, 0, 0}))
      << "a second line replaces from the first position";
  r = Report("sortby -days address\nmaxsteps 500\n", "def report fsxnet fidonet");
  EXPECT_EQ(r->SortBy, (std::array<uint8_t, 7>{3 | kSortReversed, 2, 0, 0, 0, 0, 0}));
  EXPECT_TRUE(r->MaxSteps == 500 && r->FirstDomain->Name == "fsxnet" && !Report("maxsteps 0\n"));

  ResetLoader();
  ASSERT_TRUE(Load("def report\n"));
  EXPECT_FALSE(Load("sortby size bogus\n", "more.ctl"));
  ResetLoader();
  EXPECT_FALSE(Load("def report\nsortby\n"));
}

TEST_F(ReportTest, PostToVariants) {
  const TReport* r = Report("postto PKT out/pkt fido.queue verylongpassword\n");
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->PostTo.Kind, TPostKind::Pkt);
  EXPECT_EQ(r->PostTo.Path, "/opt/zeb/out/pkt");
  EXPECT_EQ(r->PostTo.Area, "fido.queue");
  EXPECT_EQ(r->PostTo.Password, "verylong");

  r = Report("postto squish /var/sq/base 30\n");
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->PostTo.Kind, TPostKind::Squish);
  EXPECT_EQ(r->KeepDays, 30);
  r = Report("postto file \"/tmp/queue report.txt\"\n");
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->PostTo.Kind, TPostKind::File);
  EXPECT_EQ(r->PostTo.Path, "/tmp/queue report.txt");
  r = Report("postto netmail 'netmail'\n");
  EXPECT_EQ(r->PostTo.Kind, TPostKind::Netmail);
  EXPECT_EQ(r->PostTo.Path, "/opt/zeb/netmail");

  for (const char* bad : {"postto pkt /out", "postto pkt /out area pass more", "postto msg /msgbase extra",
                          "postto squish /sq 30 more", "postto jam", "postto hudson /hmb",
                          "postto jam %ZEB_UNSET_EVERYWHERE%"}) {
    ResetLoader();
    EXPECT_FALSE(Load(std::string("def report\n") + bad + "\n")) << bad;
  }
}

TEST_F(ReportTest, FromAndToParties) {
  const TReport* r = Report("from Queue Robot 2:34/6@fidonet\nto \"The Sysop\"\n");
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->From.Name, "Queue Robot");
  EXPECT_EQ(r->From.Addr, Addr(2, 34, 6));
  EXPECT_EQ(r->To.Name, "The Sysop");
  EXPECT_EQ(r->To.Addr, Addr(2, 34, 6)) << "the main address with point 0";

  r = Report("from 2:34/6\nto Joe /200@fsxnet\n");
  EXPECT_EQ(r->From.Name, "ZEB 3.05");
  EXPECT_EQ(r->From.Addr, Addr(2, 34, 6));
  EXPECT_EQ(r->To.Name, "Joe");
  EXPECT_EQ(r->To.Addr, Addr(21, 1, 200)) << "defaults from the own address of the named domain";

  r = Report("to 'Area Sysop' 21:3/4\nfrom Me 5\n");
  EXPECT_EQ(r->To.Name, "Area Sysop");
  EXPECT_EQ(r->To.Addr, Addr(21, 3, 4));
  EXPECT_EQ(r->From.Addr, Addr(2, 34, 5)) << "a bare node number of the main net";

  ResetLoader();
  EXPECT_FALSE(Load("def report\nfrom Robot\n")) << "a name without an address";
  EXPECT_EQ(Logged().back(), "Error: Bad address: Robot");
}

TEST_F(ReportTest, TextsAndSwitches) {
  const TReport* r = Report(
      "subject \"Outbound \"\"today\"\"\"\norigin 'Zeb node'\ntierline\nshowleftkludges no\nseen-by yes\npath 1\n");
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->Subject, "Outbound \"today\"");
  EXPECT_EQ(r->Origin, "Zeb node");
  EXPECT_EQ(r->Tearline, "");
  EXPECT_FALSE(r->ShowLeftKludges);
  EXPECT_TRUE(r->SeenBy);
  EXPECT_TRUE(r->Path);
  r = Report("subject\ntearline Zeb\n");
  EXPECT_EQ(r->Subject, "Queue Report");
  EXPECT_EQ(r->Tearline, "Zeb");
  ResetLoader();
  EXPECT_FALSE(Load("def report\nseen-by sometimes\n"));
  EXPECT_EQ(Logged().back(), "Error: Unknown parameter: sometimes");
}

TEST_F(ReportTest, CharsetIsTheValueOfTheChrsLine) {
  const TReport* r = Report("template t\n");
  EXPECT_EQ(r->Charset, "") << "no CHRS line unless asked for";
  r = Report("charset CP866 2\n");
  EXPECT_EQ(r->Charset, "CP866 2");
  r = Report("charset \"UTF-8 4\"\n");
  EXPECT_EQ(r->Charset, "UTF-8 4");
  r = Report("charset LATIN-1 2\ncharset\n");
  EXPECT_EQ(r->Charset, "") << "an empty value takes the line away again";
}

}  // namespace
}  // namespace zeb::test
