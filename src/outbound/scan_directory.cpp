#include "outbound/scan_directory.h"

#include <vector>

#include "config/records.h"
#include "log/console.h"
#include "log/log_queue.h"
#include "outbound/binkd_notes.h"
#include "outbound/classify.h"
#include "outbound/dir_lookup.h"
#include "outbound/for_queue.h"
#include "outbound/list_file.h"
#include "outbound/scan_entry.h"
#include "support/text.h"

namespace zeb {

namespace {

using C = TNameClass;

struct TFound {
  TForQueueList& List;
  TScanContext& Scan;
  const TMainConfig& Config;
  const std::string& Dir;  // the directory as it stands on disk
  const TDirEntry& Entry;
  std::string Full;
  uint16_t Zone;  // the directory's
};

// An entry that no mailer sends by itself: a name of no known form is a
// bad path and a stray; a file of a known type lying loose (a packet, a
// bundle, a tic) or of no known type is a stray unless a list file names
// it, which is known once the whole queue is.
void CountStray(const TFound& e, bool badPath) {
  if (badPath) {
    LogLine(Format("The bad path %s/%s", e.Dir.c_str(), e.Entry.Name.c_str()), 0);
    ++e.Scan.Tally().StraysByZone[e.Zone];
  } else {
    e.Scan.Tally().Loose.push_back({e.Full, e.Zone});
  }
}

void LogBadPath(const TFound& e) { CountStray(e, true); }

void ActInOutbound(const TFound& e, const TClassifiedName& c) {
  const TMainConfig& config = e.Config;
  // Only the detail lines name the node.
  const std::string who = LogWanted(3) ? FormatNetAddr(c.Addr) : std::string();
  const int64_t size = e.Entry.Size;
  switch (c.Class) {
    case C::BadName:
      LogBadPath(e);
      break;
    case C::OtherFile:
    case C::TemporaryFile:
    case C::PacketFile:
    case C::TicFile:
    case C::BundleFile:
      CountStray(e, false);
      break;
    case C::StatusFile:
      LogDetail("Status file for %s skipped", who.c_str());
      break;
    case C::BusyFlag:
      if (config.SkipBusyFlag)
        LogDetail("Busy flag for %s skipped", who.c_str());
      else
        AddFlagToQueue(e.List, c.Addr, e.Entry.DosTime, kFlavourBusy);
      break;
    case C::CallFlag:
      AddFlagToQueue(e.List, c.Addr, e.Entry.DosTime, kFlavourCall);
      break;
    case C::NetmailFile:
      if (config.EmptyPacketAsPoll && e.Entry.Size == 60) {
        LogDetail("Skipped empty netmail packets");
      } else {
        LogDetail("Netmail packet for %s with size %lld", who.c_str(), static_cast<long long>(size));
        AddToQueue(e.List, c.Addr, e.Full, size, e.Entry.DosTime, c.Flavour, kKindNetmail);
      }
      break;
    case C::RequestFile:
      LogDetail("Request for %s with size %lld", who.c_str(), static_cast<long long>(size));
      AddToQueue(e.List, c.Addr, e.Full, size, e.Entry.DosTime, kFlavourRequest, kKindFile);
      break;
    case C::ListFile:
      LogDetail("Scaning LO-file %s for %s", e.Entry.Name.c_str(), who.c_str());
      if (!(config.EmptyPacketAsPoll && e.Entry.Size <= 0)) AddFlagToQueue(e.List, c.Addr, e.Entry.DosTime, c.Flavour);
      ScanListFile(e.List, e.Scan, c.Flavour, e.Full, c.Addr);
      break;
    case C::PointDir:
      LogDetail("Scan sub-dir for %s", who.c_str());
      ScanDirectory(e.List, e.Scan, e.Config, e.Full, c.Addr.Zone, TScanMode::Point, c.Addr, 0);
      break;
    case C::FileBoxDir:
      LogDetail("File box for %s", who.c_str());
      ScanDirectory(e.List, e.Scan, e.Config, e.Full, c.Addr.Zone, TScanMode::Box, c.Addr, c.Flavour);
      break;
    case C::HoldFile:
      ScanHoldFile(e.List, e.Full, c.Addr);
      break;
    case C::TryFile:
      ScanTryFile(e.List, e.Full, c.Addr);
      break;
    case C::ToBeSentList:
    case C::PollFile:
      break;
  }
}

// Inside a point directory the short-form name gives the point number; the
// rest of the address is the directory's.
void ActInPointDir(const TFound& e, TClassifiedName c, const TNetAddr& node) {
  const uint16_t point = c.Addr.Node;
  c.Addr = node;
  c.Addr.Point = point;
  switch (c.Class) {
    case C::OtherFile:
    case C::TemporaryFile:
    case C::PacketFile:
    case C::TicFile:
    case C::BundleFile:
      ActInOutbound(e, c);
      break;
    case C::NetmailFile:
    case C::RequestFile:
    case C::ListFile:
    case C::BusyFlag:
    case C::CallFlag:
    case C::StatusFile:
    case C::HoldFile:
    case C::TryFile:
      if (c.ShortForm)
        ActInOutbound(e, c);
      else
        LogBadPath(e);
      break;
    default:
      LogBadPath(e);
      break;
  }
}

void ActInBox(const TFound& e, const TClassifiedName& c, const TNetAddr& addr, uint8_t flavour) {
  // binkd sends no file whose name begins with "."; such a name is most
  // often a file still being copied in.
  if (e.Entry.Name[0] == '.') {
    LogDetail("Hidden file %s skipped", e.Full.c_str());
    return;
  }
  const int64_t size = e.Entry.Size;
  switch (c.Class) {
    case C::OtherFile:
      AddToQueue(e.List, addr, e.Full, size, CurrentDosTime(), flavour, kKindFile);
      break;
    case C::TicFile:
      AddToQueue(e.List, addr, e.Full, size, e.Entry.DosTime, flavour, kKindFile);
      break;
    case C::BundleFile:
      AddToQueue(e.List, addr, e.Full, size, e.Entry.DosTime, flavour, kKindEchomail);
      break;
    case C::PacketFile:
      AddToQueue(e.List, addr, e.Full, size, e.Entry.DosTime, flavour, kKindNetmail);
      break;
    case C::ToBeSentList:
      ScanListFile(e.List, e.Scan, flavour, e.Full, addr);
      break;
    case C::TemporaryFile:
      break;
    default:
      LogBadPath(e);
      break;
  }
}

// A directory of T-Mail file boxes (binkd's filebox): only the boxes count.
void ActInBoxDir(const TFound& e, const TClassifiedName& c) {
  if (c.Class == C::FileBoxDir) {
    LogDetail("File box for %s", FormatNetAddr(c.Addr).c_str());
    ScanDirectory(e.List, e.Scan, e.Config, e.Full, c.Addr.Zone, TScanMode::Box, c.Addr, c.Flavour);
  } else {
    CountStray(e, e.Entry.IsDirectory());
  }
}

}  // namespace

bool ListScanDirectory(TScanContext& scan, const std::string& path, uint16_t zone, bool configured,
                       TListedDirectory& listed) {
  LogLine(Format("Default zone: %d", zone), 2);
  LogLine(Format("Scan directory: %s", path.c_str()), 1);
  if (!FindDirectory(scan, path, listed.Dir)) {
    const std::string missing = Format("Directory %s not exist", path.c_str());
    if (configured) {
      AnnounceError(missing);
      ++scan.Tally().ScanErrors;
    } else {
      LogLine(missing, 0);
    }
    return false;
  }
  std::string error;
  // A directory that is there but cannot be read would pass for an empty
  // queue in every report.
  if (!ListDirectory(listed.Dir, "*", listed.Entries, &error)) {
    AnnounceError(Format("Can't read directory %s", listed.Dir.c_str()), error);
    ++scan.Tally().ScanErrors;
    return false;
  }
  return true;
}

void ScanListedEntries(TForQueueList& list, TScanContext& scan, const TMainConfig& config,
                       const TListedDirectory& listed, size_t from, size_t to, uint16_t zone, TScanMode mode,
                       const TNetAddr& addr, uint8_t flavour) {
  for (size_t i = from; i < to; ++i) {
    const TDirEntry& entry = listed.Entries[i];
    LogFoundFile(entry);
    const TFound found{list, scan, config, listed.Dir, entry, JoinPath(listed.Dir, entry.Name), zone};
    const TClassifiedName c = ClassifyName(entry.Name, entry.Attr, zone, mode != TScanMode::Box);
    switch (mode) {
      case TScanMode::Outbound: ActInOutbound(found, c); break;
      case TScanMode::Point: ActInPointDir(found, c, addr); break;
      case TScanMode::Box: ActInBox(found, c, addr, flavour); break;
      case TScanMode::BoxDir: ActInBoxDir(found, c); break;
    }
  }
}

void ScanDirectory(TForQueueList& list, TScanContext& scan, const TMainConfig& config, const std::string& path, uint16_t zone, TScanMode mode,
                   const TNetAddr& addr, uint8_t flavour, bool configured) {
  TListedDirectory listed;
  if (ListScanDirectory(scan, path, zone, configured, listed))
    ScanListedEntries(list, scan, config, listed, 0, listed.Entries.size(), zone, mode, addr, flavour);
}

}  // namespace zeb
