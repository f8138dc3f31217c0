#include <gtest/gtest.h>

#include "outbound/classify.h"
#include "platform/disk.h"
#include "support/text.h"

namespace zeb {
namespace {

using C = TNameClass;

const char* ClassName(C c) {
  static const char* const kNames[] = {"BadName",  "OtherFile",   "PacketFile", "TicFile",   "BundleFile",
                                       "ToBeSent", "NetmailFile", "ListFile",   "BusyFlag",  "CallFlag",
                                       "Status",   "RequestFile", "PollFile",   "PointDir",  "FileBoxDir",
                                       "HoldFile", "TryFile",     "TemporaryFile"};
  return kNames[static_cast<int>(c)];
}

struct Case {
  const char* name;
  bool directory;
  C cls;
  const char* addr;  // FormatNetAddr of the result; "" when it does not matter
  int flavour;       // -1 when it does not matter
};

// Classifies each name in zone 2 and checks class, address and flavour.
void Check(const std::vector<Case>& cases, bool outbound = true) {
  for (const Case& c : cases) {
    const TClassifiedName r = ClassifyName(c.name, c.directory ? kAttrDirectory : kAttrArchive, 2, outbound);
    EXPECT_STREQ(ClassName(r.Class), ClassName(c.cls)) << c.name;
    if (*c.addr) {
      EXPECT_EQ(FormatNetAddr(r.Addr), c.addr) << c.name;
    }
    if (c.flavour >= 0) {
      EXPECT_EQ(r.Flavour, c.flavour) << c.name;
    }
  }
}

TEST(ClassifyName, FileTypesComeFirstEverywhere) {
  const std::vector<Case> cases = {
      {"a.pkt", false, C::PacketFile, "", -1},      {"a.tic", false, C::TicFile, "", -1},
      {"0001000a.su0", false, C::BundleFile, "", -1}, {"x.MO1", false, C::BundleFile, "", -1},
      {"x.tu", false, C::BundleFile, "", -1},      {"x.fra", false, C::BundleFile, "", -1},
      {"x.s", false, C::OtherFile, "", -1},         {"readme.txt", false, C::OtherFile, "", -1},
      {"tobesent.$$$", false, C::ToBeSentList, "", -1}, {"ToBeSent.$$$", true, C::ToBeSentList, "", -1},
      {"a.pkt", true, C::BadName, "", -1},          {"0001000a.out", false, C::OtherFile, "", -1},
      {"2.1.10.0.h", true, C::BadName, "", -1},     {".ZEB-4-2.PKT.TMP", false, C::TemporaryFile, "", -1},
  };
  Check(cases, false);  // file boxes and list files know nothing else
}

TEST(ClassifyName, ShortFormsAndTheirFlavours) {
  const std::vector<Case> cases = {
      {"0001000a.out", false, C::NetmailFile, "2:1/10", 6}, {"0001000a.hut", false, C::NetmailFile, "2:1/10", 7},
      {"0001000a.cut", false, C::NetmailFile, "2:1/10", 4}, {"0001000a.iut", false, C::NetmailFile, "2:1/10", 3},
      {"0001000a.dut", false, C::NetmailFile, "2:1/10", 5}, {"0001000a.nut", false, C::NetmailFile, "2:1/10", 6},
      {"0001000a.4ut", false, C::NetmailFile, "2:1/10", 3}, {"0001000a.flo", false, C::ListFile, "2:1/10", 6},
      {"0001000a.clo", false, C::ListFile, "2:1/10", 4},    {"0001000a.hlo", false, C::ListFile, "2:1/10", 7},
      {"0001000a.ilo", false, C::ListFile, "2:1/10", 3},    {"0001000a.dlo", false, C::ListFile, "2:1/10", 5},
      {"0001000a.0lo", false, C::ListFile, "2:1/10", 5},    {"0001000a.9lo", false, C::ListFile, "2:1/10", 1},
      {"0001000a.nlo", false, C::ListFile, "2:1/10", 2},    {"0001000a.crq", false, C::RequestFile, "2:1/10", 4},
      {"0001000a.hpl", false, C::PollFile, "2:1/10", 7},    {"FFFFFFFF.OUT", false, C::NetmailFile, "2:65535/65535", 6},
      {"0001000A.CUT", false, C::NetmailFile, "2:1/10", 4},
      // the flags and requests that mailers write in short form
      {"0001000a.bsy", false, C::BusyFlag, "2:1/10", 2},    {"0001000a.csy", false, C::CallFlag, "2:1/10", 1},
      {"0001000a.req", false, C::RequestFile, "2:1/10", 8}, {"0001000a.sta", false, C::StatusFile, "2:1/10", 9},
      // binkd's hold-until and try files
      {"0001000a.hld", false, C::HoldFile, "2:1/10", 0},    {"0001000A.TRY", false, C::TryFile, "2:1/10", 0},
      // not a valid short name
      {"0001000g.out", false, C::OtherFile, "", -1},        {"001000a.out", false, C::OtherFile, "", -1},
      {"00001000a.out", false, C::OtherFile, "", -1},       {"0001000g.try", false, C::OtherFile, "", -1},
      {"0001000a.hld", true, C::BadName, "", -1},           {"0001000a", false, C::OtherFile, "", -1},
  };
  Check(cases);
}

TEST(ClassifyName, DottedForms) {
  const std::vector<Case> cases = {
      {"1.23.45.6.out", false, C::NetmailFile, "1:23/45.6", 6},
      {"2.1.10.0.crq", false, C::NetmailFile, "2:1/10", 4},  // dotted requests count as netmail
      {"2.1.10.0.hpl", false, C::NetmailFile, "2:1/10", 7},
      {"3.5020.1042.0.flo", false, C::ListFile, "3:5020/1042", 6},
      {"1.2.3.4.5.out", false, C::OtherFile, "", -1},        // something remains
      {"2..10.0.out", false, C::OtherFile, "", -1},          // empty part
      {"1.2.out", false, C::OtherFile, "", -1},              // too few parts
      {"2.1.x.0.cut", false, C::OtherFile, "", -1},
      {"2.1.10.0.bsy", false, C::OtherFile, "", -1},         // only short forms of flags
      {"2.1.10.0.hld", false, C::HoldFile, "2:1/10", 0},     // but binkd's notes in both forms
      {"3.5020.1042.57.try", false, C::TryFile, "3:5020/1042.57", 0},
      {"1.2.3.4.5.try", false, C::OtherFile, "", -1},
  };
  Check(cases);
}

TEST(ClassifyName, LongForms) {
  const std::vector<Case> cases = {
      {"x.2.1.10.0.crash.mail", false, C::NetmailFile, "2:1/10", 4},
      {"fido.net.1.2.3.4.hold.list", false, C::ListFile, "1:2/3.4", 7},
      {"x.2.1.10.0.request.mail", false, C::NetmailFile, "2:1/10", 8},
      {"2.1.10.0.crash.mail", false, C::BadName, "", -1},   // no leading part
      {"x.2.1.10.0.busy.mail", false, C::BadName, "", -1},  // busy is no delivery flavour
      {"x.2.1.10.0.fast.mail", false, C::BadName, "", -1},
      {"x.2.1.10.0.crash.mail", true, C::BadName, "", -1},
      {"x.2.1.10.busy", false, C::BadName, "", -1},         // one part short
      {"x.2.1.10.0.busy", false, C::BusyFlag, "2:1/10", 2},
      {"x.2.1.10.0.request", false, C::RequestFile, "2:1/10", 8},
      {"x.2.1.10.0.status", false, C::StatusFile, "2:1/10", 9},
      {"x.2.1.10.0.crash", false, C::BadName, "", -1},      // a flavour word names a box, not a file
      {"x.2.1.10.0.hold", true, C::FileBoxDir, "2:1/10", 7},
      {"x.2.1.10.0.immediate", true, C::FileBoxDir, "2:1/10", 3},
      {"x.2.1.10.0.busy", true, C::BadName, "", -1},
      {"2.1.10.0.hold", true, C::BadName, "", -1},
  };
  Check(cases);
}

TEST(ClassifyName, DirectoriesInTheOutbound) {
  const std::vector<Case> cases = {
      {"0001000a.pnt", true, C::PointDir, "2:1/10", 0},
      {"0001000A.PNT", true, C::PointDir, "2:1/10", 0},
      {"0001000g.pnt", true, C::BadName, "", -1},
      {"1000a.pnt", true, C::BadName, "", -1},
      {"0001000a.pnt", false, C::OtherFile, "", -1},
      // T-Mail boxes: zone.net.node.point, ".h" for hold
      {"2.1.10.0", true, C::FileBoxDir, "2:1/10", 6},
      {"2.1.10.0.h", true, C::FileBoxDir, "2:1/10", 7},
      {"2.1.10.0.H", true, C::FileBoxDir, "2:1/10", 7},
      {"1.23.45.6", true, C::FileBoxDir, "1:23/45.6", 6},
      {"1.2.3", true, C::BadName, "", -1},
      {"123", true, C::BadName, "", -1},
      {"2.1.10.0.x", true, C::BadName, "", -1},
      {"files", true, C::BadName, "", -1},
      // eight-plus-three boxes in base 32: zone 2, net 1, node 10, point 0
      {"0200100a.00", true, C::FileBoxDir, "2:1/10", 6},
      {"0200100a.00h", true, C::FileBoxDir, "2:1/10", 7},
      {"0v0vv0vv.vv", true, C::FileBoxDir, "31:1023/1023.1023", 6},
      {"02001010.01", true, C::FileBoxDir, "2:1/32.1", 6},
      {"02001zzz.00", true, C::FileBoxDir, "2:1/36995", 6},
      {"0200100a.00x", true, C::BadName, "", -1},
      {"02001-0a.00", true, C::BadName, "", -1},
      {"02001.00a.0", true, C::BadName, "", -1},
      {"02001000a.0", true, C::BadName, "", -1},
  };
  Check(cases);
}

}  // namespace
}  // namespace zeb
