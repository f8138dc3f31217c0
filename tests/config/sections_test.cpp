#include "config/sections.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "config_fixture.h"
#include "support/net_addr.h"

namespace zeb::test {
namespace {

TNetAddr Addr(uint16_t zone, uint16_t net, uint16_t node, uint16_t point = 0) {
  return TNetAddr{point, node, net, zone};
}

const char* const kMain = "def main\nsysop Joe Sysop\naddress 2:34/6@fidonet\nend\n";

TEST(ExpandPath, LinuxRules) {
  SetHomeDir("/opt/zeb/");
  setenv("ZEB_TEST_DIR", "/tmp\\x", 1);
  EXPECT_EQ(ExpandPath("%zeb_test_dir%\\box\\\\"), "/tmp/x/box") << "variables ignore case, \\ is /";
  EXPECT_EQ(ExpandPath("%ZEB_TEST_DIR"), "") << "an unclosed % gives nothing";
  EXPECT_EQ(ExpandPath("%ZEB_UNSET_VAR%/a"), "/a");
  EXPECT_EQ(ExpandPath("\"/var/spool/my box/\""), "/var/spool/my box");
  EXPECT_EQ(ExpandPath("CON"), "con");
  EXPECT_EQ(ExpandPath("outbound"), "/opt/zeb/outbound");
  EXPECT_EQ(ExpandPath(".\\outbound"), "/opt/zeb/outbound");
  EXPECT_EQ(ExpandPath("../box"), "/opt/box");
  EXPECT_EQ(ExpandPath("c:/fido"), "/opt/zeb/c:/fido") << "no drive letters";
  EXPECT_EQ(ExpandPath("/abs/path/"), "/abs/path");
  EXPECT_EQ(ExpandPath(""), "");
  unsetenv("ZEB_TEST_DIR");
}

TEST_F(ConfigTest, MainAddressCreatesItsDomain) {
  ASSERT_TRUE(Load(kMain));
  const TMainConfig& c = config_;
  EXPECT_EQ(c.Sysop, "Joe Sysop");
  EXPECT_EQ(c.Address, Addr(2, 34, 6));
  EXPECT_EQ(c.Domain, "fidonet");
  const TDomain* fidonet = FindDomain(config_, "FidoNet");
  ASSERT_NE(fidonet, nullptr);
  EXPECT_EQ(fidonet->Aka, Addr(2, 34, 6));
  EXPECT_EQ(fidonet->Zones, (std::vector<uint16_t>{2}));
}

TEST_F(ConfigTest, MainRejectsBadAddressesAndEmptySysop) {
  for (const char* value : {"2:34/6", "0:34/6@fidonet", "2:0/6@fidonet", "2:34/0.1@fidonet", "2:34/6@fidonet extra"}) {
    ResetLoader();
    EXPECT_FALSE(Load(std::string("def main\naddress ") + value + "\n")) << value;
    EXPECT_EQ(Logged().back(), std::string("Error: Bad address: ") + value);
  }
  ResetLoader();
  EXPECT_TRUE(Load("def main\naddress 2:34/0@fidonet\nend\n")) << "a net's host node";
  EXPECT_FALSE(Load("def main\nsysop\n"));
  ResetLoader();
  EXPECT_FALSE(Load("def main\naddress 2:x/6@fidonet\n")) << "a part that is no number";
  EXPECT_EQ(Logged().back(), "Error: Bad address: 2:x/6@fidonet");
}

TEST_F(ConfigTest, DomainLinesListZonesOnce) {
  ASSERT_TRUE(Load("def domain\nfidonet 1 2 3 2\nothernet\nend\n"));
  EXPECT_EQ(FindDomain(config_, "fidonet")->Zones, (std::vector<uint16_t>{1, 2, 3}));
  EXPECT_TRUE(FindDomain(config_, "othernet")->Zones.empty());
  EXPECT_FALSE(Load("def domain\nfsxnet 21 0 22\n"));
  EXPECT_EQ(FindDomain(config_, "fsxnet")->Zones, (std::vector<uint16_t>{21})) << "zones before the bad one stay";
  ResetLoader();
  EXPECT_FALSE(Load("def domain\nx 5 abc\n"));
  ResetLoader();
  EXPECT_FALSE(Load("def domain\nx 65536\n"));
  EXPECT_EQ(FindDomain(config_, "x")->Zones, (std::vector<uint16_t>{5}));
}

TEST_F(ConfigTest, MainAkaSetsTheOwnAddressOfAnExistingDomain) {
  ASSERT_TRUE(Load(std::string(kMain) + "def domain\nfsxnet 21\nend\ndef mainaka\n/7@fidonet\n21:1/100@FSXNET\nend\n"));
  EXPECT_EQ(FindDomain(config_, "fidonet")->Aka, Addr(2, 34, 7));
  EXPECT_EQ(FindDomain(config_, "fsxnet")->Aka, Addr(21, 1, 100));

  EXPECT_FALSE(Load("def mainaka\n1:2/3@othernet\n"));
  EXPECT_EQ(Logged().back(), "Error: Domain name \"1:2/3@othernet\" is not defined");
  ResetLoader();
  EXPECT_FALSE(Load("def mainaka\n2:34/8\n"));
  EXPECT_EQ(Logged().back(), "Error: Bad address: 2:34/8");
}

TEST_F(ConfigTest, OutboundGroups) {
  ASSERT_TRUE(Load(std::string(kMain) + "def domain\nfsxnet 21\nend\n"
                                        "def outbound\n/var/spool/out/\nout ; relative\n/var/spool/out\nend\n"
                                        "def outbound fsxnet FIDONET\n/var/spool/fsx\nend\n"));
  const auto& groups = config_.Outbounds;
  ASSERT_EQ(groups.size(), 2u);
  ASSERT_EQ(groups[0]->Paths.Count(), 2u) << "a path given twice is stored once";
  EXPECT_EQ(groups[0]->Paths[0], "/opt/zeb/out");
  EXPECT_EQ(groups[0]->Paths[1], "/var/spool/out");
  ASSERT_EQ(groups[0]->Domains.Count(), 1u) << "without names: the main address's domain";
  EXPECT_EQ(groups[0]->Domains[0]->Name, "fidonet");
  ASSERT_EQ(groups[1]->Domains.Count(), 2u);
  EXPECT_EQ(groups[1]->Domains[0]->Name, "fidonet");
  EXPECT_EQ(groups[1]->Domains[1]->Name, "fsxnet");

  EXPECT_FALSE(Load("def outbound fidonet nosuch\n"));
  EXPECT_EQ(Logged(), (Lines{"Error: zeb.ctl (1): def outbound fidonet nosuch",
                             "Error: Bad parameters for section \"outbound\""}));
  EXPECT_EQ(config_.Outbounds.size(), 2u);
}

TEST_F(ConfigTest, OutboundWithoutMainDomainAndTMail) {
  ASSERT_TRUE(Load("def domain\nzzznet 9\nAAAnet 8\nend\ndef outbound\n/out\nend\n"));
  EXPECT_EQ(config_.Outbounds[0]->Domains[0]->Name, "AAAnet") << "the first domain by name";

  ASSERT_TRUE(Load("def t-mail\n/var/tmail/old\n/var/tmail/net/\n"));
  EXPECT_EQ(config_.TMailOutbound, "") << "committed only at the end";
  ASSERT_TRUE(Load("end\n", "more.ctl"));
  EXPECT_EQ(config_.TMailOutbound, "/var/tmail/net");
  EXPECT_FALSE(Load("def t-mail x\n"));
}

TEST_F(ConfigTest, FileBoxes) {
  ASSERT_TRUE(Load(std::string(kMain) +
                   "def bink/+\n123 /Boxes/N123\n/45 '/boxes/with blank' HOLD\n1:2/3.4 \"boxes/Rel\" Immediate\n"
                   "123 /boxes/second crash\n2:34/9 /b dir\n2:34/10 /b norm\nend\n"));
  const TBoxeList& boxes = *FindDomain(config_, "fidonet")->Boxes;
  ASSERT_EQ(boxes.Count(), 5u);
  EXPECT_EQ(boxes[0]->Addr, Addr(1, 2, 3, 4));
  EXPECT_EQ(boxes[0]->Path, "/opt/zeb/boxes/Rel");
  EXPECT_EQ(boxes[0]->Flavour, 3);
  EXPECT_EQ(boxes[1]->Addr, Addr(2, 34, 9));
  EXPECT_EQ(boxes[1]->Flavour, 5);
  EXPECT_EQ(boxes[2]->Flavour, 6);
  EXPECT_EQ(boxes[3]->Addr, Addr(2, 34, 45));
  EXPECT_EQ(boxes[3]->Path, "/boxes/with blank");
  EXPECT_EQ(boxes[3]->Flavour, 7);
  EXPECT_EQ(boxes[4]->Addr, Addr(2, 34, 123));
  EXPECT_EQ(boxes[4]->Path, "/Boxes/N123") << "the path keeps its case; the second box is ignored";
  EXPECT_EQ(boxes[4]->Flavour, 6);

  EXPECT_FALSE(Load("def bink/+ fidonet\n5 /b fast\n"));
  EXPECT_EQ(Logged().back(), "Error: Unknown flavour fast");
  EXPECT_EQ(FindDomain(config_, "fidonet")->Boxes->Count(), 0u) << "a new section starts a new collection";
  ResetLoader();
  EXPECT_FALSE(Load("def bink/+\n5\n")) << "a box needs a path";
  ResetLoader();
  EXPECT_FALSE(Load("def bink/+ othernet\n"));
  EXPECT_EQ(Logged().back(), "Error: Bad parameters for section \"bink/+\"");
  ResetLoader();
  ASSERT_TRUE(Load("def domain\nfsxnet 21 22\nend\ndef bink/+ fsxnet\n4/10 /b\nend\n"
                   "def skipaddress\n4/11@fsxnet\nend\n"));
  EXPECT_EQ((*FindDomain(config_, "fsxnet")->Boxes)[0]->Addr, Addr(21, 4, 10)) << "a domain without an address: its first zone";
  EXPECT_EQ((*FindDomain(config_, "fsxnet")->Skip)[0], Addr(21, 4, 11));
}

TEST(Flavour, ShortAndLongNamesInAnyCase) {
  const std::pair<const char*, int> cases[] = {{"imm", 3},  {"Immediate", 3}, {"crash", 4}, {"dir", 5}, {"direct", 5},
                                               {"NORM", 6}, {"normal", 6},    {"HOLD", 7},  {"h", 0},   {"", 0}};
  for (const auto& [word, code] : cases) EXPECT_EQ(ParseFlavour(word), code) << word;
}

TEST_F(ConfigTest, ScanFlagsSkipAddressesAndQueue) {
  ASSERT_TRUE(Load(std::string(kMain) + "def scanflags\nSkipBusyFlag yes\nemptypacketaspoll 1\nend\n"
                                        "def skipaddress\n/7@FidoNet\n1:2/3.4@fidonet\n/7@fidonet\nend\n"
                                        "def queue\nparsebadqueue yes\nfilequeue q/\nend\n"));
  const TMainConfig& c = config_;
  EXPECT_TRUE(c.SkipBusyFlag);
  EXPECT_TRUE(c.EmptyPacketAsPoll);
  EXPECT_TRUE(c.ParseBadQueue);
  EXPECT_EQ(c.FileQueue, "/opt/zeb/q");
  const TNetAddrSet& skip = *FindDomain(config_, "fidonet")->Skip;
  ASSERT_EQ(skip.Count(), 2u);
  EXPECT_EQ(skip[0], Addr(1, 2, 3, 4));
  EXPECT_EQ(skip[1], Addr(2, 34, 7));

  for (const char* line : {"@fidonet", "2:34/7@", "2:34/7", "2:34/7@nosuch"}) {
    ResetLoader();
    EXPECT_FALSE(Load(std::string("def skipaddress\n") + line + "\n")) << line;
    const Lines logged = Logged();
    ASSERT_EQ(logged.size(), 3u) << line;
    EXPECT_TRUE(logged[2].starts_with("Reason: ")) << "no extra message, a reason for " << line;
  }
  ResetLoader();
  EXPECT_FALSE(Load("def scanflags\nskipbusyflag on\n"));
  EXPECT_EQ(Logged().back(), "Error: Unknown parameter: on");
  ResetLoader();
  EXPECT_FALSE(Load("def queue\nfilequeue %UNCLOSED\n"));
}

}  // namespace
}  // namespace zeb::test
