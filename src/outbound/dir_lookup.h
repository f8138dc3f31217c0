// Finding entries on disk the way the outbound scanners need it: names match
// without regard to case, and what is returned carries the real name.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

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

// Looks one path up: the entry itself, or else the first entry of its
// directory whose name matches the last part of the path. `realPath` is the
// directory part as given joined with the entry's real name.
bool FindPathEntry(const std::string& path, TDirEntry& entry, std::string& realPath);

// While one lives (one scan), FindPathEntry keeps the directories it looks
// into open and their listings at hand: list files name thousands of files
// in a few folders. What a directory held when first looked at stands for
// the rest of the scan.
class TLookupCache {
 public:
  TLookupCache();
  ~TLookupCache();
  TLookupCache(const TLookupCache&) = delete;
  TLookupCache& operator=(const TLookupCache&) = delete;

 private:
  bool owner_;  // false inside another one, which goes on serving
};

// Set from the option "da": the scanner traces every directory test.
bool DirectoryTrace();
void SetDirectoryTrace(bool on);

// As DirExists, and gives the directory's path with its real name.
bool FindDirectory(const std::string& path, std::string& realPath);

// True when the path names a directory (one trailing "/" ignored). With the
// directory trace on, the entry found and the result are announced.
bool DirExists(const std::string& path);

}  // namespace zeb
