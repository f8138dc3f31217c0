// The scanners on the machine's own file system, where the case of names
// matters: every form of outbound, box and T-Mail name built as a real tree
// with exact sizes and file times, found without regard to case and handed
// over by the name that stands on disk.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include <algorithm>
#include <cstdlib>
#include <map>

#include "config/domains.h"
#include "fixed_clock.h"
#include "outbound/queue_manager.h"
#include "outbound/scan.h"
#include "outbound/scan_entry.h"
#include "platform/dos_time.h"
#include "scan_fixture.h"
#include "scratch_dir.h"

namespace zeb::test {
namespace {

using Lines = std::vector<std::string>;

// One entry of the tree. In the expected texts "~" stands for the tree's
// root, in the data "$" (a list file's "~" marks a line as sent). An
// expected record ends with the time it carries: " @" the row's own file
// time, " @now" the time of the scan, " @path" the time of another file.
struct TRow {
  std::string Path;
  std::string Data;
  Lines Records;
  std::string Log = {};  // a line the scan must log
  int64_t Size = -1;     // a sparse file of this size instead of the data
};

std::string Replace(std::string text, const std::string& what, const std::string& with) {
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
    text.replace(at, what.size(), with);
  return text;
}

// A packet header naming the destination, padded to `size` bytes.
std::string Packet(uint16_t zone, uint16_t net, uint16_t node, size_t size) {
  std::string p(size, '\0');
  p[2] = static_cast<char>(node);
  p[22] = static_cast<char>(net);
  p[36] = static_cast<char>(zone);
  return p;
}

class RealDiskScan : public ::testing::Test, protected ScratchDir {
 protected:
  TForQueueList list_;

  // Creates the rows' files, each with a modification time an hour after
  // the one before, so that a record's time tells whose it is.
  void Build(const std::vector<TRow>& rows) {
    time_t mtime = 1577872800;  // 2020-01-01 10:00 UTC
    for (const TRow& row : rows) {
      const std::string path = Path(row.Path);
      Write(row.Path, Replace(row.Data, "$", Dir()));
      if (row.Size >= 0) {
        ASSERT_EQ(truncate(path.c_str(), row.Size), 0) << path;
      }
      utimbuf times{mtime, mtime};
      ASSERT_EQ(utime(path.c_str(), &times), 0) << path;
      owners_[FileTimeToDos(mtime)] = row.Path;
      mtime += 3600;
    }
  }
  // Every record as the rows write it, sorted, one a line (so that a
  // failure shows the difference).
  std::string Records(uint32_t scanStart, uint32_t scanEnd) const {
    Lines out;
    for (size_t i = 0; i < list_.Count(); ++i) {
      const TForQueue& r = list_[i];
      const auto owner = owners_.find(r.Time);
      const std::string when = owner != owners_.end()                        ? owner->second
                               : r.Time >= scanStart && r.Time <= scanEnd ? "now"
                                                                            : "?";
      out.push_back(Replace(Describe(r), Dir(), "~") + " @" + when);
    }
    return Sorted(out);
  }
  static std::string Expected(const std::vector<TRow>& rows) {
    Lines out;
    for (const TRow& row : rows) {
      for (std::string line : row.Records) out.push_back(line.back() == '@' ? line + row.Path : line);
    }
    return Sorted(out);
  }
  static std::string Sorted(Lines lines) {
    std::sort(lines.begin(), lines.end());
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
  }

  // Adds an outbound group of the given directories to the configuration.
  void AddOutbound(TDomain* domain, const std::vector<std::string>& paths) {
    auto group = std::make_unique<TOutboundGroup>();
    for (const std::string& path : paths) group->Paths.Insert(Dir() + "/" + path);
    group->Domains.Insert(domain);
    config_.Outbounds.push_back(std::move(group));
  }

