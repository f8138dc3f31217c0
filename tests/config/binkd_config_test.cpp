#include "config/binkd_config.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "fake_disk.h"
#include "support/text.h"

namespace zeb {
namespace {

// One line per item, in the order the reader gives them.
std::string Describe(const TBinkdConfig& c) {
  std::string text;
  for (const auto& d : c.Domains) text += Format("domain %s %s %u\n", d.Name.c_str(), d.Outbound.c_str(), d.Zone);
  for (const auto& a : c.Aliases) text += Format("alias %s %s\n", a.Name.c_str(), a.Domain.c_str());
  for (const auto& a : c.Addresses)
    text += Format("address %s@%s\n", FormatNetAddr(a.Addr).c_str(), a.Domain.c_str());
  if (!c.Sysop.empty()) text += "sysop " + c.Sysop + "\n";
  for (const auto& n : c.Nodes)
    text += Format("node %s@%s %c %s\n", FormatNetAddr(n.Address.Addr).c_str(), n.Address.Domain.c_str(), n.Flavour,
                   n.Obox.c_str());
  for (const auto& n : c.Notes) text += Format("note %s:%d %s\n", n.File.c_str(), n.Line, n.Text.c_str());
  return text;
}

TEST(BinkdConfig, ReadsWhatBinkdReads) {
  struct Case {
    const char* name;
    std::map<std::string, std::string> files;  // the first one read is /b/binkd.cfg
    std::string expected;                      // Describe(), or "error: ..." when the read fails
  };
  const Case cases[] = {
      {"domains, aliases, addresses, quoting and links",
       {{"/b/binkd.cfg",
         "# sample\n"
         "log /var/log/binkd.log\n"
         "address 2:5020/999 2:5020/999.1 77:1/2 3:1/1@Third\r\n"
         "DOMAIN fidonet /var/spool/ftn/outb 2 binkp.net\n"
         "domain fido alias-for FidoNet\n"
         "domain third \"/srv/third out\" 3   # comment after a blank\n"
         "domain win d:\\\\fido\\\\outbound 115\n"
         "address 115:1/1@win 7:8/9.10@fido\n"
         "sysop \"Ivan \\\"the\\\" Petrov\"\n"
         "sysname \"a#b\"\n"
         "include nodes.inc\n"
         "node 5020/1 -nr -bw 5k -pipe \"ssh x\" host pw#1 c /box/\"one two\"\\ three\n"
         "node 3:1/2 - - - /box/3\n"
         "node 8 - - h\n"
         "node 2:5020/2@fido - - - -\n"
         "node 3:1/3 - - i c:\\\\box\n"},
        {"/b/nodes.inc", "node 5020/7 * - H box\\\\seven\n node 2:5020/1@fidonet - - d\n"}},
       "domain fidonet /var/spool/ftn/outb 2\n"
       "domain third /srv/third out 3\n"
       "domain win  115\n"
       "alias fido fidonet\n"
       "address 2:5020/999@fidonet\n"
       "address 2:5020/999.1@fidonet\n"
       "address 77:1/2@fidonet\n"
       "address 3:1/1@third\n"
       "address 115:1/1@win\n"
       "address 7:8/9.10@fidonet\n"
       "sysop Ivan \"the\" Petrov\n"
       "node 2:5020/7@fidonet h box/seven\n"
       "node 2:5020/1@fidonet c /box/one two three\n"
       "node 3:1/2@third - /box/3\n"
       "node 2:5020/8@fidonet h \n"
       "node 2:5020/2@fidonet - \n"
       "node 3:1/3@third i \n"
       "note /b/binkd.cfg:7 Outbound not usable here: d:\\fido\\outbound\n"
       "note /b/binkd.cfg:16 File box not usable here: c:\\box\n"},
      {"lines binkd would refuse are notes",
       {{"/b/binkd.cfg",
         "domain net /o 2\n"
         "domain net /p 3\n"
         "domain odd /q 2x\n"
         "domain other alias-for nowhere\n"
         "domain short /o\n"
         "address 5020/1 2:5020/999@nowhere 2:1/1\n"
         "sysop Ivan Petrov\n"
         "sysop \"open\n"
         "sysname \"open, binkd's own business\n"
         "node 2:1/2 - - x /box\n"
         "node 3/4.5@net\n"
         "include \\\\\\\\server\\\\share\\\\binkd.inc\n"}},
       "domain net /o 2\n"
       "address 2:1/1@net\n"
       "note /b/binkd.cfg:2 Duplicate domain net\n"
       "note /b/binkd.cfg:3 Bad zone: 2x\n"
       "note /b/binkd.cfg:4 Alias of an unknown domain: nowhere\n"
       "note /b/binkd.cfg:5 A domain needs a name, an outbound and a zone, or alias-for and a domain\n"
       "note /b/binkd.cfg:7 The sysop is one word (quote a name with blanks)\n"
       "note /b/binkd.cfg:8 Unclosed quote\n"
       "note /b/binkd.cfg:10 Bad flavour: x\n"
       "note /b/binkd.cfg:12 Include not usable here: \\\\server\\share\\binkd.inc\n"
       "note /b/binkd.cfg:6 Bad address: 5020/1\n"
       "note /b/binkd.cfg:6 Unknown domain in 2:5020/999@nowhere\n"
       "note /b/binkd.cfg:11 Bad address: 3/4.5@net\n"},
      {"an include loop", {{"/b/binkd.cfg", "include sub/a.inc\n"}, {"/b/sub/a.inc", "include ../binkd.cfg\n"}},
       "error: Include loop: /b/sub/../binkd.cfg"},
      {"an include that cannot be read", {{"/b/binkd.cfg", "include /b/missing.inc\n"}},
       "error: Can't open file /b/missing.inc"},
  };
  for (const Case& c : cases) {
    test::FakeDisk disk;
    for (const auto& [path, text] : c.files) disk.AddFile(path, text);
    TBinkdConfig config;
    std::string error;
    const bool ok = ReadBinkdConfig(disk, "/b/binkd.cfg", config, error);
    EXPECT_EQ(ok ? Describe(config) : "error: " + error, c.expected) << c.name;
  }
}

}  // namespace
}  // namespace zeb
