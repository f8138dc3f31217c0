// The binkd section: what a binkd configuration adds to zeb's, and what
// zeb.ctl keeps for itself.
#include <gtest/gtest.h>

#include "config_fixture.h"
#include "support/net_addr.h"
#include "zeb_binary.h"

namespace zeb::test {
namespace {

TNetAddr Addr(uint16_t zone, uint16_t net, uint16_t node, uint16_t point = 0) { return TNetAddr{point, node, net, zone}; }

const char* const kBinkd =
    "domain fidonet outb 2\n"
    "domain fido alias-for fidonet\n"
    "domain fsxnet \"/var/spool/fsx out\" 21\n"
    "domain winnet C:\\\\ftn\\\\outb 5\n"
    "address 2:5020/1.7 21:1/100@fsxnet 1:2/3@fido\n"
    "sysop \"Jane Binkd\"\n"
    "node 2:5020/2 host.example - c boxes/2\n"
    "node 3:1/1@fido -nr host - h /boxes/3\n"
    "node 21:1/101@fsxnet host pw - \\\\\\\\server\\\\box\n"
    "node 21:1/102@fsxnet host pw i /boxes/102\n"
    "node 2:5020/5 host pw d -\n";

TEST_F(ConfigTest, BinkdFillsWhatZebCtlLeavesOpen) {
  disk_.AddFile("/etc/binkd/binkd.cfg", kBinkd);
  ASSERT_TRUE(Load("def binkd\n/etc/binkd/binkd.cfg\nend\n"));
  EXPECT_EQ(config_.Address, Addr(2, 5020, 1, 7));
  EXPECT_EQ(config_.Domain, "fidonet");
  EXPECT_EQ(config_.Sysop, "Jane Binkd");
  const TDomain& fido = *FindDomain(config_, "fidonet");
  EXPECT_EQ(fido.Zones, (std::vector<uint16_t>{2, 1, 3})) << "the default zone, then addresses', then nodes'";
  EXPECT_EQ(fido.Aka, Addr(2, 5020, 1, 7)) << "the main address, not the later 1:2/3";
  EXPECT_EQ(FindDomain(config_, "fsxnet")->Aka, Addr(21, 1, 100));
  EXPECT_EQ(FindDomain(config_, "winnet")->Zones, (std::vector<uint16_t>{5}));
  EXPECT_EQ(FindDomain(config_, "fido"), nullptr) << "an alias is no domain";

  ASSERT_EQ(config_.Outbounds.size(), 2u) << "winnet's outbound is not usable here";
  EXPECT_EQ(config_.Outbounds[0]->Paths[0], "/etc/binkd/outb");
  EXPECT_EQ(config_.Outbounds[0]->Domains[0], &fido);
  EXPECT_EQ(config_.Outbounds[1]->Paths[0], "/var/spool/fsx out");

  const TBoxeList& fidoBoxes = *fido.Boxes;
  ASSERT_EQ(fidoBoxes.Count(), 2u) << "5020/5 has no box";
  EXPECT_EQ(fidoBoxes[0]->Addr, Addr(2, 5020, 2));
  EXPECT_EQ(fidoBoxes[0]->Path, "/etc/binkd/boxes/2");
  EXPECT_EQ(fidoBoxes[0]->Flavour, 4);
  EXPECT_EQ(fidoBoxes[1]->Addr, Addr(3, 1, 1));
  EXPECT_EQ(fidoBoxes[1]->Flavour, 7);
  const TBoxeList& fsxBoxes = *FindDomain(config_, "fsxnet")->Boxes;
  ASSERT_EQ(fsxBoxes.Count(), 1u) << "the share is not usable here";
  EXPECT_EQ(fsxBoxes[0]->Flavour, 3);

  EXPECT_EQ(Logged(), (Lines{
                          "Error: /etc/binkd/binkd.cfg (4): binkd's line not used",
                          "Reason: Outbound not usable here: C:\\ftn\\outb",
                          "Error: /etc/binkd/binkd.cfg (9): binkd's line not used",
                          "Reason: File box not usable here: \\\\server\\box",
                          "binkd domain: fidonet, zones 2 1 3",
                          "binkd outbound: /etc/binkd/outb for fidonet",
                          "binkd domain: fsxnet, zones 21",
                          "binkd outbound: /var/spool/fsx out for fsxnet",
                          "binkd domain: winnet, zones 5",
                          "binkd main address: 2:5020/1.7@fidonet",
                          "binkd address: 21:1/100@fsxnet",
                          "binkd sysop: Jane Binkd",
                          "binkd file box: 2:5020/2@fidonet /etc/binkd/boxes/2 c",
                          "binkd file box: 3:1/1@fidonet /boxes/3 h",
                          "binkd file box: 21:1/102@fsxnet /boxes/102 i",
                      }));
}

TEST_F(ConfigTest, ZebCtlWinsOverBinkd) {
  disk_.AddFile("/etc/binkd/binkd.cfg", kBinkd);
  ASSERT_TRUE(Load("def main\nsysop Joe\naddress 2:34/6@fidonet\nend\ndef domain\nfidonet 2 4\nend\n"
                   "def outbound fidonet\n/out\nend\ndef bink/+ fidonet\n5020/2 /mine hold\nend\n"
                   "def binkd\n/etc/binkd/binkd.cfg\nend\n"
                   "def report\npostto file r.txt\nend\n"));
  EXPECT_EQ(config_.Sysop, "Joe");
  EXPECT_EQ(config_.Address, Addr(2, 34, 6));
  const TDomain& fido = *FindDomain(config_, "fidonet");
  EXPECT_EQ(fido.Zones, (std::vector<uint16_t>{2, 4}));
  EXPECT_EQ(fido.Aka, Addr(2, 34, 6));
  ASSERT_EQ(config_.Outbounds.size(), 2u) << "fidonet keeps its own outbound, fsxnet gets binkd's";
  EXPECT_EQ(config_.Outbounds[1]->Domains[0]->Name, "fsxnet");
  const TBoxeList& boxes = *fido.Boxes;
  ASSERT_EQ(boxes.Count(), 2u);
  EXPECT_EQ(boxes[0]->Path, "/mine");
  EXPECT_EQ(boxes[0]->Flavour, 7);
  EXPECT_EQ(config_.Reports[0]->Domains.Count(), 3u) << "a later report covers binkd's domains";
}

TEST_F(ConfigTest, UnreadableBinkdFileRejectsTheLine) {
  disk_.AddFile("/etc/binkd/loop.cfg", "include loop.cfg\n");
  const std::pair<const char*, const char*> cases[] = {
      {"/etc/binkd/none.cfg", "Error: Can't open file /etc/binkd/none.cfg"},
      {"/etc/binkd/loop.cfg", "Error: Include loop: /etc/binkd/loop.cfg"},
  };
  for (const auto& [file, message] : cases) {
    ResetLoader();
    Logged();
    EXPECT_FALSE(Load(std::string("def binkd\n") + file + "\nend\n"));
    EXPECT_EQ(Logged(), (Lines{std::string("Error: zeb.ctl (2): ") + file, "Error: Bad configuration file string in section: binkd",
                               message}));
  }
}

using BinkdRun = ZebBinaryTest;

// An outbound and file boxes laid out as binkd keeps them, reported once
// through binkd's configuration and once through the same setup written
// out in zeb.ctl.
TEST_F(BinkdRun, ReportsAsTheHandWrittenConfiguration) {
  Write("binkd/binkd.cfg",
        "domain fidonet ../outbound 2 # zone 2 in outbound, others in outbound.xxx\n"
        "domain fido alias-for fidonet\n"
        "domain fsxnet ../fsx\n"
        "address 2:5020/9999@fido\n"
        "sysop \"Test Sysop\"\n"
        "filebox ../tmail\n"
        "include links.cfg\n");
  Write("binkd/links.cfg",
        "node 5020/1 host.example pw c ../boxes/1\n"
        "node 2:5020/2 - - h \"../boxes/two\"\n"
        "node 2:5020/3 host - i -\n"
        "node 2:5020/4 - - - C:/boxes/4\n"
        "node 1:2/3@fidonet host\n"
        "node 2:5020/x host\n");
  Write("outbound/139c0003.cut", "netmail");
  Write("outbound.001/00020003.out", "echomail packet");
  Write("boxes/1/file.zip", "file");
  Write("boxes/1/.file2.zip", "being copied");
  Write("tmail/2.5020.5.0.h/a.zip", "tmail");
  Write("tmail/024ss007.00/b.pkt", "short box");
  Write("boxes/two/00000001.pkt", "packet");
  Write("queue.tpl", "@foreach(@queue)\n@node @pflags @mailsize(N) @mailsize(E) @mailsize(F)\n@nextnode\n@end\n");
  const auto config = [&](const std::string& setup, const std::string& name) {
    Write(name + ".ctl", setup + "def log\npath " + Path(name + ".log") + "\nlevel normal\nend\n" +
                             "def report\ntemplate " + Path("queue.tpl") + "\npostto file " + Path(name + ".txt") +
                             "\nend\n");
  };
  config("def binkd\nbinkd/binkd.cfg\nend\n", "binkd");
  config("def main\naddress 2:5020/9999@fidonet\nsysop Test Sysop\nend\ndef domain\nfidonet 2 1\nend\n"
         "def outbound fidonet\n" + Path("outbound") + "\nend\n"
         "def bink/+ fidonet\n5020/1 " + Path("boxes/1") + " crash\n5020/2 " + Path("boxes/two") + " hold\n5020/5 " +
             Path("tmail/2.5020.5.0.h") + " hold\n5020/7 " + Path("tmail/024ss007.00") + "\nend\n",
         "hand");
  // binkd's lines that zeb cannot use are errors; the rest is read.
  EXPECT_EQ(RunAll({"binkd.ctl", "hand.ctl"}), (std::vector<int>{2, 0})) << Read("console0.txt");
  EXPECT_EQ(Read("hand.txt"), "1:2/3      N 15 0 0\n2:5020/1      C 0 0 4\n2:5020/2      H 6 0 0\n2:5020/3      C 7 0 0\n"
                              "2:5020/5      H 0 0 5\n2:5020/7      N 9 0 0\n");
  EXPECT_EQ(Read("binkd.txt"), Read("hand.txt"));
  for (const char* error : {"binkd.cfg (3): binkd's line not used\n   Reason: A domain needs",
                            "links.cfg (4): binkd's line not used\n   Reason: File box not usable here: C:/boxes/4\n",
                            "links.cfg (6): binkd's line not used\n   Reason: Bad address: 2:5020/x\n"})
    EXPECT_NE(Read("console0.txt").find(error), std::string::npos) << Read("console0.txt");
}

}  // namespace
}  // namespace zeb::test