  TMainConfig config_;
  std::map<uint32_t, std::string> owners_;
  LogCapture log_;
};

TEST_F(RealDiskScan, EveryFormThroughTheFileSystem) {
  const std::vector<TRow> rows = {
      // zone directories: the configured one, a hex zone extension, and one
      // whose extension is not three characters long
      {"out/0001000a.out", "1", {"2:1/10 N netmail ~/out/0001000a.out 1 @"}},
      {"out.003/0001000a.out", "22", {"3:1/10 N netmail ~/out.003/0001000a.out 2 @"}},
      {"OUT.A/0001000A.CUT", "333", {"2:1/10 C netmail ~/OUT.A/0001000A.CUT 3 @"}},
      // every flavour letter of packets and list files
      {"out/00020001.iut", "i", {"2:2/1 I netmail ~/out/00020001.iut 1 @"}},
      {"out/00020002.cut", "c", {"2:2/2 C netmail ~/out/00020002.cut 1 @"}},
      {"out/00020003.dut", "d", {"2:2/3 D netmail ~/out/00020003.dut 1 @"}},
      {"out/00020004.nut", "n", {"2:2/4 N netmail ~/out/00020004.nut 1 @"}},
      {"out/00020005.HUT", "h", {"2:2/5 H netmail ~/out/00020005.HUT 1 @"}},
      {"out/00020001.ilo", "", {"2:2/1 I flag @"}},
      {"out/00020002.clo", "", {"2:2/2 C flag @"}},
      {"out/00020003.dlo", "", {"2:2/3 D flag @"}},
      {"out/00020004.flo", "", {"2:2/4 N flag @"}},
      {"out/00020005.HLO", "", {"2:2/5 H flag @"}},
      // a list file's lines, and the files they name: bundles and TIC files
      // keep their time, other files are queued with the time of the scan
      {"Files/a.MO0", "mo", {"2:3/1 N echomail ~/Files/a.MO0 2 @"}},
      {"Files/b.tic", "tic", {"2:3/1 N file ~/Files/b.tic 3 @"}},
      {"Files/C.TXT", "text", {"2:3/1 N file ~/Files/C.TXT 4 @now"}},
      {"out/00030001.flo",
       "#$/Files/a.mo0\r\n"
       "~$/Files/a.mo0\r\n"
       "^$/Files/b.tic\r\n"
       " \t$/Files/c.txt\r\n"
       "$/files/c.txt\r\n"
       "$/Files/missing.zip\r\n",
       {"2:3/1 N flag @"},
       "File not found on path ~/files/c.txt"},
      {"out/00030002.clo", "$\\Files\\b.tic\n", {"2:3/2 C flag @", "2:3/2 C file ~/Files/b.tic 3 @Files/b.tic"}},
      // point directories hold short forms by point number
      {"out/0001000b.PNT/00000005.out", "55555", {"2:1/11.5 N netmail ~/out/0001000b.PNT/00000005.out 5 @"}},
      {"out/0001000b.PNT/0000000A.CLO", "", {"2:1/11.10 C flag @"}},
      {"out/0001000b.PNT/2.1.11.6.out", "", {}, "The bad path ~/out/0001000b.PNT/2.1.11.6.out"},
      // long and dotted names, and a long name without its leading part
      {"out/x.2.1.20.0.crash.mail", "mail", {"2:1/20 C netmail ~/out/x.2.1.20.0.crash.mail 4 @"}},
      {"out/fido.2.1.21.0.Hold.List", "", {"2:1/21 H flag @"}},
      {"out/fido.2.1.22.0.busy", "", {"2:1/22 b flag @"}},
      {"out/fido.2.1.23.0.request", "req", {"2:1/23 R file ~/out/fido.2.1.23.0.request 3 @"}},
      {"out/fido.2.1.23.0.status", "", {}, "\u25BA Status file for 2:1/23 skipped"},
      {"out/2.1.24.0.hut", "24", {"2:1/24 H netmail ~/out/2.1.24.0.hut 2 @"}},
      {"out/2.1.24.0.crq", "2", {"2:1/24 C netmail ~/out/2.1.24.0.crq 1 @"}},
      {"out/2.1.20.0.crash.mail", "", {}, "The bad path ~/out/2.1.20.0.crash.mail"},
      // short-form flags, requests and status files
      {"out/0001000c.bsy", "", {"2:1/12 b flag @"}},
      {"out/0001000c.CSY", "", {"2:1/12 c flag @"}},
      {"out/0001000c.req", "files", {"2:1/12 R file ~/out/0001000c.req 5 @"}},
      {"out/0001000c.sta", "", {}, "\u25BA Status file for 2:1/12 skipped"},
      // file boxes inside the outbound: T-Mail forms and a long name
      {"out/2.1.30.0.H/readme.txt", "read", {"2:1/30 H file ~/out/2.1.30.0.H/readme.txt 4 @now"}},
      {"out/2.1.31.0/a.pkt", "pkt", {"2:1/31 N netmail ~/out/2.1.31.0/a.pkt 3 @"}},
      {"out/02001010.00h/b.su1", "su", {"2:1/32 H echomail ~/out/02001010.00h/b.su1 2 @"}},
      {"out/x.2.1.33.0.crash/c.tic", "c", {"2:1/33 C file ~/out/x.2.1.33.0.crash/c.tic 1 @"}},
      // configured boxes: their flavour for everything, their own times but
      // for plain files, and sizes past 4 GiB
      {"Box/readme.txt", "readme", {"2:1/40 H file ~/Box/readme.txt 6 @now"}},
      {"Box/a.PKT", "pkt", {"2:1/40 H netmail ~/Box/a.PKT 3 @"}},
      {"Box/b.we2", "we", {"2:1/40 H echomail ~/Box/b.we2 2 @"}},
      {"Box/c.tic", "c", {"2:1/40 H file ~/Box/c.tic 1 @"}},
      {"Box/dvd.iso", "", {"2:1/40 H file ~/Box/dvd.iso 4294967297 @now"}, "", (int64_t{1} << 32) + 1},
      {"box2/x.pkt", "x", {"2:1/41 I netmail ~/box2/x.pkt 1 @"}},
      // T-Mail packets: too short, empty, and a request beside a packet
      {"TMail/short.pkt", std::string(59, '\0'), {}, "Bad file short.pkt"},
      {"TMail/empty.pkh", Packet(1, 23, 45, 60), {"1:23/45 H netmail ~/TMail/empty.pkh 60 @"}},
      {"TMail/A.PHR", Packet(3, 4, 5, 80), {"3:4/5 R netmail ~/TMail/A.PHR 80 @"}},
      {"TMail/a.req", "req", {"3:4/5 R file ~/TMail/a.req 3 @"}},
  };
  Build(rows);

  TDomain* fidonet = GetOrAddDomain(config_, "fidonet");
  fidonet->Aka = TNetAddr{0, 1, 5020, 2};
  AddOutbound(fidonet, {"out"});
  fidonet->Boxes = std::make_unique<TBoxeList>();
  fidonet->Boxes->Insert(std::make_unique<TBoxe>(TBoxe{Dir() + "/box", TNetAddr{0, 40, 1, 2}, kFlavourHold}));
  fidonet->Boxes->Insert(std::make_unique<TBoxe>(TBoxe{Dir() + "/box2", TNetAddr{0, 41, 1, 2}, kFlavourImmediate}));
  config_.TMailOutbound = Dir() + "/TMail";

  const uint32_t start = CurrentDosTime();
  TScanContext scan(false, true);
  ScanOutbounds(list_, scan, config_);
  EXPECT_EQ(Records(start, CurrentDosTime()), Expected(rows));
  for (const TRow& row : rows) {
    if (!row.Log.empty()) {
      EXPECT_TRUE(log_.Contains(Replace(row.Log, "~", Dir()))) << row.Log;
    }
  }
}

// Every node with its flags, oldest time, sizes, counts and notes, then its
// items in order, one a line; the totals last.
std::string Describe(const TQueue& queue) {
  std::string text;
  for (size_t n = 0; n < queue.Count(); ++n) {
    const TQueueNode& node = queue[n];
    const TNodeNotes& notes = node.Notes;
    text += Format("%s %s %lld %lld/%d %lld/%d %lld/%d hold %lld tries %d %d/%d %s\n", FormatNetAddr(node.Addr).c_str(),
                   node.Flags.c_str(), static_cast<long long>(node.Oldest), static_cast<long long>(node.NetmailSize),
                   node.NetmailCount, static_cast<long long>(node.EchomailSize), node.EchomailCount,
                   static_cast<long long>(node.FilesSize), node.FilesCount, static_cast<long long>(notes.HoldUntil),
                   notes.HasTries, notes.GoodTries, notes.BadTries, notes.TryText.c_str());
    for (size_t i = 0; i < node.Items.Count(); ++i) {
      const TQIStr& item = node.Items[i];
      text += Format("  %d %s %lld %lld\n", item.Kind, std::string(item.Name).c_str(), static_cast<long long>(item.Size),
                     static_cast<long long>(item.Stamp));
    }
  }
  return text + Format("%lld %lld %lld\n", static_cast<long long>(queue.NetmailSize),
                       static_cast<long long>(queue.EchomailSize), static_cast<long long>(queue.FilesSize));
}

// The node 2:1/10 has files in every kind of directory, so the order of its
// items and the note that wins tell the order in which the directories were
// merged. The first directory, with its long list file and a packet for
// each of 300 nodes, is scanned in parts and is the last to be done when two
// threads scan.
TEST_F(RealDiskScan, OneOrTwoScanningThreadsGiveTheSameQueue) {
  std::vector<TRow> rows = {
      {"out/0001000a.cut", "crash", {}},
      {"out/0001000a.hld", "1600000000\n", {}},
      {"out/0001000a.try", std::string("\1\0\2\0\4busy", 9), {}},
      {"out/0001000b.pnt/00000001.hut", "point", {}},
      {"out/2.1.10.0.H/x.pkt", "box in outbound", {}},
      {"alt/0001000a.hld", "1700000000\n", {}},
      {"alt/0001000a.hlo", "$/store/b.tic\n$/store/c.txt\n", {}},
      {"out.003/0001000a.out", "zone 3", {}},
      {"out.003/0001000a.dlo", "$/store/d.mo1\n", {}},
      {"box/y.pkt", "configured box", {}},
      {"box/z.we0", "bundle", {}},
      {"tmail/a.pkt", Packet(2, 1, 10, 70), {}},
      {"tmail/a.phr", Packet(2, 1, 10, 80), {}},
      {"tmail/a.req", "req", {}},
      {"store/b.tic", "tic", {}},
      {"store/c.txt", "text", {}},
      {"store/d.mo1", "mo", {}},
  };
  std::string listed;
  for (int i = 0; i < 300; ++i) {
    const std::string name = Format("store/%03d.su0", i);
    rows.push_back({name, std::string(i, 'x'), {}});
    listed += "$/" + name + "\n";
    rows.push_back({Format("out/0002%04x.cut", i), std::string(i, 'y'), {}});
  }
  rows.push_back({"out/0001000a.flo", listed, {}});
  Build(rows);
  TDomain* fidonet = GetOrAddDomain(config_, "fidonet");
  fidonet->Aka = TNetAddr{0, 1, 5020, 2};
  AddOutbound(fidonet, {"out", "alt"});
  fidonet->Boxes = std::make_unique<TBoxeList>();
  fidonet->Boxes->Insert(std::make_unique<TBoxe>(TBoxe{Dir() + "/box", TNetAddr{0, 10, 1, 2}, kFlavourHold}));
  config_.TMailOutbound = Dir() + "/tmail";
  // Without a report the queue manager may drop what waits at the stop.
  config_.Reports.push_back(std::make_unique<TReport>());
  const FixedClock clock(2026, 3, 4, 5, 6, 8);

  const std::string serial = Describe(ScanQueue(config_, false, 1));
  EXPECT_EQ(std::count(serial.begin(), serial.end(), '\n'), 3 + 300 + 312 + 300 + 1) << serial;
  for (int run = 0; run < 5; ++run) EXPECT_EQ(Describe(ScanQueue(config_, false, 2)), serial);
}

}  // namespace
}  // namespace zeb::test
