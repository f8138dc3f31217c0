// Finding entries on disk the way the outbound scanners need it: names match
// without regard to case, and what is returned carries the real name.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "outbound/scan_tally.h"
#include "platform/disk.h"

namespace zeb {

// Read-only, hidden, system, directory and archive entries.
inline constexpr uint8_t kAttrSearchAll = 0x37;

// dir "/" name, without doubling a separator at the end of `dir`.
std::string JoinPath(const std::string& dir, const std::string& name);

// The entries of `dir` matching the wildcard, in name order, so that a scan
// hands the same outbound over in the same order every time. False when
// `dir` cannot be read, with the reason in `*error` when that is given.
bool ListDirectory(const std::string& dir, const std::string& pattern, std::vector<TDirEntry>& entries,
                   std::string* error = nullptr);

struct TLookups;

// What one scan keeps while it runs: whether it traces every directory test
// (the option "da"), and, when it holds its look-ups, the directories it
// looks into kept open with their listings at hand: list files name
// thousands of files in a few folders. What a directory held when first
// looked at stands for the rest of the scan.
class TScanContext {
 public:
  TScanContext(bool directoryTrace, bool holdLookups);
  ~TScanContext();
  TScanContext(const TScanContext&) = delete;
  TScanContext& operator=(const TScanContext&) = delete;

  bool DirectoryTrace() const { return directoryTrace_; }
  // Null when every look-up goes to the disk.
  TLookups* Lookups() { return lookups_.get(); }
  // What this scan met beside the queue.
  TScanTally& Tally() { return tally_; }

 private:
  bool directoryTrace_;
  TScanTally tally_;
  std::unique_ptr<TLookups> lookups_;
};

// Looks one path up: the entry itself, or else the first entry of its
// directory whose name matches the last part of the path. `realPath` is the
// directory part as given joined with the entry's real name.
bool FindPathEntry(TScanContext& scan, const std::string& path, TDirEntry& entry, std::string& realPath);

// As DirExists, and gives the directory's path with its real name.
bool FindDirectory(TScanContext& scan, const std::string& path, std::string& realPath);

// True when the path names a directory (one trailing "/" ignored). With the
// directory trace on, the entry found and the result are announced.
bool DirExists(TScanContext& scan, const std::string& path);

}  // namespace zeb
