// The tossers' configurations: husky's fidoconfig and crashmail's prefs as
// their documentation writes them, what zeb takes from them, and reports
// posted with postto area.
#include <gtest/gtest.h>

#include <map>
#include <tuple>
#include <string>

#include "config/crashmail_config.h"
#include "config/fidoconfig.h"
#include "config_fixture.h"
#include "fake_disk.h"
#include "support/text.h"
#include "zeb_binary.h"

namespace zeb::test {
namespace {

std::string Describe(const TDomainAddress& a) { return FormatNetAddr(a.Addr) + "@" + a.Domain; }

// One line per item: addresses, sysop, areas, notes; then what only
// fidoconfig gives.
template <typename Config>
std::string Describe(const Config& c) {
  static const char* const kBases[] = {"msg", "squish", "jam", "pass"};
  std::string text = c.Sysop.empty() ? "" : "sysop " + c.Sysop + "\n";
  for (const auto& a : c.Addresses) text += "address " + Describe(a) + "\n";
  for (const auto& a : c.Areas)
    text += Format("%s %s %s %s %s\n", a.Netmail ? "netmail" : "area", a.Tag.c_str(), kBases[static_cast<int>(a.Base)],
                   a.Path.c_str(), Describe(a.Aka).c_str());
  for (const auto& n : c.Notes) text += Format("note %s:%d %s\n", n.File.c_str(), n.Line, n.Text.c_str());
  if constexpr (std::is_same_v<Config, TFidoConfig>) {
    text += "outbound " + c.Outbound + "\nboxes " + c.FileBoxesDir + "\n";
    for (const auto& l : c.Links) text += "link " + Describe(l.Aka) + " " + l.FileBox + "\n";
    for (const auto& n : c.Commands) text += Format("command %s:%d %s\n", n.File.c_str(), n.Line, n.Text.c_str());
  }
  return text;
}

struct ReaderCase {
  const char* name;
  std::map<std::string, std::string> files;  // the first one read is /f/config
  std::string expected;                      // Describe(), or "error: ..." when the read fails
};

template <typename Config, typename Read>
void ExpectReads(const ReaderCase& c, Read read) {
  FakeDisk disk;
  for (const auto& [path, text] : c.files) disk.AddFile(path, text);
  Config config;
  std::string error;
  const bool ok = read(disk, "/f/config", config, error);
  EXPECT_EQ(ok ? Describe(config) : "error: " + error, c.expected) << c.name;
}

TEST(TosserConfig, FidoconfigAsHuskyWritesIt) {
  unsetenv("ZEB_TEST_UNSET");
  setenv("ZEB_TEST_HOME", "/home/fido", 1);
  const ReaderCase cases[] = {
      {"includes, variables, conditions, continuation, comments, every area form",
       {{"/f/config",
         "# husky\n"
         "  SYSOP  Jane Q. Sysop   # after blanks\n"
         "set OUT=/var/spool/ftn\n"
         "Address 2:5020/9999.0@fidonet\n"
         "address 21:1/100@fsxnet\n"
         "Outbound [OUT]/outbound\n"
         "FileBoxesDir \"[ZEB_TEST_HOME]/boxes\"\n"
         "include links.inc\n"
         "if \"[OS]\" == \"unix\"\n"
         "  EchoAreaDefaults -b Squish -p 30\n"
         "elseif [OS]==UNIX\n"
         "  EchoAreaDefaults -b Msg\n"
         "else\n"
         "  EchoAreaDefaults -b Jam\n"
         "endif\n"
         "ifdef ZEB_TEST_UNSET\nEchoArea NEVER /never\nendif\n"
         "ifndef module\n"
         "EchoArea SQ.AREA [OUT]/msg/sq -a 21:1/100@fsxnet -d \"a#b -b Jam\" 2:5020/1 -def\n"
         "endif\n"
         "if [module]=~h*\nEchoArea NEVER /never\nendif\n"
         "if [OS] !~ W*\n"
         "EchoArea JAM.AREA msg/jam -b JAM \\\n"
         "   2:5020/1 \\\n"
         "   2:5020/2\n"
         "endif\n"
         "EchoArea DEF.AREA /var/msg/def -a 2:5020/9999.1\n"
         "EchoAreaDefaults off\n"
         "LocalArea MSG.AREA /var/msg/local\n"
         "EchoArea PASS.AREA Passthrough 2:5020/1\n"
         "EchoArea PASS2 /x -pass\n"
         "NetmailArea NETMAIL /var/msg/net\n"
         "BadArea BAD /var/msg/bad -b Squish\n"
         "DupeArea DUPES /var/msg/dupes -b Jam\n"
         "commentChar ;\n"
         "LocalArea HASH /var/msg/#x ; a comment now\n"
         "Outbound `cat /etc/outbound`\n"
         "hptPerl on\n"},
        {"/f/links.inc", "Link One\nAka 2:5020/1\nFileBox /boxes/one\nLink Two\n  aka 1:2/3\n"}},
       "sysop Jane Q. Sysop\n"
       "address 2:5020/9999@fidonet\n"
       "address 21:1/100@fsxnet\n"
       "area SQ.AREA squish /var/spool/ftn/msg/sq 21:1/100@fsxnet\n"
       "area JAM.AREA jam msg/jam 2:5020/9999@fidonet\n"
       "area DEF.AREA squish /var/msg/def 2:5020/9999.1@fidonet\n"
       "area MSG.AREA msg /var/msg/local 2:5020/9999@fidonet\n"
       "area PASS.AREA pass  2:5020/9999@fidonet\n"
       "area PASS2 pass  2:5020/9999@fidonet\n"
       "netmail NETMAIL msg /var/msg/net 2:5020/9999@fidonet\n"
       "area BAD squish /var/msg/bad 2:5020/9999@fidonet\n"
       "area DUPES jam /var/msg/dupes 2:5020/9999@fidonet\n"
       "area HASH msg /var/msg/#x 2:5020/9999@fidonet\n"
       "outbound /var/spool/ftn/outbound\n"
       "boxes /home/fido/boxes\n"
       "link 2:5020/1@fidonet /boxes/one\n"
       "link 1:2/3@fidonet \n"
       "command /f/config:40 Outbound `cat /etc/outbound`\n"},
      {"lines that cannot be used are notes",
       {{"/f/config",
         "Address 2:5020/9999\n"
         "FileBox /early\n"
         "Address 5020/1\n"
         "Sysop\n"
         "Outbound c:\\fido\\out\n"
         "include \\\\server\\fido.inc\n"
         "set NOTHING\n"
         "Link Nowhere\n"
         "Aka 2:5020/3 2:5020/4\n"
         "Link Bad\n"
         "Aka 2:x/1\n"
         "EchoArea ONLY\n"
         "EchoArea HUDSON /x -b Hudson\n"
         "EchoArea NOVALUE /x -a\n"
         "EchoArea DUP /a\n"
         "EchoArea dup /b\n"
         "EchoArea BADAKA /x -a 2:x/1\n"
         "EchoArea \"OPEN /x\n"
         "else\n"
         "if nothing\nEchoArea HIDDEN /x\nendif\n"
         "if [OS]==UNIX\n"}},
       "address 2:5020/9999@\n"
       "area DUP msg /a 2:5020/9999@\n"
       "note /f/config:2 filebox outside a link\n"
       "note /f/config:5 outbound not usable here: c:\\fido\\out\n"
       "note /f/config:6 include not usable here: \\\\server\\fido.inc\n"
       "note /f/config:7 set needs NAME=VALUE\n"
       "note /f/config:9 aka takes one value\n"
       "note /f/config:12 echoarea needs a tag and a file\n"
       "note /f/config:13 Unknown message base type: Hudson\n"
       "note /f/config:14 -a needs a value\n"
       "note /f/config:16 Duplicate area dup\n"
       "note /f/config:18 Unclosed quote\n"
       "note /f/config:19 else without if\n"
       "note /f/config:20 Bad condition: nothing\n"
       "note /f/config:23 if without endif\n"
       "note /f/config:3 Bad address: 5020/1\n"
       "note /f/config:8 Link Nowhere has no Aka\n"
       "note /f/config:11 Bad address: 2:x/1\n"
       "note /f/config:17 Bad address: 2:x/1\n"
       "outbound \nboxes \n"},
      {"an include loop", {{"/f/config", "include sub/a\n"}, {"/f/sub/a", "include ../config\n"}},
       "error: Include loop: /f/sub/../config"},
  };
  for (const ReaderCase& c : cases) ExpectReads<TFidoConfig>(c, ReadFidoConfig);
  unsetenv("ZEB_TEST_HOME");
}

TEST(TosserConfig, CrashmailPrefsAsTheExampleWritesThem) {
  const ReaderCase cases[] = {
      {"addresses with domains, every area form, comments and quotes",
       {{"/f/config",
         "; CrashMail II\n"
         "SYSOP \"Johan Billing\"\n"
         "NETMAIL \"NETMAIL\" 2:200/108.7 MSG \"/var/ftn/netmail\"\n"
         "AKA 2:200/207.6\n"
         "DOMAIN \"FidoNet\"\n"
         "AKA 2:200/108.7\n"
         "ADDNODE 1/1\n"
         "DOMAIN \"FidoNet\"\n"
         "AKA 21:1/100\n"
         "AREA \"BAD\" 2:200/108.7 JAM \"/var/ftn/bad\"\n"
         "  area R20_INTRESSE 2:200/207.6 msg /var/ftn/r20\n"
         "EXPORT %2:200/100.0\n"
         "LOCALAREA \"LOCAL\" 21:1/100 JAM local/base\n"
         "AREA \"PASS\" 2:200/108.7\n"}},
       "sysop Johan Billing\n"
       "address 2:200/207.6@FidoNet\n"
       "address 2:200/108.7@FidoNet\n"
       "address 21:1/100@\n"
       "netmail NETMAIL msg /var/ftn/netmail 2:200/108.7@FidoNet\n"
       "area BAD jam /var/ftn/bad 2:200/108.7@FidoNet\n"
       "area R20_INTRESSE msg /var/ftn/r20 2:200/207.6@FidoNet\n"
       "area LOCAL jam local/base 21:1/100@\n"
       "area PASS pass  2:200/108.7@FidoNet\n"},
      {"lines that cannot be used are notes",
       {{"/f/config",
         "DOMAIN fidonet\n"
         "AKA 200/1\n"
         "SYSOP \"open\n"
         "AREA X 2:1/1 HUDSON /x\n"
         "AREA Y 2:1/1 JAM\n"
         "AREA Z 2:1/1 MSG c:\\msg\n"
         "AREA Y 2:1/1\n"
         "AREA y 2:1/1\n"
         "NETMAIL N 2:x/1\n"}},
       "area Y pass  2:1/1@\n"
       "note /f/config:1 DOMAIN without an AKA before it\n"
       "note /f/config:2 Bad address: 200/1\n"
       "note /f/config:3 Unclosed quote\n"
       "note /f/config:4 Unknown message base type: HUDSON\n"
       "note /f/config:5 AREA needs a tag, an address, and a base type with its path or neither\n"
       "note /f/config:6 Area path not usable here: c:\\msg\n"
       "note /f/config:8 Duplicate area y\n"
       "note /f/config:9 Bad address: 2:x/1\n"},
      {"a file that cannot be read", {}, "error: Can't open file /f/config"},
  };
  for (const ReaderCase& c : cases) ExpectReads<TCrashmailConfig>(c, ReadCrashmailConfig);
}

TNetAddr Addr(uint16_t zone, uint16_t net, uint16_t node, uint16_t point = 0) { return TNetAddr{point, node, net, zone}; }

const char* const kFido =
    "Sysop Fido Sysop\nAddress 2:5020/9999\nAddress 21:1/100@fsxnet\nOutbound /var/outb\nFileBoxesDir boxes\n"
    "Link A\nAka 2:5020/1\nFileBox boxes/a\nLink B\nAka 21:1/7@fsxnet\nFileBox /b\n"
    "EchoArea SQ /msg/sq -b Squish -a 21:1/100@fsxnet\nEchoArea PASS passthrough\n"
    "NetmailArea NET /msg/net\nNetmailArea NETSQ /msg/netsq -b Squish\n";

TEST_F(ConfigTest, TosserAreasAreReportDestinations) {
  disk_.AddFile("/etc/fido/config", kFido);
  disk_.AddFile("/etc/crashmail.prefs", "AKA 2:5020/8\nAREA SQ 2:5020/8 JAM /other\nAREA CM.JAM 2:5020/9999.1 JAM /msg/cm\n");
  ASSERT_TRUE(Load("def main\nsysop Joe\nend\ndef domain\nfsxnet 21\nend\n"
                   "def fidoconfig\n/etc/fido/config\nend\ndef crashmail\n/etc/crashmail.prefs\nend\n"
                   "def report\npostto area sq\nend\n"
                   "def report\nfrom \"Robot\"\npostto area cm.jam\nend\n"
                   "def report\npostto area NET secret\nfrom Robot 2:5020/9999.2\nend\n"));
  EXPECT_EQ(config_.Sysop, "Joe");
  EXPECT_EQ(config_.Address, Addr(2, 5020, 9999));
  EXPECT_EQ(FindDomain(config_, "fsxnet")->Zones, (std::vector<uint16_t>{21})) << "zeb.ctl's domain kept";
  ASSERT_EQ(config_.Outbounds.size(), 1u);
  EXPECT_EQ(config_.Outbounds[0]->Domains[0]->Name, "fidonet");
  EXPECT_EQ(config_.BoxDirs, (std::vector<std::string>{"/etc/fido/boxes"}));
  const TBoxeList& boxes = *FindDomain(config_, "fidonet")->Boxes;
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes[0]->Path, "/etc/fido/boxes/a");
  EXPECT_EQ(boxes[0]->Flavour, 6);
  const auto& reports = config_.Reports;
  ASSERT_EQ(reports.size(), 3u);
  EXPECT_EQ(reports[0]->PostTo.Kind, TPostKind::Squish) << "the first file's SQ";
  EXPECT_EQ(reports[0]->PostTo.Path, "/msg/sq");
  EXPECT_EQ(reports[0]->PostTo.Area, "SQ");
  EXPECT_EQ(reports[0]->From.Addr, Addr(21, 1, 100));
  EXPECT_EQ(reports[1]->PostTo.Kind, TPostKind::Jam);
  EXPECT_EQ(reports[1]->From.Name, "Robot");
  EXPECT_EQ(reports[1]->From.Addr, Addr(2, 5020, 9999, 1)) << "no address on the from line: the area's";
  EXPECT_EQ(reports[2]->PostTo.Kind, TPostKind::Netmail);
  EXPECT_EQ(reports[2]->PostTo.Password, "secret");
  EXPECT_EQ(reports[2]->From.Addr, Addr(2, 5020, 9999, 2)) << "the from line's address wins";
  EXPECT_EQ(Logged(), (Lines{
                          "fidoconfig domain: fidonet, zones 2",
                          "fidoconfig main address: 2:5020/9999@fidonet",
                          "fidoconfig address: 21:1/100@fsxnet",
                          "fidoconfig outbound: /var/outb for fidonet",
                          "fidoconfig file box: 2:5020/1@fidonet /etc/fido/boxes/a -",
                          "fidoconfig file box: 21:1/7@fsxnet /b -",
                          "fidoconfig FileBoxesDir: /etc/fido/boxes",
                          "fidoconfig areas: 4",
                          "crashmail areas: 1",
                      }));
}

TEST_F(ConfigTest, PostToAreaSaysWhyItCannot) {
  disk_.AddFile("/etc/fido/config", kFido);
  const std::string fido = "def fidoconfig\n/etc/fido/config\nend\n";
  const std::tuple<std::string, const char*, const char*> cases[] = {
      {"", "SQ", "area \"SQ\" is not defined: no def fidoconfig or def crashmail before it"},
      {fido, "nosuch", "area \"nosuch\" is not defined in /etc/fido/config"},
      {fido, "pass", "area \"pass\" is passthrough: it has no base"},
      {fido, "NETSQ", "netmail area \"NETSQ\" is a squish base: zeb posts netmail only into a *.MSG directory"},
      {fido, "NET a b", "unexpected \"b\" at the end"},
  };
  for (const auto& [before, tag, reason] : cases) {
    config_ = {};
    ResetLoader();
    EXPECT_FALSE(Load("def main\naddress 2:1/1@other\nend\n" + before + "def report\npostto area " + tag + "\nend\n"));
    EXPECT_EQ(Logged().back(), std::string("Reason: ") + reason);
  }
}

using FidoconfigRun = ZebBinaryTest;

// A husky node's outbound, file boxes and three areas, reported into each
// area once through its fidoconfig and once through the same setup written
// out in zeb.ctl: the same messages, byte for byte.
TEST_F(FidoconfigRun, PostsAsTheHandWrittenConfiguration) {
  Write("fido/config",
        "Address 2:5020/9999@fidonet\nSysop Test Sysop\nOutbound ../outbound\nFileBoxesDir [FIDO]/boxes\n"
        "Link One\nAka 2:5020/1\nFileBox ../link1\nLink Two\nAka 2:5020/2\nFileBox ../link2\n"
        "EchoAreaDefaults -b Squish\nEchoArea ZEB.SQ [FIDO]/msg/sq\n"
        "EchoArea ZEB.JAM [FIDO]/msg/jam -b Jam 2:5020/1\nLocalArea ZEB.MSG [FIDO]/msg/echo\n");
  Write("outbound/139c0003.cut", "netmail");
  Write("link1/file.zip", "file");
  Write("link2/00000001.pkt", "packet");
  Write("boxes/2.5020.5.0.h/a.zip", "hold box");
  Write("queue.tpl", "@foreach(@queue)\n@node @pflags @mailsize(N) @mailsize(E) @mailsize(F)\n@nextnode\n@end\n");
  setenv("FIDO", Dir().c_str(), 1);
  const auto run = [&](const std::string& name, const std::string& setup, const std::vector<std::string>& posttos) {
    std::filesystem::create_directories(Path("msg/echo"));
    std::string config = setup + "def log\npath " + Path(name + "/zeb.log") + "\nend\n";
    for (const std::string& postto : posttos) config += "def report\ntemplate " + Path("queue.tpl") + "\npostto " + postto + "\nend\n";
    Write(name + "/zeb.ctl", config);
    EXPECT_EQ(RunZebAtFixedTime({"/c", Path(name + "/zeb.ctl")}, Path(name + "/console.txt")), 0) << Read(name + "/console.txt");
    std::filesystem::rename(Path("msg"), Path(name + "/msg"));
  };
  run("fido", "def fidoconfig\n" + Path("fido/config") + "\nend\n", {"area zeb.sq", "area ZEB.JAM", "area Zeb.Msg"});
  run("hand",
      "def main\naddress 2:5020/9999@fidonet\nsysop Test Sysop\nend\ndef domain\nfidonet 2\nend\n"
      "def outbound fidonet\n" + Path("outbound") + "\nend\n"
      "def bink/+ fidonet\n5020/1 " + Path("link1") + "\n5020/2 " + Path("link2") + "\n5020/5 " +
          Path("boxes/2.5020.5.0.h") + " hold\nend\n",
      {"squish " + Path("msg/sq"), "jam " + Path("msg/jam"), "msg " + Path("msg/echo")});
  unsetenv("FIDO");
  for (const char* file : {"sq.sqd", "sq.sqi", "jam.jhr", "jam.jdt", "jam.jdx", "echo/2.msg"}) {
    EXPECT_EQ(Read(std::string("fido/msg/") + file), Read(std::string("hand/msg/") + file)) << file;
    EXPECT_FALSE(Read(std::string("hand/msg/") + file).empty()) << file;
  }
  EXPECT_NE(Read("hand/msg/echo/2.msg").find("2:5020/1      N 0 0 4\r2:5020/2      N 6 0 0\r2:5020/3      C 7 0 0\r"
                                             "2:5020/5      H 0 0 8\r"),
            std::string::npos)
      << Read("hand/msg/echo/2.msg");
}

}  // namespace
}  // namespace zeb::test
