#include "outbound/list_file.h"

#include <algorithm>
#include <string_view>

#include "log/console.h"
#include "log/log_queue.h"
#include "outbound/classify.h"
#include "outbound/dir_lookup.h"
#include "outbound/for_queue.h"
#include "outbound/scan_entry.h"
#include "platform/disk.h"
#include "support/text.h"

namespace zeb {

namespace {

// The path a line names, or empty when the line names nothing.
std::string PathOfLine(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || IsBlank(line.back()))) line.remove_suffix(1);
  while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
  if (line.empty() || line.front() == '~') return std::string();
  if (line.front() == '#' || line.front() == '^') line.remove_prefix(1);
  std::string path(line);
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

void QueueListedFile(TForQueueList& list, TScanContext& scan, uint8_t flavour, const std::string& path, const TNetAddr& addr) {
  TDirEntry entry;
  std::string realPath;
  if (!FindPathEntry(scan, path, entry, realPath)) {
    LogLine(Format("File not found on path %s", path.c_str()), 1);
    return;
  }
  LogFoundFile(entry);
  const TNameClass kind = ClassifyName(entry.Name, entry.Attr, addr.Zone, false).Class;
  const int64_t size = entry.Size;
  const std::string who = LogWanted(3) ? FormatNetAddr(addr) : std::string();
  if (kind == TNameClass::BundleFile) {
    LogDetail("Echomail for %s with size %lld", who.c_str(), static_cast<long long>(size));
    AddToQueue(list, addr, realPath, size, entry.DosTime, flavour, kKindEchomail);
    return;
  }
  LogDetail("File for %s with size %lld", who.c_str(), static_cast<long long>(size));
  // Only bundles and TIC files keep their own time: the node's age comes
  // from them and from the list file itself.
  const uint32_t time = kind == TNameClass::TicFile ? entry.DosTime : CurrentDosTime();
  AddToQueue(list, addr, realPath, size, time, flavour, kKindFile);
}

}  // namespace

void ScanListFile(TForQueueList& list, TScanContext& scan, uint8_t flavour, const std::string& path, const TNetAddr& addr) {
  std::string contents, error;
  if (!Disk().ReadFile(path, contents, error)) {
    LogLine(Format("Can't access to file fo %s at %s", FormatNetAddr(addr).c_str(), path.c_str()), 1);
    LogLine(ReasonText(error), 1);
    return;
  }
  std::string_view rest = contents;
  while (!rest.empty()) {
    const size_t end = rest.find('\n');
    const std::string listed = PathOfLine(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (!listed.empty()) QueueListedFile(list, scan, flavour, listed, addr);
  }
}

}  // namespace zeb
