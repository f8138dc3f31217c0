#include "outbound/tmail.h"

#include <vector>

#include "config/records.h"
#include "log/console.h"
#include "log/log_queue.h"
#include "outbound/dir_lookup.h"
#include "outbound/for_queue.h"
#include "outbound/name_parts.h"
#include "support/text.h"

namespace zeb {

namespace {

// The 58-byte packet header and the two-byte end mark of an empty packet.
constexpr size_t kEmptyPacketSize = 60;

uint16_t Word(const unsigned char* header, size_t offset) {
  return static_cast<uint16_t>(header[offset] | (header[offset + 1] << 8));
}

// The destination: node, net and zone of the FTS-0001 header, the point of
// the type 2+ extension.
TNetAddr Destination(const unsigned char* header) {
  TNetAddr addr;
  addr.Node = Word(header, 2);
  addr.Net = Word(header, 22);
  addr.Zone = Word(header, 36);
  addr.Point = Word(header, 52);
  return addr;
}

void QueueRequestBeside(TForQueueList& list, TScanContext& scan, const TNetAddr& addr, const TDirEntry& packet, const std::string& path) {
  TDirEntry request;
  std::string requestPath;
  if (!FindPathEntry(scan, JoinPath(path, SplitLastPart(packet.Name).Rest + ".req"), request, requestPath)) return;
  if (request.IsDirectory()) return;
  AddToQueue(list, addr, requestPath, request.Size, request.DosTime, kFlavourRequest, kKindFile);
}

}  // namespace

void AnalyzeTMailPacket(TForQueueList& list, TScanContext& scan, const TMainConfig& config, uint8_t flavour, const TDirEntry& entry, const std::string& path) {
  const std::string full = JoinPath(path, entry.Name);
  LogLine(Format("Analyze T-Mail netmail file: %s", full.c_str()), 2);
  if (entry.Size < static_cast<int64_t>(kEmptyPacketSize)) {
    LogLine(Format("Bad file %s", entry.Name.c_str()), 1);
    return;
  }
  std::string error;
  std::unique_ptr<TFile> file = Disk().OpenFile(full, OpenMode::Read, error);
  if (!file) {
    LogLine(Format("Can't open file %s", full.c_str()), 1);
    LogLine(ReasonText(error), 1);
    return;
  }
  unsigned char header[kEmptyPacketSize];
  size_t got = 0;
  const bool read = file->Read(header, sizeof header, got);
  file->Close();
  // The file may have shrunk since the directory was read.
  if (!read || got < sizeof header) {
    LogLine(Format("Bad file %s", entry.Name.c_str()), 1);
    return;
  }
  const TNetAddr addr = Destination(header);
  LogLine(Format("Decoded address: %s", FormatNetAddr(addr).c_str()), 2);
  if (!config.EmptyPacketAsPoll || entry.Size != static_cast<int64_t>(kEmptyPacketSize))
    AddToQueue(list, addr, full, entry.Size, entry.DosTime, flavour, kKindNetmail);
  if (flavour == kFlavourRequest) QueueRequestBeside(list, scan, addr, entry, path);
}

bool ScanTMailPackets(TForQueueList& list, TScanContext& scan, const TMainConfig& config, const std::string& path, const std::string& ext, uint8_t flavour, std::string* error) {
  std::vector<TDirEntry> entries;
  if (!ListDirectory(path, "*." + ext, entries, error)) return false;
  for (const TDirEntry& entry : entries)
    if (!entry.IsDirectory()) AnalyzeTMailPacket(list, scan, config, flavour, entry, path);
  return true;
}

void ScanTMail(TForQueueList& list, TScanContext& scan, const TMainConfig& config, const std::string& path) {
  LogLine(Format("Scan T-Mail directory: %s", path.c_str()), 1);
  // The directory is named in the configuration: a wrong one is an error,
  // not an empty netmail queue.
  if (!DirExists(scan, path)) {
    AnnounceError(Format("Directory %s not exist", path.c_str()));
    ++scan.Tally().ScanErrors;
    return;
  }
  std::string error;
  if (!ScanTMailPackets(list, scan, config, path, "pkt", kFlavourNormal, &error)) {
    AnnounceError(Format("Can't read directory %s", path.c_str()), error);
    ++scan.Tally().ScanErrors;
    return;
  }
  ScanTMailPackets(list, scan, config, path, "pkh", kFlavourHold);
  ScanTMailPackets(list, scan, config, path, "phr", kFlavourRequest);
}

}  // namespace zeb
